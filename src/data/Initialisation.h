#pragma once

#include "data/DeviceTables.h"
#include "data/GaugeIdentity.h"

#include <optional>

namespace vexa {

// Everything the device initialisation decides from the gauge's name, its information answer and the
// gauge connected before; the window dresses itself with it.
struct Initialisation {
    GaugeIdentity identity; // without the probe: that is asked for afterwards
    std::optional<ModelPicture> picture;
    Brand brand;
    bool requestProbeInfo = false; // gauges with memory files also report their probe
    bool offer8020 = false;
    bool clockMenu = false;
};

// A name that matches no model keeps the model, mode, frame and traits of `previous`.
Initialisation decideInitialisation(const QString& deviceName, const DeviceInfo& device,
                                    const GaugeIdentity& previous);

} // namespace vexa
