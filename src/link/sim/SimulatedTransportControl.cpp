#include "link/sim/SimulatedTransportControl.h"

namespace vexa::sim {

SimulatedTransportControl::SimulatedTransportControl(SimulatedTransport& transport, QObject* parent)
    : SimulationControl(parent)
    , transport_(transport) {
    connect(&transport_, &Transport::connected, this, &SimulationControl::changed);
    connect(&transport_, &Transport::disconnected, this, &SimulationControl::changed);
    connect(&transport_, &SimulatedTransport::liveIntervalChanged, this, &SimulationControl::changed);
}

std::optional<QString> SimulatedTransportControl::connectedGauge() const {
    if (const SimulatedGauge* gauge = transport_.connectedGauge())
        return gauge->profile().name;
    return std::nullopt;
}

// The interval a gauge not connected will get is not its own yet.
std::optional<int> SimulatedTransportControl::liveIntervalMs() const {
    if (!transport_.connectedGauge())
        return std::nullopt;
    return transport_.liveIntervalMs();
}

} // namespace vexa::sim
