// "Hilfe" → "Diagnose kopieren" offscreen: the report reaches the clipboard and the prompt says so, in the
// window's language; the adapter and its radio switch come from the kernel's tree.
#include "widgets/frmTransfer.h"
#include "window/MainControls.h"
#include "window/MainModel.h"
#include "window/ScriptedPrompt.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>

using namespace vexa;

namespace {

void writeLine(const QString& path, const QByteArray& line) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(line + '\n');
}

// A kernel with adapter hci0 whose radio is switched off by software, and a laptop's own switch beside it.
void writeSysfs(const QString& root) {
    QDir().mkpath(root + QStringLiteral("/class/bluetooth/hci0"));
    const QString adapterSwitch = root + QStringLiteral("/class/rfkill/rfkill1/");
    writeLine(adapterSwitch + QStringLiteral("type"), "bluetooth");
    writeLine(adapterSwitch + QStringLiteral("name"), "hci0");
    writeLine(adapterSwitch + QStringLiteral("soft"), "1");
    writeLine(adapterSwitch + QStringLiteral("hard"), "0");
    const QString platformSwitch = root + QStringLiteral("/class/rfkill/rfkill0/");
    writeLine(platformSwitch + QStringLiteral("type"), "wlan");
    writeLine(platformSwitch + QStringLiteral("name"), "hci0");
    writeLine(platformSwitch + QStringLiteral("hard"), "1");
}

} // namespace

class TestDiagnoseMenu : public QObject {
    Q_OBJECT
private slots:
    void copiesTheReport_data();
    void copiesTheReport();
};

void TestDiagnoseMenu::copiesTheReport_data() {
    QTest::addColumn<int>("languageIndex");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("told");
    QTest::addColumn<QStringList>("copied"); // lines among the clipboard's
    QTest::newRow("German") << 0 << QStringLiteral("Diagnose kopieren")
                            << QStringLiteral("Die Bluetooth-Diagnose wurde in die Zwischenablage kopiert.")
                            << QStringList{
                                   "Programm: Vexa Connect V1.17",
                                   "Adapter hci0: Funk per Software gesperrt – sudo rfkill unblock bluetooth",
                                   "Zuletzt verbundenes Messgerät: noch keines"};
    QTest::newRow("English") << 1 << QStringLiteral("Copy diagnostics")
                             << QStringLiteral("The Bluetooth diagnostics were copied to the clipboard.")
                             << QStringList{
                                    "Program: Vexa Connect V1.17",
                                    "Adapter hci0: radio soft blocked – sudo rfkill unblock bluetooth",
                                    "Gauge connected last: none yet"};
}

void TestDiagnoseMenu::copiesTheReport() {
    QFETCH(int, languageIndex);
    QFETCH(QString, caption);
    QFETCH(QString, told);
    QFETCH(QStringList, copied);
    QTemporaryDir folder;
    writeSysfs(folder.filePath(QStringLiteral("sys")));
    ScriptedPrompt prompt;
    MainModel model(prompt);
    FrmTransfer window(model);
    model.programStart({QString(), folder.path(), folder.path()});
    if (languageIndex == 1)
        model.englishClick();
    model.setDiagnosticsSources({folder.filePath(QStringLiteral("sys")),
                                 {folder.filePath(QStringLiteral("no-bluetoothd"))},
                                 std::chrono::milliseconds(1000)});
    QGuiApplication::clipboard()->clear();
    prompt.clear();

    auto* action = window.findChild<QAction*>(ctl::mnuDiagnose);
    QVERIFY(action);
    QCOMPARE(action->text(), caption);
    action->trigger();
    QTRY_COMPARE(prompt.shown(), QStringList{told});
    const QStringList lines = QGuiApplication::clipboard()->text().split(u'\n');
    for (const QString& line : copied)
        QVERIFY2(lines.contains(line), qPrintable(lines.join(u'\n')));
}

QTEST_MAIN(TestDiagnoseMenu)
#include "tst_diagnosemenu.moc"
