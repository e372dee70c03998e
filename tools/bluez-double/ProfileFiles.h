#pragma once

#include "link/sim/GaugeProfile.h"

#include <QStringList>

namespace vexa::bluezdouble {

// All profiles of `paths`, or the first load error and no profiles.
struct LoadedProfiles {
    QList<sim::GaugeProfile> profiles;
    QString error;
};

LoadedProfiles loadProfiles(const QStringList& paths);

} // namespace vexa::bluezdouble
