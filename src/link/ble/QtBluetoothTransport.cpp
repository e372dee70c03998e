#include "link/ble/QtBluetoothTransport.h"

#include "link/ble/BluetoothNames.h"

#include <QBluetoothDeviceInfo>
#include <QMetaEnum>

namespace vexa::ble {

namespace {

QString notifyKey(const QString& service, const QString& characteristic) {
    return service + u'/' + characteristic;
}

} // namespace

QtBluetoothTransport::QtBluetoothTransport(const QBluetoothAddress& adapter, QObject* parent)
    : Transport(parent) {
    useAdapter(adapter);
    // Qt picks its BlueZ backend by the daemon's version, which it learns by running the daemon's binary;
    // where that fails (no rights on the process, a container) it falls back to raw kernel sockets. The
    // program speaks to BlueZ over D-Bus only (BlueZ 5.42 and later, Debian 12 has 5.66).
    if (!qEnvironmentVariableIsSet("BLUETOOTH_FORCE_DBUS_LE_VERSION"))
        qputenv("BLUETOOTH_FORCE_DBUS_LE_VERSION", "5.66");
    connect(&scan_, &BluetoothScan::started, this, &Transport::scanStarted);
    connect(&scan_, &BluetoothScan::failed, this, &Transport::scanFailed);
    connect(&scan_, &BluetoothScan::advertisement, this, &Transport::advertisement);
    connect(&search_, &DeviceSearch::found, this, [this] { connectNow(searchedServerId_); });
    connect(&search_, &DeviceSearch::notFound, this, [this] {
        emit error(int(QLowEnergyController::UnknownRemoteDeviceError),
                   QStringLiteral("Gauge %1 not found").arg(searchedServerId_));
    });
}

// Nothing of the controller may call back into a transport being destroyed.
QtBluetoothTransport::~QtBluetoothTransport() {
    if (!controller_)
        return;
    QObject::disconnect(controller_.get(), nullptr, this, nullptr);
    for (QLowEnergyService* service : std::as_const(services_))
        QObject::disconnect(service, nullptr, this, nullptr);
    if (controller_->state() != QLowEnergyController::UnconnectedState)
        controller_->disconnectFromDevice();
}

void QtBluetoothTransport::useAdapter(const QBluetoothAddress& adapter) {
    adapter_ = adapter;
    scan_.useAdapter(adapter);
    search_.useAdapter(adapter);
}

void QtBluetoothTransport::startScan() {
    post([this] { scan_.start(); });
}

void QtBluetoothTransport::stopScan() {
    post([this] { scan_.stop(); });
}

void QtBluetoothTransport::connectToGauge(const QString& serverId) {
    post([this, serverId] {
        searchedServerId_.clear();
        connectNow(serverId.toUpper());
    });
}

void QtBluetoothTransport::disconnectFromGauge() {
    post([this] { disconnectNow(); });
}

void QtBluetoothTransport::discover(const QStringList& serviceUuids) {
    post([this, serviceUuids] { discoverNow(serviceUuids); });
}

void QtBluetoothTransport::read(const QString& service, const QString& characteristic) {
    post([=, this] { startGatt(GattKind::Read, service, characteristic); });
}

void QtBluetoothTransport::write(const QString& service, const QString& characteristic,
                                 const QByteArray& value) {
    post([=, this] { startGatt(GattKind::Write, service, characteristic, value); });
}

void QtBluetoothTransport::subscribe(const QString& service, const QString& characteristic) {
    post([=, this] { startGatt(GattKind::Subscribe, service, characteristic); });
}

void QtBluetoothTransport::unsubscribe(const QString& service, const QString& characteristic) {
    post([=, this] { startGatt(GattKind::Unsubscribe, service, characteristic); });
}

void QtBluetoothTransport::post(std::function<void()> operation) {
    queue_.push_back(std::move(operation));
    QMetaObject::invokeMethod(this, &QtBluetoothTransport::runQueued, Qt::QueuedConnection);
}

void QtBluetoothTransport::runQueued() {
    while (!closing_ && !queue_.empty()) {
        const std::function<void()> operation = std::move(queue_.front());
        queue_.pop_front();
        operation();
    }
}

void QtBluetoothTransport::connectNow(const QString& serverId) {
    if (controller_ && controller_->state() != QLowEnergyController::UnconnectedState) {
        if (serverId != connectedServerId_)
            emit error(int(TransportError::AlreadyConnected),
                       QStringLiteral("Already connected to ") + connectedServerId_);
        else if (linkUp_)
            emit connected(0, QStringLiteral("OK"));
        return; // connecting to it already: that connect answers
    }
    dropLink();
    const QBluetoothAddress address = addressOf(serverId);
    if (address.isNull()) {
        emit error(int(TransportError::BadAddress), QStringLiteral("Not a Bluetooth address: ") + serverId);
        return;
    }
    QBluetoothDeviceInfo device(address, QString(), 0);
    device.setCoreConfigurations(QBluetoothDeviceInfo::LowEnergyCoreConfiguration);
    controller_.reset(adapter_.isNull() ? QLowEnergyController::createCentral(device)
                                        : QLowEnergyController::createCentral(device, adapter_));
    connectedServerId_ = serverId;
    QLowEnergyController* controller = controller_.get();
    connect(controller, &QLowEnergyController::connected, this, [this] {
        linkUp_ = true;
        emit connected(0, QStringLiteral("OK"));
    });
    connect(controller, &QLowEnergyController::stateChanged, this, &QtBluetoothTransport::onStateChanged);
    connect(controller, &QLowEnergyController::errorOccurred, this, &QtBluetoothTransport::onControllerError);
    connect(controller, &QLowEnergyController::serviceDiscovered, this,
            [this](const QBluetoothUuid& uuid) { serviceOrder_.append(uuidText(uuid)); });
    connect(controller, &QLowEnergyController::discoveryFinished, this,
            &QtBluetoothTransport::discoverDetails);
    controller->connectToDevice();
}

// Disconnecting without a link still confirms, as the gauge's side of the link is down either way.
void QtBluetoothTransport::disconnectNow() {
    if (!controller_ || controller_->state() == QLowEnergyController::UnconnectedState) {
        dropLink();
        emit disconnected(0, QStringLiteral("Disconnected"));
        return;
    }
    closing_ = true;
    controller_->disconnectFromDevice();
}

void QtBluetoothTransport::onStateChanged(QLowEnergyController::ControllerState state) {
    if (state != QLowEnergyController::UnconnectedState)
        return;
    if (closing_) {
        closing_ = false;
        pendingError_.reset();
        dropLink();
        emit disconnected(0, QStringLiteral("Disconnected"));
        QMetaObject::invokeMethod(this, &QtBluetoothTransport::runQueued, Qt::QueuedConnection);
    } else if (linkUp_) {
        pendingError_.reset();
        dropLink();
        emit disconnected(0, QStringLiteral("Offline"));
    }
    // Otherwise a connect failed; its error is on its way.
}

// Qt reports an error before the state change it causes.
void QtBluetoothTransport::onControllerError(QLowEnergyController::Error controllerError) {
    if (controllerError == QLowEnergyController::UnknownRemoteDeviceError && !linkUp_ && !closing_ &&
        searchedServerId_ != connectedServerId_) {
        searchDevice();
        return;
    }
    pendingError_.emplace(int(controllerError), controller_->errorString());
    QMetaObject::invokeMethod(this, &QtBluetoothTransport::reportControllerError, Qt::QueuedConnection);
}

// The gauge is in range again, but BlueZ has forgotten it: connecting waits until a search has seen it.
void QtBluetoothTransport::searchDevice() {
    searchedServerId_ = connectedServerId_;
    search_.find(addressOf(searchedServerId_), DeviceSearchDeadline);
}

void QtBluetoothTransport::reportControllerError() {
    if (!pendingError_)
        return;
    const auto [code, description] = *std::exchange(pendingError_, std::nullopt);
    emit error(code, description);
}

// Forgets the link; the controller may be the sender of the signal being handled, so it goes later.
void QtBluetoothTransport::dropLink() {
    search_.stop();
    linkUp_ = false;
    discovering_ = false;
    connectedServerId_.clear();
    serviceOrder_.clear();
    wantedServices_.clear();
    inFlight_.clear();
    notifying_.clear();
    for (QLowEnergyService* service : std::as_const(services_))
        QObject::disconnect(service, nullptr, this, nullptr);
    services_.clear(); // children of the controller
    if (controller_) {
        QObject::disconnect(controller_.get(), nullptr, this, nullptr);
        controller_.release()->deleteLater();
    }
}

void QtBluetoothTransport::discoverNow(const QStringList& wanted) {
    if (!linkUp_) {
        emit error(int(TransportError::NotConnected), QStringLiteral("Not connected"));
        return;
    }
    wantedServices_.clear();
    for (const QString& uuid : wanted)
        wantedServices_.append(uuid.toUpper());
    discovering_ = true;
    // While the controller is still discovering, the end of that discovery carries on with this one.
    if (controller_->state() == QLowEnergyController::ConnectedState)
        controller_->discoverServices();
    else if (controller_->state() == QLowEnergyController::DiscoveredState)
        discoverDetails();
}

// Characteristics of the wanted services, without reading their values: some gauges dislike reads
// while they are being discovered. A service's details may arrive while its discovery is being started.
void QtBluetoothTransport::discoverDetails() {
    if (!discovering_)
        return;
    QList<QLowEnergyService*> wanted;
    for (const QString& uuid : std::as_const(serviceOrder_))
        if (wantedServices_.isEmpty() || wantedServices_.contains(uuid))
            if (QLowEnergyService* service = serviceObject(uuid))
                wanted.append(service);
    for (QLowEnergyService* service : wanted)
        if (service->state() == QLowEnergyService::RemoteService)
            service->discoverDetails(QLowEnergyService::SkipValueDiscovery);
    finishDiscovery();
}

void QtBluetoothTransport::finishDiscovery() {
    if (!discovering_)
        return;
    QList<QLowEnergyService*> found;
    for (const QString& uuid : std::as_const(serviceOrder_)) {
        QLowEnergyService* service = services_.value(uuid);
        if (!service || (!wantedServices_.isEmpty() && !wantedServices_.contains(uuid)))
            continue;
        if (service->state() == QLowEnergyService::RemoteService ||
            service->state() == QLowEnergyService::RemoteServiceDiscovering)
            return; // the rest follows with its state change
        if (service->state() == QLowEnergyService::RemoteServiceDiscovered)
            found.append(service);
    }
    discovering_ = false;
    for (QLowEnergyService* service : found) {
        const QString uuid = uuidText(service->serviceUuid());
        emit discovered(GattType::Service, uuid, QString());
        for (const QLowEnergyCharacteristic& characteristic : service->characteristics())
            emit discovered(GattType::Characteristic, uuid, uuidText(characteristic.uuid()));
    }
    emit discoveryFinished();
}

QLowEnergyService* QtBluetoothTransport::serviceObject(const QString& uuid) {
    if (QLowEnergyService* known = services_.value(uuid))
        return known;
    QLowEnergyService* service = controller_->createServiceObject(QBluetoothUuid(uuid), controller_.get());
    if (!service)
        return nullptr;
    services_.insert(uuid, service);
    connect(service, &QLowEnergyService::stateChanged, this, &QtBluetoothTransport::finishDiscovery);
    connect(service, &QLowEnergyService::characteristicRead, this,
            [this, uuid](const QLowEnergyCharacteristic& characteristic, const QByteArray& value) {
                const QString characteristicUuid = uuidText(characteristic.uuid());
                onGattDone(GattKind::Read, uuid, characteristicUuid);
                emit this->value(uuid, characteristicUuid, value);
            });
    connect(service, &QLowEnergyService::characteristicWritten, this,
            [this, uuid](const QLowEnergyCharacteristic& characteristic) {
                const QString characteristicUuid = uuidText(characteristic.uuid());
                onGattDone(GattKind::Write, uuid, characteristicUuid);
                emit writeResponse(uuid, characteristicUuid);
            });
    // A descriptor write is always a subscription change: the oldest one under way in this service.
    connect(service, &QLowEnergyService::descriptorWritten, this, [this, uuid] {
        for (const GattOperation& operation : inFlight_)
            if (operation.service == uuid &&
                (operation.kind == GattKind::Subscribe || operation.kind == GattKind::Unsubscribe)) {
                onGattDone(operation.kind, uuid, operation.characteristic);
                return;
            }
    });
    connect(service, &QLowEnergyService::characteristicChanged, this,
            [this, uuid](const QLowEnergyCharacteristic& characteristic, const QByteArray& value) {
                onCharacteristicChanged(uuid, characteristic, value);
            });
    connect(service, &QLowEnergyService::errorOccurred, this, &QtBluetoothTransport::onServiceError);
    return service;
}

QLowEnergyService* QtBluetoothTransport::gattTarget(const QString& service, const QString& characteristic) {
    if (!linkUp_) {
        emit error(int(TransportError::NotConnected), QStringLiteral("Not connected"));
        return nullptr;
    }
    QLowEnergyService* target = services_.value(service);
    if (!target || target->state() != QLowEnergyService::RemoteServiceDiscovered ||
        !target->characteristic(QBluetoothUuid(characteristic)).isValid()) {
        emit error(int(TransportError::UnknownCharacteristic),
                   QStringLiteral("No characteristic %1 in service %2").arg(characteristic, service));
        return nullptr;
    }
    return target;
}

void QtBluetoothTransport::startGatt(GattKind kind, const QString& service, const QString& characteristic,
                                     const QByteArray& value) {
    QLowEnergyService* target = gattTarget(service, characteristic);
    if (!target)
        return;
    const QLowEnergyCharacteristic gattCharacteristic =
        target->characteristic(QBluetoothUuid(characteristic));
    const QLowEnergyDescriptor configuration = gattCharacteristic.clientCharacteristicConfiguration();
    if ((kind == GattKind::Subscribe || kind == GattKind::Unsubscribe) && !configuration.isValid()) {
        emit error(int(TransportError::NoNotifications),
                   QStringLiteral("Characteristic %1 does not notify").arg(characteristic));
        return;
    }
    inFlight_.push_back({kind, service, characteristic});
    switch (kind) {
    case GattKind::Read:
        target->readCharacteristic(gattCharacteristic);
        break;
    case GattKind::Write:
        target->writeCharacteristic(gattCharacteristic, value, QLowEnergyService::WriteWithResponse);
        break;
    case GattKind::Subscribe:
        target->writeDescriptor(configuration, QLowEnergyCharacteristic::CCCDEnableNotification);
        break;
    case GattKind::Unsubscribe:
        target->writeDescriptor(configuration, QLowEnergyCharacteristic::CCCDDisable);
        break;
    }
}

const char* QtBluetoothTransport::verb(GattKind kind) {
    switch (kind) {
    case GattKind::Read:
        return "Read";
    case GattKind::Write:
        return "Write";
    case GattKind::Subscribe:
        return "Subscribe";
    case GattKind::Unsubscribe:
        return "Unsubscribe";
    }
    return "";
}

void QtBluetoothTransport::onGattDone(GattKind kind, const QString& service, const QString& characteristic) {
    for (auto it = inFlight_.begin(); it != inFlight_.end(); ++it)
        if (it->kind == kind && it->service == service && it->characteristic == characteristic) {
            inFlight_.erase(it);
            break;
        }
    if (kind == GattKind::Subscribe) {
        notifying_.insert(notifyKey(service, characteristic));
        emit subscribed(service, characteristic);
    } else if (kind == GattKind::Unsubscribe) {
        notifying_.remove(notifyKey(service, characteristic));
        emit unsubscribed(service, characteristic);
    }
}

// Qt runs the operations of all services one after the other, so the failed one is the oldest under way
// in the service that reports the error.
void QtBluetoothTransport::onServiceError(QLowEnergyService::ServiceError serviceError) {
    const auto* service = qobject_cast<QLowEnergyService*>(sender());
    const QString uuid = service ? uuidText(service->serviceUuid()) : QString();
    QString description =
        QString::fromLatin1(QMetaEnum::fromType<QLowEnergyService::ServiceError>().valueToKey(serviceError));
    for (auto it = inFlight_.begin(); it != inFlight_.end(); ++it)
        if (it->service == uuid) {
            description = QStringLiteral("%1 of %2 failed (%3)")
                              .arg(QLatin1String(verb(it->kind)), it->characteristic, description);
            inFlight_.erase(it);
            break;
        }
    emit error(ServiceErrors + int(serviceError), description);
}

// Values of characteristics the program did not subscribe to are dropped: BlueZ also announces the value
// a read brought, and that value has already been delivered as the read's result.
void QtBluetoothTransport::onCharacteristicChanged(const QString& service,
                                                   const QLowEnergyCharacteristic& characteristic,
                                                   const QByteArray& value) {
    const QString characteristicUuid = uuidText(characteristic.uuid());
    if (notifying_.contains(notifyKey(service, characteristicUuid)))
        emit this->value(service, characteristicUuid, value);
}

} // namespace vexa::ble
