#include "link/RelayTransport.h"

namespace vexa {

RelayTransport::RelayTransport(Transport& inner, QObject* parent)
    : Transport(parent)
    , inner_(inner) {
    connect(&inner, &Transport::advertisement, this, &Transport::advertisement);
    connect(&inner, &Transport::scanStarted, this, &Transport::scanStarted);
    connect(&inner, &Transport::scanFailed, this, &Transport::scanFailed);
    connect(&inner, &Transport::connected, this, &Transport::connected);
    connect(&inner, &Transport::disconnected, this, &Transport::disconnected);
    connect(&inner, &Transport::discovered, this, &Transport::discovered);
    connect(&inner, &Transport::discoveryFinished, this, &Transport::discoveryFinished);
    connect(&inner, &Transport::writeResponse, this, &Transport::writeResponse);
    connect(&inner, &Transport::subscribed, this, &Transport::subscribed);
    connect(&inner, &Transport::unsubscribed, this, &Transport::unsubscribed);
    connect(&inner, &Transport::error, this, &Transport::error);
    connect(&inner, &Transport::value, this,
            [this](const QString& service, const QString& characteristic, const QByteArray& value) {
                emit this->value(service, characteristic, valueArriving(characteristic, value));
            });
}

void RelayTransport::connectToGauge(const QString& serverId) {
    operationStarting({}, {});
    inner_.connectToGauge(serverId);
}

void RelayTransport::disconnectFromGauge() {
    operationStarting({}, {});
    inner_.disconnectFromGauge();
}

void RelayTransport::discover(const QStringList& serviceUuids) {
    operationStarting({}, {});
    inner_.discover(serviceUuids);
}

void RelayTransport::read(const QString& service, const QString& characteristic) {
    operationStarting(characteristic, {});
    inner_.read(service, characteristic);
}

void RelayTransport::write(const QString& service, const QString& characteristic, const QByteArray& value) {
    operationStarting(characteristic, value);
    inner_.write(service, characteristic, value);
}

void RelayTransport::subscribe(const QString& service, const QString& characteristic) {
    operationStarting(characteristic, {});
    inner_.subscribe(service, characteristic);
}

void RelayTransport::unsubscribe(const QString& service, const QString& characteristic) {
    operationStarting(characteristic, {});
    inner_.unsubscribe(service, characteristic);
}

} // namespace vexa
