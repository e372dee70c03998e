#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The link window's device list: how an advertisement becomes a list entry and an entry a gauge.
namespace vexa {

// "MAC: " + server id + " Name: " + name + "       RSSI: " + signal strength.
QString deviceListEntry(const QString& serverId, const QString& name, int rssi);

// An entry cut into the texts a list shows in columns: "MAC: " with the server id, "Name: " with the
// name, "RSSI: " with the signal strength. None for a text that is no entry.
struct DeviceListColumns {
    QString address;
    QString name;
    QString signal;
    bool operator==(const DeviceListColumns&) const = default;
};
std::optional<DeviceListColumns> deviceListColumns(const QString& entry);

// Only gauges are listed: names starting with "." or holding one of the family's name parts.
bool isGaugeName(const QString& name);

// The server id an entry reserves 12 characters for, and the 20 characters where the name stands (they
// may run into the blanks and "RSSI" after a short name; the model tables look for substrings).
QString entryServerId(const QString& entry);
QString entryDeviceName(const QString& entry);

// The name a gauge advertised, from the name it is connected under: a short name carries the start of the
// entry's signal column, which is cut off here.
QString advertisedName(const QString& listedName);

// The device name a gauge is connected under: entryDeviceName() of its list entry.
QString listedDeviceName(const QString& serverId, const QString& name, int rssi);

// Gauges whose names say they answer on more services are discovered without a service filter.
QStringList discoveryServices(const QString& deviceName);

} // namespace vexa
