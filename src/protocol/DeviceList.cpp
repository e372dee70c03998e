#include "protocol/DeviceList.h"

#include "protocol/GaugeUuids.h"

namespace vexa {

namespace {

const QString AddressLabel = QStringLiteral("MAC: ");
const QString NameLabel = QStringLiteral("Name: ");
const QString SignalLabel = QStringLiteral("RSSI: ");
const QString NameGap = QStringLiteral(" ");
const QString SignalGap = QStringLiteral("       ");

} // namespace

QString deviceListEntry(const QString& serverId, const QString& name, int rssi) {
    return AddressLabel + serverId + NameGap + NameLabel + name + SignalGap + SignalLabel +
           QString::number(rssi);
}

// The server id holds no blank, so the first name label is the entry's own; the name may hold anything,
// the signal strength is a number, so the last signal label is.
std::optional<DeviceListColumns> deviceListColumns(const QString& entry) {
    const QString nameStart = NameGap + NameLabel;
    const QString signalStart = SignalGap + SignalLabel;
    const qsizetype nameAt = entry.indexOf(nameStart);
    const qsizetype signalAt = entry.lastIndexOf(signalStart);
    if (!entry.startsWith(AddressLabel) || nameAt < 0 || signalAt < nameAt + nameStart.size())
        return std::nullopt;
    bool number = false;
    entry.mid(signalAt + signalStart.size()).toInt(&number);
    if (!number)
        return std::nullopt;
    const qsizetype nameColumn = nameAt + NameGap.size();
    return DeviceListColumns{entry.left(nameAt), entry.mid(nameColumn, signalAt - nameColumn),
                             entry.mid(signalAt + SignalGap.size())};
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

QString advertisedName(const QString& listedName) {
    const QString signalColumn = SignalGap + SignalLabel;
    for (qsizetype length = std::min(listedName.size(), signalColumn.size()); length > 0; --length)
        if (listedName.endsWith(QStringView(signalColumn).left(length)))
            return listedName.chopped(length).trimmed();
    return listedName.trimmed();
}

QStringList discoveryServices(const QString& deviceName) {
    for (const char* part : {"Vims", "VIMS", "Sidra", "KR-4", "NOVA"})
        if (deviceName.contains(QLatin1String(part), Qt::CaseSensitive))
            return {};
    return {uuid::ServiceMI, uuid::ServiceZK};
}

} // namespace vexa
