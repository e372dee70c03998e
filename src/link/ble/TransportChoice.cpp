#include "link/ble/TransportChoice.h"

#include "link/ble/QtBluetoothTransport.h"

namespace vexa::ble {

std::unique_ptr<Transport> chooseTransport(const QList<sim::GaugeProfile>& simulatedGauges,
                                           const sim::SimulationOptions& simulation) {
    if (simulatedGauges.isEmpty())
        return std::make_unique<QtBluetoothTransport>();
    return std::make_unique<sim::SimulatedTransport>(simulatedGauges, simulation);
}

} // namespace vexa::ble
