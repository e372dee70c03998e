#pragma once

#include "data/InspectionRule.h"
#include "data/ValueFormat.h"

#include <QString>
#include <QStringList>
#include <vector>

// An inspection rule's result as lines of text for the inspector, in the program's language: which
// criterion failed, by how much, and which readings did it.
namespace vexa {

// What the lines of one rule's results are written with.
struct VerdictContext {
    const RuleDefinition& rule;
    const RuleParameters& parameters;
    MeasureContext measure; // numbers are written as the program writes readings of the rule's unit
    int languageIndex = 0;
};

// The rule's title in the language: the rules named after standards keep their names in every language.
QString ruleTitle(const RuleDefinition& rule, int languageIndex);

// At most this many rows are listed in a line; the rest are counted.
inline constexpr int ListedRows = 10;

// The verdict line (with `material` after the rule's title where one is named), the parameters, a line
// per criterion, a line per spot and area, then the notes.
QStringList verdictLines(const VerdictContext& context, const RuleResult& result,
                         const QString& material = {});

// The rows each line of verdictLines() names, line by line: a criterion's line the rows against it, a spot's
// or area's line its readings; none for the other lines.
std::vector<std::vector<int>> verdictLineRows(const RuleResult& result);

// "BESTANDEN" / "PASSED" and the other verdicts.
QString verdictText(RuleVerdict verdict, int languageIndex);

// Where an online measurement stands: "12 of 20 readings; 2 below NDFT; one more low reading fails (c)".
QString progressLine(const VerdictContext& context, const OnlineProgress& progress);

// "rows 12, 19", the first ListedRows of them and "… and 5 more"; empty for none.
QString rowsText(const std::vector<int>& rows, int languageIndex);

} // namespace vexa
