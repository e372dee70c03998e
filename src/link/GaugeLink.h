#pragma once

#include "link/Cancellation.h"
#include "link/Transport.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <chrono>
#include <deque>
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
    Busy,         // another request kept the characteristic until the deadline
};

struct WaitResult {
    WaitOutcome outcome = WaitOutcome::TimedOut;
    QByteArray value; // the accepted answer
    bool answered() const { return outcome == WaitOutcome::Answered; }
};

// Requests to the connected gauge as awaitable steps: each starts one operation on the transport and
// ends with a typed outcome, at the latest at its deadline. Every value the transport delivers (answers
// and notifications alike) is also passed on through `valueReceived`, before a waiting request sees it.
//
// One request at a time per characteristic: a gauge answers a command in the characteristic it was
// written to, so a second request there waits its turn (until its deadline, then Busy) instead of taking
// the first one's answer. Every request may be given a Cancellation of its own.
//
// A gauge that let one request run into its deadline is taken as gone (out of range, switched off): every
// later request ends at once with TimedOut, without reaching the transport, until resume(). Otherwise each
// step of a sequence would wait out a deadline of its own before anyone is told.
class GaugeLink : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds AnswerDeadline{5000};
    // Between two reads of an answer that is not there yet, so a silent gauge is not polled flat out.
    static constexpr std::chrono::milliseconds PollInterval{5};

    explicit GaugeLink(Transport& transport, QObject* parent = nullptr);

    Transport& transport() { return transport_; }

    bool silent() const { return silent_; }
    // A new link: requests reach the gauge again.
    void resume() { silent_ = false; }
    // Without a link every request ends at once as Disconnected, before it reaches the transport: there is
    // no gauge to wait for, and the transport would only report an error.
    void setLinkUp(bool up) { linkUp_ = up; }

    // Writes `command` with response to the command characteristic and then reads that characteristic
    // until `accept` takes a value (a gauge keeps its previous answer there until the new one is ready).
    // Values that arrive before the write is confirmed belong to an earlier request and are passed over.
    QCoro::Task<WaitResult> request(const QString& service, QByteArray command,
                                    std::function<bool(const QByteArray&)> accept,
                                    std::chrono::milliseconds deadline = AnswerDeadline,
                                    const Cancellation* cancellation = nullptr);

    // Writes with response; the write response ends the wait.
    QCoro::Task<WaitResult> write(const QString& service, const QString& characteristic, QByteArray value,
                                  std::chrono::milliseconds deadline = AnswerDeadline,
                                  const Cancellation* cancellation = nullptr);

    // Reads one value of the characteristic.
    QCoro::Task<WaitResult> read(const QString& service, const QString& characteristic,
                                 std::chrono::milliseconds deadline = AnswerDeadline,
                                 const Cancellation* cancellation = nullptr);

    QCoro::Task<WaitResult> subscribe(const QString& service, const QString& characteristic,
                                      std::chrono::milliseconds deadline = AnswerDeadline,
                                      const Cancellation* cancellation = nullptr);
    QCoro::Task<WaitResult> unsubscribe(const QString& service, const QString& characteristic,
                                        std::chrono::milliseconds deadline = AnswerDeadline,
                                        const Cancellation* cancellation = nullptr);

signals:
    void valueReceived(const QString& service, const QString& characteristic, const QByteArray& value);
    // The first request that ran into its deadline since the last resume().
    void stoppedAnswering();

private:
    class Wait;
    class Turn;
    struct Turns {
        bool held = false;
        std::deque<Wait*> waiting; // first come, first served
    };

    // The characteristic for this request alone: at once when it is free, else when the request before
    // has ended. Answered when the turn was taken; Busy or Cancelled when it did not come.
    QCoro::Task<WaitOutcome> takeTurn(const QString& characteristic, std::chrono::milliseconds deadline,
                                      const Cancellation* cancellation);
    void releaseTurn(const QString& characteristic);
    QCoro::Task<WaitResult> await(Wait& wait, std::chrono::milliseconds deadline,
                                  const Cancellation* cancellation);
    // Starts `operation` in its turn at the characteristic; `confirmation` of the characteristic ends the
    // wait.
    QCoro::Task<WaitResult> confirmed(QString characteristic,
                                      void (Transport::*confirmation)(const QString&, const QString&),
                                      std::function<void()> operation, std::chrono::milliseconds deadline,
                                      const Cancellation* cancellation);

    Transport& transport_;
    QHash<QString, Turns> turns_;
    bool silent_ = false;
    bool linkUp_ = true;
};

} // namespace vexa
