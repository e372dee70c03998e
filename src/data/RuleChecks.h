#pragma once

#include "data/InspectionRule.h"

#include <optional>
#include <vector>

// The building blocks the rules' criteria are made of.
namespace vexa::rulechecks {

// Readings and limits are compared on a grid of a millionth of the rule's unit: a thousand times finer
// than the finest decimal the program shows, and coarse enough that 0.8 × 8.3 mils (6.640000000000001 in
// binary) and 203.2 µm in mils (7.999999999999999) meet 6.64 and 8 exactly.
bool isBelow(double value, double limit);
bool isAbove(double value, double limit);

// `percent` of `value`, computed as the 80/20 line computes its band's start (value - value × 20 / 100).
double percentOf(double value, int percent);

double meanOf(const std::vector<RuleReading>& readings);

struct Band {
    std::optional<double> from; // included; none: from any value
    double below = 0;           // excluded
};

int countIn(const std::vector<RuleReading>& readings, const Band& band);

// The most readings of `count` that may lie in a band held to `percent` % of them.
int allowedShare(int count, int percent);
// How many further readings in the band would take it past `percent` %; 0 when it is past already.
int furtherToExceedShare(int count, int inBand, int percent);

CriterionOutcome meanAtLeast(const std::vector<RuleReading>& readings, double limit);
CriterionOutcome noneBelow(const std::vector<RuleReading>& readings, double limit);
CriterionOutcome noneAbove(const std::vector<RuleReading>& readings, double limit);
// At most `percent` % of the readings in `band`; figures: limit and upperLimit are the band's ends.
CriterionOutcome shareAtMost(const std::vector<RuleReading>& readings, const Band& band, int percent);

} // namespace vexa::rulechecks
