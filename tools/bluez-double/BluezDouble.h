#pragma once

#include "AdapterObject.h"
#include "DeviceObject.h"
#include "ObjectTree.h"

#include <QDBusConnection>
#include <chrono>
#include <memory>
#include <vector>

namespace vexa::bluezdouble {

struct DoubleOptions {
    bool adapterPresent = true;
    int liveIntervalMs = 200;
    std::chrono::microseconds gattLatency{0};
};

// The radio world the double shows: one adapter, present or not, powered or not, and the gauges in its
// range, which become devices once a discovery has found them.
class BluezDouble {
public:
    BluezDouble(QDBusConnection bus, const DoubleOptions& options, const QList<sim::GaugeProfile>& profiles);
    BluezDouble(const BluezDouble&) = delete;
    BluezDouble& operator=(const BluezDouble&) = delete;
    ~BluezDouble();

    ObjectTree& tree() { return tree_; }
    // Serves the object tree and takes the name org.bluez; false when either fails.
    bool publish();

    // Replaces all gauges; connected ones are dropped first.
    void replaceGauges(const QList<sim::GaugeProfile>& profiles);
    void setAdapter(bool present, bool powered);
    // The gauge is switched off or out of range; false for an unknown address.
    bool removeGauge(const QString& address);
    // With or without colons; nullptr for an unknown address.
    DeviceObject* device(const QString& address);

    // The adapter's side: a discovery finds every gauge in range; a client forgets a found device.
    void discoveryStarted();
    bool forgetDevice(const QString& path);

private:
    void addGauges(const QList<sim::GaugeProfile>& profiles);

    QDBusConnection bus_;
    int liveIntervalMs_;
    ObjectTree tree_;
    AdapterObject adapter_;
    std::vector<std::unique_ptr<DeviceObject>> devices_;
};

} // namespace vexa::bluezdouble
