#pragma once

#include "gauge/GaugeResult.h"

#include <QString>

namespace vexa {

// What the gauge layer does, for the transfer log: one observer hears every event of a session.
class GaugeEvents {
public:
    virtual ~GaugeEvents() = default;

    // The user started or stopped a scan.
    virtual void scanRequested() = 0;
    // A scan is being started.
    virtual void scanStarting() = 0;
    // The transport confirmed the scan.
    virtual void scanStarted() = 0;
    // The scan could not start or broke off (no adapter, Bluetooth off).
    virtual void scanFailed(int code, const QString& description) = 0;
    // The gauge said who it is; the gauge's settings and the window's look follow.
    virtual void gaugeIdentified() = 0;

    // A reconnect was asked for; the old link's disconnect and the new connect were sent.
    enum class ReconnectStep { Requested, DisconnectSent, ConnectSent };
    virtual void reconnecting(ReconnectStep step) = 0;

    // Live values could not be switched on or off.
    virtual void liveValuesNotSwitched(bool on, GaugeError error) = 0;
    // A downloaded memory could not be decoded; `text` says where.
    virtual void memoryNotDecoded(const QString& text) = 0;
    // A live value or a probe-memory record stated a date that is none.
    virtual void recordDateInvalid() = 0;
    // A probe memory was read and the probe released; `liveValuesOn` tells whether live values are on again.
    virtual void probeMemoryDone(bool liveValuesOn) = 0;
};

} // namespace vexa
