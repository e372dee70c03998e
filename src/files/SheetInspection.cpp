#include "files/SheetInspection.h"

#include "files/VerdictLines.h"
#include "texts/Texts.h"

#include <algorithm>

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

namespace {

VerdictContext verdictContext(const RuleChoice& choice, const MeasurementSheet& sheet) {
    return {*choice.rule, choice.parameters, sheet.gauge.measureContext(), sheet.languageIndex};
}

RuleVerdict overallVerdict(const std::vector<MaterialResult>& results) {
    const auto any = [&results](RuleVerdict verdict) {
        return std::any_of(results.begin(), results.end(), [verdict](const MaterialResult& entry) {
            return entry.result.verdict == verdict;
        });
    };
    for (const RuleVerdict verdict : {RuleVerdict::Failed, RuleVerdict::Incomplete, RuleVerdict::Passed})
        if (any(verdict))
            return verdict;
    return RuleVerdict::NoReadings;
}

} // namespace

SheetVerdict sheetVerdict(const RuleChoice& choice, const MeasurementSheet& sheet) {
    const auto inspected = inspectSheet(*choice.rule, choice.parameters, sheet);
    if (const auto* error = std::get_if<UnitError>(&inspected))
        return {{{Texts::notice(Notice::RuleUnitError, sheet.languageIndex)
                      .arg(QString::number(error->row), error->fromUnit, choice.rule->title, error->toUnit),
                  {error->row}}},
                std::nullopt};
    const VerdictContext context = verdictContext(choice, sheet);
    const auto& results = std::get<std::vector<MaterialResult>>(inspected);
    SheetVerdict verdict{{}, overallVerdict(results)};
    for (const MaterialResult& entry : results) {
        if (!verdict.lines.empty())
            verdict.lines.push_back({});
        const QStringList texts = verdictLines(context, entry.result, entry.material);
        const std::vector<std::vector<int>> rows = verdictLineRows(entry.result);
        for (qsizetype i = 0; i < texts.size(); ++i)
            verdict.lines.push_back({texts[i], rows[static_cast<size_t>(i)]});
    }
    return verdict;
}

QStringList sheetVerdictLines(const RuleChoice& choice, const MeasurementSheet& sheet) {
    QStringList texts;
    for (const VerdictLine& line : sheetVerdict(choice, sheet).lines)
        texts.append(line.text);
    return texts;
}

QString sheetProgressLine(const RuleChoice& choice, const MeasurementSheet& sheet) {
    if (sheet.rows.empty())
        return {};
    // The reading just taken moves only its own material's progress.
    const int last = sheet.rows.back().number;
    for (const JudgedRows& group : judgedRows(sheet)) {
        if (group.rows.back().number != last)
            continue;
        const auto progress = onlineProgress(*choice.rule, choice.parameters, group.rows);
        if (const auto* entry = std::get_if<OnlineProgress>(&progress)) {
            const QString line = progressLine(verdictContext(choice, sheet), *entry);
            return group.material.isEmpty() ? line : group.material + QStringLiteral(": ") + line;
        }
    }
    return {};
}

} // namespace vexa
