#pragma once

#include "cli/CliRequest.h"

namespace vexa::cli {

// The command `open`: the measurement file read as the main window's "Datei öffnen" reads it, its rows
// written as `download` writes a memory's. No gauge is asked: the traits are the model's the request
// names, else those the file's layout shows; the language is German unless asked for; there are no
// limits but those asked for. `evaluate --file` judges its rows by the request's rule instead. Returns the
// exit status.
int openMeasurementFile(const CliRequest& request);

} // namespace vexa::cli
