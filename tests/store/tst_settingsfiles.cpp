#include "files/SettingsFiles.h"
#include "files/TransferLog.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace vexa;

namespace {

const QLocale german(QLocale::German, QLocale::Germany);
const QLocale english(QLocale::English, QLocale::UnitedStates);

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeRaw(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A settings folder "settings" and the log beside it, so the log works while the folder is missing.
struct Fixture {
    QTemporaryDir root;
    QString folder = root.filePath(QStringLiteral("settings"));
    TransferLog log{root.path()};
    QList<int> appliedLanguages;
    SettingsFiles files{folder, log, [this](int language) { appliedLanguages.append(language); }};
    QStringList shown; // the failures to show, in order

    explicit Fixture(bool createFolder = true) {
        if (createFolder)
            QDir(root.path()).mkdir(QStringLiteral("settings"));
        log.DeleteLog();
    }
    void act(QStringView action, const QString& deviceNumber, SettingsState& state) {
        if (const std::optional<QString> failure = files.Voreinstellungen(action, deviceNumber, state))
            shown.append(*failure);
    }
    QString path(const QString& name) const { return QDir(folder).filePath(name); }
    QStringList fileNames() const { return QDir(folder).entryList(QDir::Files, QDir::Name); }
};

} // namespace

class TestSettingsFiles : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(german); }
    void cleanupTestCase() { QLocale::setDefault(QLocale::system()); }

    void everyFileReadsBackWhatWasWritten_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("minimumText");

        QTest::newRow("German") << german << QStringLiteral("12,5");
        QTest::newRow("English") << english << QStringLiteral("12.5");
    }

    void everyFileReadsBackWhatWasWritten() {
        QFETCH(QLocale, locale);
        QFETCH(QString, minimumText);

        QLocale::setDefault(locale);
        Fixture f;
        SettingsState written;
        written.limits = {12.5, 80.25, 0.1, {}, {}, {}, true};
        written.keys = {true, QStringLiteral("/opt/Tabelle Süd/calc"), QStringLiteral("1010"),
                        QStringLiteral("ENTER")};
        written.languageIndex = 1;
        written.project.fields = {"Kunde", "Auftrag 4711", "", "Prüfer Ä", "Halle 3", "ok"};
        written.project.date = QDate(2025, 2, 1);
        written.project.time = QTime(14, 5);
        written.inspection.ruleKey = QStringLiteral("sspc-pa2");
        written.inspection.parameters = {{QStringLiteral("iso19840"), {"ndft=120", "correction=medium"}},
                                         {QStringLiteral("sspc-pa2"), {"min=8", "max=12", "unit=mils"}}};
        for (const char* action : {"LS", "TS", "SS", "PS", "IS"})
            f.act(QString::fromLatin1(action), QStringLiteral("7001"), written);

        SettingsState read;
        for (const char* action : {"SL", "TL", "LL", "PL", "IL"})
            f.act(QString::fromLatin1(action), QStringLiteral("7001"), read);

        QCOMPARE(f.shown, QStringList());
        QCOMPARE(read.limits.minimum, 12.5);
        QCOMPARE(read.limits.maximum, 80.25);
        QCOMPARE(read.limits.target, 0.1);
        QCOMPARE(read.limits.minimumText, minimumText);
        QVERIFY(read.limits.rule8020);
        QCOMPARE(read.keys, written.keys);
        QCOMPARE(read.languageIndex, 1);
        QCOMPARE(f.appliedLanguages, QList<int>{1});
        QCOMPARE(read.project.fields, written.project.fields);
        QCOMPARE(read.project.date, written.project.date);
        QCOMPARE(read.project.time, written.project.time);
        QCOMPARE(read.inspection, written.inspection);
        QCOMPARE(contentOf(f.path(QStringLiteral("Language_7001.ini"))), QByteArray("1\r\n"));
    }

    void firstStartCreatesTheFiles() {
        Fixture f;
        SettingsState state;
        for (const char* action : {"SL", "TL", "LL", "PL", "PI"})
            f.act(QString::fromLatin1(action), QStringLiteral("7001"), state);

        QCOMPARE(f.shown, QStringList());
        QCOMPARE(f.fileNames(), (QStringList{"Language_7001.ini", "Limit_7001.ini", "Projekt.ini",
                                             "Projektdaten._7001.ini", "Tastatur_7001.ini"}));
        QCOMPARE(contentOf(f.path(QStringLiteral("Language_7001.ini"))), QByteArray("0\r\n"));
        for (const char* empty :
             {"Limit_7001.ini", "Tastatur_7001.ini", "Projektdaten._7001.ini", "Projekt.ini"})
            QCOMPARE(contentOf(f.path(QString::fromLatin1(empty))), QByteArray());
        QCOMPARE(state.limits, Limits());
        QCOMPARE(state.keys.includeFlags, QStringLiteral("0000"));
        QCOMPARE(state.languageIndex, 0);
        QCOMPARE(f.appliedLanguages, QList<int>{0});
    }

    void projectLabelsAreSharedByAllGauges() {
        Fixture f;
        writeRaw(f.path(QStringLiteral("Projekt.ini")), "# Felder\r\nKunde;Customer;\r\n");
        SettingsState state;
        f.act(u"PI", QStringLiteral("7002"), state);
        QCOMPARE(state.labels.label(0, 0), QStringLiteral("Kunde"));
        QCOMPARE(state.labels.label(0, 1), QStringLiteral("Customer"));
    }

    void gaugesKeepSeparateLimits() {
        Fixture f;
        SettingsState first;
        first.limits = {1, 10, 5, {}, {}, {}, true};
        f.act(u"LS", QStringLiteral("7001"), first);
        SettingsState second;
        second.limits = {2, 20, 0, {}, {}, {}, false};
        f.act(u"LS", QStringLiteral("7002"), second);

        SettingsState read;
        f.act(u"LL", QStringLiteral("7001"), read);
        QCOMPARE(read.limits.maximum, 10.0);
        QVERIFY(read.limits.rule8020);
        f.act(u"LL", QStringLiteral("7002"), read);
        QCOMPARE(read.limits.maximum, 20.0);
        QVERIFY(!read.limits.rule8020);
    }

    // Another gauge's settings never carry over: a gauge without stored limits or key forwarding starts
    // from none, and its new language file holds the language in effect.
    void aGaugeWithoutStoredSettingsStartsFromNothing() {
        Fixture f;
        SettingsState state;
        state.limits = {1, 10, 5, {}, {}, {}, true};
        state.keys = {true, QStringLiteral("editor"), QStringLiteral("1010"), QStringLiteral("ENTER")};
        state.languageIndex = 1;
        state.inspection = {QStringLiteral("pspc9010"), {{QStringLiteral("pspc9010"), {"ndft=250"}}}};
        for (const char* action : {"LS", "TS", "SS", "IS"})
            f.act(QString::fromLatin1(action), QStringLiteral("7001"), state);
        for (const char* action : {"LL", "TL", "IL"})
            f.act(QString::fromLatin1(action), QStringLiteral("7001"), state);
        QCOMPARE(state.limits.maximum, 10.0);
        QCOMPARE(state.inspection.ruleKey, QStringLiteral("pspc9010"));

        for (const char* action : {"LL", "TL", "SL", "IL"})
            f.act(QString::fromLatin1(action), QStringLiteral("7003"), state);
        QCOMPARE(state.limits, Limits());
        QCOMPARE(state.keys, KeyForwarding());
        QCOMPARE(state.inspection, InspectionSettings());
        QCOMPARE(state.languageIndex, 1);
        QCOMPARE(contentOf(f.path(QStringLiteral("Language_7003.ini"))), QByteArray("1\r\n"));
        QCOMPARE(f.shown, QStringList());
    }

    // The project of the gauge read before never shows for the next: what the next gauge's file leaves out
    // is empty, and a date or time it does not store is now.
    void anotherGaugesProjectNeverShows_data() {
        QTest::addColumn<QByteArray>("content"); // null: the gauge has no file yet
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QDate>("date"); // invalid: today
        QTest::addColumn<QTime>("time"); // invalid: now

        const QStringList none{"", "", "", "", "", ""};
        QTest::newRow("no file") << QByteArray() << none << QDate() << QTime();
        QTest::newRow("empty lines, no date")
            << QByteArray("\r\nAuftrag B\r\n\r\n\r\n\r\n\r\nDT \r\nTM \r\n")
            << QStringList{"", "Auftrag B", "", "", "", ""} << QDate() << QTime();
        QTest::newRow("file of an older version")
            << QByteArray("Kunde B\r\n\r\n\r\n\r\n\r\n\r\nDT 03.04.2025\r\n")
            << QStringList{"Kunde B", "", "", "", "", ""} << QDate(2025, 4, 3) << QTime();
        QTest::newRow("date and time stored")
            << QByteArray("\r\n\r\n\r\n\r\n\r\nTeil B\r\nDT 03.04.2025\r\nTM 10:20\r\n")
            << QStringList{"", "", "", "", "", "Teil B"} << QDate(2025, 4, 3) << QTime(10, 20);
    }

    void anotherGaugesProjectNeverShows() {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, fields);
        QFETCH(QDate, date);
        QFETCH(QTime, time);

        Fixture f;
        SettingsState state;
        state.project.fields = {"Kunde A", "Auftrag A", "Prüfer A", "Ort A", "Teil A", "Bemerkung A"};
        state.project.date = QDate(2024, 1, 2);
        state.project.time = QTime(6, 30);
        f.act(u"PS", QStringLiteral("7001"), state);
        QCOMPARE(f.files.reloadProjectData(QStringLiteral("7001"), state), QStringList());
        QCOMPARE(state.project.fields[0], QStringLiteral("Kunde A"));

        if (!content.isNull())
            writeRaw(f.path(QStringLiteral("Projektdaten._7002.ini")), content);
        const QTime before = QTime::currentTime();
        QCOMPARE(f.files.reloadProjectData(QStringLiteral("7002"), state), QStringList());
        const QTime after = QTime::currentTime();
        QCOMPARE(QStringList(state.project.fields.begin(), state.project.fields.end()), fields);
        QCOMPARE(state.project.date, date.isValid() ? date : QDate::currentDate());
        if (time.isValid())
            QCOMPARE(state.project.time, time);
        else
            QVERIFY(state.project.time >= before && state.project.time <= after);
    }

    void aProjectFileThatCannotBeReadLeavesNoProject() {
        Fixture f;
        SettingsState state;
        state.project.fields[0] = QStringLiteral("Kunde A");
        state.project.date = QDate(2024, 1, 2);
        QVERIFY(QDir(f.folder).mkdir(QStringLiteral("Projektdaten._7002.ini")));
        f.act(u"PL", QStringLiteral("7002"), state);
        QCOMPARE(f.shown.size(), 1);
        QCOMPARE(state.project, ProjectData());
    }

    void deviceNumberCannotLeaveTheFolder() {
        Fixture f;
        SettingsState state;
        f.act(u"LS", QStringLiteral("../x"), state);
        QCOMPARE(f.fileNames(), QStringList{"Limit____x.ini"});
        QCOMPARE(QDir(f.root.path()).entryList(QDir::Files),
                 QStringList{QFileInfo(f.log.filePath()).fileName()});
    }

    void unknownActionsDoNothing_data() {
        QTest::addColumn<QString>("action");

        QTest::newRow("unknown") << QStringLiteral("XX");
        QTest::newRow("lower case") << QStringLiteral("ll");
        QTest::newRow("longer") << QStringLiteral("LLX");
        QTest::newRow("empty") << QString();
    }

    void unknownActionsDoNothing() {
        QFETCH(QString, action);

        Fixture f;
        SettingsState state;
        state.languageIndex = 1;
        f.act(action, QStringLiteral("7001"), state);
        QCOMPARE(f.fileNames(), QStringList());
        QCOMPARE(f.shown, QStringList());
        QCOMPARE(state.languageIndex, 1);
    }

    void languageFileIsClampedAndApplied_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("expected");
        QTest::addColumn<bool>("applied");

        QTest::newRow("2 gives English") << QByteArray("2\r\n") << 0 << 1 << true;
        QTest::newRow("-1 gives German") << QByteArray("-1\r\n") << 1 << 0 << true;
        QTest::newRow("empty gives German") << QByteArray() << 1 << 0 << true;
        QTest::newRow("not a number keeps the language") << QByteArray("x\r\n") << 1 << 1 << false;
    }

    void languageFileIsClampedAndApplied() {
        QFETCH(QByteArray, content);
        QFETCH(int, before);
        QFETCH(int, expected);
        QFETCH(bool, applied);

        Fixture f;
        writeRaw(f.path(QStringLiteral("Language_7001.ini")), content);
        SettingsState state;
        state.languageIndex = before;
        f.act(u"SL", QStringLiteral("7001"), state);
        QCOMPARE(state.languageIndex, expected);
        QCOMPARE(f.appliedLanguages, applied ? QList<int>{expected} : QList<int>());
        QCOMPARE(f.shown.size(), applied ? 0 : 1);
    }

    void failuresAreShownAndLogged_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("content"); // null: no settings folder at all
        QTest::addColumn<QString>("fileMessage");

        const QByteArray noFolder;
        QTest::newRow("LL malformed line, German")
            << "LL" << 0 << "Limit_7001.ini" << QByteArray("12,5") << "Probleme beim Lesen Datei Limit.ini: ";
        QTest::newRow("LL malformed line, English")
            << "LL" << 1 << "Limit_7001.ini" << QByteArray("1;x;3;") << "problems reading file  Limit.ini: ";
        QTest::newRow("TL malformed line") << "TL" << 0 << "Tastatur_7001.ini" << QByteArray("1") << "";
        QTest::newRow("SL not a number, German") << "SL" << 0 << "Language_7001.ini" << QByteArray("x")
                                                 << "Probleme beim Lesen Datei & Language.ini: ";
        QTest::newRow("SL not a number, English")
            << "SL" << 1 << "Language_7001.ini" << QByteArray("x") << "problems reading file Language.ini:";
        QTest::newRow("LL no folder")
            << "LL" << 0 << "" << noFolder << "Probleme beim Lesen Datei Limit.ini: ";
        QTest::newRow("LS no folder, German")
            << "LS" << 0 << "" << noFolder << "Probleme beim Schreiben Datei Limit.ini: ";
        QTest::newRow("LS no folder, English")
            << "LS" << 1 << "" << noFolder << "problems writing file  Limit.ini: ";
        QTest::newRow("TS no folder") << "TS" << 1 << "" << noFolder << "";
        QTest::newRow("SS no folder, German")
            << "SS" << 0 << "" << noFolder << "Probleme beim Schreiben Datei Language.ini: ";
        QTest::newRow("SS no folder, English")
            << "SS" << 1 << "" << noFolder << "problems writing file Language.ini: ";
        QTest::newRow("PL no folder, German")
            << "PL" << 0 << "" << noFolder << "Probleme beim Lesen Datei Projektdaten.ini: ";
        QTest::newRow("PL no folder, English")
            << "PL" << 1 << "" << noFolder << "problems reading file  Projektdaten.ini: ";
        QTest::newRow("PS no folder, German")
            << "PS" << 0 << "" << noFolder << "Probleme beim Schreiben Datei Projektdaten.ini: ";
        QTest::newRow("PS no folder, English")
            << "PS" << 1 << "" << noFolder << "problems writing file  Datei Projektdaten.ini: ";
        QTest::newRow("PI no folder, German")
            << "PI" << 0 << "" << noFolder << "Probleme beim Lesen Datei Projekt.ini: ";
        QTest::newRow("PI no folder, English")
            << "PI" << 1 << "" << noFolder << "problems reading file  Datei Projekt.ini: ";
    }

    void failuresAreShownAndLogged() {
        QFETCH(QString, action);
        QFETCH(int, language);
        QFETCH(QString, fileName);
        QFETCH(QByteArray, content);
        QFETCH(QString, fileMessage);

        Fixture f(!content.isNull());
        if (!content.isNull())
            writeRaw(f.path(fileName), content);
        SettingsState state;
        state.languageIndex = language;
        f.act(action, QStringLiteral("7001"), state);

        QCOMPARE(f.shown.size(), 1);
        const QString shown = f.shown.first();
        QVERIFY2(shown.endsWith(fileMessage) && shown.size() > fileMessage.size(), qPrintable(shown));
        QCOMPARE(contentOf(f.log.filePath()), fileMessage.toUtf8() + "\r\n");
        QVERIFY(!QDir(f.folder).exists() == content.isNull());
    }

    void programSettingsAreKeptBesideTheGauges() {
        Fixture f;
        QCOMPARE(f.files.readProgramSettings(), ProgramSettings{});
        const ProgramSettings written{1, LastGauge{"Vexa F 3", "AA:BB:CC:DD:EE:FF", "F3", "V2.07"}};
        QCOMPARE(f.files.writeProgramSettings(written, 1), std::nullopt);
        QCOMPARE(f.fileNames(), QStringList{"Program.ini"});
        QCOMPARE(f.files.readProgramSettings(), written);
    }

    void programSettingsNotWrittenAreShownAndLogged_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("fileMessage");

        QTest::newRow("German") << 0 << "Probleme beim Schreiben Datei Program.ini: ";
        QTest::newRow("English") << 1 << "problems writing file Program.ini: ";
    }

    void programSettingsNotWrittenAreShownAndLogged() {
        QFETCH(int, language);
        QFETCH(QString, fileMessage);

        Fixture f(false);
        const std::optional<QString> shown = f.files.writeProgramSettings({language, std::nullopt}, language);
        QVERIFY(shown);
        QVERIFY2(shown->endsWith(fileMessage) && shown->size() > fileMessage.size(), qPrintable(*shown));
        QCOMPARE(contentOf(f.log.filePath()), fileMessage.toUtf8() + "\r\n");
        QCOMPARE(f.files.readProgramSettings(), ProgramSettings{});
    }

    void limitsReadBeforeAMalformedLineStay() {
        Fixture f;
        writeRaw(f.path(QStringLiteral("Limit_7001.ini")), "1;2;3;1;\r\n4;x;6;0;\r\n");
        SettingsState state;
        f.act(u"LL", QStringLiteral("7001"), state);
        QCOMPARE(f.shown.size(), 1);
        QCOMPARE(state.limits.minimum, 4.0);
        QCOMPARE(state.limits.maximum, 2.0);
        QCOMPARE(state.limits.target, 3.0);
        QVERIFY(state.limits.rule8020);
    }
};

QTEST_GUILESS_MAIN(TestSettingsFiles)
#include "tst_settingsfiles.moc"
