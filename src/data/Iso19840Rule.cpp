#include "data/InspectionRules.h"
#include "data/RuleChecks.h"
#include "data/UnitConversion.h"
#include "data/ValueFormat.h"

#include <cmath>

namespace vexa {

namespace {

using namespace rulechecks;

const QString Micrometres = QStringLiteral("\u00B5m");
const QString Nominal = QStringLiteral("ndft");
const QString Maximum = QStringLiteral("max");
const QString Correction = QStringLiteral("correction");
const QString Area = QStringLiteral("area");

constexpr int LowerPercent = 80;
constexpr int BandSharePercent = 20;
// The least nominal thickness the rule is made for.
constexpr double ScopeMicrometres = 40;
// A square kilometre: larger is a typing error, and would take the count of readings past an int.
constexpr double LargestArea = 1e6;

double lowerLimit(const RuleParameters& p) {
    return percentOf(p[Nominal], LowerPercent);
}

Band band(const RuleParameters& p) {
    return {lowerLimit(p), p[Nominal]};
}

// Readings an inspection area asks for, by its size in m².
int requiredReadings(double squareMetres) {
    struct Step {
        double upTo;
        int readings;
    };
    constexpr Step Steps[] = {{1, 5}, {3, 10}, {10, 15}, {30, 20}, {100, 30}};
    for (const Step& step : Steps) {
        if (!isAbove(squareMetres, step.upTo))
            return step.readings;
    }
    // 10 more for every further 100 m² or part of it; the grid keeps 200 m² from counting as 200.0000001.
    const double further = roundHalfEven((squareMetres - 100) / 100, 6);
    return 30 + 10 * static_cast<int>(std::ceil(further));
}

std::optional<CriterionOutcome> meanCriterion(const RuleInput& in) {
    return meanAtLeast(in.readings, in.parameters[Nominal]);
}

std::optional<CriterionOutcome> lowerLimitCriterion(const RuleInput& in) {
    return noneBelow(in.readings, lowerLimit(in.parameters));
}

std::optional<CriterionOutcome> bandCriterion(const RuleInput& in) {
    return shareAtMost(in.readings, band(in.parameters), BandSharePercent);
}

std::optional<CriterionOutcome> maximumCriterion(const RuleInput& in) {
    return noneAbove(in.readings, in.parameters[Maximum]);
}

std::optional<CriterionOutcome> countCriterion(const RuleInput& in) {
    if (!in.parameters.has(Area))
        return std::nullopt;
    CriterionOutcome outcome;
    outcome.figures.count = static_cast<int>(in.readings.size());
    outcome.figures.required = requiredReadings(in.parameters[Area]);
    outcome.passed = outcome.figures.count >= *outcome.figures.required;
    return outcome;
}

double subtractCorrection(double value, const RuleParameters& p) {
    return value - p[Correction];
}

std::vector<RuleNote> scopeNotes(const RuleInput& in) {
    const std::optional<double> scope = convertUnit(ScopeMicrometres, Micrometres, in.parameters.unit);
    if (scope && isBelow(in.parameters[Nominal], *scope))
        return {{RuleNoteKind::NominalBelowScope, *scope}};
    return {};
}

void fillProgress(const RuleInput& in, OnlineProgress& progress) {
    if (in.parameters.has(Area))
        progress.required = requiredReadings(in.parameters[Area]);
    progress.belowNominal = countIn(in.readings, {std::nullopt, in.parameters[Nominal]});
    progress.furtherLowToFail =
        furtherToExceedShare(progress.readings, countIn(in.readings, band(in.parameters)), BandSharePercent);
}

RuleDefinition definition() {
    RuleDefinition rule;
    rule.key = QStringLiteral("iso19840");
    rule.title = QStringLiteral("ISO 19840");
    rule.units = {Micrometres, QStringLiteral("mils"), QStringLiteral("mm")};

    rule.parameters = {
        {.name = Nominal, .statedUnit = Micrometres, .atMost = Maximum},
        {.name = Maximum, .statedUnit = Micrometres, .derivedDefault = DerivedDefault{Nominal, 3}},
        // The roughness classes' correction values for blasted steel.
        {.name = Correction,
         .statedUnit = Micrometres,
         .defaultValue = 0.0,
         .minimumIncluded = true,
         .choices = {{QStringLiteral("none"), 0},
                     {QStringLiteral("fine"), 10},
                     {QStringLiteral("medium"), 25},
                     {QStringLiteral("coarse"), 40}}},
        {.name = Area,
         .kind = ParameterKind::Number,
         .statedUnit = QStringLiteral("m\u00B2"),
         .optional = true,
         .maximum = LargestArea},
    };

    rule.criteria = {
        {QStringLiteral("(a)"), CriterionKind::MeanAtLeast, meanCriterion},
        {QStringLiteral("(b)"), CriterionKind::NoneBelow, lowerLimitCriterion},
        {QStringLiteral("(c)"), CriterionKind::BandShareAtMost, bandCriterion},
        {QStringLiteral("(d)"), CriterionKind::NoneAbove, maximumCriterion},
        {QStringLiteral("(e)"), CriterionKind::EnoughReadings, countCriterion},
    };
    rule.adjust = subtractCorrection;
    rule.notes = scopeNotes;
    rule.progress = fillProgress;
    return rule;
}

} // namespace

const RuleDefinition& iso19840Rule() {
    static const RuleDefinition rule = definition();
    return rule;
}

} // namespace vexa
