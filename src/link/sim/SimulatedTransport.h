#pragma once

#include "link/Transport.h"
#include "link/sim/SimulatedGauge.h"

#include <QElapsedTimer>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace vexa::sim {

struct SimulationOptions {
    int latencyMs = 0; // per operation; 0 delivers on the next pass of the event loop
    int latencyUs = 0; // added to latencyMs, for latencies between whole milliseconds
    int liveIntervalMs = 1000;
    int advertisementIntervalMs = 500;
    // Operations after the first N get no outcome at all, and live values stop.
    std::optional<int> stopAnsweringAfter = std::nullopt;
    // Once the first N operations have their outcome the gauge drops the link ("Offline"), once.
    std::optional<int> dropConnectionAfter = std::nullopt;
    // No Bluetooth adapter: every scan start fails with scanFailed.
    bool adapterMissing = false;
};

// The options a gauge's profile asks for on top of `base`: its simulation object's settings, its
// operations counted from the first one after `operationsBefore`.
SimulationOptions gaugeOptions(const GaugeProfile& profile, SimulationOptions base, int operationsBefore);

// Error codes of the simulated transport's error signal.
enum class SimulationError {
    UnknownGauge = 1,
    NotConnected = 2,
    UnknownCharacteristic = 3,
    AlreadyConnected = 4,
    NoAdapter = 5,
};

// A Transport over simulated gauges. Operations touching a gauge (connect, disconnect, discover, read,
// write, subscribe, unsubscribe) are counted for the faults and take effect when their outcome is
// delivered, in call order. Disconnecting while not connected still confirms with "Disconnected".
// A gauge whose profile has a simulation object brings its settings along when it is connected, its
// operations counted from that connect on; the other gauges keep the options given here.
class SimulatedTransport : public Transport {
    Q_OBJECT
public:
    explicit SimulatedTransport(const QList<GaugeProfile>& profiles, SimulationOptions options = {},
                                QObject* parent = nullptr);
    ~SimulatedTransport() override;

    void setOptions(const SimulationOptions& options) { options_ = baseOptions_ = options; }
    // The gauge with this server id, for inspecting its state; nullptr when unknown.
    SimulatedGauge* gauge(const QString& serverId);

    void startScan() override;
    void stopScan() override;
    void connectToGauge(const QString& serverId) override;
    void disconnectFromGauge() override;
    void discover(const QStringList& serviceUuids) override;
    void read(const QString& service, const QString& characteristic) override;
    void write(const QString& service, const QString& characteristic, const QByteArray& value) override;
    void subscribe(const QString& service, const QString& characteristic) override;
    void unsubscribe(const QString& service, const QString& characteristic) override;

private:
    struct Outcome {
        qint64 dueNs;
        std::function<void()> deliver;
    };

    void schedule(std::function<void()> deliver);
    void scheduleGaugeOperation(std::function<void()> deliver);
    void deliverNext();
    void startDeliveryTimer();
    bool silent() const;
    // The connected gauge offering the characteristic, or nullptr after reporting the error.
    SimulatedGauge* connectedGaugeFor(const QString& service, const QString& characteristic);
    void advertise();
    void notifyLiveValue();
    void dropLink(const QString& description);

    std::vector<std::unique_ptr<SimulatedGauge>> gauges_;
    SimulationOptions options_;
    SimulationOptions baseOptions_; // the options without a connected gauge's own
    SimulatedGauge* connected_ = nullptr;
    int operations_ = 0;
    QElapsedTimer clock_;
    std::deque<Outcome> outcomes_;
    QTimer deliveryTimer_;
    QTimer advertisementTimer_;
    QTimer liveTimer_;
};

} // namespace vexa::sim
