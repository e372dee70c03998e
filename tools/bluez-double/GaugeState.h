#pragma once

#include "link/sim/SimulatedGauge.h"

namespace vexa::bluezdouble {

// A gauge in range of the double's adapter: its answers and the faults a test has set on it. Lives as
// long as the gauge, across connections.
struct GaugeState {
    GaugeState(sim::GaugeProfile profile, int intervalMs)
        : gauge(std::move(profile))
        , liveIntervalMs(intervalMs) {}

    sim::SimulatedGauge gauge;
    int liveIntervalMs;
    bool failReads = false;
    bool notificationsStopped = false;
};

} // namespace vexa::bluezdouble
