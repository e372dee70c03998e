#include "ProfileFiles.h"

namespace vexa::bluezdouble {

LoadedProfiles loadProfiles(const QStringList& paths) {
    LoadedProfiles loaded;
    for (const QString& path : paths) {
        sim::LoadedProfile one = sim::loadGaugeProfile(path);
        if (!one.profile)
            return {{}, one.error};
        loaded.profiles.append(*one.profile);
    }
    return loaded;
}

} // namespace vexa::bluezdouble
