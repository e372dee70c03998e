#include "protocol/DeviceList.h"

#include "protocol/GaugeUuids.h"

namespace vexa {

QString deviceListEntry(const QString& serverId, const QString& name, int rssi) {
    return QStringLiteral("MAC: ") + serverId + QStringLiteral(" Name: ") + name +
           QStringLiteral("       RSSI: ") + QString::number(rssi);
}

bool isGaugeName(const QString& name) {
    if (name.startsWith(u'.'))
        return true;
    for (const char* part : {"UNK", "Vims", "VIMS", "DELTA", "NOVA", "Pemra", "Fe", "FE", "KR", "ZE"})
        if (name.contains(QLatin1String(part), Qt::CaseSensitive))
            return true;
    return false;
}

QString entryServerId(const QString& entry) {
    return entry.mid(5, 12);
}

QString entryDeviceName(const QString& entry) {
    return entry.mid(24, 20);
}

QString listedDeviceName(const QString& serverId, const QString& name, int rssi) {
    return entryDeviceName(deviceListEntry(serverId, name, rssi));
}

QStringList discoveryServices(const QString& deviceName) {
    for (const char* part : {"Vims", "VIMS", "Sidra", "KR-4", "NOVA"})
        if (deviceName.contains(QLatin1String(part), Qt::CaseSensitive))
            return {};
    return {uuid::ServiceMI, uuid::ServiceZK};
}

} // namespace vexa
