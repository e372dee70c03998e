#include "data/InspectionRule.h"

#include "data/UnitConversion.h"

#include <algorithm>

namespace vexa {

std::variant<std::vector<RuleReading>, UnitError> ruleReadings(const RuleDefinition& rule,
                                                               const RuleParameters& parameters,
                                                               const std::vector<MeasurementRow>& rows) {
    std::vector<RuleReading> readings;
    readings.reserve(rows.size());
    for (const MeasurementRow& row : rows) {
        if (row.isMarkedX())
            continue;
        const std::optional<double> value = convertUnit(row.value, row.unit, parameters.unit);
        if (!value)
            return UnitError{row.unit, parameters.unit, row.number};
        readings.push_back({row.number, rule.adjust ? rule.adjust(*value, parameters) : *value});
    }
    return readings;
}

std::variant<RuleResult, UnitError> evaluateRule(const RuleDefinition& rule, const RuleParameters& parameters,
                                                 const std::vector<MeasurementRow>& rows) {
    auto converted = ruleReadings(rule, parameters, rows);
    if (const auto* error = std::get_if<UnitError>(&converted))
        return *error;
    const auto& readings = std::get<std::vector<RuleReading>>(converted);

    RuleResult result;
    result.ruleKey = rule.key;
    result.unit = parameters.unit;
    result.readingCount = static_cast<int>(readings.size());
    if (readings.empty())
        return result;

    const RuleInput input{readings, parameters};
    for (const CriterionSpec& criterion : rule.criteria) {
        if (std::optional<CriterionOutcome> outcome = criterion.check(input)) {
            CriterionResult entry;
            static_cast<CriterionOutcome&>(entry) = std::move(*outcome);
            entry.id = criterion.id;
            entry.kind = criterion.kind;
            result.criteria.push_back(std::move(entry));
        }
    }
    if (rule.notes)
        result.notes = rule.notes(input);

    const bool failed = std::any_of(result.criteria.begin(), result.criteria.end(),
                                    [](const CriterionResult& c) { return !c.passed; });
    const bool leftOver = std::any_of(result.notes.begin(), result.notes.end(), [](const RuleNote& note) {
        return note.kind == RuleNoteKind::IncompleteSpot || note.kind == RuleNoteKind::IncompleteArea;
    });
    result.verdict = failed ? RuleVerdict::Failed : leftOver ? RuleVerdict::Incomplete : RuleVerdict::Passed;
    return result;
}

std::variant<OnlineProgress, UnitError> onlineProgress(const RuleDefinition& rule,
                                                       const RuleParameters& parameters,
                                                       const std::vector<MeasurementRow>& rows) {
    auto converted = ruleReadings(rule, parameters, rows);
    if (const auto* error = std::get_if<UnitError>(&converted))
        return *error;
    const auto& readings = std::get<std::vector<RuleReading>>(converted);
    OnlineProgress progress;
    progress.readings = static_cast<int>(readings.size());
    if (rule.progress)
        rule.progress({readings, parameters}, progress);
    return progress;
}

} // namespace vexa
