#pragma once

#include "data/DeviceTables.h"
#include "window/AppState.h"

#include <optional>

namespace vexa {

// Everything the device initialisation decides from the gauge's name, its serial number and what the
// previous connection left behind; the caller dresses the window with it and asks the gauge.
struct Initialisation {
    QString deviceName;
    QString deviceNumber;
    ModelDecision model;
    QString brandCode;
    DeviceTraits traits;
    std::optional<ModelPicture> picture;
    Brand brand;
    bool requestProbeInfo = false; // generation '5' gauges also report their probe
    bool offer8020 = false;
    bool clockMenu = false;
};

Initialisation decideInitialisation(const QString& deviceName, const QString& deviceNumber,
                                    const AppState& previous);

} // namespace vexa
