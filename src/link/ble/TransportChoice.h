#pragma once

#include "link/Transport.h"
#include "link/sim/GaugeProfile.h"
#include "link/sim/SimulatedTransport.h"

#include <QBluetoothAddress>
#include <QList>
#include <memory>

namespace vexa::ble {

// The link a program runs on: the simulated gauges when there are any, with `simulation` (a profile's own
// settings still come on top), otherwise Qt Bluetooth through `adapter` (null: the system's default).
std::unique_ptr<Transport> chooseTransport(const QList<sim::GaugeProfile>& simulatedGauges,
                                           const sim::SimulationOptions& simulation = {},
                                           const QBluetoothAddress& adapter = {});

} // namespace vexa::ble
