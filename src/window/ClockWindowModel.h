#pragma once

#include "link/Cancellation.h"
#include "window/ControlState.h"

#include <QDateTime>
#include <QObject>
#include <chrono>
#include <functional>
#include <qcoro/qcorotask.h>

namespace vexa {

class Gauge;
class MainModel;

// Object names of the clock window.
namespace timectl {
inline const QString frmTime = QStringLiteral("frmTime");
inline const QString fraSetTime = QStringLiteral("fraSetTime");
inline const QString txtDateTime = QStringLiteral("txtDateTime");
inline const QString lblDatelog = QStringLiteral("lblDatelog");
inline const QString cmdAkt = QStringLiteral("cmdAkt");
} // namespace timectl

// The clock window's logic: the gauge's clock shown live and set to the PC's time. The display asks the
// gauge one request at a time, lives here rather than in the window, and ends when the window closes, so
// a closed window is never written to. While the window is open, live values are off and the main window's
// commands that talk to the gauge wait.
class ClockWindowModel : public QObject {
    Q_OBJECT
public:
    using TimeSource = std::function<QDateTime()>;
    // Between the gauge's answer and the next request of the display.
    static constexpr std::chrono::milliseconds DisplayInterval{100};
    // How long the confirmation of a set clock stays before the window closes.
    static constexpr std::chrono::milliseconds ConfirmationShown{1000};

    ClockWindowModel(Gauge& gauge, MainModel& main, TimeSource now = &QDateTime::currentDateTime,
                     QObject* parent = nullptr);

    ControlState& controls() { return controls_; }
    bool isOpen() const { return open_; }
    bool displayRunning() const { return displayRunning_; }

    // "SetTime": the window opens, or comes to the front when it is open. The display starts unless it
    // runs already; without a link the window says the gauge is out of range instead.
    QCoro::Task<> mnuSetTime_Click();
    // Escape in the window: the display stops once the request under way is answered.
    void stopDisplay();
    // The gauge's clock set to the PC's time; confirmed only once the gauge took the write, and the window
    // closes a moment later.
    QCoro::Task<> cmdAkt_Click();
    // The window was closed: the request under way is abandoned, live values go on again while the link
    // is up, and the commands are given back.
    QCoro::Task<> windowClosed();

signals:
    // The window is to be shown and brought to the front.
    void windowRequested();
    // The window is to close (the clock was set).
    void closeRequested();
    // The display asks no more.
    void displayStopped();
    // A closing has switched live values back on and given the commands back.
    void closeFinished();

private:
    QCoro::Task<> runDisplay();
    // Resumes once the display has ended; at once when it is not running.
    QCoro::Task<> displayEnded();
    // Resumes after `time`, or at once when the window closes meanwhile.
    QCoro::Task<> pause(std::chrono::milliseconds time);
    void applyTexts();
    void showOutOfRange();
    void enableSetCommand();

    Gauge& gauge_;
    MainModel& main_;
    TimeSource now_;
    ControlState controls_;
    // Ends the requests of one opening; made ready again by the next.
    Cancellation closing_;
    bool open_ = false;
    bool displayRunning_ = false;
    bool stopRequested_ = false;
    bool setting_ = false;
    bool closingUnderway_ = false;
};

} // namespace vexa
