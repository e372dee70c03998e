#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace vexa::sim {

// A memory file of a file-memory gauge: its name in the file list and its bytes.
struct GaugeFile {
    QString name;
    QByteArray bytes;
};

// A memory of a probe-memory gauge: its name in the memory table and its record lines.
struct GaugeMemory {
    QString name;
    QList<QByteArray> records;
};

// The timing and the faults a profile asks of the simulation; what it leaves out keeps the defaults.
// Operations are counted from the first one that reaches a gauge.
struct SimulationSettings {
    std::optional<int> liveIntervalMs;     // between two live values while they are on
    std::optional<int> latencyMs;          // of every operation's outcome
    std::optional<int> stopAnsweringAfter; // operations answered before the gauge falls silent
    std::optional<int> dropLinkAfter;      // operations answered before the gauge drops the link
    bool operator==(const SimulationSettings&) const = default;
};

// Everything a simulated gauge knows about itself. Answer texts are the exact bytes the gauge sends.
struct GaugeProfile {
    QString name;
    QString address; // 12 upper-case hexadecimal digits, the transport's server id
    int rssi = -60;
    QByteArray info;
    std::optional<QByteArray> probe; // gauges without a probe do not know the probe command
    QByteArray battery;
    QByteArray clock;
    QList<GaugeFile> files;
    std::optional<QByteArray> fileList; // answered as it stands instead of one built from the file names
    QList<GaugeMemory> memories;
    QList<QByteArray> live;
    // Also offers the command characteristic in the probe's own command service, reported last.
    bool sondeService = false;
    std::optional<SimulationSettings> simulation;
};

// A loaded profile, or why it could not be loaded ("<origin>: <what is wrong>").
struct LoadedProfile {
    std::optional<GaugeProfile> profile;
    QString error;
};

// Reads a profile from JSON; `origin` names the source in error messages.
LoadedProfile parseGaugeProfile(const QByteArray& json, const QString& origin);
LoadedProfile loadGaugeProfile(const QString& path);

} // namespace vexa::sim
