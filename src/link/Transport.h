#pragma once

#include "protocol/GaugeUuids.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

namespace vexa {

enum class GattType { Service = 0, Characteristic = 1 };

// The Bluetooth LE link to one gauge at a time. Every operation returns at once; its outcome arrives
// later as a signal, in the order the operations were started. Services and characteristics are named by
// their UUIDs (upper-case with hyphens); a gauge's server id is its address as 12 hexadecimal digits
// without colons.
class Transport : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // scanStarted, then advertisement per received advertisement; or scanFailed (no adapter, Bluetooth
    // off), also when a running scan breaks off.
    virtual void startScan() = 0;
    virtual void stopScan() = 0;
    virtual void connectToGauge(const QString& serverId) = 0; // connected or error
    virtual void disconnectFromGauge() = 0;                   // disconnected
    // Services in `serviceUuids` (all when empty) and their characteristics: discovered per item, then
    // discoveryFinished.
    virtual void discover(const QStringList& serviceUuids) = 0;
    virtual void read(const QString& service, const QString& characteristic) = 0; // value
    // Write with response: writeResponse.
    virtual void write(const QString& service, const QString& characteristic, const QByteArray& value) = 0;
    virtual void subscribe(const QString& service, const QString& characteristic) = 0;   // subscribed
    virtual void unsubscribe(const QString& service, const QString& characteristic) = 0; // unsubscribed

signals:
    void advertisement(const QString& serverId, const QString& name, int rssi);
    void scanStarted();
    void scanFailed(int code, const QString& description);
    // status 0 and "OK": the link is up.
    void connected(int status, const QString& description);
    // status 0 and "Offline": the gauge dropped the link by itself.
    void disconnected(int status, const QString& description);
    void discovered(vexa::GattType type, const QString& service, const QString& characteristic);
    void discoveryFinished();
    // A read result or a notification; the bytes as the gauge sent them.
    void value(const QString& service, const QString& characteristic, const QByteArray& value);
    void writeResponse(const QString& service, const QString& characteristic);
    void subscribed(const QString& service, const QString& characteristic);
    void unsubscribed(const QString& service, const QString& characteristic);
    void error(int code, const QString& description);
};

} // namespace vexa
