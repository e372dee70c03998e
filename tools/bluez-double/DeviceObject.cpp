#include "DeviceObject.h"

#include "AdapterObject.h"
#include "GattObjects.h"
#include "ObjectTree.h"

namespace vexa::bluezdouble {

namespace {

constexpr int FirstGaugeHandle = 0x000a;

QString colonAddress(const QString& address) {
    QStringList pairs;
    for (qsizetype i = 0; i < address.size(); i += 2)
        pairs.append(address.mid(i, 2));
    return pairs.join(u':');
}

QStringList serviceUuidsOf(const sim::SimulatedGauge& gauge) {
    QStringList uuids;
    for (const sim::GattService& service : gauge.services())
        uuids.append(service.uuid.toLower());
    return uuids;
}

} // namespace

DeviceObject::DeviceObject(ObjectTree& tree, const AdapterObject& adapter, sim::GaugeProfile profile,
                           int liveIntervalMs)
    : BluezObject(tree, adapter.path() + QStringLiteral("/dev_") +
                            colonAddress(profile.address).replace(u':', u'_'))
    , adapter_(adapter)
    , state_(std::move(profile), liveIntervalMs, tree.bus(), tree.gattLatency(), [this] { dropLink(); }) {
    const sim::GaugeProfile& gauge = state_.gauge.profile();
    addInterface(iface::Device,
                 {
                     {QStringLiteral("Address"), colonAddress(gauge.address)},
                     {QStringLiteral("AddressType"), QStringLiteral("public")},
                     {QStringLiteral("Name"), gauge.name},
                     {QStringLiteral("Alias"), gauge.name},
                     {QStringLiteral("Paired"), false},
                     {QStringLiteral("Bonded"), false},
                     {QStringLiteral("Trusted"), false},
                     {QStringLiteral("Blocked"), false},
                     {QStringLiteral("LegacyPairing"), false},
                     {QStringLiteral("RSSI"), QVariant::fromValue(qint16(gauge.rssi))},
                     {QStringLiteral("Connected"), false},
                     {QStringLiteral("UUIDs"), serviceUuidsOf(state_.gauge)},
                     {QStringLiteral("Adapter"), QVariant::fromValue(QDBusObjectPath(adapter.path()))},
                     {QStringLiteral("ServicesResolved"), false},
                 });
}

// The GATT objects go first: they refer to the gauge state.
DeviceObject::~DeviceObject() {
    while (!gatt_.empty())
        gatt_.pop_back();
}

bool DeviceObject::connected() const {
    return property(iface::Device, QStringLiteral("Connected")).toBool();
}

void DeviceObject::dropLink() {
    if (!connected())
        return;
    while (!gatt_.empty())
        gatt_.pop_back();
    setProperty(iface::Device, QStringLiteral("Connected"), false);
    setProperty(iface::Device, QStringLiteral("ServicesResolved"), false);
}

void DeviceObject::call(const QDBusMessage& message) {
    const QString member = message.member();
    if (member != QLatin1String("Connect") && member != QLatin1String("Disconnect")) {
        tree().reply(message, unknownMethod(message));
        return;
    }
    const GaugeOperations::Turn turn = state_.operations.count();
    if (turn == GaugeOperations::Turn::Held)
        return;
    if (member == QLatin1String("Disconnect")) {
        disconnectLink(message); // leaves no link to drop
        return;
    }
    const bool linked = connectLink(message);
    if (turn == GaugeOperations::Turn::AnswerThenDrop)
        dropLink();
    else if (linked)
        resolveServices();
}

bool DeviceObject::connectLink(const QDBusMessage& message) {
    if (!adapter_.powered()) {
        tree().reply(message,
                     bluezError(message, QStringLiteral("NotReady"), QStringLiteral("Resource Not Ready")));
        return false;
    }
    tree().reply(message, message.createReply());
    if (connected())
        return false;
    setProperty(iface::Device, QStringLiteral("Connected"), true);
    return true;
}

void DeviceObject::disconnectLink(const QDBusMessage& message) {
    if (!connected()) {
        tree().reply(message,
                     bluezError(message, QStringLiteral("NotConnected"), QStringLiteral("Not Connected")));
        return;
    }
    tree().reply(message, message.createReply());
    dropLink();
}

// The discovery a connect that brings the link up ends with is an operation of its own: a gauge that falls
// silent in between stays connected with its services never resolved; one that drops the link right after
// the connect has nothing left to discover.
void DeviceObject::resolveServices() {
    const GaugeOperations::Turn turn = state_.operations.count();
    if (turn == GaugeOperations::Turn::Held)
        return;
    exportServices();
    setProperty(iface::Device, QStringLiteral("ServicesResolved"), true);
    if (turn == GaugeOperations::Turn::AnswerThenDrop)
        dropLink();
}

// Handles are numbered as a GATT server lays them out: service, then per characteristic its declaration,
// its value and, for one that notifies, its configuration descriptor.
void DeviceObject::exportServices() {
    int handle = FirstGaugeHandle;
    for (const sim::GattService& service : state_.gauge.services()) {
        auto serviceObject = std::make_unique<GattServiceObject>(tree(), path(), handle, service.uuid);
        const GattServiceObject& parent = *serviceObject;
        gatt_.push_back(std::move(serviceObject));
        tree().add(*gatt_.back());
        for (const QString& uuid : service.characteristics) {
            auto characteristic =
                std::make_unique<GattCharacteristicObject>(tree(), state_, parent, ++handle, uuid);
            ++handle; // the value
            const GattCharacteristicObject& owner = *characteristic;
            gatt_.push_back(std::move(characteristic));
            tree().add(*gatt_.back());
            if (owner.notifies()) {
                gatt_.push_back(std::make_unique<GattDescriptorObject>(tree(), state_, owner, ++handle));
                tree().add(*gatt_.back());
            }
        }
        ++handle;
    }
}

} // namespace vexa::bluezdouble
