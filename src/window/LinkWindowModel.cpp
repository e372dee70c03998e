#include "window/LinkWindowModel.h"

#include "files/AdapterTexts.h"
#include "protocol/DeviceList.h"
#include "texts/Texts.h"
#include "window/MainControls.h"
#include "window/MainModel.h"
#include "window/Prompt.h"

namespace vexa {

namespace {

const QString CRLF = QStringLiteral("\r\n");

} // namespace

LinkWindowModel::LinkWindowModel(Gauge& gauge, MainModel& main, QObject* parent)
    : QObject(parent)
    , gauge_(gauge)
    , main_(main) {
    connect(&gauge_, &Gauge::scanStarted, this, [this] {
        showScanning(true);
        controls_.setCaption(ble::txtLog, QStringLiteral("Scanning ..."));
    });
    connect(&gauge_, &Gauge::scanFailed, this, &LinkWindowModel::onScanFailed);
    connect(&gauge_, &Gauge::advertised, this, &LinkWindowModel::onAdvertised);
    connect(&gauge_, &Gauge::connectAnswered, this, [this] {
        controls_.setCaption(ble::txtLog, Texts::message(Msg::PleaseWait, main_.state().languageIndex));
    });
    connect(&gauge_, &Gauge::linkEstablished, this, &LinkWindowModel::onLinkEstablished);
    connect(&gauge_, &Gauge::linkIncomplete, this, &LinkWindowModel::onLinkIncomplete);
    connect(&gauge_, &Gauge::linkDropped, this, &LinkWindowModel::onLinkDropped);
    connect(&gauge_, &Gauge::transportError, this, &LinkWindowModel::onTransportError);
    connect(&main_, &MainModel::textsApplied, this, &LinkWindowModel::applyTexts);
    load();
}

void LinkWindowModel::load() {
    controls_.setCaption(ble::BLE, windowTitle());
    showScanning(false);
    controls_.hide(ble::cmdReconnect);
    controls_.hide(ble::lblAdapter);
    controls_.hide(ble::cmbAdapter);
    applyTexts();
}

void LinkWindowModel::applyTexts() {
    showConnectAction(gauge_.linkConnected());
    controls_.setCaption(ble::lblAdapter, Texts::notice(Notice::AdapterLabel, main_.state().languageIndex));
    controls_.setCaption(ble::Label1,
                         Texts::message(Msg::SelectBluetoothDevice, main_.state().languageIndex));
}

void LinkWindowModel::showScanning(bool scanning) {
    scanning_ = scanning;
    controls_.setCaption(ble::cmdScan, scanning ? QStringLiteral("Stop") : QStringLiteral("Scan"));
}

void LinkWindowModel::showConnectAction(bool disconnects) {
    connectDisconnects_ = disconnects;
    controls_.setCaption(ble::cmdConnect, Texts::command(disconnects ? Cmd::Disconnect : Cmd::Connect,
                                                         main_.state().languageIndex));
}

void LinkWindowModel::opening() {
    if (!connectDisconnects_)
        startScan();
    if (adapterChoice_)
        listAdapters();
}

void LinkWindowModel::offerAdapters(AdapterChoice choice) {
    adapterChoice_ = std::move(choice);
}

// An adapter plugged in or out while the program runs shows the next time the window opens.
QCoro::Task<> LinkWindowModel::listAdapters() {
    adapters_ = co_await adapterChoice_->listAdapters();
    showAdapters();
}

void LinkWindowModel::showAdapters() {
    const bool choice = adapters_.size() > 1;
    controls_.setVisible(ble::lblAdapter, choice);
    controls_.setVisible(ble::cmbAdapter, choice);
    QStringList entries;
    int current = 0;
    for (const bluez::AdapterFacts& adapter : std::as_const(adapters_)) {
        if (adapter.address == adapterChoice_->current)
            current = int(entries.size());
        entries.append(adapterEntry(adapter));
    }
    controls_.setItems(ble::cmbAdapter, entries);
    controls_.setCurrentRow(ble::cmbAdapter, current);
}

void LinkWindowModel::cmbAdapter_Click(int index) {
    if (!adapterChoice_ || index < 0 || index >= adapters_.size())
        return;
    const QString address = adapters_[index].address;
    controls_.setCurrentRow(ble::cmbAdapter, index);
    if (address == adapterChoice_->current)
        return;
    adapterChoice_->current = address;
    adapterChoice_->useAdapter(address);
    if (scanning_) {
        gauge_.stopScan(Gauge::ScanStop::ByProgram);
        startScan();
    }
}

void LinkWindowModel::cmdScan_Click() {
    if (scanning_) {
        showScanning(false);
        gauge_.stopScan();
        return;
    }
    startScan();
}

void LinkWindowModel::closedWithoutLink() {
    if (!scanning_)
        return;
    showScanning(false);
    gauge_.stopScan(Gauge::ScanStop::ByProgram);
}

// A scan starts from an empty list: every gauge heard is listed once.
void LinkWindowModel::startScan() {
    clearList();
    gauge_.startScan();
}

void LinkWindowModel::clearList() {
    listed_.clear();
    controls_.setItems(ble::lbDevices, {});
    lbDevices_Click(-1);
}

// The window stays open: the user may plug in an adapter or switch Bluetooth on and scan again.
void LinkWindowModel::onScanFailed(int, const QString&) {
    showScanning(false);
    main_.prompt().message(Texts::message(Msg::CheckBluetoothSettings, main_.state().languageIndex) + CRLF);
}

void LinkWindowModel::onAdvertised(const Advertisement& advertisement) {
    listed_.append(advertisement);
    QStringList entries;
    for (const Advertisement& gauge : listed_)
        entries.append(deviceListEntry(gauge.address, gauge.name, gauge.rssi));
    controls_.setItems(ble::lbDevices, entries);
    // The gauge connected last is chosen for the user, unless they chose one themselves.
    if (selectedRow_ < 0 && isLastGauge(advertisement))
        lbDevices_Click(int(listed_.size()) - 1);
}

bool LinkWindowModel::isLastGauge(const Advertisement& advertisement) const {
    const std::optional<LastGauge>& last = main_.programSettings().lastGauge;
    return last && last->address == advertisement.address;
}

void LinkWindowModel::lbDevices_Click(int row) {
    selectedRow_ = row;
    controls_.setCurrentRow(ble::lbDevices, row);
}

void LinkWindowModel::lbDevices_DblClick(int row) {
    lbDevices_Click(row);
    if (!connectDisconnects_)
        cmdConnect_Click();
}

void LinkWindowModel::cmdConnect_Click() {
    const int lang = main_.state().languageIndex;
    gauge_.stopScan(Gauge::ScanStop::ByProgram);
    if (!connectDisconnects_) {
        // A gauge connected before is connected again until the main window disconnects it for good.
        QString address = gauge_.address();
        QString deviceName = gauge_.deviceName();
        if (address.isEmpty()) {
            if (selectedRow_ < 0 || selectedRow_ >= listed_.size()) {
                main_.prompt().message(Texts::message(Msg::SelectBluetoothDevice, lang) + CRLF);
                return;
            }
            const Advertisement& chosen = listed_[selectedRow_];
            address = chosen.address;
            deviceName = listedDeviceName(chosen.address, chosen.name, chosen.rssi);
        }
        controls_.setCaption(ble::txtLog, Texts::message(Msg::ConnectToMac, lang) + address);
        gauge_.connectTo(address, deviceName);
    } else {
        BLEDisconnect();
    }
    controls_.setEnabled(ble::lbDevices, true);
}

void LinkWindowModel::onLinkEstablished(bool afterDrop) {
    const int lang = main_.state().languageIndex;
    controls_.hide(ble::cmdReconnect);
    controls_.setCaption(ble::txtLog, Texts::command(Cmd::Connected, lang) + gauge_.address());
    ControlState& mainControls = main_.controls();
    if (!afterDrop)
        mainControls.hide(ctl::cmbSpeicher);
    controls_.setEnabled(ble::cmdScan, false);
    mainControls.hide(ctl::cmdRefresh);
    main_.setConnected(true);
    showConnectAction(true);
    main_.setConnectAction(ConnectAction::Disconnect);
    mainControls.show(ctl::cmdConnect);
    mainControls.hide(ctl::picBthBlitz);
    mainControls.show(ctl::picBth);
    main_.showLinkStatus(LinkStatus::Connected);
    emit linkEstablished();
}

void LinkWindowModel::onLinkIncomplete() {
    const int lang = main_.state().languageIndex;
    controls_.hide(ble::cmdReconnect);
    showConnectAction(false);
    controls_.show(ble::cmdReconnect);
    controls_.setCaption(ble::txtLog, Texts::message(Msg::PleaseTryAgain, lang));
    // The gauge layer tries again at once.
    main_.controls().hide(ctl::cmdConnect);
}

void LinkWindowModel::onLinkDropped(bool byGauge, int status, const QString& description) {
    ControlState& mainControls = main_.controls();
    if (byGauge) {
        main_.setConnectAction(ConnectAction::Reconnect);
        mainControls.show(ctl::cmdConnect);
        main_.showLinkStatus(LinkStatus::OutOfRange);
    }
    mainControls.hide(ctl::picBth);
    mainControls.show(ctl::picBthBlitz);
    controls_.setEnabled(ble::cmdScan, true);
    showScanning(false);
    main_.setConnected(false);
    showConnectAction(false);
    controls_.setCaption(ble::txtLog,
                         QStringLiteral("Disconnected ") + QString::number(status) + description);
    controls_.setCaption(ble::cmdReconnect, QStringLiteral("Reconnect ") + gauge_.deviceName());
    controls_.show(ble::cmdReconnect);
}

void LinkWindowModel::onTransportError(int code, const QString& description) {
    main_.prompt().message(QStringLiteral("BLECLient Error") + QString::number(code) + u' ' + description);
    BLEDisconnect();
}

void LinkWindowModel::BLEDisconnect() {
    const int lang = main_.state().languageIndex;
    gauge_.disconnect();
    clearList();
    ControlState& mainControls = main_.controls();
    main_.setConnectAction(ConnectAction::Connect);
    mainControls.show(ctl::picBthBlitz);
    mainControls.show(ctl::picBth);
    main_.showLinkStatus(LinkStatus::Disconnected);
    mainControls.show(ctl::txtWait);
    showConnectAction(false);
    controls_.setCaption(ble::Label1, Texts::message(Msg::SelectBluetoothDevice, lang));
}

void LinkWindowModel::Reconnect() {
    main_.controls().hide(ctl::cmdConnect);
    gauge_.reconnect();
}

} // namespace vexa
