#include "window/Initialisation.h"

namespace vexa {

Initialisation decideInitialisation(const QString& deviceName, const QString& deviceNumber,
                                    const AppState& previous) {
    Initialisation init;
    init.deviceName = deviceName;
    init.deviceNumber = deviceNumber;
    ModelDecision before;
    before.deviceModel = previous.deviceModel;
    before.measureMode = previous.measureMode;
    before.pictureFrameVisible = previous.pictureFrameVisible;
    before.pictureFrameBackground = previous.pictureFrameBackground;
    init.model = decideModel(deviceName, before);

    // The brand starts from the maker's own for every connection; only the name or the serial changes it.
    init.brandCode = init.model.brandSet ? init.model.brandCode : QString();
    if (isFerlundSerialNumber(deviceNumber))
        init.brandCode = QStringLiteral("FD");
    init.brand = brandFor(init.brandCode);

    init.traits = traitsForModel(init.model.deviceModel).value_or(previous.traits);
    init.picture = modelPicture(init.model.deviceModel);
    init.requestProbeInfo = init.traits.generation == '5';
    init.offer8020 = init.traits.rule8020 != '-';
    init.clockMenu = init.traits.clock == 'L';
    return init;
}

} // namespace vexa
