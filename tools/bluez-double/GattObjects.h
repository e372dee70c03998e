#pragma once

#include "BluezObject.h"
#include "GaugeState.h"

#include <QTimer>

namespace vexa::bluezdouble {

class GattServiceObject : public BluezObject {
public:
    GattServiceObject(ObjectTree& tree, const QString& devicePath, int handle, const QString& uuid);

    const QString& uuid() const { return uuid_; }
    void call(const QDBusMessage& message) override;

private:
    QString uuid_;
};

// A characteristic of a connected gauge. Reads and writes go to the gauge model and are answered as the
// gauge's operations are (GaugeOperations); while notifications of the measure characteristic are on,
// live values arrive as Value changes at the gauge's live interval until the gauge falls silent.
class GattCharacteristicObject : public BluezObject {
public:
    GattCharacteristicObject(ObjectTree& tree, GaugeState& state, const GattServiceObject& service,
                             int handle, const QString& uuid);

    bool notifies() const;
    bool notifying() const;
    void call(const QDBusMessage& message) override;

private:
    QDBusMessage readValue(const QDBusMessage& message);
    QDBusMessage writeValue(const QDBusMessage& message);
    QDBusMessage setNotifying(const QDBusMessage& message, bool on);
    void sendLiveValue();

    GaugeState& state_;
    QString serviceUuid_;
    QString uuid_;
    QStringList flags_;
    QTimer liveTimer_;
};

// The client characteristic configuration descriptor: tells whether notifications are on.
class GattDescriptorObject : public BluezObject {
public:
    GattDescriptorObject(ObjectTree& tree, GaugeState& state, const GattCharacteristicObject& characteristic,
                         int handle);

    void call(const QDBusMessage& message) override;

private:
    GaugeState& state_;
    const GattCharacteristicObject& characteristic_;
};

} // namespace vexa::bluezdouble
