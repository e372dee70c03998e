#include "link/GaugeLink.h"

#include <QTimer>
#include <algorithm>
#include <qcoro/qcorosignal.h>

namespace vexa {

// One wait in progress: settles exactly once, whatever arrives first.
class GaugeLink::Wait : public QObject {
    Q_OBJECT
public:
    // False when the wait had already settled.
    bool settle(WaitOutcome outcome, const QByteArray& value = {}) {
        if (settled_)
            return false;
        settled_ = true;
        emit done(WaitResult{outcome, value});
        return true;
    }

signals:
    void done(vexa::WaitResult result);

private:
    bool settled_ = false;
};

// The turn at a characteristic, held for as long as a request runs.
class GaugeLink::Turn {
public:
    Turn(GaugeLink& link, const QString& characteristic)
        : link_(link)
        , characteristic_(characteristic) {}
    ~Turn() { link_.releaseTurn(characteristic_); }
    Turn(const Turn&) = delete;
    Turn& operator=(const Turn&) = delete;

private:
    GaugeLink& link_;
    QString characteristic_;
};

GaugeLink::GaugeLink(Transport& transport, QObject* parent)
    : QObject(parent)
    , transport_(transport) {
    connect(&transport_, &Transport::value, this, &GaugeLink::valueReceived);
}

QCoro::Task<WaitOutcome> GaugeLink::takeTurn(const QString& characteristic,
                                             std::chrono::milliseconds deadline,
                                             const Cancellation* cancellation) {
    if (cancellation && cancellation->isCancelled())
        co_return WaitOutcome::Cancelled;
    if (!linkUp_)
        co_return WaitOutcome::Disconnected;
    if (silent_)
        co_return WaitOutcome::TimedOut;
    Turns& turns = turns_[characteristic];
    if (!turns.held) {
        turns.held = true;
        co_return WaitOutcome::Answered;
    }
    Wait wait;
    turns.waiting.push_back(&wait);
    QTimer::singleShot(deadline, &wait, [&wait] { wait.settle(WaitOutcome::Busy); });
    if (cancellation)
        connect(cancellation, &Cancellation::cancelled, &wait,
                [&wait] { wait.settle(WaitOutcome::Cancelled); });
    const WaitResult result = co_await qCoro(&wait, &Wait::done);
    // A wait that ended otherwise is still queued; the turn must never be handed to it.
    std::deque<Wait*>& waiting = turns_[characteristic].waiting;
    waiting.erase(std::remove(waiting.begin(), waiting.end(), &wait), waiting.end());
    // The request before fell silent: the turn is handed on, and this request ends too.
    if (result.outcome == WaitOutcome::Answered && silent_) {
        releaseTurn(characteristic);
        co_return WaitOutcome::TimedOut;
    }
    co_return result.outcome;
}

void GaugeLink::releaseTurn(const QString& characteristic) {
    Turns& turns = turns_[characteristic];
    while (!turns.waiting.empty()) {
        Wait* next = turns.waiting.front();
        turns.waiting.pop_front();
        if (next->settle(WaitOutcome::Answered))
            return; // the turn passes on; it stays held
    }
    turns.held = false;
}

QCoro::Task<WaitResult> GaugeLink::await(Wait& wait, std::chrono::milliseconds deadline,
                                         const Cancellation* cancellation) {
    connect(&transport_, &Transport::disconnected, &wait,
            [&wait] { wait.settle(WaitOutcome::Disconnected); });
    connect(&transport_, &Transport::error, &wait, [&wait] { wait.settle(WaitOutcome::Failed); });
    if (cancellation)
        connect(cancellation, &Cancellation::cancelled, &wait,
                [&wait] { wait.settle(WaitOutcome::Cancelled); });
    QTimer::singleShot(deadline, &wait, [&wait] { wait.settle(WaitOutcome::TimedOut); });
    const WaitResult result = co_await qCoro(&wait, &Wait::done);
    if (result.outcome == WaitOutcome::TimedOut && !silent_) {
        silent_ = true;
        emit stoppedAnswering();
    }
    co_return result;
}

QCoro::Task<WaitResult> GaugeLink::request(const QString& service, QByteArray command,
                                           std::function<bool(const QByteArray&)> accept,
                                           std::chrono::milliseconds deadline,
                                           const Cancellation* cancellation) {
    const WaitOutcome turn = co_await takeTurn(uuid::CharVexa, deadline, cancellation);
    if (turn != WaitOutcome::Answered)
        co_return WaitResult{turn, {}};
    const Turn held(*this, uuid::CharVexa);
    Wait wait;
    bool written = false;
    // After the write response the characteristic is read until the answer is there; a value that is not
    // yet the answer is read again.
    connect(&transport_, &Transport::writeResponse, &wait,
            [this, service, &written](const QString&, const QString& c) {
                if (c != uuid::CharVexa)
                    return;
                written = true;
                transport_.read(service, uuid::CharVexa);
            });
    connect(
        this, &GaugeLink::valueReceived, &wait,
        [this, &wait, &accept, &written, service](const QString&, const QString& c, const QByteArray& value) {
            if (c != uuid::CharVexa || !written)
                return;
            if (accept(value))
                wait.settle(WaitOutcome::Answered, value);
            else
                QTimer::singleShot(PollInterval, &wait,
                                   [this, service] { transport_.read(service, uuid::CharVexa); });
        });
    transport_.write(service, uuid::CharVexa, command);
    co_return co_await await(wait, deadline, cancellation);
}

QCoro::Task<WaitResult> GaugeLink::confirmed(QString characteristic,
                                             void (Transport::*confirmation)(const QString&, const QString&),
                                             std::function<void()> operation,
                                             std::chrono::milliseconds deadline,
                                             const Cancellation* cancellation) {
    const WaitOutcome turn = co_await takeTurn(characteristic, deadline, cancellation);
    if (turn != WaitOutcome::Answered)
        co_return WaitResult{turn, {}};
    const Turn held(*this, characteristic);
    Wait wait;
    connect(&transport_, confirmation, &wait, [&wait, characteristic](const QString&, const QString& c) {
        if (c == characteristic)
            wait.settle(WaitOutcome::Answered);
    });
    operation();
    co_return co_await await(wait, deadline, cancellation);
}

QCoro::Task<WaitResult> GaugeLink::write(const QString& service, const QString& characteristic,
                                         QByteArray value, std::chrono::milliseconds deadline,
                                         const Cancellation* cancellation) {
    return confirmed(
        characteristic, &Transport::writeResponse,
        [this, service, characteristic, value] { transport_.write(service, characteristic, value); },
        deadline, cancellation);
}

QCoro::Task<WaitResult> GaugeLink::read(const QString& service, const QString& characteristic,
                                        std::chrono::milliseconds deadline,
                                        const Cancellation* cancellation) {
    const WaitOutcome turn = co_await takeTurn(characteristic, deadline, cancellation);
    if (turn != WaitOutcome::Answered)
        co_return WaitResult{turn, {}};
    const Turn held(*this, characteristic);
    Wait wait;
    connect(this, &GaugeLink::valueReceived, &wait,
            [&wait, characteristic](const QString&, const QString& c, const QByteArray& value) {
                if (c == characteristic)
                    wait.settle(WaitOutcome::Answered, value);
            });
    transport_.read(service, characteristic);
    co_return co_await await(wait, deadline, cancellation);
}

QCoro::Task<WaitResult> GaugeLink::subscribe(const QString& service, const QString& characteristic,
                                             std::chrono::milliseconds deadline,
                                             const Cancellation* cancellation) {
    return confirmed(
        characteristic, &Transport::subscribed,
        [this, service, characteristic] { transport_.subscribe(service, characteristic); }, deadline,
        cancellation);
}

QCoro::Task<WaitResult> GaugeLink::unsubscribe(const QString& service, const QString& characteristic,
                                               std::chrono::milliseconds deadline,
                                               const Cancellation* cancellation) {
    return confirmed(
        characteristic, &Transport::unsubscribed,
        [this, service, characteristic] { transport_.unsubscribe(service, characteristic); }, deadline,
        cancellation);
}

} // namespace vexa

#include "GaugeLink.moc"
