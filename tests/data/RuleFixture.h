#pragma once

// Rows and parameters for the inspection rules' tests.
#include "data/InspectionRules.h"

#include <QList>
#include <QTest>
#include <cmath>

namespace vexa::fixture {

// Rows numbered from `firstNumber` on, all in `unit`; a value of NaN stands for a row marked "X".
inline std::vector<MeasurementRow> ruleRows(const QList<double>& values,
                                            const QString& unit = QStringLiteral("µm"), int firstNumber = 1) {
    std::vector<MeasurementRow> rows;
    qint16 number = static_cast<qint16>(firstNumber);
    for (const double value : values) {
        MeasurementRow row;
        row.number = number++;
        row.unit = unit;
        if (std::isnan(value))
            row.mark = QStringLiteral("X");
        else
            row.value = value;
        rows.push_back(row);
    }
    return rows;
}

inline QList<double> repeated(double value, int count) {
    return QList<double>(count, value);
}

inline RuleParameters ruleParameters(const RuleDefinition& rule, const QStringList& texts) {
    auto resolved = resolveParameters(rule, texts);
    if (!std::holds_alternative<RuleParameters>(resolved))
        qFatal("parameters %s not accepted", qPrintable(texts.join(u' ')));
    return std::get<RuleParameters>(resolved);
}

inline RuleResult evaluated(const RuleDefinition& rule, const QStringList& texts,
                            const std::vector<MeasurementRow>& rows) {
    auto result = evaluateRule(rule, ruleParameters(rule, texts), rows);
    if (!std::holds_alternative<RuleResult>(result))
        qFatal("rows not in the rule's unit");
    return std::get<RuleResult>(result);
}

// The criterion of that id; an empty one with no id where the result has none.
inline CriterionResult criterion(const RuleResult& result, const QString& id) {
    for (const CriterionResult& c : result.criteria) {
        if (c.id == id)
            return c;
    }
    return {};
}

inline QList<int> failingRows(const CriterionResult& c) {
    return QList<int>(c.failingRows.begin(), c.failingRows.end());
}

} // namespace vexa::fixture
