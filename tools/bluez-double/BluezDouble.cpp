#include "BluezDouble.h"

namespace vexa::bluezdouble {

namespace {

const QString ServiceName = QStringLiteral("org.bluez");

} // namespace

BluezDouble::BluezDouble(QDBusConnection bus, const DoubleOptions& options,
                         const QList<sim::GaugeProfile>& profiles)
    : bus_(bus)
    , liveIntervalMs_(options.liveIntervalMs)
    , tree_(bus, options.gattLatency)
    , adapter_(tree_, *this) {
    if (options.adapterPresent)
        tree_.add(adapter_);
    addGauges(profiles);
}

BluezDouble::~BluezDouble() {
    bus_.unregisterService(ServiceName);
    bus_.unregisterObject(QStringLiteral("/"), QDBusConnection::UnregisterTree);
}

bool BluezDouble::publish() {
    return bus_.registerVirtualObject(QStringLiteral("/"), &tree_, QDBusConnection::SubPath) &&
           bus_.registerService(ServiceName);
}

void BluezDouble::replaceGauges(const QList<sim::GaugeProfile>& profiles) {
    for (const auto& device : devices_)
        device->dropLink();
    devices_.clear();
    addGauges(profiles);
    if (adapter_.discovering())
        discoveryStarted();
}

void BluezDouble::setAdapter(bool present, bool powered) {
    if (!present || !powered)
        for (const auto& device : devices_)
            device->dropLink();
    if (!present) {
        for (const auto& device : devices_)
            tree_.remove(*device);
        tree_.remove(adapter_);
        adapter_.setDiscovering(false);
    }
    adapter_.setPowered(powered);
    if (present && !tree_.exported(adapter_))
        tree_.add(adapter_);
}

bool BluezDouble::removeGauge(const QString& address) {
    DeviceObject* gone = device(address);
    if (!gone)
        return false;
    gone->dropLink();
    std::erase_if(devices_, [gone](const auto& device) { return device.get() == gone; });
    return true;
}

DeviceObject* BluezDouble::device(const QString& address) {
    const QString wanted = QString(address).remove(u':').toUpper();
    for (const auto& device : devices_)
        if (device->address() == wanted)
            return device.get();
    return nullptr;
}

void BluezDouble::discoveryStarted() {
    for (const auto& device : devices_)
        if (!tree_.exported(*device))
            tree_.add(*device);
}

bool BluezDouble::forgetDevice(const QString& path) {
    for (const auto& device : devices_) {
        if (device->path() == path && tree_.exported(*device)) {
            device->dropLink();
            tree_.remove(*device);
            return true;
        }
    }
    return false;
}

void BluezDouble::addGauges(const QList<sim::GaugeProfile>& profiles) {
    for (const sim::GaugeProfile& profile : profiles)
        devices_.push_back(std::make_unique<DeviceObject>(tree_, adapter_, profile, liveIntervalMs_));
}

} // namespace vexa::bluezdouble
