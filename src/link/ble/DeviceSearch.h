#pragma once

#include <QBluetoothAddress>
#include <QBluetoothDeviceDiscoveryAgent>
#include <QObject>
#include <chrono>
#include <memory>

namespace vexa::ble {

// Looks for one device until it is seen or the time is up. BlueZ connects only to devices it knows, and
// forgets a device some time after it left; a search makes a gauge that is back in range known again.
class DeviceSearch : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~DeviceSearch() override;

    // `found` or `notFound`, from the event loop.
    void find(const QBluetoothAddress& address, std::chrono::milliseconds deadline);
    // Ends a search under way without a signal.
    void stop();
    // Later searches go through the adapter with this address; a null address is the system's default.
    void useAdapter(const QBluetoothAddress& adapter);

signals:
    void found();
    void notFound();

private:
    void onDevice(const QBluetoothDeviceInfo& device);
    void end(bool success);

    QBluetoothAddress adapter_;
    std::unique_ptr<QBluetoothDeviceDiscoveryAgent> agent_;
    QBluetoothAddress wanted_;
    bool searching_ = false;
};

} // namespace vexa::ble
