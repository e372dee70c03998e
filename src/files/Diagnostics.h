#pragma once

#include "files/DiagnosticsReport.h"
#include "link/bluez/SystemFacts.h"

#include <qcoro/qcorotask.h>

namespace vexa {

// The diagnostics' facts: this machine's Bluetooth as `sources` show it, and from the settings folder the
// gauge connected last and the transfer log.
QCoro::Task<DiagnosticsFacts> gatherDiagnostics(QString settingsFolder, bluez::FactSources sources);
// This machine's facts. Not a default argument: GCC 12 destroys a coroutine's default argument twice.
QCoro::Task<DiagnosticsFacts> gatherDiagnostics(QString settingsFolder);

} // namespace vexa
