#pragma once

#include <QBluetoothAddress>
#include <QBluetoothUuid>
#include <QString>

namespace vexa::ble {

// A gauge's server id: its address as 12 hexadecimal digits without colons.
inline QString serverIdOf(const QBluetoothAddress& address) {
    return address.toString().remove(u':').toUpper();
}

// The address of a server id; a null address when the id is not 12 hexadecimal digits.
QBluetoothAddress addressOf(const QString& serverId);

// UUIDs as the link compares them: upper-case with hyphens, no braces.
inline QString uuidText(const QBluetoothUuid& uuid) {
    return uuid.toString(QUuid::WithoutBraces).toUpper();
}

} // namespace vexa::ble
