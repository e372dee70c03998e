#pragma once

// What the link window lists for a gauge.
#include "link/sim/GaugeProfile.h"

#include <QString>

namespace vexa {

// The gauge's entry in the link window's list, as the rest of the program reads it.
inline QString listEntry(const sim::GaugeProfile& profile) {
    return QStringLiteral("MAC: ") + profile.address + QStringLiteral(" Name: ") + profile.name +
           QStringLiteral("       RSSI: ") + QString::number(profile.rssi);
}

} // namespace vexa
