// vexa-connect-cli: the program's transfers from a shell, on the same gauge layer and sheet as the windows.
#include "cli/CliDiagnostics.h"
#include "cli/CliOpen.h"
#include "cli/CliOutput.h"
#include "cli/CliRequest.h"
#include "cli/CliRun.h"
#include "files/AdapterTexts.h"
#include "files/DataFolders.h"
#include "files/ProgramDataFolder.h"
#include "link/ble/TransportChoice.h"
#include "link/sim/GaugeProfile.h"
#include "texts/Program.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

// A PDF is drawn with Qt's fonts and painting: the tool then runs as a GUI application without a screen.
bool drawsPdf(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--format=pdf" ||
            (argument == "--format" && i + 1 < argc && QByteArray(argv[i + 1]) == "pdf"))
            return true;
    }
    return false;
}

std::unique_ptr<QCoreApplication> application(int& argc, char* argv[]) {
    if (!drawsPdf(argc, argv))
        return std::make_unique<QCoreApplication>(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

QCoro::Task<> quitWith(QCoro::Task<int> command) {
    const int status = co_await std::move(command);
    QCoreApplication::exit(status);
}

// Started from the event loop, so that the command's end can end the loop.
int runInEventLoop(std::function<QCoro::Task<int>()> command) {
    QTimer::singleShot(0, QCoreApplication::instance(), [&command] { quitWith(command()); });
    return QCoreApplication::exec();
}

// The command on the gauge, through the adapter the request names, looked up first.
QCoro::Task<int> runGaugeCommand(vexa::cli::CliRequest request, QList<vexa::sim::GaugeProfile> profiles) {
    using namespace vexa;
    QBluetoothAddress adapter;
    if (!request.adapter.isEmpty()) {
        const bluez::AdapterLookup lookup = co_await bluez::lookUpAdapter(request.adapter);
        if (!lookup.adapter) {
            cli::writeErrorLine(adapterLookupFailure(lookup, request.adapter, 1));
            co_return lookup.bluez.answer == bluez::BusAnswer::Answers ? cli::UsageError : cli::Failure;
        }
        adapter = QBluetoothAddress(lookup.adapter->address);
    }
    const DataFolders folders = prepareDataFolders();
    const std::unique_ptr<Transport> transport = ble::chooseTransport(profiles, {}, adapter);
    cli::CliRun run(std::move(request), *transport,
                    {programDataFolder(QCoreApplication::applicationDirPath()), folders.appDataPath,
                     folders.messDataPath});
    co_return co_await run.run();
}

} // namespace

int main(int argc, char* argv[]) {
    using namespace vexa;
    const std::unique_ptr<QCoreApplication> app = application(argc, argv);
    // The same settings and measurement-data folders as the program's windows.
    QCoreApplication::setApplicationName(ProgramName);

    const cli::ParsedRequest parsed = cli::parseRequest(QCoreApplication::arguments());
    if (!parsed.answer.isEmpty()) {
        std::fputs(parsed.answer.toUtf8().constData(), stdout);
        return cli::Success;
    }
    if (!parsed.request) {
        std::fprintf(stderr, "vexa-connect-cli: %s\n", parsed.error.toUtf8().constData());
        return cli::UsageError;
    }
    // A file is read without a gauge: no scan, no transport, no event loop.
    if (parsed.request->command == cli::Command::Open || (parsed.request->command == cli::Command::Evaluate &&
                                                          parsed.request->readings == cli::Readings::File))
        return cli::openMeasurementFile(*parsed.request);
    // Before anything that would start a transfer log of this run: the report quotes the last one.
    if (parsed.request->command == cli::Command::Diagnostics) {
        const DataFolders folders = prepareDataFolders();
        return runInEventLoop([&] { return cli::printDiagnostics(*parsed.request, folders.appDataPath); });
    }

    QList<sim::GaugeProfile> profiles;
    for (const QString& file : parsed.request->profileFiles) {
        const sim::LoadedProfile loaded = sim::loadGaugeProfile(file);
        if (!loaded.profile) {
            std::fprintf(stderr, "vexa-connect-cli: %s\n", loaded.error.toUtf8().constData());
            return cli::UsageError;
        }
        profiles.append(*loaded.profile);
    }
    return runInEventLoop([&] { return runGaugeCommand(*parsed.request, profiles); });
}
