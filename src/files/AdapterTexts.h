#pragma once

#include "link/bluez/AdapterLookup.h"

#include <QString>

namespace vexa {

// An adapter as the link window lists it: "hci1  00:1B:DC:0F:8A:32".
QString adapterEntry(const bluez::AdapterFacts& adapter);

// Why the adapter `wanted` cannot be used: there is none of that name or address (the ones there are
// follow), or BlueZ could not be asked.
QString adapterLookupFailure(const bluez::AdapterLookup& lookup, const QString& wanted, int languageIndex);

} // namespace vexa
