#include "ControlInterface.h"

#include "BluezDouble.h"
#include "ProfileFiles.h"

namespace vexa::bluezdouble {

namespace {

QDBusMessage controlError(const QDBusMessage& call, const char* name, const QString& text) {
    return call.createErrorReply(iface::Control + QStringLiteral(".Error.") + QLatin1String(name), text);
}

QDBusMessage unknownDevice(const QDBusMessage& call) {
    return controlError(call, "UnknownDevice",
                        QStringLiteral("No gauge %1").arg(call.arguments()[0].toString()));
}

} // namespace

ControlInterface::ControlInterface(BluezDouble& bluez)
    : bluez_(bluez) {}

void ControlInterface::call(const QDBusMessage& message) {
    bluez_.tree().reply(message, answer(message));
}

QDBusMessage ControlInterface::answer(const QDBusMessage& message) {
    if (message.interface() != iface::Control)
        return unknownMethod(message);
    const QString member = message.member();
    const QString signature = message.signature();
    const QList<QVariant> arguments = message.arguments();
    if (member == QLatin1String("LoadProfiles") && signature == QLatin1String("as"))
        return loadProfiles(message);
    if (member == QLatin1String("SetAdapter") && signature == QLatin1String("bb")) {
        bluez_.setAdapter(arguments[0].toBool(), arguments[1].toBool());
        return message.createReply();
    }
    if (member == QLatin1String("RemoveDevice") && signature == QLatin1String("s"))
        return bluez_.removeGauge(arguments[0].toString()) ? message.createReply() : unknownDevice(message);
    if ((member == QLatin1String("FailReads") || member == QLatin1String("StopNotifications")) &&
        signature == QLatin1String("sb"))
        return setGaugeFault(message);
    if (member == QLatin1String("SetGaugeClock") && signature == QLatin1String("ssb"))
        return setGaugeClock(message);
    if (member == QLatin1String("CallCounts") && signature.isEmpty())
        return message.createReply(QVariant::fromValue(bluez_.tree().callCounts()));
    if (member == QLatin1String("ResetCallCounts") && signature.isEmpty()) {
        bluez_.tree().resetCallCounts();
        return message.createReply();
    }
    return unknownMethod(message);
}

QDBusMessage ControlInterface::loadProfiles(const QDBusMessage& message) {
    const LoadedProfiles loaded = bluezdouble::loadProfiles(message.arguments()[0].toStringList());
    if (!loaded.error.isEmpty())
        return controlError(message, "InvalidProfile", loaded.error);
    bluez_.replaceGauges(loaded.profiles);
    return message.createReply();
}

QDBusMessage ControlInterface::setGaugeFault(const QDBusMessage& message) {
    DeviceObject* device = bluez_.device(message.arguments()[0].toString());
    if (!device)
        return unknownDevice(message);
    const bool on = message.arguments()[1].toBool();
    if (message.member() == QLatin1String("FailReads"))
        device->state().failReads = on;
    else
        device->state().notificationsStopped = on;
    return message.createReply();
}

QDBusMessage ControlInterface::setGaugeClock(const QDBusMessage& message) {
    DeviceObject* device = bluez_.device(message.arguments()[0].toString());
    if (!device)
        return unknownDevice(message);
    const QDateTime time = QDateTime::fromString(message.arguments()[1].toString(), Qt::ISODate);
    if (!time.isValid())
        return controlError(message, "InvalidTime",
                            QStringLiteral("Not a time: %1").arg(message.arguments()[1].toString()));
    sim::SimulatedGauge& gauge = device->state().gauge;
    gauge.setClock(time);
    if (message.arguments()[2].toBool()) {
        gauge.setTimeSource(&QDateTime::currentDateTime);
    } else {
        const QDateTime standing = QDateTime::currentDateTime();
        gauge.setTimeSource([standing] { return standing; });
    }
    return message.createReply();
}

} // namespace vexa::bluezdouble
