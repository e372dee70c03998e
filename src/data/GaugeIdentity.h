#pragma once

#include "data/DeviceInfo.h"
#include "data/DeviceTables.h"
#include "data/DeviceTraits.h"
#include "data/ValueFormat.h"

#include <QString>

namespace vexa {

// What a connected gauge is: the name it is listed under, what it reports of itself and its probe, and
// what the program decides from that.
struct GaugeIdentity {
    QString deviceName; // as the device list gives it
    DeviceInfo device;  // its information answer
    ProbeInfo probe;
    ModelDecision model; // model, measuring mode, picture frame
    QString brandCode;
    DeviceTraits traits;

    // The serial number the gauge reports: settings and measurement files are named after it.
    const QString& deviceNumber() const { return device.S; }
    // The unit the gauge is set to.
    const QString& deviceUnit() const { return device.U; }
    MeasureContext measureContext() const { return {model.deviceModel, model.measureMode, traits}; }

    bool operator==(const GaugeIdentity&) const = default;
};

} // namespace vexa
