#include "window/GaugeSession.h"

#include "link/Wakeup.h"
#include "protocol/MemoryList.h"
#include "protocol/ProtocolCommands.h"
#include "texts/Texts.h"
#include "window/MainControls.h"
#include "window/MainModel.h"
#include "window/Prompt.h"

namespace vexa {

using namespace ctl;

GaugeSession::GaugeSession(Transport& transport, MainModel& main, QObject* parent)
    : QObject(parent)
    , main_(main)
    , link_(transport)
    , linkWindow_(link_, main) {
    // Every value is taken apart before a waiting request looks at it.
    connect(&link_, &GaugeLink::valueReceived, this, &GaugeSession::onValue);
}

void GaugeSession::onValue(const QString&, const QString& characteristic, const QByteArray& value) {
    lastDispatch_ = dispatchAnswer(values_, characteristic, value);
    if (lastDispatch_.kind == AnswerKind::LiveValue)
        onLiveValue(value);
}

QCoro::Task<WaitResult> GaugeSession::command(QByteArray text, const char* answerPrefix) {
    const QByteArray prefix(answerPrefix);
    std::function<bool(const QByteArray&)> accept = [prefix](const QByteArray& value) {
        return value.startsWith(prefix);
    };
    co_return co_await link_.request(linkWindow_.commandService(), std::move(text), std::move(accept));
}

void GaugeSession::showStatus(const QString& text) {
    main_.controls().setCaption(txtSpeicher, text);
    main_.controls().show(txtSpeicher);
}

void GaugeSession::gaugeLost() {
    const int lang = main_.state().languageIndex;
    main_.controls().setCaption(txtWait, Texts::message(Msg::DeviceOutOfRange, lang));
    main_.controls().show(txtWait);
    main_.unblockButtons();
    emit gaugeNotAnswering();
}

QCoro::Task<> GaugeSession::cmdConnect_Click() {
    const int lang = main_.state().languageIndex;
    const QString caption = main_.controls().caption(cmdConnect);
    if (caption == Texts::command(Cmd::Disconnect, lang)) {
        linkWindow_.BLEDisconnect();
        linkWindow_.clearServerId();
        co_return;
    }
    if (caption == Texts::command(Cmd::Reconnect, lang)) {
        Wakeup established;
        established.watch(&linkWindow_, &LinkWindowModel::linkEstablished);
        linkWindow_.Reconnect();
        co_await established.next(LinkWindowModel::ConnectDeadline + LinkWindowModel::DiscoveryDeadline);
        if (!linkWindow_.linkConnected()) {
            // Still off: the button stays "ReConnect" for the next try.
            main_.controls().setCaption(cmdConnect, Texts::command(Cmd::Reconnect, lang));
            main_.controls().show(cmdConnect);
            gaugeLost();
            co_return;
        }
        if (main_.state().traits.generation == '4')
            co_await SpeicherInfoLesen(true);
        else if (main_.state().traits.generation == '5')
            co_await SpeicherInfoDatei();
        co_return;
    }

    linkWindow_.controls().hide(ble::cmdReconnect);
    // The link window is modal: when the request returns the user has connected or closed it.
    emit linkWindowRequested();
    if (!linkWindow_.linkConnected()) {
        // A connection still under way is abandoned with the window.
        link_.transport().disconnectFromGauge();
        gaugeLost();
        co_return;
    }
    co_await gaugeConnected();
}

QCoro::Task<> GaugeSession::gaugeConnected() {
    co_await Initialisierung();
    main_.unblockButtons();
    Verbindungscheck();
    if (main_.state().connected) {
        setUpButtonsByGeneration();
        main_.Voreinstellungen(u"PI");
        main_.Voreinstellungen(u"LL");
        const char generation = main_.state().traits.generation;
        if (generation == '5' || generation == '4' || generation == 'X')
            co_await optOnline_Click();
        if (generation == '4')
            co_await SpeicherInfoLesen(true);
        else if (generation == '5')
            co_await SpeicherInfoDatei();
        main_.unblockButtons();
    }
    main_.refreshLimitsCaption();
}

QCoro::Task<> GaugeSession::Initialisierung() {
    main_.state().brandCode.clear();
    const WaitResult step1 = co_await command(command::deviceInformation(), "$vexa00");
    if (!step1.answered()) {
        gaugeLost();
        co_return;
    }
    main_.state().deviceInfo = values_.deviceInfo;
    const Initialisation init =
        decideInitialisation(linkWindow_.deviceName(), values_.deviceInfo.S, main_.state());
    main_.applyInitialisation(init);
    if (init.requestProbeInfo) {
        const WaitResult step2 = co_await command(command::probeInformation(), "$gpi");
        if (!step2.answered()) {
            gaugeLost();
            co_return;
        }
        main_.state().deviceInfo = values_.deviceInfo;
        main_.state().probeInfo = values_.probeInfo;
    }
    main_.statistics().setAbsoluteValues(true);
    const WaitResult battery = co_await command(command::batteryVoltage(), "$gcv?");
    if (battery.answered())
        main_.showBattery(values_.batteryVoltage);
}

void GaugeSession::Verbindungscheck() {
    const int lang = main_.state().languageIndex;
    ControlState& c = main_.controls();
    main_.state().connected = linkWindow_.linkConnected();
    if (main_.state().connected) {
        c.setCaption(txtWait, Texts::command(Cmd::Connected, lang));
        c.setEnabled(optOnline, true);
        c.setEnabled(cmdOpen, true);
        c.show(txtSpeicher);
        const char clock = main_.state().traits.clock;
        c.setVisible(picBth, clock == 'L' || clock == 'B');
        c.setVisible(picUsb, !(clock == 'L' || clock == 'B'));
        if (main_.state().traits.generation != 'X')
            c.show(cmdLesen);
    } else {
        c.setCaption(cmdConnect, Texts::command(Cmd::Connect, lang));
        c.setCaption(txtWait, Texts::command(Cmd::NotConnected, lang));
        c.setEnabled(optOnline, false);
        for (const QString& name : {txtSpeicher, picBth, picUsb})
            c.hide(name);
    }
}

void GaugeSession::setUpButtonsByGeneration() {
    ControlState& c = main_.controls();
    c.setCaption(cmdLesen, Texts::message(Msg::ReadMemory, main_.state().languageIndex));
    const char generation = main_.state().traits.generation;
    if (generation == '4' || generation == '5') {
        c.show(cmdLesen);
        c.hide(optFE);
        c.show(cmbSpeicher);
        c.show(cmdRefresh);
    }
}

QCoro::Task<bool> GaugeSession::subscribeMeasure() {
    if (linkWindow_.measureSubscribed())
        co_return true;
    const WaitResult result = co_await link_.subscribe(uuid::ServiceZK, uuid::CharMeasure);
    if (!result.answered())
        main_.log().WriteLog(QStringLiteral("Fehler Sub Measure") + QString::number(int(result.outcome)));
    co_return result.answered();
}

QCoro::Task<bool> GaugeSession::unsubscribeMeasure() {
    if (!linkWindow_.measureSubscribed())
        co_return true;
    const WaitResult result = co_await link_.unsubscribe(uuid::ServiceZK, uuid::CharMeasure);
    if (!result.answered())
        main_.log().WriteLog(QStringLiteral("Fehler UNSub Measure") + QString::number(int(result.outcome)));
    co_return result.answered();
}

QCoro::Task<> GaugeSession::SpeicherInfoLesen(bool fillList) {
    const int lang = main_.state().languageIndex;
    co_await unsubscribeMeasure();
    const WaitResult step3 = co_await link_.read(uuid::ServiceZK, uuid::CharStorageInfo);
    if (!step3.answered()) {
        gaugeLost();
        co_return;
    }
    if (fillList) {
        QStringList entries;
        for (int i = 0; i < values_.memoryCount && i < values_.memoryNames.size(); ++i)
            entries.append(
                probeMemoryEntry(memoryLetter(lang), values_.memoryNames[i], values_.memoryValueCounts[i]));
        main_.controls().setItems(cmbSpeicher, entries);
        main_.controls().setCaption(
            cmbSpeicher, entries.isEmpty() ? Texts::message(Msg::MemoryListEmpty, lang) : entries.first());
    }
    co_await subscribeMeasure();
}

QCoro::Task<> GaugeSession::SpeicherInfoDatei() {
    co_await unsubscribeMeasure();
    main_.controls().setItems(cmbSpeicher, {});
    if (linkWindow_.linkConnected()) {
        values_.responseBuffer.clear();
        const WaitResult step4 = co_await command(command::listFiles(), "$ls");
        if (!step4.answered()) {
            gaugeLost();
            co_return;
        }
    }
    if (values_.responseBuffer.size() > 7) {
        const QStringList entries = fileMemoryEntries(values_.responseBuffer);
        main_.controls().setItems(cmbSpeicher, entries);
        main_.controls().setCaption(cmbSpeicher, entries.isEmpty() ? QString() : entries.first());
        co_await subscribeMeasure();
    }
}

QCoro::Task<> GaugeSession::cmdRefresh_Click() {
    if (main_.state().traits.generation == '5')
        co_await SpeicherInfoDatei();
    else
        co_await SpeicherInfoLesen(true);
}

QCoro::Task<> GaugeSession::optFE_Click() {
    co_await unsubscribeMeasure();
    main_.optFE_Click();
    co_await subscribeMeasure();
}

QCoro::Task<> GaugeSession::optOnline_Click() {
    main_.optOnline_Click();
    co_await subscribeMeasure();
}

QCoro::Task<> GaugeSession::endProgram() {
    if (!linkWindow_.linkConnected())
        co_return;
    Wakeup changed;
    changed.watch(&linkWindow_, &LinkWindowModel::linkChanged);
    linkWindow_.BLEDisconnect();
    co_await changed.next(GaugeLink::AnswerDeadline);
}

} // namespace vexa
