#pragma once

#include "link/sim/GaugeFiles.h"
#include "link/sim/GaugeProfile.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace vexa::sim {

struct GattService {
    QString uuid;
    QStringList characteristics; // UUIDs, in the order discovery reports them
};

// A gauge as seen from its Bluetooth LE characteristics, without any event loop or timer, so that every
// transport double can host it. A command written to the command characteristic is answered by the next
// read of it; a read with no new command returns the previous answer again, as a polled value does.
// Live values cycle through the profile's lines. The gauge's clock starts at the profile's time and runs
// with the PC's, as a gauge's own clock does once set.
class SimulatedGauge {
public:
    using TimeSource = std::function<QDateTime()>;

    explicit SimulatedGauge(GaugeProfile profile, TimeSource now = &QDateTime::currentDateTime);

    const GaugeProfile& profile() const { return profile_; }
    QList<GattService> services() const;
    bool offers(const QString& service, const QString& characteristic) const;

    // The characteristic's current value; empty for one that is not offered.
    QByteArray read(const QString& service, const QString& characteristic);
    void write(const QString& service, const QString& characteristic, const QByteArray& value);

    // The value of the next live-value notification; nullopt when the profile has no live values.
    std::optional<QByteArray> nextLiveValue();

    // The clock runs on from the time it shows now, with `now` as its time base from here on: a source that
    // stands still stops the clock.
    void setTimeSource(TimeSource now);
    // The clock set to `time` (the gauge's local time), as the set-time command sets it.
    void setClock(const QDateTime& time);

private:
    void command(const QByteArray& text);
    std::optional<QByteArray> answer(const QByteArray& text);
    void setClock(const QByteArray& dateTime);
    QByteArray clockAnswer() const;
    QByteArray memoryTable() const;
    QByteArray nextRecords();

    GaugeProfile profile_;
    GaugeFiles files_;
    TimeSource now_;
    // The clock's time at `clockSetAt_`, held as UTC so that adding the time passed ignores the PC's clock
    // changes; none when the profile's clock text is not a time, which is then answered as it stands.
    std::optional<QDateTime> clockTime_;
    QDateTime clockSetAt_;
    QByteArray commandAnswer_;
    std::optional<qsizetype> selectedMemory_;
    qsizetype nextRecord_ = 0;
    qsizetype nextLive_ = 0;
    QByteArray lastLive_;
};

} // namespace vexa::sim
