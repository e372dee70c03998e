#pragma once

#include "BluezObject.h"

namespace vexa::bluezdouble {

class BluezDouble;

// A Bluetooth adapter of the double: hci0, and hci1 where the machine has two. Discovery makes the gauges
// in its range appear as devices.
class AdapterObject : public BluezObject {
public:
    AdapterObject(ObjectTree& tree, BluezDouble& bluez, const QString& name, const QString& address);

    bool powered() const;
    bool discovering() const;
    // Powering off ends a discovery.
    void setPowered(bool on);
    void setDiscovering(bool on);

    void call(const QDBusMessage& message) override;
    bool writeProperty(const QString& interface, const QString& name, const QVariant& value) override;

private:
    QDBusMessage startDiscovery(const QDBusMessage& message);
    QDBusMessage stopDiscovery(const QDBusMessage& message);
    QDBusMessage removeDevice(const QDBusMessage& message);

    BluezDouble& bluez_;
};

} // namespace vexa::bluezdouble
