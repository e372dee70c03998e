#include "link/GaugeLink.h"

#include <QTimer>
#include <qcoro/qcorosignal.h>

namespace vexa {

// One wait in progress: settles exactly once, whatever arrives first.
class GaugeLink::Wait : public QObject {
    Q_OBJECT
public:
    void settle(WaitOutcome outcome, const QByteArray& value = {}) {
        if (settled_)
            return;
        settled_ = true;
        emit done(WaitResult{outcome, value});
    }

signals:
    void done(vexa::WaitResult result);

private:
    bool settled_ = false;
};

GaugeLink::GaugeLink(Transport& transport, QObject* parent)
    : QObject(parent)
    , transport_(transport) {
    connect(&transport_, &Transport::value, this, &GaugeLink::valueReceived);
}

QCoro::Task<WaitResult> GaugeLink::await(Wait& wait, std::chrono::milliseconds deadline) {
    connect(&transport_, &Transport::disconnected, &wait,
            [&wait] { wait.settle(WaitOutcome::Disconnected); });
    connect(&transport_, &Transport::error, &wait, [&wait] { wait.settle(WaitOutcome::Failed); });
    connect(this, &GaugeLink::cancelled, &wait, [&wait] { wait.settle(WaitOutcome::Cancelled); });
    QTimer::singleShot(deadline, &wait, [&wait] { wait.settle(WaitOutcome::TimedOut); });
    co_return co_await qCoro(&wait, &Wait::done);
}

QCoro::Task<WaitResult> GaugeLink::request(const QString& service, QByteArray command,
                                           std::function<bool(const QByteArray&)> accept,
                                           std::chrono::milliseconds deadline) {
    Wait wait;
    // After the write response the characteristic is read until the answer is there; a value that is not
    // yet the answer is read again.
    connect(&transport_, &Transport::writeResponse, &wait, [this, service](const QString&, const QString& c) {
        if (c == uuid::CharVexa)
            transport_.read(service, uuid::CharVexa);
    });
    connect(this, &GaugeLink::valueReceived, &wait,
            [this, &wait, &accept, service](const QString&, const QString& c, const QByteArray& value) {
                if (c != uuid::CharVexa)
                    return;
                if (accept(value))
                    wait.settle(WaitOutcome::Answered, value);
                else
                    QTimer::singleShot(PollInterval, &wait,
                                       [this, service] { transport_.read(service, uuid::CharVexa); });
            });
    transport_.write(service, uuid::CharVexa, command);
    co_return co_await await(wait, deadline);
}

QCoro::Task<WaitResult> GaugeLink::write(const QString& service, const QString& characteristic,
                                         QByteArray value, std::chrono::milliseconds deadline) {
    Wait wait;
    connect(&transport_, &Transport::writeResponse, &wait,
            [&wait, characteristic](const QString&, const QString& c) {
                if (c == characteristic)
                    wait.settle(WaitOutcome::Answered);
            });
    transport_.write(service, characteristic, value);
    co_return co_await await(wait, deadline);
}

QCoro::Task<WaitResult> GaugeLink::read(const QString& service, const QString& characteristic,
                                        std::chrono::milliseconds deadline) {
    Wait wait;
    connect(this, &GaugeLink::valueReceived, &wait,
            [&wait, characteristic](const QString&, const QString& c, const QByteArray& value) {
                if (c == characteristic)
                    wait.settle(WaitOutcome::Answered, value);
            });
    transport_.read(service, characteristic);
    co_return co_await await(wait, deadline);
}

QCoro::Task<WaitResult> GaugeLink::subscribe(const QString& service, const QString& characteristic,
                                             std::chrono::milliseconds deadline) {
    Wait wait;
    connect(&transport_, &Transport::subscribed, &wait,
            [&wait, characteristic](const QString&, const QString& c) {
                if (c == characteristic)
                    wait.settle(WaitOutcome::Answered);
            });
    transport_.subscribe(service, characteristic);
    co_return co_await await(wait, deadline);
}

QCoro::Task<WaitResult> GaugeLink::unsubscribe(const QString& service, const QString& characteristic,
                                               std::chrono::milliseconds deadline) {
    Wait wait;
    connect(&transport_, &Transport::unsubscribed, &wait,
            [&wait, characteristic](const QString&, const QString& c) {
                if (c == characteristic)
                    wait.settle(WaitOutcome::Answered);
            });
    transport_.unsubscribe(service, characteristic);
    co_return co_await await(wait, deadline);
}

} // namespace vexa

#include "GaugeLink.moc"
