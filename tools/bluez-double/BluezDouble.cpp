#include "BluezDouble.h"

namespace vexa::bluezdouble {

namespace {

const QString ServiceName = QStringLiteral("org.bluez");

} // namespace

BluezDouble::BluezDouble(QDBusConnection bus, const DoubleOptions& options,
                         const QList<sim::GaugeProfile>& profiles)
    : bus_(bus)
    , liveIntervalMs_(options.liveIntervalMs)
    , tree_(bus, options.gattLatency) {
    radios_.push_back({std::make_unique<AdapterObject>(tree_, *this, QStringLiteral("hci0"),
                                                       QStringLiteral("00:1B:DC:0F:8A:31")),
                       {}});
    if (options.adapterPresent)
        tree_.add(*radios_.front().adapter);
    addGauges(radios_.front(), profiles);
    if (options.secondAdapter) {
        radios_.push_back({std::make_unique<AdapterObject>(tree_, *this, QStringLiteral("hci1"),
                                                           QStringLiteral("00:1B:DC:0F:8A:32")),
                           {}});
        tree_.add(*radios_.back().adapter);
        addGauges(radios_.back(), options.secondAdapterGauges);
    }
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
    Radio& radio = radios_.front();
    for (const auto& device : radio.devices)
        device->dropLink();
    radio.devices.clear();
    addGauges(radio, profiles);
    if (radio.adapter->discovering())
        discoveryStarted(*radio.adapter);
}

void BluezDouble::setAdapter(bool present, bool powered) {
    Radio& radio = radios_.front();
    AdapterObject& adapter = *radio.adapter;
    if (!present) {
        for (const auto& device : radio.devices) {
            device->dropLink();
            tree_.remove(*device);
        }
        tree_.remove(adapter);
        adapter.setDiscovering(false);
    }
    setPowered(adapter, powered);
    if (present && !tree_.exported(adapter))
        tree_.add(adapter);
}

void BluezDouble::setPowered(AdapterObject& adapter, bool powered) {
    if (!powered)
        for (const auto& device : radioOf(adapter).devices)
            device->dropLink();
    adapter.setPowered(powered);
}

bool BluezDouble::removeGauge(const QString& address) {
    DeviceObject* gone = device(address);
    if (!gone)
        return false;
    gone->dropLink();
    for (Radio& radio : radios_)
        std::erase_if(radio.devices, [gone](const auto& device) { return device.get() == gone; });
    return true;
}

DeviceObject* BluezDouble::device(const QString& address) {
    const QString wanted = QString(address).remove(u':').toUpper();
    for (const Radio& radio : radios_)
        for (const auto& device : radio.devices)
            if (device->address() == wanted)
                return device.get();
    return nullptr;
}

void BluezDouble::discoveryStarted(const AdapterObject& adapter) {
    for (const auto& device : radioOf(adapter).devices)
        if (!tree_.exported(*device))
            tree_.add(*device);
}

bool BluezDouble::forgetDevice(const QString& path) {
    for (const Radio& radio : radios_)
        for (const auto& device : radio.devices)
            if (device->path() == path && tree_.exported(*device)) {
                device->dropLink();
                tree_.remove(*device);
                return true;
            }
    return false;
}

void BluezDouble::addGauges(Radio& radio, const QList<sim::GaugeProfile>& profiles) {
    for (const sim::GaugeProfile& profile : profiles)
        radio.devices.push_back(
            std::make_unique<DeviceObject>(tree_, *radio.adapter, profile, liveIntervalMs_));
}

BluezDouble::Radio& BluezDouble::radioOf(const AdapterObject& adapter) {
    for (Radio& radio : radios_)
        if (radio.adapter.get() == &adapter)
            return radio;
    return radios_.front();
}

} // namespace vexa::bluezdouble
