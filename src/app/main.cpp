#include "app/ProgramOptions.h"
#include "files/AdapterTexts.h"
#include "files/DataFolders.h"
#include "files/ProgramDataFolder.h"
#include "link/ble/QtBluetoothTransport.h"
#include "link/ble/TransportChoice.h"
#include "link/bluez/AdapterLookup.h"
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
#include <QTimer>
#include <cstdio>

namespace {

QCoro::Task<> lookUpAndQuit(QString wanted, vexa::bluez::AdapterLookup& lookup) {
    lookup = co_await vexa::bluez::lookUpAdapter(std::move(wanted));
    QCoreApplication::exit(0);
}

// The adapter --adapter names, asked of BlueZ before there is a window: the event loop turns for the
// lookup alone.
vexa::bluez::AdapterLookup lookUpAdapterFirst(const QString& wanted) {
    vexa::bluez::AdapterLookup lookup;
    QTimer::singleShot(0, QCoreApplication::instance(), [&] { lookUpAndQuit(wanted, lookup); });
    QApplication::exec();
    return lookup;
}

QCoro::Task<QList<vexa::bluez::AdapterFacts>> bluezAdapters() {
    co_return (co_await vexa::bluez::askBluezAdapters()).adapters;
}

} // namespace

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
    QString adapter;
    if (options.parser.isSet(options.adapter)) {
        const QString wanted = options.parser.value(options.adapter);
        if (!profiles.isEmpty()) {
            std::fprintf(stderr, "%s\n", "--adapter names a Bluetooth adapter: simulated gauges use none");
            return 2;
        }
        const vexa::bluez::AdapterLookup lookup = lookUpAdapterFirst(wanted);
        if (!lookup.adapter) {
            std::fprintf(stderr, "%s\n", qPrintable(vexa::adapterLookupFailure(lookup, wanted, 1)));
            return lookup.bluez.answer == vexa::bluez::BusAnswer::Answers ? 2 : 1;
        }
        adapter = lookup.adapter->address;
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
        vexa::ble::chooseTransport(profiles, {.liveIntervalMs = std::nullopt}, QBluetoothAddress(adapter));
    std::unique_ptr<vexa::sim::SimulatedTransportControl> simulation;
    if (auto* simulated = qobject_cast<vexa::sim::SimulatedTransport*>(transport.get()))
        simulation = std::make_unique<vexa::sim::SimulatedTransportControl>(*simulated);
    vexa::WindowSession session(*transport, model);
    if (auto* bluetooth = qobject_cast<vexa::ble::QtBluetoothTransport*>(transport.get()))
        session.linkWindow().offerAdapters(
            {&bluezAdapters,
             [bluetooth](const QString& address) { bluetooth->useAdapter(QBluetoothAddress(address)); },
             adapter});
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
