#pragma once

#include "link/Transport.h"
#include "link/sim/SimulatedGauge.h"

#include <QElapsedTimer>
#include <QHash>
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
    // Between two live values while they are subscribed. None: a live value goes out only when the gauge is
    // measured (measure()), as a real gauge sends one only when the inspector measures.
    std::optional<int> liveIntervalMs = 1000;
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
// Live values go out while they are subscribed: one per measure(), and every interval when there is one.
class SimulatedTransport : public Transport {
    Q_OBJECT
public:
    explicit SimulatedTransport(const QList<GaugeProfile>& profiles, SimulationOptions options = {},
                                QObject* parent = nullptr);
    ~SimulatedTransport() override;

    void setOptions(const SimulationOptions& options) { options_ = baseOptions_ = options; }
    // The gauge with this server id, for inspecting its state; nullptr when unknown.
    SimulatedGauge* gauge(const QString& serverId);
    // The gauge the link is up to; nullptr while none is.
    const SimulatedGauge* connectedGauge() const { return connected_; }

    // The connected gauge is measured: its next live value goes out, in turn with the outcomes of the
    // operations before, provided its live values are subscribed then. A gauge measured while nobody
    // listens sends nothing.
    void measure();
    // The connected gauge's interval of live values while they are subscribed; none: only when measured.
    std::optional<int> liveIntervalMs() const { return options_.liveIntervalMs; }
    // Sets that interval (from 1 ms) or switches it off, at once; it stays with the gauge across its
    // reconnects. Without a connected gauge nothing changes.
    void setLiveIntervalMs(std::optional<int> intervalMs);

    void startScan() override;
    void stopScan() override;
    void connectToGauge(const QString& serverId) override;
    void disconnectFromGauge() override;
    void discover(const QStringList& serviceUuids) override;
    void read(const QString& service, const QString& characteristic) override;
    void write(const QString& service, const QString& characteristic, const QByteArray& value) override;
    void subscribe(const QString& service, const QString& characteristic) override;
    void unsubscribe(const QString& service, const QString& characteristic) override;

signals:
    // setLiveIntervalMs() changed the connected gauge's interval.
    void liveIntervalChanged();

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
    // The live-value timer runs while the values are subscribed and the gauge has an interval.
    void followLiveInterval();
    void dropLink(const QString& description);

    std::vector<std::unique_ptr<SimulatedGauge>> gauges_;
    SimulationOptions options_;
    SimulationOptions baseOptions_; // the options without a connected gauge's own
    SimulatedGauge* connected_ = nullptr;
    bool liveSubscribed_ = false;
    // Intervals set at run time, by gauge address; they override the options at the gauge's connect.
    QHash<QString, std::optional<int>> chosenIntervals_;
    int operations_ = 0;
    QElapsedTimer clock_;
    std::deque<Outcome> outcomes_;
    QTimer deliveryTimer_;
    QTimer advertisementTimer_;
    QTimer liveTimer_;
};

} // namespace vexa::sim
