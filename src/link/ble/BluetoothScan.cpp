#include "link/ble/BluetoothScan.h"

#include "link/ble/BluetoothNames.h"
#include "link/ble/DiscoveryAgent.h"

#include <utility>

namespace vexa::ble {

BluetoothScan::~BluetoothScan() {
    if (agent_)
        agent_->stop();
}

// Made on the first scan, so a program that never scans never asks the system for an adapter.
void BluetoothScan::createAgent() {
    agent_ = discoveryAgentFor(adapter_);
    agent_->setLowEnergyDiscoveryTimeout(0); // until stopped
    connect(agent_.get(), &QBluetoothDeviceDiscoveryAgent::deviceDiscovered, this, &BluetoothScan::onDevice);
    connect(agent_.get(), &QBluetoothDeviceDiscoveryAgent::deviceUpdated, this,
            [this](const QBluetoothDeviceInfo& device) { onDevice(device); });
    connect(agent_.get(), &QBluetoothDeviceDiscoveryAgent::errorOccurred, this, &BluetoothScan::onError);
}

void BluetoothScan::start() {
    if (!agent_)
        createAgent();
    reportedNames_.clear();
    heldBack_.clear();
    if (agent_->isActive()) {
        // Already scanning: the list starts afresh with what the agent has seen so far.
        emit started();
        for (const QBluetoothDeviceInfo& device : agent_->discoveredDevices())
            report(device);
        return;
    }
    starting_ = true;
    startFailed_ = false;
    agent_->start(QBluetoothDeviceDiscoveryAgent::LowEnergyMethod);
    starting_ = false;
    if (startFailed_ || !agent_->isActive()) {
        heldBack_.clear();
        emit failed(int(agent_->error()), agent_->errorString());
        return;
    }
    emit started();
    const QList<QBluetoothDeviceInfo> known = std::exchange(heldBack_, {});
    for (const QBluetoothDeviceInfo& device : known)
        report(device);
}

void BluetoothScan::stop() {
    if (agent_ && agent_->isActive())
        agent_->stop();
}

// The agent is bound to its adapter: the next scan makes one for the new adapter.
void BluetoothScan::useAdapter(const QBluetoothAddress& adapter) {
    if (adapter == adapter_)
        return;
    stop();
    agent_.reset();
    adapter_ = adapter;
}

void BluetoothScan::onDevice(const QBluetoothDeviceInfo& device) {
    if (starting_)
        heldBack_.append(device);
    else
        report(device);
}

void BluetoothScan::onError(QBluetoothDeviceDiscoveryAgent::Error error) {
    if (starting_) {
        startFailed_ = true;
        return;
    }
    emit failed(int(error), agent_->errorString());
}

void BluetoothScan::report(const QBluetoothDeviceInfo& device) {
    const QString serverId = serverIdOf(device.address());
    const auto known = reportedNames_.constFind(serverId);
    if (known != reportedNames_.cend() && *known == device.name())
        return;
    reportedNames_.insert(serverId, device.name());
    emit advertisement(serverId, device.name(), device.rssi());
}

} // namespace vexa::ble
