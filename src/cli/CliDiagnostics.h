#pragma once

#include "cli/CliRequest.h"

#include <qcoro/qcorotask.h>

namespace vexa::cli {

// The command `diagnostics`: the report "Hilfe" → "Diagnose kopieren" copies, on standard output, in
// German unless asked for. The transfer log it quotes is the one the last run left: this command does not
// start a log of its own. Returns the exit status.
QCoro::Task<int> printDiagnostics(CliRequest request, QString settingsFolder);

} // namespace vexa::cli
