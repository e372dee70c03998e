#include "cli/CliInspection.h"

#include "cli/CliOutput.h"
#include "files/MemoryExport.h"
#include "files/SheetInspection.h"
#include "files/VerdictJson.h"

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
    const QString line = sheetProgressLine(choice, sheet);
    return line.isEmpty() ? line : line + u'\n';
}

} // namespace vexa::cli
