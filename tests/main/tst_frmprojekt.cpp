// "Projektdaten": the project dialog shows the gauge's project file under the labels of the label file,
// and "Speichern" writes what the user typed back into it.
#include "MainWindowFixture.h"
#include "window/MainControls.h"
#include "window/ProjectWindowModel.h"

#include <QAction>
#include <QDateEdit>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>

using namespace vexa;
using namespace vexa::projctl;

namespace {

QByteArray crlf(const QStringList& lines) {
    return lines.isEmpty() ? QByteArray()
                           : (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

const QStringList Labels{"# Projektfelder", "Kunde;Customer;", "Auftrag;Order;",   "Prüfer;Inspector;",
                         "Ort;Place;",      "Bauteil;Part;",   "Bemerkung;Remark;"};
const QStringList Stored{"Kunde Süd", "", "Halle 3", "", "", "Ende", "DT 05.12.2026", "TM 08:15"};

QTime toTheMinute(const QTime& time) {
    return QTime(time.hour(), time.minute());
}

// The main window of gauge "1" with the label file and, unless it is empty, the gauge's project file.
struct ProjectWindow : fixture::MainWindowShowing {
    explicit ProjectWindow(const QStringList& projectFile = Stored)
        : MainWindowShowing(QList<fixture::Reading>{{12}}) {
        write(QStringLiteral("Projekt.ini"), crlf(Labels));
        if (!projectFile.isEmpty())
            write(projectFileName, crlf(projectFile));
    }

    void write(const QString& name, const QByteArray& bytes) {
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray projectFile() const {
        QFile file(folder.filePath(projectFileName));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    // A click on the main window's button.
    QDialog* open() {
        QTest::mouseClick(window.findChild<QPushButton*>(ctl::cmdProjekt), Qt::LeftButton);
        return window.findChild<QDialog*>(frmProjekt);
    }
    QLineEdit* field(int number) { return window.findChild<QLineEdit*>(txtFelder(number)); }
    QStringList fieldTexts() {
        QStringList texts;
        for (int number = 1; number <= ProjectData::FieldCount; ++number)
            texts.append(field(number)->text());
        return texts;
    }
    // The one message shown so far, else how many there were.
    QString onlyMessage() const {
        return prompt.shown().size() == 1 ? prompt.shown().first()
                                          : QStringLiteral("<%1 messages>").arg(prompt.shown().size());
    }
    QDate date() { return window.findChild<QDateEdit*>(DTPDate)->date(); }
    QTime time() { return window.findChild<QTimeEdit*>(DTPTime)->time(); }
    QString caption(const QString& name) {
        QObject* control = window.findChild<QObject*>(name);
        if (auto* dialog = qobject_cast<QDialog*>(control))
            return dialog->windowTitle();
        if (auto* button = qobject_cast<QPushButton*>(control))
            return button->text();
        if (auto* group = qobject_cast<QGroupBox*>(control))
            return group->title();
        if (auto* label = qobject_cast<QLabel*>(control))
            return label->text();
        return QStringLiteral("<no control %1>").arg(name);
    }

    const QString projectFileName = QStringLiteral("Projektdaten._1.ini");
};

} // namespace

class TestFrmProjekt : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void cleanupTestCase() { QLocale::setDefault(QLocale::system()); }

    void opensWithTheFilesValues_data() {
        QTest::addColumn<QStringList>("file"); // empty: the gauge has none yet
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QDate>("date"); // invalid: today
        QTest::addColumn<QTime>("time"); // invalid: now

        QTest::newRow("date and time stored")
            << Stored << QStringList{"Kunde Süd", "", "Halle 3", "", "", "Ende"} << QDate(2026, 12, 5)
            << QTime(8, 15);
        QTest::newRow("file of an older version: the time is now")
            << Stored.mid(0, 7) << QStringList{"Kunde Süd", "", "Halle 3", "", "", "Ende"}
            << QDate(2026, 12, 5) << QTime();
        QTest::newRow("no file: today and now")
            << QStringList() << QStringList{"", "", "", "", "", ""} << QDate() << QTime();
    }

    void opensWithTheFilesValues() {
        QFETCH(QStringList, file);
        QFETCH(QStringList, fields);
        QFETCH(QDate, date);
        QFETCH(QTime, time);

        ProjectWindow shown(file);
        const QTime before = toTheMinute(QTime::currentTime());
        QDialog* dialog = shown.open();
        const QTime after = QTime::currentTime();
        QVERIFY(dialog && dialog->isVisible());
        QVERIFY(!dialog->isModal());
        QCOMPARE(shown.fieldTexts(), fields);
        QCOMPARE(shown.date(), date.isValid() ? date : QDate::currentDate());
        if (time.isValid())
            QCOMPARE(shown.time(), time);
        else
            QVERIFY2(shown.time() >= before && shown.time() <= after, qPrintable(shown.time().toString()));
        QCOMPARE(shown.prompt.shown(), QStringList());
    }

    void aFileThatCannotBeReadIsSaidAndShowsNoProject() {
        ProjectWindow shown(QStringList{});
        QVERIFY(QDir(shown.folder.path()).mkdir(shown.projectFileName));
        QDialog* dialog = shown.open();
        QVERIFY2(shown.onlyMessage().endsWith(QStringLiteral("Probleme beim Lesen Datei Projektdaten.ini: ")),
                 qPrintable(shown.onlyMessage()));
        QVERIFY(dialog->isVisible());
        QCOMPARE(shown.fieldTexts(), (QStringList{"", "", "", "", "", ""}));
        QCOMPARE(shown.caption(lblFelder(1)), QStringLiteral("Kunde"));
    }

    void captionsFollowTheLanguage_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("german");
        QTest::addColumn<QString>("english");

        QTest::newRow("frmProjekt") << frmProjekt << "Vexa Connect V1.17"
                                    << "Vexa Connect V1.17";
        QTest::newRow("cmdSpeichern") << cmdSpeichern << "Speichern"
                                      << "Save";
        QTest::newRow("cmdLoeschen") << cmdLoeschen << "Löschen"
                                     << "Delete";
        QTest::newRow("frmRahmen") << frmRahmen << "Projektdaten"
                                   << "Project data";
        QTest::newRow("lblDtp") << lblDtp << "Datum/Uhrzeit"
                                << "Date/Time";
        QTest::newRow("Frame1") << Frame1 << "Befehle"
                                << "Commands";
        QTest::newRow("lblFelder_1") << lblFelder(1) << "Kunde"
                                     << "Customer";
        QTest::newRow("lblFelder_6") << lblFelder(6) << "Bemerkung"
                                     << "Remark";
    }

    // While the dialog is open, as the main window's language changes.
    void captionsFollowTheLanguage() {
        QFETCH(QString, name);

        ProjectWindow shown;
        QDialog* dialog = shown.open();
        QTEST(shown.caption(name), "german");
        shown.window.findChild<QAction*>(ctl::English)->trigger();
        QTEST(shown.caption(name), "english");
        shown.window.findChild<QAction*>(ctl::German)->trigger();
        QTEST(shown.caption(name), "german");
        QVERIFY(dialog->isVisible());
    }

    void deleteEmptiesTheFieldsAndSavesNothing() {
        ProjectWindow shown;
        QDialog* dialog = shown.open();
        QTest::mouseClick(dialog->findChild<QPushButton*>(cmdLoeschen), Qt::LeftButton);

        QCOMPARE(shown.fieldTexts(), (QStringList{"", "", "", "", "", ""}));
        QCOMPARE(shown.date(), QDate::currentDate());
        QCOMPARE(shown.time(), QTime(0, 0));
        QCOMPARE(shown.caption(lblFelder(3)), QStringLiteral("Prüfer"));
        QVERIFY(dialog->isVisible());
        QCOMPARE(shown.projectFile(), crlf(Stored));
    }

    void saveWritesTheFileAndHides() {
        ProjectWindow shown;
        QDialog* dialog = shown.open();
        QTest::keyClicks(shown.field(2), QStringLiteral("Auftrag 7"));
        shown.field(6)->selectAll();
        QTest::keyClick(shown.field(6), Qt::Key_Delete);
        dialog->findChild<QDateEdit*>(DTPDate)->setDate(QDate(2026, 1, 31));
        dialog->findChild<QTimeEdit*>(DTPTime)->setTime(QTime(16, 45));
        QTest::mouseClick(dialog->findChild<QPushButton*>(cmdSpeichern), Qt::LeftButton);

        QVERIFY(dialog->isHidden());
        QCOMPARE(shown.prompt.shown(), QStringList());
        QCOMPARE(shown.projectFile(),
                 crlf({"Kunde Süd", "Auftrag 7", "Halle 3", "", "", "", "DT 31.01.2026", "TM 16:45"}));
        // The next opening shows what was saved, in the one dialog.
        QCOMPARE(shown.open(), dialog);
        QVERIFY(dialog->isVisible());
        QCOMPARE(shown.field(2)->text(), QStringLiteral("Auftrag 7"));
        QCOMPARE(shown.time(), QTime(16, 45));
        QCOMPARE(shown.window.findChildren<QDialog*>(frmProjekt).size(), 1);
    }

    void failedSaveKeepsTheDialogWithTheEdits() {
        ProjectWindow shown;
        QDialog* dialog = shown.open();
        QTest::keyClicks(shown.field(4), QStringLiteral("Nord"));
        // The settings folder gone: nobody, root included, can write the file there.
        QVERIFY(QDir(shown.folder.path()).removeRecursively());
        QTest::mouseClick(dialog->findChild<QPushButton*>(cmdSpeichern), Qt::LeftButton);

        QVERIFY2(
            shown.onlyMessage().endsWith(QStringLiteral("Probleme beim Schreiben Datei Projektdaten.ini: ")),
            qPrintable(shown.onlyMessage()));
        QVERIFY(dialog->isVisible());
        QCOMPARE(shown.fieldTexts(), (QStringList{"Kunde Süd", "", "Halle 3", "Nord", "", "Ende"}));
        QCOMPARE(shown.time(), QTime(8, 15));
    }

    void fieldsTakeThirtyCharacters() {
        ProjectWindow shown;
        QDialog* dialog = shown.open();
        QTest::keyClicks(shown.field(2), QString(35, u'x'));
        QCOMPARE(shown.field(2)->text(), QString(30, u'x'));
        QTest::mouseClick(dialog->findChild<QPushButton*>(cmdSpeichern), Qt::LeftButton);
        QCOMPARE(QString::fromUtf8(shown.projectFile()).split(QStringLiteral("\r\n")).at(1),
                 QString(30, u'x'));
    }
};

QTEST_MAIN(TestFrmProjekt)
#include "tst_frmprojekt.moc"
