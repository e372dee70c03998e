#include "files/SheetInspection.h"

namespace vexa {

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
    std::vector<MaterialResult> results;
    for (JudgedRows& group : judgedRows(sheet)) {
        auto result = evaluateRule(rule, parameters, group.rows);
        if (const auto* error = std::get_if<UnitError>(&result))
            return *error;
        results.push_back({std::move(group.material), std::get<RuleResult>(std::move(result))});
    }
    return results;
}

} // namespace vexa
