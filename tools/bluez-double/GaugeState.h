#pragma once

#include "GaugeOperations.h"
#include "link/sim/SimulatedGauge.h"

namespace vexa::bluezdouble {

// A gauge in range of the double's adapter: its answers, how it answers them and the faults a test has
// set on it. Lives as long as the gauge, across connections.
struct GaugeState {
    // The live interval and the GATT latency are the double's; the profile's simulation object may ask for
    // others.
    GaugeState(sim::GaugeProfile profile, int doubleLiveIntervalMs, QDBusConnection bus,
               std::chrono::microseconds gattLatency, std::function<void()> dropLink)
        : gauge(std::move(profile))
        , liveIntervalMs(simulation() ? simulation()->liveIntervalMs.value_or(doubleLiveIntervalMs)
                                      : doubleLiveIntervalMs)
        , operations(std::move(bus), gattLatency, simulation(), std::move(dropLink)) {}

    const std::optional<sim::SimulationSettings>& simulation() const { return gauge.profile().simulation; }

    sim::SimulatedGauge gauge;
    int liveIntervalMs;
    GaugeOperations operations;
    bool failReads = false;
    bool notificationsStopped = false;
};

} // namespace vexa::bluezdouble
