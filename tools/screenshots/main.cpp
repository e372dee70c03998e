// Grabs the main window on the bundled coating gauge for a person to look at: its memory m001 read, with
// limits 90 to 130, target 100 and the 80/20 rule, and one row clicked (selected and marked), at 900×600
// and maximised on a 1920×1080 screen, in German and in English. Then the charts: the compact chart and
// the chart window as lines and as bars, of m001 and of the gauge's series memory; the project dialog
// with a project saved, the clock window and the information window, in German and in English.
//
//     vexa-screenshots FOLDER [--profile PROFILE.json]
//
// Without QT_QPA_PLATFORM it draws offscreen. The settings and the log go to a temporary folder.
#include "files/TextFile.h"
#include "link/sim/GaugeProfile.h"
#include "link/sim/SimulatedTransport.h"
#include "widgets/frmInfo.h"
#include "widgets/frmTime.h"
#include "widgets/frmTransfer.h"
#include "window/ChartWindowModel.h"
#include "window/MainControls.h"
#include "window/MainModel.h"
#include "window/ProjectWindowModel.h"
#include "window/ScriptedPrompt.h"
#include "window/WindowSession.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <qcoro/qcorotask.h>

using namespace vexa;

namespace {

// An offscreen screen of full-HD size, so that the window can be maximised to it.
bool useOffscreenScreen(const QTemporaryDir& scratch) {
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return true;
    const QString path = scratch.filePath(QStringLiteral("screen.json"));
    QFile config(path);
    if (!config.open(QIODevice::WriteOnly))
        return false;
    config.write(R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": 1920, "height": 1080,
                     "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}], "windowFrameMargins": false})");
    config.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(path));
    return true;
}

// Lets events run until `done` holds or `ms` have passed.
template <typename Done> bool waitFor(Done done, int ms) {
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

// The user's part in the link window: while it scans, pick the first gauge listed and connect.
void playLinkWindow(WindowSession& session) {
    QObject::connect(&session, &WindowSession::linkWindowRequested, &session, [&session] {
        LinkWindowModel& link = session.linkWindow();
        if (!waitFor([&link] { return !link.controls().items(ble::lbDevices).isEmpty(); }, 5000))
            return;
        link.lbDevices_Click(0);
        link.cmdConnect_Click();
        waitFor([&session] { return session.gauge().linkConnected(); }, 10000);
    });
}

// What a click on a row does: it selects the row and toggles its mark.
void clickRow(MainModel& model, QWidget& window, int row) {
    window.findChild<QTableView*>(ctl::MSFlex)->selectRow(row);
    model.MSFlex_Click(row);
}

bool grab(QWidget& window, const QSize& size, const QString& file) {
    if (size.isEmpty()) {
        window.showMaximized();
    } else {
        window.showNormal();
        window.resize(size);
    }
    waitFor([&] { return size.isEmpty() ? window.isMaximized() : window.size() == size; }, 2000);
    // Layouts settle on posted events; then the clicked row is brought into view.
    waitFor([] { return false; }, 100);
    auto* table = window.findChild<QTableView*>(ctl::MSFlex);
    table->scrollTo(table->currentIndex());
    if (!window.grab().save(file)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s %dx%d\n", qPrintable(file), window.width(), window.height());
    return true;
}

bool save(QWidget& widget, const QString& file) {
    if (!widget.grab().save(file)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s %dx%d\n", qPrintable(file), widget.width(), widget.height());
    return true;
}

// The chart window the program opens after `open`, grabbed as a line and as a bar chart, then closed.
bool grabChartWindow(const QDir& folder, const QString& name, const std::function<void()>& open) {
    bool written = false;
    bool closed = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        QWidget* window = QApplication::activeModalWidget();
        if (!window || window->objectName() != chartctl::frmChartG)
            return;
        poll.stop();
        waitFor([] { return false; }, 200);
        written = save(*window, folder.filePath(QStringLiteral("chart-window-line-%1.png").arg(name)));
        window->findChild<QPushButton*>(chartctl::cmdChartType)->click();
        waitFor([] { return false; }, 200);
        written =
            save(*window, folder.filePath(QStringLiteral("chart-window-bar-%1.png").arg(name))) && written;
        window->close();
        closed = true;
    });
    poll.start(50);
    open();
    waitFor([&closed] { return closed; }, 10000);
    return written;
}

// The project dialog over a project saved for the gauge, under labels of the label file in
// `settingsFolder`, in German and in English.
bool grabProjectDialog(MainModel& model, QWidget& window, const QString& settingsFolder, const QDir& folder) {
    const QStringList labels{QStringLiteral("Kunde;Customer;"),    QStringLiteral("Auftrag;Order;"),
                             QStringLiteral("Bauwerk;Structure;"), QStringLiteral("Bauteil;Part;"),
                             QStringLiteral("Prüfer;Inspector;"),  QStringLiteral("Bemerkung;Remark;")};
    ProjectData& project = model.settings().project;
    project.fields = {QStringLiteral("Stadtwerke Nordhafen"),
                      QStringLiteral("A-2026-0417"),
                      QStringLiteral("Brücke Kanalstraße"),
                      QStringLiteral("Geländer Feld 3"),
                      QStringLiteral("R. Albers"),
                      QString()};
    project.date = QDate(2026, 3, 5);
    project.time = QTime(7, 30);
    if (writeTextFile(QDir(settingsFolder).filePath(QStringLiteral("Projekt.ini")), labels) ||
        !model.Voreinstellungen(u"PS")) {
        std::fprintf(stderr, "cannot write the project files\n");
        return false;
    }
    bool written = true;
    for (const auto& [language, name] : {std::pair{0, "de"}, std::pair{1, "en"}}) {
        language == 0 ? model.germanClick() : model.englishClick();
        model.cmdProjekt_Click();
        auto* dialog = window.findChild<QWidget*>(projctl::frmProjekt);
        waitFor([] { return false; }, 200);
        written =
            save(*dialog, folder.filePath(QStringLiteral("project-data-%1.png").arg(QLatin1String(name)))) &&
            written;
        dialog->close();
    }
    return written;
}

} // namespace

