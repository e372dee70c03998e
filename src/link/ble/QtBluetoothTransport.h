#pragma once

#include "link/Transport.h"
#include "link/ble/BluetoothScan.h"
#include "link/ble/DeviceSearch.h"

#include <QHash>
#include <QLowEnergyController>
#include <QLowEnergyService>
#include <QSet>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

namespace vexa::ble {

// Codes of the error signal: the controller's errors keep Qt's numbers, a service's errors count from
// ServiceErrors on, the transport's own from TransportErrors on.
inline constexpr int ServiceErrors = 100;
inline constexpr int TransportErrors = 200;
enum class TransportError {
    NotConnected = TransportErrors + 1,
    UnknownCharacteristic = TransportErrors + 2,
    AlreadyConnected = TransportErrors + 3,
    NoNotifications = TransportErrors + 4, // the characteristic has no configuration descriptor
    BadAddress = TransportErrors + 5,
};

// The link to a gauge through Qt Bluetooth (on Linux: BlueZ over D-Bus). Operations are queued and start
// from the event loop in call order, so none of them emits while its caller is still in it; a connect
// after a disconnect waits until the old link is closed. Reads, writes and subscription changes are
// handed on to Qt, which runs them one after the other.
class QtBluetoothTransport : public Transport {
    Q_OBJECT
public:
    // How long a connect looks for a gauge that BlueZ does not know (any more).
    static constexpr std::chrono::milliseconds DeviceSearchDeadline{4000};

    // Through the adapter with the address `adapter`; a null address is the system's default adapter.
    explicit QtBluetoothTransport(const QBluetoothAddress& adapter = {}, QObject* parent = nullptr);
    ~QtBluetoothTransport() override;

    // Scans and connects from now on go through the adapter with this address; a link that is up stays
    // on its adapter until it ends.
    void useAdapter(const QBluetoothAddress& adapter);

    void startScan() override;
    void stopScan() override;
    void connectToGauge(const QString& serverId) override;
    void disconnectFromGauge() override;
    void discover(const QStringList& serviceUuids) override;
    void read(const QString& service, const QString& characteristic) override;
    void write(const QString& service, const QString& characteristic, const QByteArray& value) override;
    void subscribe(const QString& service, const QString& characteristic) override;
    void unsubscribe(const QString& service, const QString& characteristic) override;

private:
    enum class GattKind { Read, Write, Subscribe, Unsubscribe };
    // A read, write or subscription change handed to Qt and not yet answered.
    struct GattOperation {
        GattKind kind;
        QString service;
        QString characteristic;
    };

    static const char* verb(GattKind kind);

    void post(std::function<void()> operation);
    void runQueued();

    void connectNow(const QString& serverId);
    void searchDevice();
    void disconnectNow();
    void onStateChanged(QLowEnergyController::ControllerState state);
    void onControllerError(QLowEnergyController::Error error);
    void reportControllerError();
    void dropLink();

    void discoverNow(const QStringList& wanted);
    void discoverDetails();
    void finishDiscovery();
    QLowEnergyService* serviceObject(const QString& uuid);

    // The connected service offering the characteristic, or nullptr after reporting the error.
    QLowEnergyService* gattTarget(const QString& service, const QString& characteristic);
    void startGatt(GattKind kind, const QString& service, const QString& characteristic,
                   const QByteArray& value = {});
    void onGattDone(GattKind kind, const QString& service, const QString& characteristic);
    void onServiceError(QLowEnergyService::ServiceError error);
    void onCharacteristicChanged(const QString& service, const QLowEnergyCharacteristic& characteristic,
                                 const QByteArray& value);

    QBluetoothAddress adapter_;
    BluetoothScan scan_;
    DeviceSearch search_;
    QString searchedServerId_; // the gauge a connect looked for, once per connect
    std::deque<std::function<void()>> queue_;
    std::unique_ptr<QLowEnergyController> controller_;
    QString connectedServerId_;
    bool linkUp_ = false;
    bool closing_ = false; // our own disconnect is under way
    // A controller error waits one pass of the event loop: when the link goes down meanwhile, it was
    // the reason the link went down, not an error of its own.
    std::optional<std::pair<int, QString>> pendingError_;

    QStringList serviceOrder_; // as the gauge reported them
    QHash<QString, QLowEnergyService*> services_;
    QStringList wantedServices_; // of the discovery under way
    bool discovering_ = false;
    std::deque<GattOperation> inFlight_;
    QSet<QString> notifying_; // "service/characteristic"
};

} // namespace vexa::ble
