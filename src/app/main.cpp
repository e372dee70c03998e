#include "app/ProgramOptions.h"
#include "files/DataFolders.h"
#include "files/ProgramDataFolder.h"
#include "link/ble/TransportChoice.h"
#include "link/sim/GaugeProfile.h"
#include "link/sim/SimulatedTransportControl.h"
#include "texts/Program.h"
#include "widgets/BringToFront.h"
#include "widgets/DialogPrompt.h"
#include "widgets/X11KeySender.h"
#include "widgets/frmSimulation.h"
#include "widgets/frmTransfer.h"
#include "window/MainModel.h"
#include "window/SingleInstance.h"
#include "window/WindowSession.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (const std::optional<int> status = vexa::answerWithoutScreen(argc, argv))
        return *status;
    QApplication app(argc, argv);
    QApplication::setApplicationName(vexa::ProgramName);
    // The desktop entry the package installs, for the desktop to find the window's name and icon by.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.vexa.Connect"));

    vexa::ProgramOptions options;
    options.parser.process(app);
    if (options.answers())
        return options.printAnswer();

    // A second copy ends before it touches the first one's log or settings; the user who started it
    // wanted the window, so the first one shows it.
    const vexa::DataFolders folders = vexa::prepareDataFolders();
    vexa::SingleInstance instance(folders.appDataPath);
    if (!instance.isFirst()) {
        if (!instance.askFirstToFront())
            std::fprintf(stderr, "%s\n",
                         "The program runs already; its window could not be brought to the front.");
        return 0;
    }

    QList<vexa::sim::GaugeProfile> profiles;
    for (const QString& file : options.profiles()) {
        const vexa::sim::LoadedProfile loaded = vexa::sim::loadGaugeProfile(file);
        if (!loaded.profile) {
            std::fprintf(stderr, "%s\n", qPrintable(loaded.error));
            return 2;
        }
        profiles.append(*loaded.profile);
    }

    // Online readings reach other programs through the X server; elsewhere the dialog says why not. It
    // outlives the logic that types through it.
    vexa::X11KeySender keySender;
    vexa::DialogPrompt prompt;
    vexa::MainModel model(prompt);
    model.keyForwarder().setSender(&keySender);
    // A simulated gauge sends a live value when the user measures with it in the window of simulated
    // gauges, unless its profile sets an interval; the memory read meanwhile stays on view.
    const std::unique_ptr<vexa::Transport> transport =
        vexa::ble::chooseTransport(profiles, {.liveIntervalMs = std::nullopt});
    std::unique_ptr<vexa::sim::SimulatedTransportControl> simulation;
    if (auto* simulated = qobject_cast<vexa::sim::SimulatedTransport*>(transport.get()))
        simulation = std::make_unique<vexa::sim::SimulatedTransportControl>(*simulated);
    vexa::WindowSession session(*transport, model);
    vexa::FrmTransfer window(model, &session);
    prompt.setParentWindow(&window);
    model.programStart({vexa::programDataFolder(QCoreApplication::applicationDirPath()), folders.appDataPath,
                        folders.messDataPath});
    window.show();
    QObject::connect(&instance, &vexa::SingleInstance::frontRequested, &window,
                     [&window] { vexa::bringToFront(window); });
    if (simulation) {
        // Owned by the main window, beside it.
        auto* simulationWindow = new vexa::FrmSimulation(*simulation, model, &window);
        simulationWindow->move(window.frameGeometry().topRight() + QPoint(8, 0));
        simulationWindow->show();
    }
    return QApplication::exec();
}
