#pragma once

#include "data/InspectionRule.h"
#include "files/OrderedJson.h"

#include <QString>

// An inspection rule's result as JSON, for scripts: rule, unit, parameters, verdict, readings, criteria
// (id, passed, kind, the figures the kind has, failingRows), notes and groups, in that order.
namespace vexa {

// `material`, where named, comes first. Numbers are on the rules' comparison grid of a millionth of the
// unit, so that 0.8 × 8.3 mils reads 6.64; rows are the table's numbers.
OrderedJson verdictJson(const RuleDefinition& rule, const RuleParameters& parameters,
                        const RuleResult& result, const QString& material = {});

} // namespace vexa
