#include "cli/CliDiagnostics.h"

#include "cli/CliOutput.h"
#include "data/PrintableText.h"
#include "files/Diagnostics.h"

namespace vexa::cli {

QCoro::Task<int> printDiagnostics(CliRequest request, QString settingsFolder) {
    const DiagnosticsFacts facts = co_await gatherDiagnostics(settingsFolder);
    // The log quotes the gauge's bytes; a terminal gets them harmless.
    writeOut(printableLines(diagnosticsText(facts, request.languageIndex.value_or(0))).toUtf8());
    co_return Success;
}

} // namespace vexa::cli
