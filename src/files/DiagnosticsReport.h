#pragma once

#include "data/SettingsState.h"
#include "link/bluez/BluetoothFacts.h"

#include <QStringList>
#include <optional>

namespace vexa {

// What support asks for when Bluetooth fails: versions, BlueZ, the adapters, the user's rights, the gauge
// connected last and the end of the transfer log.
struct DiagnosticsFacts {
    QString program;   // name and version
    QString qtRunning; // the Qt library the program runs with
    QString qtBuilt;   // the Qt it was built with
    bluez::BluetoothFacts bluetooth;
    std::optional<LastGauge> lastGauge;
    QStringList log; // the transfer log, a line each
};

// The transfer log's lines a report ends with at most.
inline constexpr qsizetype DiagnosticsLogLines = 200;

// The report as lines, in the language `languageIndex`; each failing check's line ends with what to do.
QStringList diagnosticsLines(const DiagnosticsFacts& facts, int languageIndex);

// The lines as one text, a line each, for the clipboard and standard output.
QString diagnosticsText(const DiagnosticsFacts& facts, int languageIndex);

} // namespace vexa
