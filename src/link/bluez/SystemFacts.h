#pragma once

#include "link/bluez/BluetoothFacts.h"

#include <QStringList>
#include <chrono>
#include <qcoro/qcorotask.h>

namespace vexa::bluez {

QStringList debianDaemonPrograms();

// Where the facts are read from; tests point them at a tree of their own.
struct FactSources {
    QString sysfsRoot = QStringLiteral("/sys");
    // Where Debian puts bluetoothd; the first that exists is asked.
    QStringList daemonPrograms = debianDaemonPrograms();
    std::chrono::milliseconds deadline{3000}; // for BlueZ on the bus and for the daemon's program each
};

// Everything BluetoothFacts holds, asked of D-Bus, sysfs, the daemon's program and the user database.
// Never waits longer than the sources' deadline for any one of them.
QCoro::Task<BluetoothFacts> gatherBluetoothFacts(FactSources sources);

// The version bluetoothd prints, asked with `--version`.
QCoro::Task<DaemonVersion> askDaemonVersion(QStringList programs, std::chrono::milliseconds deadline);

// The user this process runs as, and where it stands with the group `bluetooth`.
GroupStanding bluetoothGroupStanding(QString* userName);

} // namespace vexa::bluez
