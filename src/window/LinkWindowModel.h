#pragma once

#include "link/GaugeLink.h"
#include "window/ControlState.h"

#include <QObject>
#include <QSet>
#include <qcoro/qcorotask.h>

namespace vexa {

class MainModel;

// Object names of the link window's controls.
namespace ble {
inline const QString BLE = QStringLiteral("BLE");
inline const QString lbDevices = QStringLiteral("lbDevices");
inline const QString cmdScan = QStringLiteral("cmdScan");
inline const QString cmdConnect = QStringLiteral("cmdConnect");
inline const QString cmdReconnect = QStringLiteral("cmdReconnect");
inline const QString Label1 = QStringLiteral("Label1");
inline const QString txtLog = QStringLiteral("txtLog");
} // namespace ble

// The link window's logic: scanning and listing gauges, connecting, finding the gauge's services and
// characteristics, following the link's state, reconnecting.
class LinkWindowModel : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds DiscoveryDeadline{4000};
    static constexpr std::chrono::milliseconds ConnectDeadline{5000};

    LinkWindowModel(GaugeLink& link, MainModel& main, QObject* parent = nullptr);

    ControlState& controls() { return controls_; }
    GaugeLink& link() { return link_; }

    // Window load: captions.
    void load();
    void applyTexts();

    void cmdScan_Click();
    void lbDevices_Click(int row);
    // The link window's connect button: connects to the chosen gauge, or disconnects.
    void cmdConnect_Click();
    void cmdReconnect_Click() { Reconnect(); }
    void BLEDisconnect();
    void Reconnect();

    const QString& serverId() const { return serverId_; }
    void clearServerId() { serverId_.clear(); }
    const QString& deviceName() const { return deviceName_; }
    bool linkConnected() const { return linkConnected_; }
    bool linkOffline() const { return linkOffline_; }
    bool measureSubscribed() const { return measureSubscribed_; }
    // The service the command characteristic was found in.
    const QString& commandService() const { return commandService_; }

signals:
    // The link is up and the gauge's characteristics are known: the window hides itself.
    void linkEstablished();
    // Connected or disconnected, for whoever waits on the link.
    void linkChanged();

private:
    void onAdvertisement(const QString& serverId, const QString& name, int rssi);
    void onScanStarted();
    void onScanFailed(int code, const QString& description);
    QCoro::Task<> onConnected(int status, QString description);
    void onDisconnected(int status, const QString& description);
    void onDiscovered(GattType type, const QString& service, const QString& characteristic);
    void onSubscription(const QString& characteristic, bool subscribed);
    void onError(int code, const QString& description);

    GaugeLink& link_;
    MainModel& main_;
    ControlState controls_;
    QString serverId_;
    QString deviceName_;
    bool linkConnected_ = false;
    bool linkOffline_ = false;
    bool measureSubscribed_ = false;
    bool commandPathFound_ = false;
    bool probePathFound_ = false;
    QString commandService_;
    QSet<QString> services_;
    QSet<QString> characteristics_;
    int selectedRow_ = -1;
};

} // namespace vexa
