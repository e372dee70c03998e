#pragma once

#include <QObject>

namespace vexa {

// Stops the requests it is handed: a wait in progress ends with Cancelled at once, and a request started
// after cancel() ends so without touching the gauge. One per operation, so that stopping a download
// leaves a clock request of another window alone.
class Cancellation : public QObject {
    Q_OBJECT
public:
    void cancel() {
        cancelled_ = true;
        emit cancelled();
    }
    bool isCancelled() const { return cancelled_; }
    // Ready for the next operation.
    void reset() { cancelled_ = false; }

signals:
    void cancelled();

private:
    bool cancelled_ = false;
};

} // namespace vexa
