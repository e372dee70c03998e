#pragma once

#include "link/SimulationControl.h"
#include "link/sim/SimulatedTransport.h"

namespace vexa::sim {

// The simulated transport's connected gauge, for the window that measures with it.
class SimulatedTransportControl : public SimulationControl {
    Q_OBJECT
public:
    explicit SimulatedTransportControl(SimulatedTransport& transport, QObject* parent = nullptr);

    std::optional<QString> connectedGauge() const override;
    void measure() override { transport_.measure(); }
    std::optional<int> liveIntervalMs() const override;
    void setLiveIntervalMs(std::optional<int> intervalMs) override {
        transport_.setLiveIntervalMs(intervalMs);
    }

private:
    SimulatedTransport& transport_;
};

} // namespace vexa::sim
