// The program on an X server of its own (tests/x11/with-x11.sh), as an inspector uses it: a simulated
// gauge connected in the main window, forwarding switched on in the key-event dialog, and the online
// readings typed by the X11 key sender into a vexa-key-target window, which writes down what arrived.
#include "DemoGauges.h"
#include "KeyTarget.h"
#include "link/sim/SimulatedTransport.h"
#include "widgets/X11KeySender.h"
#include "widgets/frmTransfer.h"
#include "window/KeyboardWindowModel.h"
#include "window/MainControls.h"
#include "window/MainModel.h"
#include "window/ScriptedPrompt.h"
#include "window/WindowSession.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

// Xlib's macros break Qt headers that come after them.
#include <X11/Xlib.h>

using namespace vexa;
using namespace std::chrono_literals;

namespace {

constexpr int Readings = 50;
// Generous for a run under the sanitizers; a wait that ends early costs nothing.
constexpr int ArrivalWaitMs = 30'000;

// A probe-memory gauge whose live values are `Readings` distinct readings in "ym", which the program
// shows and types as "µm".
sim::GaugeProfile countingGauge() {
    sim::GaugeProfile profile = demoProfile(QStringLiteral("ze-probe-memory.json"));
    profile.live.clear();
    for (int i = 1; i <= Readings; ++i)
        profile.live.append(QStringLiteral("%1%2 ym   FE  2026-03-05 07:%3:00")
                                .arg(i, 4)
                                .arg(20.0 + i * 1.5, 12, 'f', 1)
                                .arg(i, 2, 10, QLatin1Char('0'))
                                .toLatin1());
    return profile;
}

// The lines that arrived in a target: those ended with Return.
QStringList linesOf(const QString& received) {
    QStringList lines = received.split(QLatin1Char('\n'));
    lines.removeLast(); // what the field holds now
    return lines;
}

// The main window over the counting gauge, shown on the X server and connected; its keys go through the
// X11 key sender.
struct ProgramOnX11 {
    QTemporaryDir folder;
    QTemporaryDir received;
    ScriptedPrompt prompt;
    X11KeySender keys; // before the logic that types through it
    MainModel model{prompt};
    sim::SimulatedTransport transport{{countingGauge()}, {.liveIntervalMs = std::nullopt}};
    WindowSession session{transport, model};
    FrmTransfer window{model, &session};

    ProgramOnX11() {
        model.keyForwarder().setSender(&keys);
        model.programStart({QString(), folder.path(), folder.path()});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTimer::singleShot(0, &window, [] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto* devices = dialog->findChild<QListWidget*>(QStringLiteral("lbDevices"));
            QTRY_COMPARE(devices->count(), 1);
            devices->setCurrentRow(0);
            dialog->findChild<QPushButton*>(QStringLiteral("cmdConnect"))->click();
        });
        QCoro::waitFor(session.cmdConnect_Click());
        QTRY_VERIFY(session.gauge().linkConnected());
    }

    ~ProgramOnX11() {
        if (const std::optional<TargetWindow> target = model.keyForwarder().target())
            ::kill(pid_t(target->owner), SIGTERM);
    }

