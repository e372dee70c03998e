#include "data/InspectionRules.h"
#include "data/RuleChecks.h"

#include <cmath>

namespace vexa {

namespace {

using namespace rulechecks;

const QString Gauss = QStringLiteral("G");
const QString Maximum = QStringLiteral("max");

// The largest residual field each welding process tolerates, in gauss as the sources state them (the
// rule's default unit gives 2 mT, 1 mT and 0.25 mT):
//  - arc welding, below which magnetic arc blow is strongly reduced: 20 G (16 A/cm);
//  - arc welding with filler wire (FCAW, GMAW, SMAW), below which the wire hardly sticks to a side:
//    10 G (8 A/cm);
//  - electron-beam welding, below which the beam is hardly disturbed: 2.5 G (2 A/cm).
// Sources: "Demagnetize prior to weld" (A Marine Blog, 2018) for all three; SSAB's welding guide
// "Magnetic arc blow" puts the onset of arc blow on its wear and structural plates at about 40 G, so the
// arc welding value keeps a margin.
const std::vector<ParameterChoice> WeldingProcesses = {
    {QStringLiteral("arc"), 20},
    {QStringLiteral("filler-wire"), 10},
    {QStringLiteral("electron-beam"), 2.5},
};

// A field has a sign; the weld cares about its strength.
double magnitude(double value, const RuleParameters&) {
    return std::fabs(value);
}

std::optional<CriterionOutcome> maximumCriterion(const RuleInput& in) {
    return noneAbove(in.readings, in.parameters[Maximum]);
}

RuleDefinition definition() {
    RuleDefinition rule;
    rule.key = QStringLiteral("weld");
    rule.title = QStringLiteral("Residual magnetism before welding");
    rule.units = {QStringLiteral("mT"), Gauss, QStringLiteral("A/cm"), QStringLiteral("kA/m"),
                  QStringLiteral("A/m")};
    rule.parameters = {{.name = Maximum,
                        .statedUnit = Gauss,
                        .defaultValue = WeldingProcesses.front().value,
                        .choices = WeldingProcesses}};
    rule.criteria = {{QStringLiteral("(a)"), CriterionKind::NoneAbove, maximumCriterion}};
    rule.adjust = magnitude;
    return rule;
}

} // namespace

const RuleDefinition& weldMagnetismRule() {
    static const RuleDefinition rule = definition();
    return rule;
}

} // namespace vexa
