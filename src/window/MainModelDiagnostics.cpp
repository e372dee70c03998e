// The Bluetooth diagnostics onto the clipboard, the same report as the command-line tool prints.
#include "files/Diagnostics.h"
#include "texts/Texts.h"
#include "window/MainModel.h"
#include "window/Prompt.h"

namespace vexa {

QCoro::Task<> MainModel::mnuDiagnose_Click() {
    const DiagnosticsFacts facts = co_await gatherDiagnostics(state_.appDataPath, diagnosticsSources_);
    emit copyToClipboard(diagnosticsText(facts, state_.languageIndex));
    prompt_.message(Texts::notice(Notice::DiagnosticsCopied, state_.languageIndex), PromptIcon::Information);
}

} // namespace vexa
