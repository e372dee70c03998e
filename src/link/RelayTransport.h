#pragma once

#include "link/Transport.h"

namespace vexa {

// Passes every operation on to another transport and relays all of its events: a place to watch or
// alter the traffic to a gauge without touching either side.
class RelayTransport : public Transport {
    Q_OBJECT
public:
    explicit RelayTransport(Transport& inner, QObject* parent = nullptr);

    void startScan() override { inner_.startScan(); }
    void stopScan() override { inner_.stopScan(); }
    void connectToGauge(const QString& serverId) override;
    void disconnectFromGauge() override;
    void discover(const QStringList& serviceUuids) override;
    void read(const QString& service, const QString& characteristic) override;
    void write(const QString& service, const QString& characteristic, const QByteArray& value) override;
    void subscribe(const QString& service, const QString& characteristic) override;
    void unsubscribe(const QString& service, const QString& characteristic) override;

protected:
    // Every operation that reaches the gauge (all but scanning), before it is passed on; `written` is the
    // value of a write and empty otherwise.
    virtual void operationStarting(const QString& characteristic, const QByteArray& written) {
        Q_UNUSED(characteristic);
        Q_UNUSED(written);
    }
    // Every value on its way to the program; what this returns is delivered.
    virtual QByteArray valueArriving(const QString& characteristic, const QByteArray& value) {
        Q_UNUSED(characteristic);
        return value;
    }

private:
    Transport& inner_;
};

} // namespace vexa
