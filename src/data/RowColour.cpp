#include "data/RowColour.h"

#include <cmath>

namespace vexa {

std::optional<Rgb> evaluationColour(double value, const Limits& limits, bool absolute) {
    const double v = absolute ? std::fabs(value) : value;
    std::optional<Rgb> colour;
    if (limits.minimum != 0 || limits.maximum != 0) {
        // A reading of exactly 0 is never above the maximum: 0 stands for "nothing measured".
        const bool outside = (v != 0 && v > limits.maximum) || v < limits.minimum;
        colour = outside ? colours::lightred : colours::lightgreen;
    }
    if (limits.rule8020) {
        const double bandStart = limits.target - limits.target * 20 / 100;
        if (bandStart <= v && v < limits.target)
            colour = colours::lightorange;
    }
    return colour;
}

} // namespace vexa
