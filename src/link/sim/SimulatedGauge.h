#pragma once

#include "link/sim/GaugeFiles.h"
#include "link/sim/GaugeProfile.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace vexa::sim {

struct GattService {
    QString uuid;
    QStringList characteristics; // UUIDs, in the order discovery reports them
};

// A gauge as seen from its Bluetooth LE characteristics, without any event loop or timer, so that every
// transport double can host it. A command written to the command characteristic is answered by the next
// read of it; a read with no new command returns the previous answer again, as a polled value does.
// Live values cycle through the profile's lines.
class SimulatedGauge {
public:
    explicit SimulatedGauge(GaugeProfile profile);

    const GaugeProfile& profile() const { return profile_; }
    QList<GattService> services() const;
    bool offers(const QString& service, const QString& characteristic) const;

    // The characteristic's current value; empty for one that is not offered.
    QByteArray read(const QString& service, const QString& characteristic);
    void write(const QString& service, const QString& characteristic, const QByteArray& value);

    // The value of the next live-value notification; nullopt when the profile has no live values.
    std::optional<QByteArray> nextLiveValue();

private:
    void command(const QByteArray& text);
    std::optional<QByteArray> answer(const QByteArray& text);
    void setClock(const QByteArray& dateTime);
    QByteArray memoryTable() const;
    QByteArray nextRecords();

    GaugeProfile profile_;
    GaugeFiles files_;
    QByteArray clock_;
    QByteArray commandAnswer_;
    std::optional<qsizetype> selectedMemory_;
    qsizetype nextRecord_ = 0;
    qsizetype nextLive_ = 0;
    QByteArray lastLive_;
};

} // namespace vexa::sim
