#include "DelayedReplies.h"

#include <sys/timerfd.h>
#include <time.h>
#include <unistd.h>

namespace vexa::bluezdouble {

namespace {

std::chrono::nanoseconds monotonicNow() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

} // namespace

DelayedReplies::DelayedReplies(QDBusConnection bus, std::chrono::microseconds delay)
    : bus_(std::move(bus))
    , delay_(delay) {
    if (delay_.count() <= 0)
        return;
    timerFd_ = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (timerFd_ < 0)
        qFatal("timerfd_create failed");
    notifier_ = std::make_unique<QSocketNotifier>(timerFd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { sendDue(); });
}

DelayedReplies::~DelayedReplies() {
    for (const Pending& held : pending_)
        bus_.send(held.reply);
    notifier_.reset();
    if (timerFd_ >= 0)
        close(timerFd_);
}

void DelayedReplies::send(const QDBusMessage& reply, std::function<void()> afterwards) {
    if (timerFd_ < 0) {
        bus_.send(reply);
        if (afterwards)
            afterwards();
        return;
    }
    pending_.push_back({monotonicNow() + delay_, reply, std::move(afterwards)});
    if (pending_.size() == 1)
        arm();
}

void DelayedReplies::sendDue() {
    uint64_t expirations = 0;
    [[maybe_unused]] const ssize_t ignored = read(timerFd_, &expirations, sizeof expirations);
    const std::chrono::nanoseconds now = monotonicNow();
    while (!pending_.empty() && pending_.front().due <= now) {
        const Pending due = std::move(pending_.front());
        pending_.pop_front();
        bus_.send(due.reply);
        if (due.afterwards)
            due.afterwards();
    }
    if (!pending_.empty())
        arm();
}

void DelayedReplies::arm() {
    const std::chrono::nanoseconds due = pending_.front().due;
    itimerspec at{};
    at.it_value.tv_sec = std::chrono::duration_cast<std::chrono::seconds>(due).count();
    at.it_value.tv_nsec = (due - std::chrono::seconds(at.it_value.tv_sec)).count();
    timerfd_settime(timerFd_, TFD_TIMER_ABSTIME, &at, nullptr);
}

} // namespace vexa::bluezdouble
