#include "data/InspectionRules.h"
#include "data/RuleChecks.h"

namespace vexa {

namespace {

using namespace rulechecks;

const QString Micrometres = QStringLiteral("\u00B5m");
const QString Nominal = QStringLiteral("ndft");

// At most this share of the readings below the nominal thickness, and none of them below this percentage
// of it.
constexpr int BelowSharePercent = 10;
constexpr int LowerPercent = 90;

Band belowNominal(const RuleParameters& p) {
    return {std::nullopt, p[Nominal]};
}

std::optional<CriterionOutcome> shareCriterion(const RuleInput& in) {
    CriterionOutcome outcome = shareAtMost(in.readings, belowNominal(in.parameters), BelowSharePercent);
    outcome.figures.limit = in.parameters[Nominal];
    outcome.figures.upperLimit.reset();
    return outcome;
}

std::optional<CriterionOutcome> lowerLimitCriterion(const RuleInput& in) {
    return noneBelow(in.readings, percentOf(in.parameters[Nominal], LowerPercent));
}

void fillProgress(const RuleInput& in, OnlineProgress& progress) {
    const int below = countIn(in.readings, belowNominal(in.parameters));
    progress.belowNominal = below;
    progress.furtherLowToFail = furtherToExceedShare(progress.readings, below, BelowSharePercent);
}

RuleDefinition definition() {
    RuleDefinition rule;
    rule.key = QStringLiteral("pspc9010");
    rule.title = QStringLiteral("IMO PSPC 90/10");
    rule.units = {Micrometres, QStringLiteral("mils"), QStringLiteral("mm")};
    rule.parameters = {{.name = Nominal, .statedUnit = Micrometres, .defaultValue = 320.0}};
    rule.criteria = {
        {QStringLiteral("(a)"), CriterionKind::ShareBelowAtMost, shareCriterion},
        {QStringLiteral("(b)"), CriterionKind::NoneBelow, lowerLimitCriterion},
    };
    rule.progress = fillProgress;
    return rule;
}

} // namespace

const RuleDefinition& pspc9010Rule() {
    static const RuleDefinition rule = definition();
    return rule;
}

} // namespace vexa
