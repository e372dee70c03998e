#include "link/ble/TransportChoice.h"

#include "link/ble/QtBluetoothTransport.h"

namespace vexa::ble {

std::unique_ptr<Transport> chooseTransport(const QList<sim::GaugeProfile>& simulatedGauges,
                                           const sim::SimulationOptions& simulation,
                                           const QBluetoothAddress& adapter) {
    if (simulatedGauges.isEmpty())
        return std::make_unique<QtBluetoothTransport>(adapter);
    return std::make_unique<sim::SimulatedTransport>(simulatedGauges, simulation);
}

} // namespace vexa::ble