int main(int argc, char* argv[]) {
    QTemporaryDir scratch;
    if (!scratch.isValid() || !useOffscreenScreen(scratch)) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    QApplication app(argc, argv);
    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("Pictures of the main window on a simulated gauge."));
    options.addHelpOption();
    const QCommandLineOption profileOption(
        QStringLiteral("profile"), QStringLiteral("The simulated gauge."), QStringLiteral("PROFILE.json"),
        QStringLiteral(VEXA_SOURCE_DIR "/examples/gauges/qy-coating.json"));
    options.addOption(profileOption);
    options.addPositionalArgument(QStringLiteral("folder"), QStringLiteral("Where the PNG files go."));
    options.process(app);
    if (options.positionalArguments().size() != 1)
        options.showHelp(2);
    const QDir folder(options.positionalArguments().first());
    if (!folder.mkpath(QStringLiteral(".")))
        return 1;

    const sim::LoadedProfile loaded = sim::loadGaugeProfile(options.value(profileOption));
    if (!loaded.profile) {
        std::fprintf(stderr, "%s\n", qPrintable(loaded.error));
        return 2;
    }
    sim::SimulatedTransport transport({*loaded.profile});
    ScriptedPrompt prompt;
    MainModel model(prompt);
    WindowSession session(transport, model);
    // The link window's part is played below, so the window has no session of its own to open it.
    FrmTransfer window(model);
    model.programStart({QCoreApplication::applicationDirPath(), scratch.path(), scratch.path()});
    window.show();

    playLinkWindow(session);
    QCoro::waitFor(session.cmdConnect_Click());
    if (!session.gauge().linkConnected()) {
        std::fprintf(stderr, "the simulated gauge did not connect\n");
        return 1;
    }
    for (const QString& entry : model.controls().items(ctl::cmbSpeicher))
        if (entry.trimmed() == u"m001")
            model.cmbSpeicher_Change(entry);
    QCoro::waitFor(session.cmdLesen_Click());
    model.settings().limits = {
        90, 130, 100, QStringLiteral("90"), QStringLiteral("130"), QStringLiteral("100"), true};
    model.saveLimits();
    model.refreshLimitsCaption();
    for (const QString& shown : prompt.shown())
        std::fprintf(stderr, "message: %s\n", qPrintable(shown));

    clickRow(model, window, 20);
    bool written = true;
    for (const auto& [language, name] : {std::pair{0, "de"}, std::pair{1, "en"}}) {
        language == 0 ? model.germanClick() : model.englishClick();
        for (const QSize& size : {QSize(900, 600), QSize()}) {
            const QString file =
                QStringLiteral("main-%1-%2.png")
                    .arg(size.isEmpty() ? QStringLiteral("maximised") : QStringLiteral("900x600"),
                         QLatin1String(name));
            written = grab(window, size, folder.filePath(file)) && written;
        }
    }

    written = grabProjectDialog(model, window, scratch.path(), folder) && written;

    // The charts, in German, of the memory with limits and of the series memory.
    model.germanClick();
    window.showNormal();
    window.resize(900, 600);
    model.cmdChart_Click();
    waitFor([] { return false; }, 200);
    written = save(window, folder.filePath(QStringLiteral("chart-compact-m001.png"))) && written;
    written =
        grabChartWindow(folder, QStringLiteral("m001"), [&model] { model.cmdGross_Click(); }) && written;
    for (const QString& entry : model.controls().items(ctl::cmbSpeicher))
        if (entry.trimmed().startsWith(u't'))
            model.cmbSpeicher_Change(entry);
    written = grabChartWindow(folder, QStringLiteral("series"),
                              [&session] { QCoro::waitFor(session.cmdLesen_Click()); }) &&
              written;
    waitFor([] { return false; }, 200);
    written = save(window, folder.filePath(QStringLiteral("chart-compact-series.png"))) && written;

    // The clock window with the gauge's clock running, and the information window.
    ClockWindowModel& clock = session.clockWindow();
    for (const auto& [language, name] : {std::pair{0, "de"}, std::pair{1, "en"}}) {
        language == 0 ? model.germanClick() : model.englishClick();
        auto* clockWindow = new FrmTime(clock, &window);
        clock.mnuSetTime_Click();
        clockWindow->show();
        waitFor([&clock] { return !clock.controls().caption(timectl::txtDateTime).isEmpty(); }, 5000);
        written =
            save(*clockWindow, folder.filePath(QStringLiteral("clock-window-%1.png").arg(name))) && written;
        clockWindow->close();
        waitFor([&session] { return session.gauge().liveValuesOn(); }, 5000);
        FrmInfo information(&window);
        information.showTexts(model.information());
        information.show();
        waitFor([] { return false; }, 100);
        written = save(information, folder.filePath(QStringLiteral("information-window-%1.png").arg(name))) &&
                  written;
    }

    QCoro::waitFor(session.endProgram());
    return written ? 0 : 1;
}
