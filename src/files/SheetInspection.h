#pragma once

#include "data/InspectionRule.h"
#include "data/MeasurementSheet.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <variant>
#include <vector>

// An inspection rule applied to a measurement sheet: the rows it judges, and its results.
namespace vexa {

// The rows one judgement takes. A gauge that measures two materials counts each material's statistics on
// its own; a coating of one material says nothing about the other, so each is judged on its own too.
struct JudgedRows {
    QString material; // as the statistics title names it ("FE", "NFE"); empty: every row of the sheet
    std::vector<MeasurementRow> rows;
};

// The rows of each material the sheet counts statistics for, in the order of its statistics (a material
// without rows left out); one group of every row where the sheet counts them together. Rows marked "X" stay
// in: the rule leaves them out.
std::vector<JudgedRows> judgedRows(const MeasurementSheet& sheet);

struct MaterialResult {
    QString material;
    RuleResult result;
};

// The rule over every group of judgedRows(); the first reading not in the rule's unit ends it.
std::variant<std::vector<MaterialResult>, UnitError>
inspectSheet(const RuleDefinition& rule, const RuleParameters& parameters, const MeasurementSheet& sheet);

// A line of a sheet's verdict and the rows it names (see verdictLineRows).
struct VerdictLine {
    QString text;
    std::vector<int> rows;
};

struct SheetVerdict {
    std::vector<VerdictLine> lines;
    // Over every material: failed where one fails, else incomplete where one is, else passed where one has
    // readings. None where a reading cannot be judged.
    std::optional<RuleVerdict> verdict;
};

// The verdict lines of every material in the sheet's language, a blank line between materials; or the one
// line that names the reading the rule cannot state in its unit, and that reading's row.
SheetVerdict sheetVerdict(const RuleChoice& choice, const MeasurementSheet& sheet);
// The texts of sheetVerdict()'s lines.
QStringList sheetVerdictLines(const RuleChoice& choice, const MeasurementSheet& sheet);

// Where the online readings of the material of the sheet's last row stand, after that material's name
// where the sheet counts two; empty without rows and while a reading cannot be judged (the verdict says why).
QString sheetProgressLine(const RuleChoice& choice, const MeasurementSheet& sheet);

} // namespace vexa
