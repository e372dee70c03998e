// The key-event dialog offscreen, its controls found by object name: what the user does reaches the logic,
// and the dialog shows the logic's state.
#include "MainWindowHarness.h"
#include "RecordingKeySender.h"
#include "widgets/frmTastatur.h"
#include "window/KeyboardWindowModel.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace vexa;
using namespace vexa::keyctl;

class TestFrmTastatur : public QObject {
    Q_OBJECT
private slots:
    void editsReachTheSettings();
    void withoutDesktopTheBoxIsOff();
};

void TestFrmTastatur::editsReachTheSettings() {
    MainWindowHarness harness;
    RecordingKeySender desktop;
    MainModel& model = harness.model;
    model.keyForwarder().setSender(&desktop);
    KeyboardWindowModel& logic = model.keyboardWindow();
    FrmTastatur dialog(logic);
    logic.mnuTastaturevent_Click();
    dialog.show();

    QCOMPARE(dialog.findChild<QCheckBox*>(chkTastatur)->text(), QStringLiteral("Funktion aktivieren"));
    dialog.findChild<QCheckBox*>(chkTastatur)->click();
    auto* application = dialog.findChild<QLineEdit*>(txtAnwendung);
    QTest::keyClicks(application, QStringLiteral("/usr/bin/gnumeric --no-splash"));
    application->setCursorPosition(8);
    QTest::keyClicks(application, QStringLiteral("x"));
    QCOMPARE(application->text(), QStringLiteral("/usr/binx/gnumeric --no-splash"));
    dialog.findChild<QCheckBox*>(chkNr)->click();
    dialog.findChild<QCheckBox*>(chkMaterial)->click();
    dialog.findChild<QRadioButton*>(optEnter)->click();
    dialog.findChild<QPushButton*>(cmdOk)->click();

    QVERIFY(!dialog.isVisible());
    const KeyForwarding& stored = model.settings().keys;
    QVERIFY(stored.forwardingOn);
    QCOMPARE(stored.targetApplication, QStringLiteral("/usr/binx/gnumeric --no-splash"));
    QCOMPARE(stored.includeFlags, QStringLiteral("1001"));
    QCOMPARE(stored.lineEndToken, QStringLiteral("ENTER"));
    QCOMPARE(desktop.started, QStringList{"/usr/binx/gnumeric --no-splash"});
}

void TestFrmTastatur::withoutDesktopTheBoxIsOff() {
    MainWindowHarness harness;
    RecordingKeySender desktop;
    desktop.why = KeysUnavailable::Wayland;
    harness.model.keyForwarder().setSender(&desktop);
    KeyboardWindowModel& logic = harness.model.keyboardWindow();
    FrmTastatur dialog(logic);
    logic.mnuTastaturevent_Click();
    dialog.show();
    QVERIFY(!dialog.findChild<QCheckBox*>(chkTastatur)->isEnabled());
    auto* notice = dialog.findChild<QLabel*>(lblHinweis);
    QVERIFY(notice->isVisible());
    QCOMPARE(notice->text(),
             QStringLiteral("Tastatur-Events erreichen hier kein anderes Programm (Wayland-Sitzung; nur "
                            "X11-Programme nehmen sie an)."));
}

QTEST_MAIN(TestFrmTastatur)
#include "tst_frmtastatur.moc"
