#include "AdapterObject.h"

#include "BluezDouble.h"
#include "ObjectTree.h"

namespace vexa::bluezdouble {

namespace {

const QString Powered = QStringLiteral("Powered");
const QString Discovering = QStringLiteral("Discovering");

QDBusMessage notReady(const QDBusMessage& message) {
    return bluezError(message, QStringLiteral("NotReady"), QStringLiteral("Resource Not Ready"));
}

} // namespace

AdapterObject::AdapterObject(ObjectTree& tree, BluezDouble& bluez, const QString& name,
                             const QString& address)
    : BluezObject(tree, QStringLiteral("/org/bluez/") + name)
    , bluez_(bluez) {
    addInterface(iface::Adapter,
                 {
                     {QStringLiteral("Address"), address},
                     {QStringLiteral("AddressType"), QStringLiteral("public")},
                     {QStringLiteral("Name"), QStringLiteral("vexa-double")},
                     {QStringLiteral("Alias"), QStringLiteral("vexa-double")},
                     {QStringLiteral("Class"), QVariant::fromValue(quint32(0))},
                     {Powered, true},
                     {QStringLiteral("Discoverable"), false},
                     {QStringLiteral("DiscoverableTimeout"), QVariant::fromValue(quint32(180))},
                     {QStringLiteral("Pairable"), false},
                     {QStringLiteral("PairableTimeout"), QVariant::fromValue(quint32(0))},
                     {Discovering, false},
                     {QStringLiteral("UUIDs"), QStringList()},
                     {QStringLiteral("Modalias"), QStringLiteral("usb:v1D6Bp0246d0542")},
                     {QStringLiteral("Roles"), QStringList{QStringLiteral("central")}},
                 });
}

bool AdapterObject::powered() const {
    return property(iface::Adapter, Powered).toBool();
}

bool AdapterObject::discovering() const {
    return property(iface::Adapter, Discovering).toBool();
}

void AdapterObject::setPowered(bool on) {
    if (!on)
        setDiscovering(false);
    if (on != powered())
        setProperty(iface::Adapter, Powered, on);
}

void AdapterObject::setDiscovering(bool on) {
    if (on != discovering())
        setProperty(iface::Adapter, Discovering, on);
}

void AdapterObject::call(const QDBusMessage& message) {
    const QString member = message.member();
    if (member == QLatin1String("StartDiscovery")) {
        const QDBusMessage answer = startDiscovery(message);
        tree().reply(message, answer);
        if (answer.type() == QDBusMessage::ReplyMessage) {
            setDiscovering(true);
            bluez_.discoveryStarted(*this);
        }
    } else if (member == QLatin1String("StopDiscovery")) {
        const QDBusMessage answer = stopDiscovery(message);
        tree().reply(message, answer);
        if (answer.type() == QDBusMessage::ReplyMessage)
            setDiscovering(false);
    } else if (member == QLatin1String("SetDiscoveryFilter") &&
               message.signature() == QLatin1String("a{sv}")) {
        tree().reply(message, message.createReply());
    } else if (member == QLatin1String("GetDiscoveryFilters")) {
        tree().reply(message, message.createReply(QStringList{
                                  QStringLiteral("UUIDs"), QStringLiteral("RSSI"), QStringLiteral("Pathloss"),
                                  QStringLiteral("Transport"), QStringLiteral("DuplicateData"),
                                  QStringLiteral("Discoverable"), QStringLiteral("Pattern")}));
    } else if (member == QLatin1String("RemoveDevice")) {
        tree().reply(message, removeDevice(message));
    } else {
        tree().reply(message, unknownMethod(message));
    }
}

bool AdapterObject::writeProperty(const QString& interface, const QString& name, const QVariant& value) {
    if (interface != iface::Adapter)
        return false;
    if (name == Powered) {
        bluez_.setPowered(*this, value.toBool());
        return true;
    }
    if (name == QLatin1String("Alias") || name == QLatin1String("Discoverable") ||
        name == QLatin1String("Pairable")) {
        setProperty(interface, name, value);
        return true;
    }
    return false;
}

QDBusMessage AdapterObject::startDiscovery(const QDBusMessage& message) {
    if (!powered())
        return notReady(message);
    return message.createReply();
}

QDBusMessage AdapterObject::stopDiscovery(const QDBusMessage& message) {
    if (!powered())
        return notReady(message);
    if (!discovering())
        return bluezError(message, QStringLiteral("Failed"), QStringLiteral("No discovery started"));
    return message.createReply();
}

QDBusMessage AdapterObject::removeDevice(const QDBusMessage& message) {
    if (message.signature() != QLatin1String("o"))
        return bluezError(message, QStringLiteral("InvalidArguments"), QStringLiteral("Invalid arguments"));
    if (!bluez_.forgetDevice(message.arguments()[0].value<QDBusObjectPath>().path()))
        return bluezError(message, QStringLiteral("DoesNotExist"), QStringLiteral("Does Not Exist"));
    return message.createReply();
}

} // namespace vexa::bluezdouble
