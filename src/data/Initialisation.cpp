#include "data/Initialisation.h"

namespace vexa {

Initialisation decideInitialisation(const QString& deviceName, const DeviceInfo& device,
                                    const GaugeIdentity& previous) {
    Initialisation init;
    GaugeIdentity& identity = init.identity;
    identity.deviceName = deviceName;
    identity.device = device;
    ModelDecision before;
    before.deviceModel = previous.model.deviceModel;
    before.measureMode = previous.model.measureMode;
    before.pictureFrameVisible = previous.model.pictureFrameVisible;
    before.pictureFrameBackground = previous.model.pictureFrameBackground;
    identity.model = decideModel(deviceName, before);

    // The brand starts from the maker's own for every connection; only the name or the serial changes it.
    identity.brandCode = identity.model.brandSet ? identity.model.brandCode : QString();
    if (isFerlundSerialNumber(identity.deviceNumber()))
        identity.brandCode = QStringLiteral("FD");
    init.brand = brandFor(identity.brandCode);

    identity.traits = traitsForModel(identity.model.deviceModel).value_or(previous.traits);
    init.picture = modelPicture(identity.model.deviceModel);
    init.requestProbeInfo = identity.traits.hasMemoryFiles();
    init.offer8020 = identity.traits.offers8020();
    init.clockMenu = identity.traits.setsClock();
    return init;
}

} // namespace vexa
