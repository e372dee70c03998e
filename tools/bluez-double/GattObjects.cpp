#include "GattObjects.h"

#include "ObjectTree.h"
#include "link/Transport.h"

#include <QDBusArgument>

namespace vexa::bluezdouble {

namespace {

const QString ClientConfigurationUuid = QStringLiteral("00002902-0000-1000-8000-00805f9b34fb");
constexpr quint16 Mtu = 247;

QString childPath(const QString& parent, const char* kind, int handle) {
    return parent + u'/' + QLatin1String(kind) + QStringLiteral("%1").arg(handle, 4, 16, QLatin1Char('0'));
}

QStringList flagsOf(const QString& uuid) {
    if (uuid == uuid::CharMeasure || uuid == uuid::CharTrace)
        return {QStringLiteral("read"), QStringLiteral("notify")};
    return {QStringLiteral("read"), QStringLiteral("write"), QStringLiteral("write-without-response")};
}

bool isReadValue(const QDBusMessage& message) {
    return message.member() == QLatin1String("ReadValue");
}

bool isWriteValue(const QDBusMessage& message) {
    return message.member() == QLatin1String("WriteValue");
}

} // namespace

GattServiceObject::GattServiceObject(ObjectTree& tree, const QString& devicePath, int handle,
                                     const QString& uuid)
    : BluezObject(tree, childPath(devicePath, "service", handle))
    , uuid_(uuid) {
    addInterface(iface::GattService,
                 {
                     {QStringLiteral("UUID"), uuid.toLower()},
                     {QStringLiteral("Device"), QVariant::fromValue(QDBusObjectPath(devicePath))},
                     {QStringLiteral("Primary"), true},
                     {QStringLiteral("Includes"), QVariant::fromValue(QList<QDBusObjectPath>())},
                     {QStringLiteral("Handle"), QVariant::fromValue(quint16(handle))},
                 });
}

void GattServiceObject::call(const QDBusMessage& message) {
    tree().reply(message, unknownMethod(message));
}

GattCharacteristicObject::GattCharacteristicObject(ObjectTree& tree, GaugeState& state,
                                                   const GattServiceObject& service, int handle,
                                                   const QString& uuid)
    : BluezObject(tree, childPath(service.path(), "char", handle))
    , state_(state)
    , serviceUuid_(service.uuid())
    , uuid_(uuid)
    , flags_(flagsOf(uuid)) {
    QVariantMap properties{
        {QStringLiteral("UUID"), uuid.toLower()},
        {QStringLiteral("Service"), QVariant::fromValue(QDBusObjectPath(service.path()))},
        {QStringLiteral("Value"), QByteArray()},
        {QStringLiteral("Flags"), flags_},
        {QStringLiteral("Handle"), QVariant::fromValue(quint16(handle))},
        {QStringLiteral("MTU"), QVariant::fromValue(Mtu)},
    };
    if (notifies())
        properties.insert(QStringLiteral("Notifying"), false);
    addInterface(iface::GattCharacteristic, properties);
    QObject::connect(&liveTimer_, &QTimer::timeout, [this] { sendLiveValue(); });
}

bool GattCharacteristicObject::notifies() const {
    return flags_.contains(QLatin1String("notify"));
}

bool GattCharacteristicObject::notifying() const {
    return property(iface::GattCharacteristic, QStringLiteral("Notifying")).toBool();
}

void GattCharacteristicObject::call(const QDBusMessage& message) {
    const QString member = message.member();
    const bool notify = member == QLatin1String("StartNotify") || member == QLatin1String("StopNotify");
    if (!isReadValue(message) && !isWriteValue(message) && !notify) {
        tree().reply(message, unknownMethod(message));
        return;
    }
    const GaugeOperations::Turn turn = state_.operations.count();
    if (turn == GaugeOperations::Turn::Held)
        return;
    QDBusMessage answer;
    if (isReadValue(message))
        answer = readValue(message);
    else if (isWriteValue(message))
        answer = writeValue(message);
    else
        answer = setNotifying(message, member == QLatin1String("StartNotify"));
    state_.operations.replyGatt(answer, turn);
}

QDBusMessage GattCharacteristicObject::readValue(const QDBusMessage& message) {
    if (message.signature() != QLatin1String("a{sv}"))
        return bluezError(message, QStringLiteral("InvalidArguments"), QStringLiteral("Invalid arguments"));
    if (state_.failReads)
        return bluezError(message, QStringLiteral("Failed"),
                          QStringLiteral("Operation failed with ATT error: 0x0e"));
    return message.createReply(state_.gauge.read(serviceUuid_, uuid_));
}

QDBusMessage GattCharacteristicObject::writeValue(const QDBusMessage& message) {
    if (message.signature() != QLatin1String("aya{sv}"))
        return bluezError(message, QStringLiteral("InvalidArguments"), QStringLiteral("Invalid arguments"));
    const QVariantMap options = qdbus_cast<QVariantMap>(message.arguments()[1]);
    const QString type = options.value(QStringLiteral("type"), QStringLiteral("request")).toString();
    const QString needed =
        type == QLatin1String("command") ? QStringLiteral("write-without-response") : QStringLiteral("write");
    if (!flags_.contains(needed))
        return bluezError(message, QStringLiteral("NotPermitted"), QStringLiteral("Write not permitted"));
    state_.gauge.write(serviceUuid_, uuid_, message.arguments()[0].toByteArray());
    return message.createReply();
}

QDBusMessage GattCharacteristicObject::setNotifying(const QDBusMessage& message, bool on) {
    if (!notifies())
        return bluezError(message, QStringLiteral("NotSupported"), QStringLiteral("Notify not supported"));
    if (!on && !notifying())
        return bluezError(message, QStringLiteral("Failed"), QStringLiteral("No notify session started"));
    if (on != notifying())
        setProperty(iface::GattCharacteristic, QStringLiteral("Notifying"), on);
    if (!on)
        liveTimer_.stop();
    else if (uuid_ == uuid::CharMeasure && !liveTimer_.isActive())
        liveTimer_.start(state_.liveIntervalMs);
    return message.createReply();
}

void GattCharacteristicObject::sendLiveValue() {
    if (state_.notificationsStopped || state_.operations.silent())
        return;
    if (const auto live = state_.gauge.nextLiveValue())
        setProperty(iface::GattCharacteristic, QStringLiteral("Value"), *live);
}

GattDescriptorObject::GattDescriptorObject(ObjectTree& tree, GaugeState& state,
                                           const GattCharacteristicObject& characteristic, int handle)
    : BluezObject(tree, childPath(characteristic.path(), "desc", handle))
    , state_(state)
    , characteristic_(characteristic) {
    addInterface(iface::GattDescriptor, {
                                            {QStringLiteral("UUID"), ClientConfigurationUuid},
                                            {QStringLiteral("Characteristic"),
                                             QVariant::fromValue(QDBusObjectPath(characteristic.path()))},
                                            {QStringLiteral("Value"), QByteArray()},
                                            {QStringLiteral("Handle"), QVariant::fromValue(quint16(handle))},
                                        });
}

// BlueZ turns notifications on and off itself; clients use StartNotify and StopNotify instead of writing
// the descriptor.
void GattDescriptorObject::call(const QDBusMessage& message) {
    QDBusMessage answer;
    if (isReadValue(message))
        answer = message.createReply(characteristic_.notifying() ? QByteArray("\x01\x00", 2)
                                                                 : QByteArray(2, '\0'));
    else if (isWriteValue(message))
        answer = bluezError(message, QStringLiteral("NotPermitted"), QStringLiteral("Write not permitted"));
    else
        answer = unknownMethod(message);
    state_.operations.replyGatt(answer);
}

} // namespace vexa::bluezdouble
