#pragma once

#include "data/Colours.h"
#include "data/SettingsState.h"

#include <optional>

namespace vexa {

// The evaluation colour of a value against the limits and the 80/20 band; nothing when both limits are 0
// and the value is outside the band. `absolute`: the value is judged by its magnitude.
std::optional<Rgb> evaluationColour(double value, const Limits& limits, bool absolute);

} // namespace vexa