    QString targetFile() const { return received.filePath(QStringLiteral("typed")); }
    QString typed() const {
        QFile file(targetFile());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    // The key-event dialog as the user fills it in: forwarding on into a key target, with the number and
    // the unit, each reading ended with Return.
    void forwardIntoKeyTarget() {
        window.findChild<QAction*>(ctl::mnuTastaturevent)->trigger();
        auto* dialog = window.findChild<QDialog*>(keyctl::frmTastatur);
        QVERIFY(dialog && dialog->isVisible());
        const auto box = [dialog](const QString& name) { return dialog->findChild<QCheckBox*>(name); };
        QVERIFY(box(keyctl::chkTastatur)->isEnabled());
        const std::array<bool, 4> wanted{true, false, true, false};
        for (size_t i = 0; i < wanted.size(); ++i) {
            if (box(keyctl::flagBoxes[i])->isChecked() != wanted[i])
                box(keyctl::flagBoxes[i])->click();
        }
        if (!box(keyctl::chkTastatur)->isChecked())
            box(keyctl::chkTastatur)->click();
        auto* application = dialog->findChild<QLineEdit*>(keyctl::txtAnwendung);
        application->selectAll();
        QTest::keyClicks(
            application,
            QStringLiteral(R"("%1" "%2" "Readings")").arg(QStringLiteral(VEXA_KEY_TARGET), targetFile()));
        dialog->findChild<QRadioButton*>(keyctl::optEnter)->click();
        dialog->findChild<QPushButton*>(keyctl::cmdOk)->click();
        QTRY_VERIFY_WITH_TIMEOUT(model.keyForwarder().target().has_value(), 10'000);
    }

    // The gauge is measured `count` times in a row, as fast as the inspector's thumb can't.
    void measure(int count) {
        for (int i = 0; i < count; ++i)
            transport.measure();
    }

    // The number and the value as the table's row shows them.
    QString shownLine(int row) const {
        const QAbstractItemModel* table = window.findChild<QTableView*>(ctl::MSFlex)->model();
        return table->index(row, 1).data().toString() + table->index(row, 2).data().toString();
    }
};

// Withdraws a window from the screen, or shows it again, as its program would.
void setMapped(const TargetWindow& window, bool mapped) {
    Display* display = XOpenDisplay(nullptr);
    QVERIFY(display);
    if (mapped)
        XMapWindow(display, window.id);
    else
        XUnmapWindow(display, window.id);
    XSync(display, False);
    XCloseDisplay(display);
}

} // namespace

class TestX11Forwarding : public QObject {
    Q_OBJECT
private slots:
    void liveReadingsArriveAsTyped();
    void refusedActivationTypesNothingElsewhere();
};

void TestX11Forwarding::liveReadingsArriveAsTyped() {
    ProgramOnX11 program;
    program.forwardIntoKeyTarget();
    program.measure(Readings);
    QTRY_COMPARE(program.model.table().rowCount(), Readings);
    QTRY_COMPARE_WITH_TIMEOUT(linesOf(program.typed()).size(), Readings, ArrivalWaitMs);

    QStringList expected;
    for (int row = 0; row < Readings; ++row)
        expected.append(program.shownLine(row) + QStringLiteral("µm "));
    QCOMPARE(linesOf(program.typed()), expected);
    QCOMPARE(expected.first(), QStringLiteral("      1       21.5µm "));
    QVERIFY(program.prompt.shown().isEmpty());
}

// The target cannot come to the front while another window has the focus: that window gets nothing, the
// user is told once, and the target gets the readings again once it is back.
void TestX11Forwarding::refusedActivationTypesNothingElsewhere() {
    ProgramOnX11 program;
    program.forwardIntoKeyTarget();
    program.measure(1);
    QTRY_COMPARE_WITH_TIMEOUT(linesOf(program.typed()).size(), 1, ArrivalWaitMs);

    KeyTarget bystander(program.keys, QStringLiteral("Bystander"));
    QVERIFY(bystander.window);
    QVERIFY(QCoro::waitFor(program.keys.activate(*bystander.window, 5s)));
    const TargetWindow target = *program.model.keyForwarder().target();
    setMapped(target, false);

    program.measure(3);
    QTRY_COMPARE(program.model.table().rowCount(), 4);
    QTRY_VERIFY_WITH_TIMEOUT(!program.model.keyForwarder().typing(), ArrivalWaitMs);
    QCOMPARE(
        program.prompt.shown(),
        QStringList{QStringLiteral("%1 kommt nicht in den Vordergrund; Werte werden erst wieder gesendet, "
                                   "wenn es gelingt.")
                        .arg(program.model.settings().keys.targetApplication)});
    QCOMPARE(bystander.received(), QString());
    QCOMPARE(linesOf(program.typed()).size(), 1);

    setMapped(target, true);
    program.measure(1);
    QTRY_COMPARE_WITH_TIMEOUT(linesOf(program.typed()).size(), 2, ArrivalWaitMs);
    QCOMPARE(linesOf(program.typed()).last(), program.shownLine(4) + QStringLiteral("µm "));
    QCOMPARE(bystander.received(), QString());
    QCOMPARE(program.prompt.shown().size(), 1);
}

QTEST_MAIN(TestX11Forwarding)
#include "tst_x11forwarding.moc"
