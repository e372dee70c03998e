// vexa-connect-cli: the program's transfers from a shell, on the same gauge layer and sheet as the windows.
#include "cli/CliOpen.h"
#include "cli/CliRequest.h"
#include "cli/CliRun.h"
#include "files/DataFolders.h"
#include "files/ProgramDataFolder.h"
#include "link/ble/TransportChoice.h"
#include "link/sim/GaugeProfile.h"
#include "texts/Program.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTimer>
#include <cstdio>
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

QCoro::Task<> runAndQuit(vexa::cli::CliRun& run) {
    const int status = co_await run.run();
    QCoreApplication::exit(status);
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
    if (parsed.request->command == cli::Command::Open)
        return cli::openMeasurementFile(*parsed.request);

    QList<sim::GaugeProfile> profiles;
    for (const QString& file : parsed.request->profileFiles) {
        const sim::LoadedProfile loaded = sim::loadGaugeProfile(file);
        if (!loaded.profile) {
            std::fprintf(stderr, "vexa-connect-cli: %s\n", loaded.error.toUtf8().constData());
            return cli::UsageError;
        }
        profiles.append(*loaded.profile);
    }

    const DataFolders folders = prepareDataFolders();
    const std::unique_ptr<Transport> transport = ble::chooseTransport(profiles);
    cli::CliRun run(*parsed.request, *transport,
                    {programDataFolder(QCoreApplication::applicationDirPath()), folders.appDataPath,
                     folders.messDataPath});
    // Started from the event loop, so that the run's end can end the loop.
    QTimer::singleShot(0, app.get(), [&run] { runAndQuit(run); });
    return QCoreApplication::exec();
}
