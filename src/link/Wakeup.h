#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <qcoro/qcorosignal.h>
#include <qcoro/qcorotask.h>

namespace vexa {

// A wait on whichever of several signals comes first, with a deadline. Each wait resumes exactly once:
// QCoro delivers a signal to the waiting coroutine through the event loop, so a second signal queued
// behind the first would reach a wait that has already ended. The coroutine resumes after every
// receiver of the signal has handled it, so what it reads then is settled.
class Wakeup : public QObject {
    Q_OBJECT
public:
    Wakeup() {
        deadline_.setSingleShot(true);
        connect(&deadline_, &QTimer::timeout, this, &Wakeup::fire);
    }

    template <typename Sender, typename Signal> void watch(const Sender* sender, Signal signal) {
        connect(sender, signal, this, &Wakeup::fire);
    }

    // Resumes at the first watched signal or when `deadline` has passed, whichever comes first.
    QCoro::Task<> next(std::chrono::milliseconds deadline) {
        armed_ = true;
        deadline_.start(deadline);
        co_await qCoro(this, &Wakeup::woken);
    }

signals:
    void woken();

private:
    void fire() {
        if (!armed_)
            return;
        armed_ = false;
        deadline_.stop();
        emit woken();
    }

    QTimer deadline_;
    bool armed_ = false;
};

} // namespace vexa
