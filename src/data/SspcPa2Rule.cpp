#include "data/InspectionRules.h"
#include "data/RuleChecks.h"

#include <algorithm>

namespace vexa {

namespace {

using namespace rulechecks;

const QString Mils = QStringLiteral("mils");
const QString Minimum = QStringLiteral("min");
const QString Maximum = QStringLiteral("max");
const QString SpotReadings = QStringLiteral("spot-readings");
const QString Spots = QStringLiteral("spots");
const QString Level = QStringLiteral("level");

// A spot's limits per restriction level, in percent of the minimum and of the maximum; 0: unrestricted.
struct LevelLimits {
    int ofMinimum;
    int ofMaximum;
};
constexpr LevelLimits Levels[] = {{0, 100}, {100, 120}, {80, 120}, {80, 150}, {80, 0}};

// More readings to a spot or spots to an area than any inspection takes are a typing error.
constexpr double MostGroupMembers = 100;

struct SpotLimits {
    std::optional<double> lower;
    std::optional<double> upper;
};

SpotLimits spotLimits(const RuleParameters& p) {
    const LevelLimits level = Levels[static_cast<int>(p[Level]) - 1];
    SpotLimits limits;
    if (level.ofMinimum != 0)
        limits.lower = percentOf(p[Minimum], level.ofMinimum);
    if (level.ofMaximum != 0)
        limits.upper = percentOf(p[Maximum], level.ofMaximum);
    return limits;
}

bool within(double value, std::optional<double> lower, std::optional<double> upper) {
    return !(lower && isBelow(value, *lower)) && !(upper && isAbove(value, *upper));
}

// Consecutive readings, `size` to a spot; a last spot with fewer is listed as incomplete.
std::vector<ReadingGroup> spotsOf(const std::vector<RuleReading>& readings, int size) {
    std::vector<ReadingGroup> spots;
    double sum = 0;
    for (const RuleReading& reading : readings) {
        if (spots.empty() || spots.back().complete) {
            spots.emplace_back();
            sum = 0;
        }
        ReadingGroup& spot = spots.back();
        spot.rows.push_back(reading.row);
        sum += reading.value;
        ++spot.members;
        spot.mean = sum / spot.members;
        spot.complete = spot.members == size;
    }
    return spots;
}

// Consecutive complete spots, `size` to an area, judged by the mean of their means; a last area with
// fewer is listed as incomplete.
std::vector<ReadingGroup> areasOf(const std::vector<ReadingGroup>& spots, int size) {
    std::vector<ReadingGroup> areas;
    double sum = 0;
    for (const ReadingGroup& spot : spots) {
        if (!spot.complete)
            break;
        if (areas.empty() || areas.back().complete) {
            areas.emplace_back();
            sum = 0;
        }
        ReadingGroup& area = areas.back();
        area.rows.insert(area.rows.end(), spot.rows.begin(), spot.rows.end());
        sum += spot.mean;
        ++area.members;
        area.mean = sum / area.members;
        area.complete = area.members == size;
    }
    return areas;
}

std::vector<ReadingGroup> spotsOf(const RuleInput& in) {
    return spotsOf(in.readings, static_cast<int>(in.parameters[SpotReadings]));
}

// Judges the complete groups; the rows of a group that fails fail the criterion.
CriterionOutcome judgeGroups(std::vector<ReadingGroup> groups, std::optional<double> lower,
                             std::optional<double> upper) {
    CriterionOutcome outcome;
    CriterionFigures& figures = outcome.figures;
    figures.limit = lower;
    figures.upperLimit = upper;
    for (ReadingGroup& group : groups) {
        if (!group.complete)
            continue;
        ++figures.outOf;
        figures.lowest = std::min(figures.lowest.value_or(group.mean), group.mean);
        figures.highest = std::max(figures.highest.value_or(group.mean), group.mean);
        group.withinLimits = within(group.mean, lower, upper);
        if (group.withinLimits)
            continue;
        ++figures.count;
        outcome.failingRows.insert(outcome.failingRows.end(), group.rows.begin(), group.rows.end());
    }
    outcome.passed = figures.count == 0;
    outcome.groups = std::move(groups);
    return outcome;
}

std::optional<CriterionOutcome> spotCriterion(const RuleInput& in) {
    const SpotLimits limits = spotLimits(in.parameters);
    return judgeGroups(spotsOf(in), limits.lower, limits.upper);
}

std::optional<CriterionOutcome> areaCriterion(const RuleInput& in) {
    const std::vector<ReadingGroup> areas = areasOf(spotsOf(in), static_cast<int>(in.parameters[Spots]));
    return judgeGroups(areas, in.parameters[Minimum], in.parameters[Maximum]);
}

// What the groups leave over is listed but not judged, and keeps the verdict from passing: a spot or an
// area is judged only once whole, so that an unfinished one neither passes nor fails the measurement.
std::vector<RuleNote> leftOverNotes(const RuleInput& in) {
    std::vector<RuleNote> notes;
    const std::vector<ReadingGroup> spots = spotsOf(in);
    if (!spots.back().complete)
        notes.push_back({RuleNoteKind::IncompleteSpot, static_cast<double>(spots.back().members)});
    const std::vector<ReadingGroup> areas = areasOf(spots, static_cast<int>(in.parameters[Spots]));
    if (areas.empty() || !areas.back().complete)
        notes.push_back({RuleNoteKind::IncompleteArea, areas.empty() ? 0.0 : areas.back().members});
    return notes;
}

void fillProgress(const RuleInput& in, OnlineProgress& progress) {
    progress.required = static_cast<int>(in.parameters[SpotReadings] * in.parameters[Spots]);
}

RuleDefinition definition() {
    RuleDefinition rule;
    rule.key = QStringLiteral("sspc-pa2");
    rule.title = QStringLiteral("SSPC-PA 2");
    rule.units = {Mils, QStringLiteral("\u00B5m"), QStringLiteral("mm")};

    const auto whole = [](const QString& name, double defaultValue, double maximum) {
        return ParameterSpec{.name = name,
                             .kind = ParameterKind::Whole,
                             .defaultValue = defaultValue,
                             .minimum = 1,
                             .minimumIncluded = true,
                             .maximum = maximum};
    };
    rule.parameters = {
        {.name = Minimum, .statedUnit = Mils, .atMost = Maximum},
        {.name = Maximum, .statedUnit = Mils},
        whole(SpotReadings, 3, MostGroupMembers),
        whole(Spots, 5, MostGroupMembers),
        whole(Level, 3, std::size(Levels)),
    };

    rule.criteria = {
        {QStringLiteral("(a)"), CriterionKind::SpotsWithinLimits, spotCriterion},
        {QStringLiteral("(b)"), CriterionKind::AreasWithinLimits, areaCriterion},
    };
    rule.notes = leftOverNotes;
    rule.progress = fillProgress;
    return rule;
}

} // namespace

const RuleDefinition& sspcPa2Rule() {
    static const RuleDefinition rule = definition();
    return rule;
}

} // namespace vexa
