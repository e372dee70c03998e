#pragma once

#include "link/sim/GaugeProfile.h"

#include <QString>

namespace vexa {

// A bundled demo gauge, which a test or benchmark cannot go without: a profile that does not load ends
// the run. Needs VEXA_SOURCE_DIR.
inline sim::GaugeProfile demoProfile(const QString& file) {
    const sim::LoadedProfile loaded =
        sim::loadGaugeProfile(QStringLiteral(VEXA_SOURCE_DIR "/examples/gauges/") + file);
    if (!loaded.profile)
        qFatal("%s", qPrintable(loaded.error));
    return *loaded.profile;
}

} // namespace vexa
