#include "window/ClockWindowModel.h"

#include "gauge/Gauge.h"
#include "link/Wakeup.h"
#include "protocol/ProtocolCommands.h"
#include "texts/Program.h"
#include "texts/Texts.h"
#include "window/MainModel.h"

#include <qcoro/qcorosignal.h>

namespace vexa {

using namespace timectl;

ClockWindowModel::ClockWindowModel(Gauge& gauge, MainModel& main, TimeSource now, QObject* parent)
    : QObject(parent)
    , gauge_(gauge)
    , main_(main)
    , now_(std::move(now)) {
    controls_.setCaption(frmTime, windowTitle());
    controls_.setCaption(fraSetTime, QStringLiteral("Set Time"));
    applyTexts();
    connect(&main_, &MainModel::textsApplied, this, &ClockWindowModel::applyTexts);
    connect(&gauge_, &Gauge::linkDropped, this, &ClockWindowModel::enableSetCommand);
    connect(&gauge_, &Gauge::linkEstablished, this, &ClockWindowModel::enableSetCommand);
}

void ClockWindowModel::applyTexts() {
    controls_.setCaption(cmdAkt, Texts::message(Msg::Update, main_.state().languageIndex));
}

void ClockWindowModel::enableSetCommand() {
    controls_.setEnabled(cmdAkt, open_ && !setting_ && gauge_.linkConnected());
}

void ClockWindowModel::showOutOfRange() {
    controls_.setCaption(lblDatelog, Texts::message(Msg::DeviceOutOfRange, main_.state().languageIndex));
    enableSetCommand();
}

QCoro::Task<> ClockWindowModel::mnuSetTime_Click() {
    if (closingUnderway_)
        co_await qCoro(this, &ClockWindowModel::closeFinished);
    if (open_) {
        emit windowRequested();
        // Stopped by Escape: the menu starts the display again, still only one.
        if (!displayRunning_ && !setting_ && gauge_.linkConnected())
            co_await runDisplay();
        co_return;
    }
    open_ = true;
    closing_.reset();
    controls_.setCaption(lblDatelog, QString());
    controls_.setCaption(txtDateTime, QString());
    main_.setClockWindowOpen(true);
    enableSetCommand();
    emit windowRequested();
    if (!gauge_.linkConnected()) {
        showOutOfRange();
        co_return;
    }
    co_await runDisplay();
}

QCoro::Task<> ClockWindowModel::runDisplay() {
    displayRunning_ = true;
    stopRequested_ = false;
    if (gauge_.liveValuesOn())
        co_await gauge_.switchLiveValues(false, &closing_);
    while (!stopRequested_ && !closing_.isCancelled()) {
        const GaugeResult<QString> clock = co_await gauge_.readClock(&closing_);
        if (!clock) {
            if (clock.error() != GaugeError::Cancelled)
                showOutOfRange();
            break;
        }
        controls_.setCaption(txtDateTime, *clock);
        co_await pause(DisplayInterval);
    }
    displayRunning_ = false;
    emit displayStopped();
}

QCoro::Task<> ClockWindowModel::displayEnded() {
    if (displayRunning_)
        co_await qCoro(this, &ClockWindowModel::displayStopped);
}

QCoro::Task<> ClockWindowModel::pause(std::chrono::milliseconds time) {
    Wakeup closed;
    closed.watch(&closing_, &Cancellation::cancelled);
    co_await closed.next(time);
}

void ClockWindowModel::stopDisplay() {
    stopRequested_ = true;
}

QCoro::Task<> ClockWindowModel::cmdAkt_Click() {
    if (!open_ || setting_ || !gauge_.linkConnected())
        co_return;
    setting_ = true;
    enableSetCommand();
    // The display's request under way is answered first: the set command never overtakes it.
    stopRequested_ = true;
    co_await displayEnded();
    if (closing_.isCancelled()) {
        setting_ = false;
        co_return;
    }
    const QDateTime time = now_();
    const GaugeStatus written = co_await gauge_.setClock(time, &closing_);
    if (!written) {
        setting_ = false;
        if (written.error() != GaugeError::Cancelled)
            showOutOfRange();
        co_return;
    }
    controls_.setCaption(txtDateTime, command::clockText(time));
    controls_.setCaption(lblDatelog, Texts::message(Msg::ClockSet, main_.state().languageIndex));
    co_await pause(ConfirmationShown);
    setting_ = false;
    if (open_)
        emit closeRequested();
}

QCoro::Task<> ClockWindowModel::windowClosed() {
    if (!open_)
        co_return;
    open_ = false;
    closingUnderway_ = true;
    enableSetCommand();
    closing_.cancel();
    co_await displayEnded();
    if (gauge_.linkConnected())
        co_await gauge_.switchLiveValues(true);
    main_.setClockWindowOpen(false);
    closingUnderway_ = false;
    emit closeFinished();
}

} // namespace vexa
