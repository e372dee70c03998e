#pragma once

#include "link/bluez/BluezAdapters.h"

namespace vexa::bluez {

// The adapter a user named (--adapter), among those BlueZ shows.
struct AdapterLookup {
    std::optional<AdapterFacts> adapter; // none: no such adapter, or BlueZ did not say
    BluezAdapters bluez;                 // what BlueZ answered, with the adapters there are
};

// The adapter called `wanted`: its kernel name ("hci1", any case) or its address (any case, with or
// without colons).
std::optional<AdapterFacts> adapterNamed(const QList<AdapterFacts>& adapters, const QString& wanted);

QCoro::Task<AdapterLookup> lookUpAdapter(QString wanted, std::chrono::milliseconds deadline = BusDeadline);

} // namespace vexa::bluez
