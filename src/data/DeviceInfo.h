#pragma once

#include <QString>

namespace vexa {

// Fields of the gauge's information answers, named by their one-letter keys. Every field has its
// initialiser, so that a value naming only some of them (DeviceInfo{.S = number}) is complete.
struct DeviceInfo {
    QString T{}; // device type code; only the last two characters of a long code are kept
    QString V{};
    QString B{};
    QString R{}; // software version
    QString S{}; // serial number: the DeviceNumber
    QString H{};
    QString M{}; // Bluetooth address as the gauge reports it
    QString U{}; // display unit, normalised
    bool operator==(const DeviceInfo&) const = default;
};

struct ProbeInfo {
    QString T{};
    QString R{};
    QString S{};
    bool operator==(const ProbeInfo&) const = default;
};

} // namespace vexa
