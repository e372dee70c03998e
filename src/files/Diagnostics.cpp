#include "files/Diagnostics.h"

#include "files/SettingsFiles.h"
#include "files/TransferLog.h"
#include "texts/Program.h"

namespace vexa {

namespace {

// The versions, and what the program keeps in the settings folder.
DiagnosticsFacts programFacts(const QString& settingsFolder) {
    DiagnosticsFacts facts;
    facts.program = windowTitle();
    facts.qtRunning = QString::fromLatin1(qVersion());
    facts.qtBuilt = QStringLiteral(QT_VERSION_STR);
    TransferLog log(settingsFolder);
    facts.lastGauge = SettingsFiles(settingsFolder, log).readProgramSettings().lastGauge;
    facts.log = log.lines();
    return facts;
}

} // namespace

QCoro::Task<DiagnosticsFacts> gatherDiagnostics(QString settingsFolder, bluez::FactSources sources) {
    DiagnosticsFacts facts = programFacts(settingsFolder);
    facts.bluetooth = co_await bluez::gatherBluetoothFacts(std::move(sources));
    co_return facts;
}

QCoro::Task<DiagnosticsFacts> gatherDiagnostics(QString settingsFolder) {
    return gatherDiagnostics(std::move(settingsFolder), bluez::FactSources{});
}

} // namespace vexa
