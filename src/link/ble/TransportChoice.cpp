#include "link/ble/TransportChoice.h"

#include "link/ble/QtBluetoothTransport.h"
#include "link/sim/SimulatedTransport.h"

namespace vexa::ble {

std::unique_ptr<Transport> chooseTransport(const QList<sim::GaugeProfile>& simulatedGauges) {
    if (simulatedGauges.isEmpty())
        return std::make_unique<QtBluetoothTransport>();
    return std::make_unique<sim::SimulatedTransport>(simulatedGauges);
}

} // namespace vexa::ble
