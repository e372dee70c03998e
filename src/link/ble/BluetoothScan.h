#pragma once

#include <QBluetoothDeviceDiscoveryAgent>
#include <QHash>
#include <QList>
#include <QObject>
#include <memory>

namespace vexa::ble {

// Scanning for advertising gauges with Qt's discovery agent, low-energy method, until stopped. Each
// device is reported once per scan, and again only when its name changes (a name that arrives after the
// first advertisement); signal strength updates alone are not reported.
class BluetoothScan : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~BluetoothScan() override;

    // `started` or `failed`; on started, the devices follow.
    void start();
    void stop();
    // Later scans go through the adapter with this address; a null address is the system's default.
    void useAdapter(const QBluetoothAddress& adapter);

signals:
    void started();
    void failed(int code, const QString& description);
    void advertisement(const QString& serverId, const QString& name, int rssi);

private:
    void createAgent();
    void onDevice(const QBluetoothDeviceInfo& device);
    void onError(QBluetoothDeviceDiscoveryAgent::Error error);
    void report(const QBluetoothDeviceInfo& device);

    QBluetoothAddress adapter_;
    std::unique_ptr<QBluetoothDeviceDiscoveryAgent> agent_;
    QHash<QString, QString> reportedNames_; // by server id
    // While the agent starts it may already report devices (those the adapter knows) or fail; both
    // are held back until the start is settled, so `started` comes first.
    bool starting_ = false;
    bool startFailed_ = false;
    QList<QBluetoothDeviceInfo> heldBack_;
};

} // namespace vexa::ble
