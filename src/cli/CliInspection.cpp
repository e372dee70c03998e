#include "cli/CliInspection.h"

#include "cli/CliOutput.h"
#include "files/MemoryExport.h"
#include "files/SheetInspection.h"
#include "files/VerdictJson.h"
#include "files/VerdictLines.h"

namespace vexa::cli {

namespace {

using Inspected = std::variant<std::vector<MaterialResult>, QString>;

Inspected inspect(const RuleChoice& choice, const MeasurementSheet& sheet) {
    auto inspected = inspectSheet(*choice.rule, choice.parameters, sheet);
    if (const auto* error = std::get_if<UnitError>(&inspected))
        return QStringLiteral("row %1 is in %2, which %3 cannot judge in %4")
            .arg(QString::number(error->row), error->fromUnit, choice.rule->key, error->toUnit);
    return std::get<std::vector<MaterialResult>>(std::move(inspected));
}

QList<OrderedJson> verdictObjects(const RuleChoice& choice, const std::vector<MaterialResult>& results) {
    QList<OrderedJson> objects;
    for (const MaterialResult& entry : results)
        objects.append(verdictJson(*choice.rule, choice.parameters, entry.result, entry.material));
    return objects;
}

VerdictContext verdictContext(const RuleChoice& choice, const MeasurementSheet& sheet) {
    return {*choice.rule, choice.parameters, sheet.gauge.measureContext(), sheet.languageIndex};
}

} // namespace

std::optional<QString> writeInspection(const RuleChoice& choice, const MeasurementSheet& sheet,
                                       Format format) {
    const Inspected inspected = inspect(choice, sheet);
    if (const auto* error = std::get_if<QString>(&inspected))
        return *error;
    const auto& results = std::get<std::vector<MaterialResult>>(inspected);
    if (format == Format::Json) {
        QByteArray array = "[";
        for (const OrderedJson& object : verdictObjects(choice, results))
            array += (array.size() > 1 ? "," : "") + object.text();
        return writeResult(QString(), array + "]\n");
    }
    return writeResult(QString(), sheetVerdictLines(choice, sheet).join(u'\n') + u'\n');
}

std::optional<QString> writeSheetWithInspection(const RuleChoice& choice, const MeasurementSheet& sheet,
                                                const QString& outputFile) {
    const Inspected inspected = inspect(choice, sheet);
    if (const auto* error = std::get_if<QString>(&inspected))
        return *error;
    OrderedJson object = memoryObject(exportedMemory(sheet));
    object.add(u"inspection", verdictObjects(choice, std::get<std::vector<MaterialResult>>(inspected)));
    return writeResult(outputFile, object.text() + '\n');
}

QString progressOfLastRow(const RuleChoice& choice, const MeasurementSheet& sheet) {
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
            return (group.material.isEmpty() ? line : group.material + QStringLiteral(": ") + line) + u'\n';
        }
    }
    return {};
}

} // namespace vexa::cli
