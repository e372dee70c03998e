// Online readings typed into another program: the key-event dialog, the target's start, and the queue of
// readings typed into it, against a simulated gauge and a desktop that records the keys.
#include "DemoGauges.h"
#include "RecordingKeySender.h"
#include "SessionHarness.h"
#include "link/sim/SimulatedTransport.h"
#include "window/KeyboardWindowModel.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

using namespace vexa;
using namespace vexa::keyctl;

namespace {

const QString Target = QStringLiteral("/usr/bin/xterm -e cat");
const QString Ended = QStringLiteral("App /usr/bin/xterm -e cat wurde beendet, bitte Pgm neu starten!");

struct Simulation {
    Simulation()
        : simulation({demoProfile(QStringLiteral("ze-probe-memory.json"))}, {.liveIntervalMs = 3'600'000}) {}
    sim::SimulatedTransport simulation;
};

// A probe-memory gauge connected in the online view, its readings typed into `Target` on a recording
// desktop with the flags and line end given.
struct Forwarding : Simulation, SessionHarness {
    RecordingKeySender desktop;

    explicit Forwarding(const QString& flags = QStringLiteral("1010"),
                        const QString& lineEnd = QStringLiteral("ENTER"))
        : SessionHarness(simulation) {
        main.keyForwarder().setSender(&desktop);
        connectGauge();
        KeyboardWindowModel& dialog = main.keyboardWindow();
        dialog.mnuTastaturevent_Click();
        dialog.setForwarding(true);
        dialog.setApplication(Target);
        for (int i = 0; i < 4; ++i)
            dialog.setFlag(i, flags.at(i) == u'1');
        dialog.setLineEnd(lineEnd == u"ENTER");
        dialog.cmdOk_Click();
        QTRY_VERIFY(main.keyForwarder().target().has_value());
    }

