#pragma once

#include <QDBusObjectPath>
#include <QMap>
#include <QString>
#include <QVariantMap>

namespace vexa::bluezdouble {

using InterfaceMap = QMap<QString, QVariantMap>;            // a{sa{sv}}
using ManagedObjects = QMap<QDBusObjectPath, InterfaceMap>; // a{oa{sa{sv}}}
using CallCounts = QMap<QString, uint>;                     // a{su}

namespace iface {
inline const QString Adapter = QStringLiteral("org.bluez.Adapter1");
inline const QString Device = QStringLiteral("org.bluez.Device1");
inline const QString GattService = QStringLiteral("org.bluez.GattService1");
inline const QString GattCharacteristic = QStringLiteral("org.bluez.GattCharacteristic1");
inline const QString GattDescriptor = QStringLiteral("org.bluez.GattDescriptor1");
inline const QString Properties = QStringLiteral("org.freedesktop.DBus.Properties");
inline const QString Introspectable = QStringLiteral("org.freedesktop.DBus.Introspectable");
inline const QString ObjectManager = QStringLiteral("org.freedesktop.DBus.ObjectManager");
inline const QString Control = QStringLiteral("org.vexa.BluezDouble1");
} // namespace iface

// Makes the container types above known to QtDBus; call once before the first message.
void registerBusTypes();

} // namespace vexa::bluezdouble
