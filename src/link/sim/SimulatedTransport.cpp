#include "link/sim/SimulatedTransport.h"

namespace vexa::sim {

namespace {

QString serverIdOf(QString text) {
    return text.remove(u':').toUpper();
}

// Callers may pass one comma-separated text as well as a list of UUIDs.
QStringList serviceFilter(const QStringList& serviceUuids) {
    QStringList wanted;
    for (const QString& entry : serviceUuids)
        for (const QString& part : entry.split(u','))
            if (!part.trimmed().isEmpty())
                wanted.append(part.trimmed().toUpper());
    return wanted;
}

} // namespace

SimulatedTransport::SimulatedTransport(const QList<GaugeProfile>& profiles, SimulationOptions options,
                                       QObject* parent)
    : Transport(parent)
    , options_(options)
    , baseOptions_(options) {
    for (const GaugeProfile& profile : profiles)
        gauges_.push_back(std::make_unique<SimulatedGauge>(profile));
    clock_.start();
    deliveryTimer_.setSingleShot(true);
    deliveryTimer_.setTimerType(Qt::PreciseTimer);
    connect(&deliveryTimer_, &QTimer::timeout, this, &SimulatedTransport::deliverNext);
    connect(&advertisementTimer_, &QTimer::timeout, this, &SimulatedTransport::advertise);
    connect(&liveTimer_, &QTimer::timeout, this, &SimulatedTransport::notifyLiveValue);
}

SimulatedTransport::~SimulatedTransport() = default;

SimulatedGauge* SimulatedTransport::gauge(const QString& serverId) {
    const QString wanted = serverIdOf(serverId);
    for (const auto& candidate : gauges_)
        if (candidate->profile().address == wanted)
            return candidate.get();
    return nullptr;
}

void SimulatedTransport::startScan() {
    schedule([this] {
        if (options_.adapterMissing) {
            emit scanFailed(int(SimulationError::NoAdapter), QStringLiteral("No Bluetooth adapter"));
            return;
        }
        emit scanStarted();
        advertise();
        advertisementTimer_.start(options_.advertisementIntervalMs);
    });
}

void SimulatedTransport::stopScan() {
    schedule([this] { advertisementTimer_.stop(); });
}

void SimulatedTransport::connectToGauge(const QString& serverId) {
    if (const SimulatedGauge* target = gauge(serverId)) {
        options_ = gaugeOptions(target->profile(), baseOptions_, operations_);
        if (const auto chosen = chosenIntervals_.constFind(target->profile().address);
            chosen != chosenIntervals_.cend())
            options_.liveIntervalMs = *chosen;
    }
    scheduleGaugeOperation([this, serverId] {
        SimulatedGauge* target = gauge(serverId);
        if (!target) {
            emit error(int(SimulationError::UnknownGauge), QStringLiteral("Unknown gauge ") + serverId);
        } else if (connected_ && connected_ != target) {
            emit error(int(SimulationError::AlreadyConnected),
                       QStringLiteral("Already connected to ") + connected_->profile().address);
        } else {
            connected_ = target;
            emit connected(0, QStringLiteral("OK"));
        }
    });
}

void SimulatedTransport::disconnectFromGauge() {
    scheduleGaugeOperation([this] {
        connected_ = nullptr;
        liveSubscribed_ = false;
        followLiveInterval();
        emit disconnected(0, QStringLiteral("Disconnected"));
    });
}

void SimulatedTransport::discover(const QStringList& serviceUuids) {
    scheduleGaugeOperation([this, wanted = serviceFilter(serviceUuids)] {
        if (!connected_) {
            emit error(int(SimulationError::NotConnected), QStringLiteral("Not connected"));
            return;
        }
        for (const GattService& service : connected_->services()) {
            if (!wanted.isEmpty() && !wanted.contains(service.uuid))
                continue;
            emit discovered(GattType::Service, service.uuid, QString());
            for (const QString& characteristic : service.characteristics)
                emit discovered(GattType::Characteristic, service.uuid, characteristic);
        }
        emit discoveryFinished();
    });
}

void SimulatedTransport::read(const QString& service, const QString& characteristic) {
    scheduleGaugeOperation([this, service, characteristic] {
        if (SimulatedGauge* target = connectedGaugeFor(service, characteristic))
            emit value(service, characteristic, target->read(service, characteristic));
    });
}

void SimulatedTransport::write(const QString& service, const QString& characteristic,
                               const QByteArray& value) {
    scheduleGaugeOperation([this, service, characteristic, value] {
        if (SimulatedGauge* target = connectedGaugeFor(service, characteristic)) {
            target->write(service, characteristic, value);
            emit writeResponse(service, characteristic);
        }
    });
}

void SimulatedTransport::subscribe(const QString& service, const QString& characteristic) {
    scheduleGaugeOperation([this, service, characteristic] {
        if (!connectedGaugeFor(service, characteristic))
            return;
        if (characteristic == uuid::CharMeasure) {
            liveSubscribed_ = true;
            followLiveInterval();
        }
        emit subscribed(service, characteristic);
    });
}

void SimulatedTransport::unsubscribe(const QString& service, const QString& characteristic) {
    scheduleGaugeOperation([this, service, characteristic] {
        if (!connectedGaugeFor(service, characteristic))
            return;
        if (characteristic == uuid::CharMeasure) {
            liveSubscribed_ = false;
            followLiveInterval();
        }
        emit unsubscribed(service, characteristic);
    });
}

void SimulatedTransport::measure() {
    schedule([this] { notifyLiveValue(); });
}

void SimulatedTransport::setLiveIntervalMs(std::optional<int> intervalMs) {
    if (!connected_)
        return;
    if (intervalMs)
        intervalMs = qMax(1, *intervalMs);
    chosenIntervals_.insert(connected_->profile().address, intervalMs);
    options_.liveIntervalMs = intervalMs;
    followLiveInterval();
    emit liveIntervalChanged();
}

SimulationOptions gaugeOptions(const GaugeProfile& profile, SimulationOptions base, int operationsBefore) {
    if (!profile.simulation)
        return base;
    const SimulationSettings& asked = *profile.simulation;
    SimulationOptions options = base;
    if (asked.liveIntervalMs)
        options.liveIntervalMs = asked.liveIntervalMs;
    options.latencyMs = asked.latencyMs.value_or(options.latencyMs);
    if (asked.stopAnsweringAfter)
        options.stopAnsweringAfter = operationsBefore + *asked.stopAnsweringAfter;
    if (asked.dropLinkAfter)
        options.dropConnectionAfter = operationsBefore + *asked.dropLinkAfter;
    return options;
}

void SimulatedTransport::schedule(std::function<void()> deliver) {
    const qint64 latencyNs = options_.latencyMs * qint64(1'000'000) + options_.latencyUs * qint64(1'000);
    outcomes_.push_back({clock_.nsecsElapsed() + latencyNs, std::move(deliver)});
    if (!deliveryTimer_.isActive())
        startDeliveryTimer();
}

// Whole milliseconds by the timer; the rest of a due time is waited out pass by pass of the event loop.
void SimulatedTransport::startDeliveryTimer() {
    const qint64 waitNs = qMax<qint64>(0, outcomes_.front().dueNs - clock_.nsecsElapsed());
    deliveryTimer_.start(int(waitNs / 1'000'000));
}

void SimulatedTransport::scheduleGaugeOperation(std::function<void()> deliver) {
    const int number = ++operations_;
    if (options_.stopAnsweringAfter && number > *options_.stopAnsweringAfter)
        return;
    const bool dropAfterwards = options_.dropConnectionAfter && number == *options_.dropConnectionAfter;
    schedule([this, deliver = std::move(deliver), dropAfterwards] {
        deliver();
        if (dropAfterwards)
            dropLink(QStringLiteral("Offline"));
    });
}

// Takes the outcome off the queue before delivering it: a receiver may run a nested event loop in
// which the following outcomes are delivered.
void SimulatedTransport::deliverNext() {
    if (outcomes_.empty())
        return;
    if (outcomes_.front().dueNs > clock_.nsecsElapsed()) {
        startDeliveryTimer();
        return;
    }
    const std::function<void()> deliver = std::move(outcomes_.front().deliver);
    outcomes_.pop_front();
    if (!outcomes_.empty())
        startDeliveryTimer();
    deliver();
}

bool SimulatedTransport::silent() const {
    return options_.stopAnsweringAfter && operations_ >= *options_.stopAnsweringAfter;
}

SimulatedGauge* SimulatedTransport::connectedGaugeFor(const QString& service, const QString& characteristic) {
    if (!connected_) {
        emit error(int(SimulationError::NotConnected), QStringLiteral("Not connected"));
        return nullptr;
    }
    if (!connected_->offers(service, characteristic)) {
        emit error(int(SimulationError::UnknownCharacteristic),
                   QStringLiteral("No characteristic %1 in service %2").arg(characteristic, service));
        return nullptr;
    }
    return connected_;
}

void SimulatedTransport::advertise() {
    for (const auto& candidate : gauges_) {
        if (candidate.get() == connected_)
            continue;
        const GaugeProfile& profile = candidate->profile();
        emit advertisement(profile.address, profile.name, profile.rssi);
    }
}

void SimulatedTransport::notifyLiveValue() {
    if (!connected_ || !liveSubscribed_ || silent())
        return;
    if (const auto live = connected_->nextLiveValue())
        emit value(uuid::ServiceZK, uuid::CharMeasure, *live);
}

void SimulatedTransport::dropLink(const QString& description) {
    if (!connected_)
        return;
    connected_ = nullptr;
    liveSubscribed_ = false;
    followLiveInterval();
    emit disconnected(0, description);
}

void SimulatedTransport::followLiveInterval() {
    if (liveSubscribed_ && options_.liveIntervalMs)
        liveTimer_.start(*options_.liveIntervalMs);
    else
        liveTimer_.stop();
}

} // namespace vexa::sim
