#include "files/SheetInspection.h"

namespace vexa {

namespace {

// Each group's value of `judge`, or the first error.
template <typename Entry, typename Judge>
std::variant<std::vector<Entry>, UnitError> eachGroup(const MeasurementSheet& sheet, Judge judge) {
    std::vector<Entry> entries;
    for (const JudgedRows& group : judgedRows(sheet)) {
        auto judged = judge(group.rows);
        if (const auto* error = std::get_if<UnitError>(&judged))
            return *error;
        entries.push_back({group.material, std::move(std::get<0>(judged))});
    }
    return entries;
}

} // namespace

std::vector<JudgedRows> judgedRows(const MeasurementSheet& sheet) {
    if (sheet.materials.size() < 2)
        return {{QString(), sheet.rows}};
    // The first statistics take the rows the material button leaves in, the second the others.
    std::vector<JudgedRows> groups(2);
    for (size_t i = 0; i < groups.size(); ++i)
        groups[i].material = sheet.materials[i].state().materialLabel;
    for (const MeasurementRow& row : sheet.rows)
        groups[sheet.showsMaterialOf(row) ? 0 : 1].rows.push_back(row);
    // A material the gauge did not measure has nothing to judge.
    std::erase_if(groups, [](const JudgedRows& group) { return group.rows.empty(); });
    return groups;
}

std::variant<std::vector<MaterialResult>, UnitError>
inspectSheet(const RuleDefinition& rule, const RuleParameters& parameters, const MeasurementSheet& sheet) {
    return eachGroup<MaterialResult>(
        sheet, [&](const std::vector<MeasurementRow>& rows) { return evaluateRule(rule, parameters, rows); });
}

std::variant<std::vector<MaterialProgress>, UnitError>
sheetProgress(const RuleDefinition& rule, const RuleParameters& parameters, const MeasurementSheet& sheet) {
    return eachGroup<MaterialProgress>(sheet, [&](const std::vector<MeasurementRow>& rows) {
        return onlineProgress(rule, parameters, rows);
    });
}

} // namespace vexa
