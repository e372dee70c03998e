#pragma once

#include "data/InspectionRule.h"

#include <QStringView>
#include <vector>

// The inspection rules the program knows.
namespace vexa {

// Coating thickness: mean, 80 % of the nominal thickness, the 80/20 band, the maximum, and the count of
// readings an area asks for.
const RuleDefinition& iso19840Rule();
// Coating thickness: 90 % of the readings at least the nominal thickness, none below 90 % of it.
const RuleDefinition& pspc9010Rule();
// Coating thickness: spots of consecutive readings within the limits of a restriction level, areas of
// spots within the minimum and maximum.
const RuleDefinition& sspcPa2Rule();
// Residual magnetic field before welding: no reading's magnitude above the welding process's maximum.
const RuleDefinition& weldMagnetismRule();

const std::vector<const RuleDefinition*>& inspectionRules();
// The rule of that key; nothing for an unknown one.
const RuleDefinition* findInspectionRule(QStringView key);

} // namespace vexa
