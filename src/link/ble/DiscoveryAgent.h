#pragma once

#include <QBluetoothAddress>
#include <QBluetoothDeviceDiscoveryAgent>
#include <memory>

namespace vexa::ble {

// An agent discovers through one adapter for its whole life: a null address is the system's default.
inline std::unique_ptr<QBluetoothDeviceDiscoveryAgent> discoveryAgentFor(const QBluetoothAddress& adapter) {
    return adapter.isNull() ? std::make_unique<QBluetoothDeviceDiscoveryAgent>()
                            : std::make_unique<QBluetoothDeviceDiscoveryAgent>(adapter);
}

} // namespace vexa::ble
