#include "link/bluez/BluezAdapters.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusPendingReply>
#include <algorithm>
#include <limits>
#include <qcoro/qcorodbuspendingcall.h>

namespace vexa::bluez {

namespace {

using InterfaceMap = QMap<QString, QVariantMap>;            // a{sa{sv}}
using ManagedObjects = QMap<QDBusObjectPath, InterfaceMap>; // a{oa{sa{sv}}}

const QString AdapterInterface = QStringLiteral("org.bluez.Adapter1");

BusAnswer answerOf(const QDBusError& error) {
    switch (error.type()) {
    case QDBusError::ServiceUnknown:
        return BusAnswer::NotRunning;
    case QDBusError::AccessDenied:
        return BusAnswer::Refused;
    case QDBusError::NoReply:
    case QDBusError::Timeout:
    case QDBusError::TimedOut:
        return BusAnswer::Silent;
    default:
        return BusAnswer::Failed;
    }
}

std::optional<bool> flag(const QVariantMap& properties, const QString& name) {
    const QVariant value = properties.value(name);
    if (!value.isValid())
        return std::nullopt;
    return value.toBool();
}

QList<AdapterFacts> adaptersOf(const ManagedObjects& objects) {
    QList<AdapterFacts> adapters;
    for (auto object = objects.cbegin(); object != objects.cend(); ++object) {
        if (!object->contains(AdapterInterface))
            continue;
        const QVariantMap properties = object->value(AdapterInterface);
        AdapterFacts adapter;
        adapter.name = object.key().path().section(u'/', -1);
        adapter.address = properties.value(QStringLiteral("Address")).toString().toUpper();
        adapter.powered = flag(properties, QStringLiteral("Powered"));
        adapter.discoverable = flag(properties, QStringLiteral("Discoverable"));
        adapters.append(adapter);
    }
    std::sort(adapters.begin(), adapters.end(), [](const AdapterFacts& a, const AdapterFacts& b) {
        return adapterNumber(a.name) < adapterNumber(b.name);
    });
    return adapters;
}

} // namespace

int adapterNumber(const QString& name) {
    bool number = false;
    const int value = name.section(u'/', -1).mid(3).toInt(&number);
    return number ? value : std::numeric_limits<int>::max();
}

QCoro::Task<BluezAdapters> askBluezAdapters(std::chrono::milliseconds deadline) {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        co_return BluezAdapters{BusAnswer::NoSystemBus, bus.lastError().message(), {}};
    qDBusRegisterMetaType<InterfaceMap>();
    qDBusRegisterMetaType<ManagedObjects>();
    const QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.bluez"), QStringLiteral("/"),
        QStringLiteral("org.freedesktop.DBus.ObjectManager"), QStringLiteral("GetManagedObjects"));
    const QDBusPendingCall pending = bus.asyncCall(call, static_cast<int>(deadline.count()));
    const QDBusPendingReply<ManagedObjects> reply = co_await pending;
    if (reply.isError())
        co_return BluezAdapters{answerOf(reply.error()),
                                reply.error().name() + QStringLiteral(": ") + reply.error().message(),
                                {}};
    co_return BluezAdapters{BusAnswer::Answers, {}, adaptersOf(reply.value())};
}

} // namespace vexa::bluez
