#include "link/ble/BluetoothNames.h"

#include <QRegularExpression>

namespace vexa::ble {

QBluetoothAddress addressOf(const QString& serverId) {
    static const QRegularExpression twelveHexDigits(QStringLiteral("^[0-9A-Fa-f]{12}$"));
    if (!twelveHexDigits.match(serverId).hasMatch())
        return {};
    QString text;
    for (int i = 0; i < 12; i += 2)
        text += (i ? QStringLiteral(":") : QString()) + serverId.mid(i, 2);
    return QBluetoothAddress(text);
}

} // namespace vexa::ble
