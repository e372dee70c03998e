#pragma once

#include <QObject>
#include <QString>
#include <optional>

namespace vexa {

// What the window of simulated gauges does to the connected one, as an inspector at the gauge would:
// measure now, or have it measure every so often. Only simulated gauges offer it; a real gauge measures
// in the inspector's hand.
class SimulationControl : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The connected gauge's name; none while no gauge is connected.
    virtual std::optional<QString> connectedGauge() const = 0;
    // The connected gauge sends its next live value, when the program listens to them.
    virtual void measure() = 0;
    // The interval of the connected gauge's automatic live values; none: only when measured.
    virtual std::optional<int> liveIntervalMs() const = 0;
    virtual void setLiveIntervalMs(std::optional<int> intervalMs) = 0;

signals:
    // A gauge connected or disconnected, or the interval changed.
    void changed();
};

} // namespace vexa
