#include "window/WindowSession.h"

#include "link/Wakeup.h"
#include "protocol/MemoryList.h"
#include "texts/Texts.h"
#include "window/MainControls.h"
#include "window/MainModel.h"
#include "window/Prompt.h"

namespace vexa {

using namespace ctl;

WindowSession::WindowSession(Transport& transport, MainModel& main, QObject* parent)
    : QObject(parent)
    , main_(main)
    , gauge_(transport, main.gaugeEvents())
    , linkWindow_(gauge_, main)
    , clockWindow_(gauge_, main) {
    connect(&gauge_, &Gauge::liveReading, this, &WindowSession::showLiveReading);
    connect(&gauge_, &Gauge::downloadProgress, this,
            [this](int done, int total) { showStatus(QStringLiteral("%1 / %2").arg(done).arg(total)); });
}

void WindowSession::showStatus(const QString& text) {
    main_.showStatus(text);
    main_.controls().show(txtSpeicher);
}

void WindowSession::gaugeLost() {
    main_.showLinkStatus(LinkStatus::OutOfRange);
    main_.controls().show(txtWait);
    main_.unblockButtons();
    emit gaugeNotAnswering();
}

QCoro::Task<> WindowSession::cmdConnect_Click() {
    const ConnectAction action = main_.state().connectAction;
    if (action == ConnectAction::Disconnect) {
        linkWindow_.BLEDisconnect();
        gauge_.forgetAddress();
        co_return;
    }
    if (action == ConnectAction::Reconnect) {
        Wakeup established;
        established.watch(&linkWindow_, &LinkWindowModel::linkEstablished);
        linkWindow_.Reconnect();
        co_await established.next(Gauge::ConnectDeadline + Gauge::DiscoveryDeadline);
        if (!gauge_.linkConnected()) {
            // Still off: the button stays "ReConnect" for the next try.
            main_.setConnectAction(ConnectAction::Reconnect);
            main_.controls().show(cmdConnect);
            gaugeLost();
            co_return;
        }
        co_await readMemoryList();
        co_return;
    }

    linkWindow_.controls().hide(ble::cmdReconnect);
    const LinkStatus before = main_.state().linkStatus;
    const bool gaugeHeldBefore = !gauge_.address().isEmpty();
    linkWindow_.opening();
    // The link window is modal: when the request returns the user has connected or closed it.
    emit linkWindowRequested();
    if (!gauge_.linkConnected()) {
        // Closed without a connection: nothing went out of range, the status says what it said before. A
        // connection still under way is abandoned with the window.
        linkWindow_.closedWithoutLink();
        gauge_.disconnect();
        // A gauge only tried is none to come back to: the next window connects to the gauge chosen there.
        if (!gaugeHeldBefore)
            gauge_.forgetAddress();
        main_.showLinkStatus(before);
        main_.unblockButtons();
        co_return;
    }
    co_await gaugeConnected();
}

QCoro::Task<> WindowSession::gaugeConnected() {
    co_await initialise();
    main_.unblockButtons();
    showConnectionState();
    if (main_.state().connected) {
        const GaugeIdentity& identity = main_.state().gauge;
        main_.rememberGauge(
            {identity.deviceName, gauge_.address(), identity.model.deviceModel, identity.device.R});
        setUpButtonsByGeneration();
        main_.Voreinstellungen(u"PI");
        main_.Voreinstellungen(u"LL");
        if (main_.state().gauge.traits.startsOnline())
            co_await optOnline_Click();
        co_await readMemoryList();
        main_.unblockButtons();
    }
    main_.refreshLimitsCaption();
}

QCoro::Task<> WindowSession::initialise() {
    main_.state().gauge.brandCode.clear();
    const Identification identification = co_await gauge_.identify();
    if (identification.initialisation)
        main_.applyInitialisation(*identification.initialisation);
    if (identification.error) {
        gaugeLost();
        co_return;
    }
    main_.statistics().setAbsoluteValues(true);
    if (identification.batteryVolts)
        main_.showBattery(*identification.batteryVolts);
}

void WindowSession::showConnectionState() {
    ControlState& c = main_.controls();
    main_.setConnected(gauge_.linkConnected());
    if (main_.state().connected) {
        main_.showLinkStatus(LinkStatus::Connected);
        c.setEnabled(optOnline, true);
        c.setEnabled(cmdOpen, true);
        c.show(txtSpeicher);
        const bool bluetooth = main_.state().gauge.traits.linksByBluetooth();
        c.setVisible(picBth, bluetooth);
        c.setVisible(picUsb, !bluetooth);
        if (!main_.state().gauge.traits.hasNoMemories())
            c.show(cmdLesen);
    } else {
        main_.setConnectAction(ConnectAction::Connect);
        main_.showLinkStatus(LinkStatus::NotConnected);
        c.setEnabled(optOnline, false);
        for (const QString& name : {txtSpeicher, picBth, picUsb})
            c.hide(name);
    }
}

void WindowSession::setUpButtonsByGeneration() {
    ControlState& c = main_.controls();
    c.setCaption(cmdLesen, Texts::message(Msg::ReadMemory, main_.state().languageIndex));
    const DeviceTraits& traits = main_.state().gauge.traits;
    if (traits.hasProbeMemories() || traits.hasMemoryFiles()) {
        c.show(cmdLesen);
        c.hide(optFE);
        c.show(cmbSpeicher);
        c.show(cmdRefresh);
    }
}

QCoro::Task<> WindowSession::readMemoryList() {
    const int lang = main_.state().languageIndex;
    const DeviceTraits& traits = main_.state().gauge.traits;
    if (!traits.hasProbeMemories() && !traits.hasMemoryFiles())
        co_return;
    // The list of memory files is empty while it is read.
    if (traits.hasMemoryFiles())
        main_.clearMemoryList();
    const GaugeResult<GaugeMemories> memories = co_await gauge_.readMemoryList();
    if (!memories) {
        gaugeLost();
        co_return;
    }
    if (traits.hasProbeMemories()) {
        QStringList entries;
        for (const ProbeMemory& memory : memories->probeMemories)
            entries.append(probeMemoryEntry(memoryLetter(lang), memory.name, memory.valueCount));
        main_.showMemoryList(entries, Texts::message(Msg::MemoryListEmpty, lang));
        if (memories->tableCut)
            main_.prompt().message(
                Texts::notice(Notice::MemoryTableCut, lang).arg(memories->probeMemories.size()),
                PromptIcon::Warning);
    } else if (memories->memoryFiles) {
        QStringList entries;
        for (const QString& name : *memories->memoryFiles)
            entries.append(fileMemoryEntry(name));
        main_.showMemoryList(entries);
    }
}

QCoro::Task<> WindowSession::cmdRefresh_Click() {
    co_await readMemoryList();
}

QCoro::Task<> WindowSession::optFE_Click() {
    co_await gauge_.switchLiveValues(false);
    main_.optFE_Click();
    co_await gauge_.switchLiveValues(true);
}

QCoro::Task<> WindowSession::optOnline_Click() {
    main_.optOnline_Click();
    co_await gauge_.switchLiveValues(true);
}

QCoro::Task<> WindowSession::endProgram() {
    if (!gauge_.linkConnected())
        co_return;
    Wakeup dropped;
    dropped.watch(&gauge_, &Gauge::linkDropped);
    linkWindow_.BLEDisconnect();
    co_await dropped.next(GaugeLink::AnswerDeadline);
}

} // namespace vexa
