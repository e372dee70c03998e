#include "data/RuleChecks.h"

#include "data/ValueFormat.h"

#include <algorithm>

namespace vexa::rulechecks {

namespace {

constexpr int GridDecimals = 6;

double onGrid(double value) {
    return roundHalfEven(value, GridDecimals);
}

bool inBand(double value, const Band& band) {
    return (!band.from || !isBelow(value, *band.from)) && isBelow(value, band.below);
}

void noteExtremes(const std::vector<RuleReading>& readings, CriterionFigures& figures) {
    const auto [lowest, highest] =
        std::minmax_element(readings.begin(), readings.end(),
                            [](const RuleReading& a, const RuleReading& b) { return a.value < b.value; });
    if (lowest != readings.end()) {
        figures.lowest = lowest->value;
        figures.highest = highest->value;
    }
}

// Every reading judged on its own: the rows `fails` picks fail the criterion.
template <typename Fails>
CriterionOutcome eachReading(const std::vector<RuleReading>& readings, double limit, Fails fails) {
    CriterionOutcome outcome;
    outcome.figures.limit = limit;
    outcome.figures.outOf = static_cast<int>(readings.size());
    noteExtremes(readings, outcome.figures);
    for (const RuleReading& reading : readings) {
        if (fails(reading.value))
            outcome.failingRows.push_back(reading.row);
    }
    outcome.figures.count = static_cast<int>(outcome.failingRows.size());
    outcome.passed = outcome.failingRows.empty();
    return outcome;
}

} // namespace

bool isBelow(double value, double limit) {
    return onGrid(value) < onGrid(limit);
}

bool isAbove(double value, double limit) {
    return onGrid(value) > onGrid(limit);
}

double percentOf(double value, int percent) {
    return value - value * (100 - percent) / 100;
}

double meanOf(const std::vector<RuleReading>& readings) {
    double sum = 0;
    for (const RuleReading& reading : readings)
        sum += reading.value;
    return readings.empty() ? 0 : sum / static_cast<double>(readings.size());
}

int countIn(const std::vector<RuleReading>& readings, const Band& band) {
    return static_cast<int>(std::count_if(readings.begin(), readings.end(),
                                          [&](const RuleReading& r) { return inBand(r.value, band); }));
}

int allowedShare(int count, int percent) {
    return count * percent / 100;
}

int furtherToExceedShare(int count, int inBand, int percent) {
    // (inBand + k) × 100 > percent × (count + k), solved for the least whole k.
    const int margin = percent * count - 100 * inBand;
    return margin < 0 ? 0 : margin / (100 - percent) + 1;
}

CriterionOutcome meanAtLeast(const std::vector<RuleReading>& readings, double limit) {
    CriterionOutcome outcome;
    const double mean = meanOf(readings);
    outcome.figures.limit = limit;
    outcome.figures.mean = mean;
    outcome.figures.outOf = static_cast<int>(readings.size());
    noteExtremes(readings, outcome.figures);
    outcome.passed = !isBelow(mean, limit);
    return outcome;
}

CriterionOutcome noneBelow(const std::vector<RuleReading>& readings, double limit) {
    return eachReading(readings, limit, [limit](double value) { return isBelow(value, limit); });
}

CriterionOutcome noneAbove(const std::vector<RuleReading>& readings, double limit) {
    return eachReading(readings, limit, [limit](double value) { return isAbove(value, limit); });
}

CriterionOutcome shareAtMost(const std::vector<RuleReading>& readings, const Band& band, int percent) {
    CriterionOutcome outcome;
    const int count = static_cast<int>(readings.size());
    CriterionFigures& figures = outcome.figures;
    figures.limit = band.from;
    figures.upperLimit = band.below;
    figures.outOf = count;
    figures.allowed = allowedShare(count, percent);
    noteExtremes(readings, figures);
    std::vector<int> rows;
    for (const RuleReading& reading : readings) {
        if (inBand(reading.value, band))
            rows.push_back(reading.row);
    }
    figures.count = static_cast<int>(rows.size());
    // Whole numbers, so that exactly `percent` % is never taken for a hair more.
    outcome.passed = figures.count * 100 <= percent * count;
    if (!outcome.passed)
        outcome.failingRows = std::move(rows);
    return outcome;
}

} // namespace vexa::rulechecks
