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
    // A second adapter, hci1, with gauges in its range only; none when empty.
    QList<sim::GaugeProfile> secondAdapterGauges;
    bool secondAdapter = false;
    int liveIntervalMs = 200;
    std::chrono::microseconds gattLatency{0};
};

// The radio world the double shows: adapter hci0, present or not, powered or not, perhaps a second one,
// hci1, and the gauges in each one's range, which become devices once a discovery through it has found
// them.
class BluezDouble {
public:
    BluezDouble(QDBusConnection bus, const DoubleOptions& options, const QList<sim::GaugeProfile>& profiles);
    BluezDouble(const BluezDouble&) = delete;
    BluezDouble& operator=(const BluezDouble&) = delete;
    ~BluezDouble();

    ObjectTree& tree() { return tree_; }
    // Serves the object tree and takes the name org.bluez; false when either fails.
    bool publish();

    // Replaces all gauges of hci0; connected ones are dropped first.
    void replaceGauges(const QList<sim::GaugeProfile>& profiles);
    // hci0 comes or goes, is switched on or off.
    void setAdapter(bool present, bool powered);
    void setPowered(AdapterObject& adapter, bool powered);
    // The gauge is switched off or out of range; false for an unknown address.
    bool removeGauge(const QString& address);
    // With or without colons; nullptr for an unknown address.
    DeviceObject* device(const QString& address);

    // The adapter's side: a discovery finds every gauge in its range; a client forgets a found device.
    void discoveryStarted(const AdapterObject& adapter);
    bool forgetDevice(const QString& path);

private:
    // An adapter and the gauges in its range.
    struct Radio {
        std::unique_ptr<AdapterObject> adapter;
        std::vector<std::unique_ptr<DeviceObject>> devices;
    };

    void addGauges(Radio& radio, const QList<sim::GaugeProfile>& profiles);
    Radio& radioOf(const AdapterObject& adapter);

    QDBusConnection bus_;
    int liveIntervalMs_;
    ObjectTree tree_;
    std::vector<Radio> radios_; // hci0 first
};

} // namespace vexa::bluezdouble
