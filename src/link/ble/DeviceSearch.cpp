#include "link/ble/DeviceSearch.h"

#include "link/ble/DiscoveryAgent.h"

#include <QTimer>

namespace vexa::ble {

DeviceSearch::~DeviceSearch() {
    stop();
}

void DeviceSearch::find(const QBluetoothAddress& address, std::chrono::milliseconds deadline) {
    stop();
    if (!agent_) {
        agent_ = discoveryAgentFor(adapter_);
        connect(agent_.get(), &QBluetoothDeviceDiscoveryAgent::deviceDiscovered, this,
                &DeviceSearch::onDevice);
        connect(agent_.get(), &QBluetoothDeviceDiscoveryAgent::finished, this, [this] { end(false); });
        connect(agent_.get(), &QBluetoothDeviceDiscoveryAgent::errorOccurred, this, [this] { end(false); });
    }
    wanted_ = address;
    searching_ = true;
    agent_->setLowEnergyDiscoveryTimeout(int(deadline.count()));
    agent_->start(QBluetoothDeviceDiscoveryAgent::LowEnergyMethod);
}

void DeviceSearch::stop() {
    searching_ = false;
    if (agent_ && agent_->isActive())
        agent_->stop();
}

void DeviceSearch::useAdapter(const QBluetoothAddress& adapter) {
    if (adapter == adapter_)
        return;
    stop();
    agent_.reset();
    adapter_ = adapter;
}

void DeviceSearch::onDevice(const QBluetoothDeviceInfo& device) {
    if (device.address() == wanted_)
        end(true);
}

// The agent may report while it starts, so the outcome reaches the caller from the event loop.
void DeviceSearch::end(bool success) {
    if (!searching_)
        return;
    stop();
    QTimer::singleShot(0, this, [this, success] {
        if (success)
            emit found();
        else
            emit notFound();
    });
}

} // namespace vexa::ble