    void measure(const char* record) {
        emit transport.value(uuid::ServiceZK, uuid::CharMeasure, QByteArray(record));
    }
    void waitUntilTyped() { QTRY_VERIFY(!main.keyForwarder().typing()); }
    QByteArray keyboardFile() {
        QFile file(QDir(folder.path())
                       .filePath(QStringLiteral("Tastatur_%1.ini").arg(main.state().gauge.deviceNumber())));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

} // namespace

class TestKeyForwarding : public QObject {
    Q_OBJECT
private slots:
    void onlineReadingsAreTypedInOrder();
    void memoryRowsAreNotTyped();
    void lineEndOptions_data();
    void lineEndOptions();
    void okStoresWhatTheDialogShows_data();
    void okStoresWhatTheDialogShows();
    void pathWithSemicolonIsRefused();
    void noKeysWithoutADesktopThatTakesThem();
    void targetGoneIsSaidOnceAndOkStartsItAgain();
    void targetNotInFrontGetsNothing();
    void heldModifiersKeepTheKeys();
    void failedStartIsSaid_data();
    void failedStartIsSaid();
    void handedOverTargetIsPicked();
    void anotherApplicationIsStartedOnce();
};

void TestKeyForwarding::onlineReadingsAreTypedInOrder() {
    Forwarding f;
    QCOMPARE(f.desktop.started, QStringList{Target});
    // Slow keys: readings queue up behind each other and none is lost.
    f.desktop.typingTime = std::chrono::milliseconds(20);
    f.measure("   1        92.0 ym   FE  2026-03-05 07:12:00");
    f.measure("   2        97.5 ym   NF  2026-03-05 07:14:00");
    f.measure("   3       101.5 ym   FE  2026-03-05 07:16:00");
    QVERIFY(f.main.keyForwarder().typing());
    f.waitUntilTyped();
    QCOMPARE(f.desktop.typed,
             (QStringList{"      1", "       92.0", "µm ", "<Return>", "      2", "       97.5", "µm ",
                          "<Return>", "      3", "        102", "µm ", "<Return>"}));
    QCOMPARE(f.desktop.activated, (QList<quint64>{7, 7, 7}));
    QVERIFY(f.prompt.shown().isEmpty());
}

void TestKeyForwarding::memoryRowsAreNotTyped() {
    Forwarding f;
    f.choose(f.controls().items(ctl::cmbSpeicher).at(0));
    f.read();
    QVERIFY(f.main.currentStore().presentCount() > 0);
    f.waitUntilTyped();
    QVERIFY(f.desktop.typed.isEmpty());
}

// A stored "KEINS" or nothing is "Keins"; OK writes "" for it.
void TestKeyForwarding::lineEndOptions_data() {
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<bool>("keins");
    QTest::addColumn<bool>("enter");
    QTest::newRow("nothing") << QByteArray("1;/usr/bin/cat;0000;") << true << false;
    QTest::newRow("KEINS") << QByteArray("1;/usr/bin/cat;0000;KEINS") << true << false;
    QTest::newRow("ENTER") << QByteArray("1;/usr/bin/cat;0000;ENTER") << false << true;
    QTest::newRow("something else") << QByteArray("1;/usr/bin/cat;0000;TAB") << false << false;
}

void TestKeyForwarding::lineEndOptions() {
    QFETCH(QByteArray, stored);
    Forwarding f;
    QFile file(QDir(f.folder.path())
                   .filePath(QStringLiteral("Tastatur_%1.ini").arg(f.main.state().gauge.deviceNumber())));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(stored + "\r\n");
    file.close();
    KeyboardWindowModel& dialog = f.main.keyboardWindow();
    dialog.mnuTastaturevent_Click();
    QTEST(dialog.controls().checked(optKeins), "keins");
    QTEST(dialog.controls().checked(optEnter), "enter");
    if (stored.endsWith("KEINS")) {
        dialog.cmdOk_Click();
        QCOMPARE(f.keyboardFile(), QByteArray("1;/usr/bin/cat;0000;\r\n"));
    }
}

void TestKeyForwarding::okStoresWhatTheDialogShows_data() {
    QTest::addColumn<bool>("on");
    QTest::addColumn<QString>("application");
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("on with a program")
        << true << "/usr/bin/gnumeric" << QByteArray("1;/usr/bin/gnumeric;0110;\r\n");
    QTest::newRow("an edit stored while off")
        << false << "/usr/bin/gnumeric" << QByteArray("0;/usr/bin/gnumeric;0110;\r\n");
    QTest::newRow("on without a program goes off") << true << " " << QByteArray("0; ;0110;\r\n");
}

void TestKeyForwarding::okStoresWhatTheDialogShows() {
    QFETCH(bool, on);
    QFETCH(QString, application);
    Forwarding f;
    KeyboardWindowModel& dialog = f.main.keyboardWindow();
    QSignalSpy closing(&dialog, &KeyboardWindowModel::closeRequested);
    dialog.mnuTastaturevent_Click();
    dialog.setForwarding(on);
    dialog.setApplication(application);
    for (int i = 0; i < 4; ++i)
        dialog.setFlag(i, i == 1 || i == 2);
    dialog.setLineEnd(false);
    dialog.cmdOk_Click();
    QCOMPARE(closing.size(), 1);
    QTEST(f.keyboardFile(), "file");
    dialog.mnuTastaturevent_Click();
    QCOMPARE(dialog.controls().caption(txtAnwendung), application);
    QCOMPARE(dialog.controls().checked(chkTastatur), on && application.trimmed().size() > 0);
    QVERIFY(dialog.controls().checked(chkDatum) && dialog.controls().checked(chkEinheit));
    QVERIFY(!dialog.controls().checked(chkNr) && !dialog.controls().checked(chkMaterial));
}

void TestKeyForwarding::pathWithSemicolonIsRefused() {
    Forwarding f;
    const QByteArray before = f.keyboardFile();
    KeyboardWindowModel& dialog = f.main.keyboardWindow();
    QSignalSpy closing(&dialog, &KeyboardWindowModel::closeRequested);
    dialog.mnuTastaturevent_Click();
    dialog.setApplication(QStringLiteral("/opt/a;b/app"));
    dialog.cmdOk_Click();
    QVERIFY(closing.isEmpty());
    QCOMPARE(f.prompt.shown(), QStringList{"Der Programmpfad darf kein \";\" enthalten."});
    QCOMPARE(f.keyboardFile(), before);
}

void TestKeyForwarding::noKeysWithoutADesktopThatTakesThem() {
    Forwarding f;
    f.desktop.why = KeysUnavailable::Wayland;
    KeyboardWindowModel& dialog = f.main.keyboardWindow();
    dialog.mnuTastaturevent_Click();
    QVERIFY(!dialog.controls().enabled(chkTastatur));
    QVERIFY(!dialog.controls().checked(chkTastatur));
    QVERIFY(dialog.controls().visible(lblHinweis));
    f.measure("   1        92.0 ym   FE  2026-03-05 07:12:00");
    f.waitUntilTyped();
    QVERIFY(f.desktop.typed.isEmpty());
}

// Readings keep coming: one message per loss, not one per reading; OK in the dialog starts the program again.
void TestKeyForwarding::targetGoneIsSaidOnceAndOkStartsItAgain() {
    Forwarding f;
    f.desktop.goneWindows = {7};
    f.measure("   1        92.0 ym   FE  2026-03-05 07:12:00");
    f.measure("   2        97.5 ym   NF  2026-03-05 07:14:00");
    f.waitUntilTyped();
    f.measure("   3       101.5 ym   FE  2026-03-05 07:16:00");
    f.waitUntilTyped();
    QCOMPARE(f.prompt.shown(), QStringList{Ended});
    QVERIFY(f.desktop.typed.isEmpty());
    QCOMPARE(f.main.stores().online.presentCount(), 3);

    f.desktop.startedWindow = TargetWindow{8, QStringLiteral("Target")};
    f.main.keyboardWindow().mnuTastaturevent_Click();
    f.main.keyboardWindow().cmdOk_Click();
    QTRY_COMPARE(f.main.keyForwarder().target(), std::optional(TargetWindow{8, QStringLiteral("Target")}));
    QCOMPARE(f.desktop.started, (QStringList{Target, Target}));
    f.measure("   4        90.0 ym   FE  2026-03-05 07:18:00");
    f.waitUntilTyped();
    QCOMPARE(f.desktop.typed.first(), QStringLiteral("      4"));
}

void TestKeyForwarding::targetNotInFrontGetsNothing() {
    Forwarding f;
    f.desktop.activationWorks = false;
    f.measure("   1        92.0 ym   FE  2026-03-05 07:12:00");
    f.measure("   2        97.5 ym   NF  2026-03-05 07:14:00");
    f.waitUntilTyped();
    QVERIFY(f.desktop.typed.isEmpty());
    QCOMPARE(f.prompt.shown().size(), 1);
    QVERIFY(f.prompt.shown().first().contains(QStringLiteral("Vordergrund")));
    f.desktop.activationWorks = true;
    f.measure("   3       101.5 ym   FE  2026-03-05 07:16:00");
    f.waitUntilTyped();
    QCOMPARE(f.desktop.typed.first(), QStringLiteral("      3"));
}

void TestKeyForwarding::heldModifiersKeepTheKeys() {
    Forwarding f;
    f.desktop.modifiersFree = false;
    f.measure("   1        92.0 ym   FE  2026-03-05 07:12:00");
    f.waitUntilTyped();
    QVERIFY(f.desktop.typed.isEmpty());
    QVERIFY(f.desktop.activated.isEmpty());
}

void TestKeyForwarding::failedStartIsSaid_data() {
    QTest::addColumn<KeySender::Start::Refusal>("refusal");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("shown");
    QTest::newRow("Windows path")
        << KeySender::Start::Refusal::WindowsPath << 0
        << "C:\\Programme\\Excel.exe konnte nicht gestartet werden: ein Windows-Pfad; "
           "bitte das Linux-Programm angeben";
    QTest::newRow("not executable, English")
        << KeySender::Start::Refusal::NotExecutable << 1
        << "C:\\Programme\\Excel.exe could not be started: not an executable file";
}

void TestKeyForwarding::failedStartIsSaid() {
    QFETCH(KeySender::Start::Refusal, refusal);
    QFETCH(int, language);
    QFETCH(QString, shown);
    Simulation s;
    SessionHarness h(s.simulation, language);
    RecordingKeySender desktop;
    desktop.refusal = refusal;
    h.main.keyForwarder().setSender(&desktop);
    h.connectGauge();
    KeyboardWindowModel& dialog = h.main.keyboardWindow();
    dialog.mnuTastaturevent_Click();
    dialog.setForwarding(true);
    dialog.setApplication(QStringLiteral("C:\\Programme\\Excel.exe"));
    dialog.cmdOk_Click();
    QCOMPARE(h.prompt.shown(), QStringList{shown});
    QVERIFY(!h.main.keyForwarder().target());
}

// A spreadsheet hands its document to the instance already running and ends: the user picks that window.
void TestKeyForwarding::handedOverTargetIsPicked() {
    Simulation s;
    SessionHarness h(s.simulation);
    RecordingKeySender desktop;
    desktop.startedWindow.reset();
    desktop.processRuns = false;
    // Two windows of one program share a title.
    desktop.openWindows = {{3, QStringLiteral("Terminal"), 300},
                           {9, QStringLiteral("Tabelle1 - Calc"), 900},
                           {11, QStringLiteral("Tabelle1 - Calc"), 900}};
    h.prompt.setChoices({2});
    h.main.keyForwarder().setSender(&desktop);
    h.connectGauge();
    KeyboardWindowModel& dialog = h.main.keyboardWindow();
    dialog.mnuTastaturevent_Click();
    dialog.setForwarding(true);
    dialog.setApplication(QStringLiteral("localc"));
    dialog.cmdOk_Click();
    QTRY_COMPARE(h.main.keyForwarder().target(),
                 std::optional(TargetWindow{11, QStringLiteral("Tabelle1 - Calc"), 900}));
    QCOMPARE(h.prompt.offered(), (QStringList{"Terminal", "Tabelle1 - Calc (1)", "Tabelle1 - Calc (2)"}));
}

// Readings of another gauge go into the program its settings name, not into the one started before.
void TestKeyForwarding::anotherApplicationIsStartedOnce() {
    Forwarding f;
    QCoro::waitFor(f.main.keyForwarder().startTarget());
    QCOMPARE(f.desktop.started, QStringList{Target});
    f.main.settings().keys.targetApplication = QStringLiteral("/usr/bin/gnumeric");
    QCoro::waitFor(f.main.keyForwarder().startTarget());
    QCOMPARE(f.desktop.started, (QStringList{Target, "/usr/bin/gnumeric"}));
}

QTEST_MAIN(TestKeyForwarding)
#include "tst_keyforwarding.moc"
