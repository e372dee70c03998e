#pragma once

#include "data/SettingsState.h"

#include <QString>

namespace vexa {

// The caption of the main window's limits button: "Grenzwerte" / "Limits" while no limit is set,
// otherwise three lines ">" minimum, "<" maximum, "=" target separated by CR LF, each number right-aligned
// in 7 characters with one decimal (three on "WP" gauges) when any of them has a fraction, else none.
QString limitsCaption(const Limits& limits, const QString& deviceModel, int languageIndex);

} // namespace vexa
