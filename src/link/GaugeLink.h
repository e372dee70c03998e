#pragma once

#include "link/Transport.h"

#include <QByteArray>
#include <QObject>
#include <chrono>
#include <functional>
#include <qcoro/qcorotask.h>

namespace vexa {

// How a wait on the gauge ended.
enum class WaitOutcome {
    Answered,     // the awaited answer or confirmation arrived
    TimedOut,     // nothing fitting arrived before the deadline
    Disconnected, // the link went down while waiting
    Failed,       // the transport reported an error
    Cancelled,    // the user stopped the operation
};

struct WaitResult {
    WaitOutcome outcome = WaitOutcome::TimedOut;
    QByteArray value; // the accepted answer
    bool answered() const { return outcome == WaitOutcome::Answered; }
};

// Requests to the connected gauge as awaitable steps: each starts one operation on the transport and
// ends with a typed outcome, at the latest at its deadline. Every value the transport delivers (answers
// and notifications alike) is also passed on through `valueReceived`, before a waiting request sees it.
class GaugeLink : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds AnswerDeadline{5000};
    // Between two reads of an answer that is not there yet, so a silent gauge is not polled flat out.
    static constexpr std::chrono::milliseconds PollInterval{5};

    explicit GaugeLink(Transport& transport, QObject* parent = nullptr);

    Transport& transport() { return transport_; }

    // Writes `command` with response to the command characteristic and then reads that characteristic
    // until `accept` takes a value (a gauge keeps its previous answer there until the new one is ready).
    QCoro::Task<WaitResult> request(const QString& service, QByteArray command,
                                    std::function<bool(const QByteArray&)> accept,
                                    std::chrono::milliseconds deadline = AnswerDeadline);

    // Writes with response; the write response ends the wait.
    QCoro::Task<WaitResult> write(const QString& service, const QString& characteristic, QByteArray value,
                                  std::chrono::milliseconds deadline = AnswerDeadline);

    // Reads one value of the characteristic.
    QCoro::Task<WaitResult> read(const QString& service, const QString& characteristic,
                                 std::chrono::milliseconds deadline = AnswerDeadline);

    QCoro::Task<WaitResult> subscribe(const QString& service, const QString& characteristic,
                                      std::chrono::milliseconds deadline = AnswerDeadline);
    QCoro::Task<WaitResult> unsubscribe(const QString& service, const QString& characteristic,
                                        std::chrono::milliseconds deadline = AnswerDeadline);

    // Ends every wait in progress with `Cancelled`.
    void cancel() { emit cancelled(); }

signals:
    void valueReceived(const QString& service, const QString& characteristic, const QByteArray& value);
    void cancelled();

private:
    class Wait;
    QCoro::Task<WaitResult> await(Wait& wait, std::chrono::milliseconds deadline);

    Transport& transport_;
};

} // namespace vexa
