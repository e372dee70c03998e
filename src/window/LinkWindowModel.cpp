#include "window/LinkWindowModel.h"

#include "data/LocaleTexts.h"
#include "link/Wakeup.h"
#include "protocol/DeviceList.h"
#include "texts/Texts.h"
#include "window/MainControls.h"
#include "window/MainModel.h"
#include "window/Prompt.h"

#include <QDateTime>

namespace vexa {

namespace {

const QString CRLF = QStringLiteral("\r\n");

} // namespace

LinkWindowModel::LinkWindowModel(GaugeLink& link, MainModel& main, QObject* parent)
    : QObject(parent)
    , link_(link)
    , main_(main) {
    Transport& transport = link_.transport();
    connect(&transport, &Transport::advertisement, this, &LinkWindowModel::onAdvertisement);
    connect(&transport, &Transport::scanStarted, this, &LinkWindowModel::onScanStarted);
    connect(&transport, &Transport::scanFailed, this, &LinkWindowModel::onScanFailed);
    connect(&transport, &Transport::connected, this,
            [this](int status, const QString& description) { onConnected(status, description); });
    connect(&transport, &Transport::disconnected, this, &LinkWindowModel::onDisconnected);
    connect(&transport, &Transport::discovered, this, &LinkWindowModel::onDiscovered);
    connect(&transport, &Transport::subscribed, this,
            [this](const QString&, const QString& c) { onSubscription(c, true); });
    connect(&transport, &Transport::unsubscribed, this,
            [this](const QString&, const QString& c) { onSubscription(c, false); });
    connect(&transport, &Transport::error, this, &LinkWindowModel::onError);
    connect(&main_, &MainModel::textsApplied, this, &LinkWindowModel::applyTexts);
    load();
}

void LinkWindowModel::load() {
    controls_.setCaption(ble::BLE, windowTitle());
    controls_.setCaption(ble::cmdScan, QStringLiteral("Scan"));
    controls_.hide(ble::cmdReconnect);
    applyTexts();
}

void LinkWindowModel::applyTexts() {
    const int lang = main_.state().languageIndex;
    controls_.setCaption(ble::cmdConnect,
                         Texts::command(linkConnected_ ? Cmd::Disconnect : Cmd::Connect, lang));
    controls_.setCaption(ble::Label1, Texts::message(Msg::SelectBluetoothDevice, lang));
}

void LinkWindowModel::cmdScan_Click() {
    TransferLog& log = main_.log();
    log.WriteLog(QStringLiteral("Bluetooth SCAN ") + dateTimeText(QDateTime::currentDateTime()));
    if (controls_.caption(ble::cmdScan) != u"Scan") {
        controls_.setCaption(ble::cmdScan, QStringLiteral("Scan"));
        link_.transport().stopScan();
        return;
    }
    controls_.setItems(ble::lbDevices, {});
    selectedRow_ = -1;
    log.WriteLog(QStringLiteral("Bluetooth SCAN1"));
    link_.transport().startScan();
}

void LinkWindowModel::onScanStarted() {
    main_.log().WriteLog(QStringLiteral("StartScan"));
    controls_.setCaption(ble::cmdScan, QStringLiteral("Stop"));
    controls_.setCaption(ble::txtLog, QStringLiteral("Scanning ..."));
    main_.log().WriteLog(QStringLiteral("StartScan Ende"));
}

// The window stays open: the user may plug in an adapter or switch Bluetooth on and scan again.
void LinkWindowModel::onScanFailed(int code, const QString& description) {
    main_.log().WriteLog(QString::number(code) + u' ' + description);
    controls_.setCaption(ble::cmdScan, QStringLiteral("Scan"));
    main_.prompt().message(Texts::message(Msg::CheckBluetoothSettings, main_.state().languageIndex) + CRLF);
}

void LinkWindowModel::onAdvertisement(const QString& serverId, const QString& name, int rssi) {
    QStringList entries = controls_.items(ble::lbDevices);
    for (const QString& entry : entries)
        if (entry.contains(serverId))
            return; // the first advertisement of a gauge wins
    if (!isGaugeName(name))
        return;
    entries.append(deviceListEntry(serverId, name, rssi));
    controls_.setItems(ble::lbDevices, entries);
}

void LinkWindowModel::lbDevices_Click(int row) {
    selectedRow_ = row;
}

void LinkWindowModel::cmdConnect_Click() {
    const int lang = main_.state().languageIndex;
    link_.transport().stopScan();
    if (controls_.caption(ble::cmdConnect) == Texts::command(Cmd::Connect, lang)) {
        if (serverId_.isEmpty()) {
            const QStringList entries = controls_.items(ble::lbDevices);
            if (selectedRow_ < 0 || selectedRow_ >= entries.size()) {
                main_.prompt().message(Texts::message(Msg::SelectBluetoothDevice, lang) + CRLF);
                return;
            }
            serverId_ = entryServerId(entries[selectedRow_]);
            deviceName_ = entryDeviceName(entries[selectedRow_]);
            main_.state().deviceName = deviceName_;
        }
        controls_.setCaption(ble::txtLog, Texts::message(Msg::ConnectToMac, lang) + serverId_);
        link_.transport().connectToGauge(serverId_);
    } else {
        BLEDisconnect();
    }
    controls_.setEnabled(ble::lbDevices, true);
}

QCoro::Task<> LinkWindowModel::onConnected(int status, QString description) {
    const int lang = main_.state().languageIndex;
    controls_.setCaption(ble::txtLog, Texts::message(Msg::PleaseWait, lang));
    if (description == u"OK" && status == 0) {
        commandPathFound_ = false;
        probePathFound_ = false;
        services_.clear();
        characteristics_.clear();
        // The discovery's findings arrive as events; the wait ends with the last of them or the watchdog.
        Wakeup discovered;
        discovered.watch(&link_.transport(), &Transport::discoveryFinished);
        link_.transport().discover(discoveryServices(deviceName_));
        co_await discovered.next(DiscoveryDeadline);
    }
    controls_.hide(ble::cmdReconnect);
    if (!commandPathFound_ || !probePathFound_) {
        controls_.setCaption(ble::cmdConnect, Texts::command(Cmd::Connect, lang));
        controls_.show(ble::cmdReconnect);
        controls_.setCaption(ble::txtLog, Texts::message(Msg::PleaseTryAgain, lang));
        Reconnect();
        co_return; // not connected: the rest would report a link without its characteristics
    }
    controls_.setCaption(ble::txtLog, Texts::command(Cmd::Connected, lang) + serverId_);
    controls_.setCaption(ble::cmdConnect, Texts::command(Cmd::Disconnect, lang));
    ControlState& mainControls = main_.controls();
    if (!linkOffline_)
        mainControls.hide(ctl::cmbSpeicher);
    controls_.setEnabled(ble::cmdScan, false);
    mainControls.hide(ctl::cmdRefresh);
    mainControls.setCaption(ctl::cmdConnect, Texts::command(Cmd::Disconnect, lang));
    mainControls.show(ctl::cmdConnect);
    mainControls.hide(ctl::picBthBlitz);
    mainControls.show(ctl::picBth);
    mainControls.setCaption(ctl::txtWait, Texts::command(Cmd::Connected, lang));
    linkConnected_ = true;
    linkOffline_ = false;
    main_.state().connected = true;
    emit linkChanged();
    emit linkEstablished();
}

void LinkWindowModel::onDiscovered(GattType type, const QString& service, const QString& characteristic) {
    if (type == GattType::Service) {
        services_.insert(service);
        if (service == uuid::ServiceMI || service == uuid::ServiceSondeMI)
            commandService_ = service; // the one reported last is used
    } else {
        characteristics_.insert(characteristic);
    }
    commandPathFound_ = !commandService_.isEmpty() && characteristics_.contains(uuid::CharVexa);
    probePathFound_ =
        services_.contains(uuid::ServiceZK) && characteristics_.contains(uuid::CharMeasure) &&
        (services_.contains(uuid::ServiceSondeMI) || (characteristics_.contains(uuid::CharStorageInfo) &&
                                                      characteristics_.contains(uuid::CharStorageData)));
}

void LinkWindowModel::onDisconnected(int status, const QString& description) {
    const int lang = main_.state().languageIndex;
    ControlState& mainControls = main_.controls();
    if (description == u"Offline" && status == 0) {
        linkOffline_ = true;
        mainControls.setCaption(ctl::cmdConnect, Texts::command(Cmd::Reconnect, lang));
        mainControls.show(ctl::cmdConnect);
        mainControls.setCaption(ctl::txtWait, Texts::message(Msg::DeviceOutOfRange, lang));
    }
    mainControls.hide(ctl::picBth);
    mainControls.show(ctl::picBthBlitz);
    controls_.setEnabled(ble::cmdScan, true);
    controls_.setCaption(ble::cmdScan, QStringLiteral("Scan"));
    controls_.setCaption(ble::cmdConnect, Texts::command(Cmd::Connect, lang));
    probePathFound_ = false;
    commandPathFound_ = false;
    linkConnected_ = false;
    measureSubscribed_ = false;
    main_.state().connected = false;
    controls_.setCaption(ble::txtLog,
                         QStringLiteral("Disconnected ") + QString::number(status) + description);
    controls_.setCaption(ble::cmdReconnect, QStringLiteral("Reconnect ") + deviceName_);
    controls_.show(ble::cmdReconnect);
    emit linkChanged();
}

void LinkWindowModel::onSubscription(const QString& characteristic, bool subscribed) {
    if (characteristic == uuid::CharMeasure)
        measureSubscribed_ = subscribed;
}

void LinkWindowModel::onError(int code, const QString& description) {
    main_.prompt().message(QStringLiteral("BLECLient Error") + QString::number(code) + u' ' + description);
    BLEDisconnect();
}

void LinkWindowModel::BLEDisconnect() {
    const int lang = main_.state().languageIndex;
    link_.transport().disconnectFromGauge();
    controls_.setItems(ble::lbDevices, {});
    selectedRow_ = -1;
    ControlState& mainControls = main_.controls();
    mainControls.setCaption(ctl::cmdConnect, Texts::command(Cmd::Connect, lang));
    mainControls.show(ctl::picBthBlitz);
    mainControls.show(ctl::picBth);
    mainControls.setCaption(ctl::txtWait, Texts::command(Cmd::Disconnected, lang));
    mainControls.show(ctl::txtWait);
    controls_.setCaption(ble::cmdConnect, Texts::command(Cmd::Connect, lang));
    controls_.setCaption(ble::Label1, Texts::message(Msg::SelectBluetoothDevice, lang));
}

void LinkWindowModel::Reconnect() {
    main_.log().WriteLog(QStringLiteral("REconnect"));
    main_.controls().hide(ctl::cmdConnect);
    if (serverId_.isEmpty())
        return;
    link_.transport().disconnectFromGauge();
    main_.log().WriteLog(QStringLiteral("REconnect1"));
    link_.transport().connectToGauge(serverId_);
    main_.log().WriteLog(QStringLiteral("REconnect2"));
}

} // namespace vexa
