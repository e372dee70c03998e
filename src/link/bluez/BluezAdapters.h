#pragma once

#include "link/bluez/BluetoothFacts.h"

#include <chrono>
#include <qcoro/qcorotask.h>

namespace vexa::bluez {

// How long BlueZ has to answer before the program takes it for hanging.
inline constexpr std::chrono::milliseconds BusDeadline{3000};

struct BluezAdapters {
    BusAnswer answer = BusAnswer::NoSystemBus;
    QString error;                // D-Bus's error name and text when BlueZ did not answer
    QList<AdapterFacts> adapters; // in the order of their names' numbers: hci0 first
};

// The adapters BlueZ shows on the system bus, asked once with `deadline`; a daemon that does not answer
// ends the wait, never the program.
QCoro::Task<BluezAdapters> askBluezAdapters(std::chrono::milliseconds deadline = BusDeadline);

// "hci1" of "/org/bluez/hci1"; the number orders adapters as the kernel numbered them.
int adapterNumber(const QString& name);

} // namespace vexa::bluez
