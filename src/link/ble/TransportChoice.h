#pragma once

#include "link/Transport.h"
#include "link/sim/GaugeProfile.h"

#include <QList>
#include <memory>

namespace vexa::ble {

// The link a program runs on: the simulated gauges when there are any, otherwise Qt Bluetooth.
std::unique_ptr<Transport> chooseTransport(const QList<sim::GaugeProfile>& simulatedGauges);

} // namespace vexa::ble
