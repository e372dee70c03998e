#pragma once

#include "BluezObject.h"
#include "GaugeState.h"

#include <memory>
#include <vector>

namespace vexa::bluezdouble {

class AdapterObject;

// A gauge as BlueZ shows a found LE device. Connect exports the gauge's GATT objects and resolves the
// services as BlueZ does once it has browsed them; the link ends on Disconnect, when the gauge goes, or
// when its profile has it drop the link (GaugeOperations).
class DeviceObject : public BluezObject {
public:
    DeviceObject(ObjectTree& tree, const AdapterObject& adapter, sim::GaugeProfile profile,
                 int liveIntervalMs);
    ~DeviceObject() override;

    // 12 upper-case hexadecimal digits without colons.
    const QString& address() const { return state_.gauge.profile().address; }
    GaugeState& state() { return state_; }
    bool connected() const;
    // The link ends from the gauge's side: GATT objects removed, then Connected and ServicesResolved false.
    void dropLink();

    void call(const QDBusMessage& message) override;

private:
    // Whether the connect brought the link up.
    bool connectLink(const QDBusMessage& message);
    void disconnectLink(const QDBusMessage& message);
    void resolveServices();
    void exportServices();

    const AdapterObject& adapter_;
    GaugeState state_;
    std::vector<std::unique_ptr<BluezObject>> gatt_; // parents before children
};

} // namespace vexa::bluezdouble
