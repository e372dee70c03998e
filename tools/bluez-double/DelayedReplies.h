#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QSocketNotifier>
#include <chrono>
#include <deque>
#include <functional>
#include <memory>

namespace vexa::bluezdouble {

// Sends replies a fixed time after they were made, in order, to the microsecond: a timerfd wakes the
// event loop, so nothing sleeps and no timer is rounded to whole milliseconds. Replies still waiting when
// the queue goes are sent at once, without what was to follow them: a caller never waits for a reply that
// was made.
class DelayedReplies {
public:
    DelayedReplies(QDBusConnection bus, std::chrono::microseconds delay);
    DelayedReplies(const DelayedReplies&) = delete;
    DelayedReplies& operator=(const DelayedReplies&) = delete;
    ~DelayedReplies();

    std::chrono::microseconds delay() const { return delay_; }
    // `afterwards` runs right after the reply has gone out.
    void send(const QDBusMessage& reply, std::function<void()> afterwards = {});

private:
    struct Pending {
        std::chrono::nanoseconds due;
        QDBusMessage reply;
        std::function<void()> afterwards;
    };

    void sendDue();
    void arm();

    QDBusConnection bus_;
    std::chrono::microseconds delay_;
    int timerFd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::deque<Pending> pending_;
};

} // namespace vexa::bluezdouble
