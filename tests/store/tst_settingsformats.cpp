#include "files/SettingsFormats.h"

#include <QLocale>
#include <QTest>
#include <limits>

using namespace vexa;

namespace vexa {

char* toString(const Limits& l) {
    return QTest::toString(QStringLiteral("{%1 %2 %3 \"%4\" \"%5\" \"%6\" %7}")
                               .arg(l.minimum)
                               .arg(l.maximum)
                               .arg(l.target)
                               .arg(l.minimumText, l.maximumText, l.targetText)
                               .arg(l.rule8020));
}

char* toString(const KeyForwarding& k) {
    return QTest::toString(QStringLiteral("{%1 \"%2\" \"%3\" \"%4\"}")
                               .arg(k.forwardingOn)
                               .arg(k.targetApplication, k.includeFlags, k.lineEndToken));
}

} // namespace vexa

Q_DECLARE_METATYPE(vexa::ProgramSettings)
Q_DECLARE_METATYPE(vexa::InspectionSettings)

namespace {

const QLocale german(QLocale::German, QLocale::Germany);
const QLocale english(QLocale::English, QLocale::UnitedStates);

Limits limits(double minimum, double maximum, double target, bool rule8020) {
    const auto text = [](double value) { return QString::number(value); };
    return {minimum, maximum, target, text(minimum), text(maximum), text(target), rule8020};
}

const Limits before = limits(9, 9, 9, true);
const KeyForwarding keysBefore{false, QStringLiteral("old.exe"), QStringLiteral("0000"), QString()};

QByteArray crlf(const QStringList& lines) {
    return lines.isEmpty() ? QByteArray()
                           : (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

} // namespace

class TestSettingsFormats : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(german); }
    void cleanupTestCase() { QLocale::setDefault(QLocale::system()); }

    void readsLimits_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<Limits>("expected");
        QTest::addColumn<bool>("failed");

        QTest::newRow("line as written")
            << QByteArray("12,5;80;50;1;\r\n") << Limits{12.5, 80, 50, "12,5", "80", "50", true} << false;
        QTest::newRow("no fourth separator: rule off")
            << QByteArray("1;2;3;") << limits(1, 2, 3, false) << false;
        QTest::newRow("switch 0") << QByteArray("1;2;3;0;") << limits(1, 2, 3, false) << false;
        QTest::newRow("switch any other number") << QByteArray("1;2;3;7;") << limits(1, 2, 3, true) << false;
        QTest::newRow("blanks around fields")
            << QByteArray("  1 ; 2;3 ;1;  ") << limits(1, 2, 3, true) << false;
        QTest::newRow("last line wins, blank lines skipped")
            << QByteArray("1;2;3;1;\r\n  \r\n4;5;6;0;\r\n\r\n") << limits(4, 5, 6, false) << false;
        QTest::newRow("empty file keeps the values") << QByteArray() << before << false;
        QTest::newRow("no separator") << QByteArray("12,5") << before << true;
        QTest::newRow("no target") << QByteArray("1;2") << Limits{1, 9, 9, "1", "9", "9", true} << true;
        QTest::newRow("maximum not a number")
            << QByteArray("5;abc;1;1;") << Limits{5, 9, 9, "5", "9", "9", true} << true;
        QTest::newRow("empty number") << QByteArray(";2;3;") << before << true;
        QTest::newRow("not finite") << QByteArray("nan;2;3;") << before << true;
        QTest::newRow("bad line after a good one")
            << QByteArray("1;2;3;0;\r\nx") << limits(1, 2, 3, false) << true;
        QTest::newRow("switch not a number") << QByteArray("1;2;3;x;") << limits(1, 2, 3, true) << true;
    }

    void readsLimits() {
        QFETCH(QByteArray, content);
        QFETCH(Limits, expected);
        QFETCH(bool, failed);

        const SettingsRead<Limits> read = parseLimitsFile(content, before);
        QCOMPARE(read.values, expected);
        QCOMPARE(read.error.has_value(), failed);
    }

    void writesLimitsInTheLocale_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<Limits>("limits");
        QTest::addColumn<QString>("expected");

        QTest::newRow("German") << german << limits(12.5, 80, 50, true) << QStringLiteral("12,5;80;50;1;");
        QTest::newRow("English") << english << limits(12.5, 80, 50, false) << QStringLiteral("12.5;80;50;0;");
        QTest::newRow("no grouping") << german << limits(1234567.5, 0, 0, false)
                                     << QStringLiteral("1234567,5;0;0;0;");
    }

    void writesLimitsInTheLocale() {
        QFETCH(QLocale, locale);
        QFETCH(Limits, limits);
        QFETCH(QString, expected);

        QLocale::setDefault(locale);
        QCOMPARE(limitsFileLines(limits), QStringList{expected});
    }

    void limitsReadBackUnchanged_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<double>("value");

        const double values[] = {0,
                                 12.5,
                                 0.1,
                                 1.0 / 3,
                                 1e-7,
                                 123456789.125,
                                 1e21,
                                 -0.5,
                                 -0.0,
                                 2e-5,
                                 99999.99,
                                 std::numeric_limits<double>::max(),
                                 std::numeric_limits<double>::denorm_min()};
        for (const QLocale& locale : {german, english}) {
            for (const double value : values)
                QTest::addRow("%s %.17g", qPrintable(locale.name()), value) << locale << value;
        }
    }

    void limitsReadBackUnchanged() {
        QFETCH(QLocale, locale);
        QFETCH(double, value);

        QLocale::setDefault(locale);
        const Limits written{value, -value, value / 2, {}, {}, {}, true};
        const SettingsRead<Limits> read = parseLimitsFile(crlf(limitsFileLines(written)), {});
        QCOMPARE(read.error, std::nullopt);
        QCOMPARE(read.values.minimum, written.minimum);
        QCOMPARE(read.values.maximum, written.maximum);
        QCOMPARE(read.values.target, written.target);
        QVERIFY(read.values.rule8020);
    }

    void readsKeyForwarding_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<KeyForwarding>("expected");
        QTest::addColumn<bool>("failed");

        QTest::newRow("line as written")
            << QByteArray("1;C:\\Tools\\app.exe;1010;ENTER\r\n")
            << KeyForwarding{true, "C:\\Tools\\app.exe", "1010", "ENTER"} << false;
        QTest::newRow("token with separators taken whole")
            << QByteArray("1;app;1010;EN;TER;") << KeyForwarding{true, "app", "1010", "EN;TER;"} << false;
        QTest::newRow("empty flags") << QByteArray("0;app;;") << KeyForwarding{false, "app", "0000", ""}
                                     << false;
        QTest::newRow("short flags") << QByteArray("1;app;11;") << KeyForwarding{true, "app", "1100", ""}
                                     << false;
        QTest::newRow("odd flags") << QByteArray("1;app;1x1011;") << KeyForwarding{true, "app", "1010", ""}
                                   << false;
        QTest::newRow("only the first line")
            << QByteArray("0;a;0001;\r\n1;b;1111;ENTER") << KeyForwarding{false, "a", "0001", ""} << false;
        QTest::newRow("Windows-1252 path") << QByteArray("1;C:\\Pr\xFC"
                                                         "fung\\a.exe;0000;")
                                           << KeyForwarding{true, "C:\\Prüfung\\a.exe", "0000", ""} << false;
        QTest::newRow("empty file keeps the values") << QByteArray() << keysBefore << false;
        QTest::newRow("no separator") << QByteArray("1") << keysBefore << true;
        QTest::newRow("no flags") << QByteArray("1;app") << KeyForwarding{true, "old.exe", "0000", ""}
                                  << true;
        QTest::newRow("switch not a number") << QByteArray("x;app;1010;ENTER") << keysBefore << true;
    }

    void readsKeyForwarding() {
        QFETCH(QByteArray, content);
        QFETCH(KeyForwarding, expected);
        QFETCH(bool, failed);

        const SettingsRead<KeyForwarding> read = parseKeyboardFile(content, keysBefore);
        QCOMPARE(read.values, expected);
        QCOMPARE(read.error.has_value(), failed);
    }

    void writesKeyForwarding() {
        QCOMPARE(keyboardFileLines({true, "C:\\Tools\\app.exe", "1010", "ENTER"}),
                 QStringList{"1;C:\\Tools\\app.exe;1010;ENTER"});
        QCOMPARE(keyboardFileLines({false, "", "", ""}), QStringList{"0;;0000;"});
    }

    void readsInspection_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<InspectionSettings>("expected");

        const auto settings = [](const char* rule, QMap<QString, QStringList> parameters) {
            return InspectionSettings{QString::fromLatin1(rule), std::move(parameters)};
        };
        QTest::newRow("as written")
            << QByteArray("iso19840\r\niso19840;ndft=120;correction=medium;\r\npspc9010;ndft=300;\r\n")
            << settings("iso19840",
                        {{"iso19840", {"ndft=120", "correction=medium"}}, {"pspc9010", {"ndft=300"}}});
        QTest::newRow("empty file") << QByteArray() << InspectionSettings();
        QTest::newRow("a rule without parameters entered") << QByteArray("weld\r\n") << settings("weld", {});
        QTest::newRow("blanks and empty fields dropped")
            << QByteArray(" weld \r\n\r\nweld; max = 2 ;;\r\n;ndft=1;\r\n")
            << settings("weld", {{"weld", {"max = 2"}}});
        QTest::newRow("the last line of a rule wins") << QByteArray("weld\nweld;max=2;\nweld;process=arc;\n")
                                                      << settings("weld", {{"weld", {"process=arc"}}});
        QTest::newRow("a text the rule will refuse is kept for it to say so")
            << QByteArray("pspc9010\npspc9010;ndft\n") << settings("pspc9010", {{"pspc9010", {"ndft"}}});
    }

    void readsInspection() {
        QFETCH(QByteArray, content);
        QFETCH(InspectionSettings, expected);
        QCOMPARE(parseInspectionFile(content), expected);
    }

    void inspectionTextsCannotSplitTheirLine() {
        const InspectionSettings written{QStringLiteral("weld"), {{QStringLiteral("weld"), {"max=2;3\n4"}}}};
        QCOMPARE(inspectionFileLines(written), (QStringList{"weld", "weld;max=23 4;"}));
    }

    void readsLanguage_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("expected");
        QTest::addColumn<bool>("failed");

        QTest::newRow("German") << QByteArray("0\r\n") << 1 << 0 << false;
        QTest::newRow("English") << QByteArray("1\r\n") << 0 << 1 << false;
        QTest::newRow("2 is English") << QByteArray("2") << 0 << 1 << false;
        QTest::newRow("large is English") << QByteArray("32767") << 0 << 1 << false;
        QTest::newRow("-1 is German") << QByteArray("-1") << 1 << 0 << false;
        QTest::newRow("empty file is German") << QByteArray() << 1 << 0 << false;
        QTest::newRow("empty line is German") << QByteArray("\r\n1") << 1 << 0 << false;
        QTest::newRow("first line counts") << QByteArray(" 1 \r\n0") << 0 << 1 << false;
        QTest::newRow("not a number") << QByteArray("abc") << 1 << 1 << true;
        QTest::newRow("not a number, current clamped") << QByteArray("abc") << 5 << 1 << true;
    }

    void readsLanguage() {
        QFETCH(QByteArray, content);
        QFETCH(int, current);
        QFETCH(int, expected);
        QFETCH(bool, failed);

        const SettingsRead<int> read = parseLanguageFile(content, current);
        QCOMPARE(read.values, expected);
        QCOMPARE(read.error.has_value(), failed);
    }

    void writesLanguageClamped() {
        QCOMPARE(languageFileLines(1), QStringList{"1"});
        QCOMPARE(languageFileLines(2), QStringList{"1"});
        QCOMPARE(languageFileLines(-1), QStringList{"0"});
    }

    void readsProgramSettings_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("gaugeName");
        QTest::addColumn<QString>("firmware");

        QTest::newRow("missing file") << QByteArray() << 0 << QString() << QString();
        QTest::newRow("language only") << crlf({"1"}) << 1 << QString() << QString();
        QTest::newRow("language and gauge")
            << crlf({"1", "Vexa F 3 [Demo]", "00:11:22:33:44:55", "F3", "V2.07"}) << 1
            << QStringLiteral("Vexa F 3 [Demo]") << QStringLiteral("V2.07");
        QTest::newRow("trailing empty lines") << QByteArray("1\r\n\r\n\r\n") << 1 << QString() << QString();
        QTest::newRow("language not 0 or 1") << crlf({"2"}) << 0 << QString() << QString();
        QTest::newRow("language not a number") << crlf({"en"}) << 0 << QString() << QString();
        QTest::newRow("gauge cut short")
            << crlf({"1", "Vexa F 3", "00:11:22:33:44:55"}) << 0 << QString() << QString();
        QTest::newRow("gauge without address")
            << crlf({"1", "Vexa F 3", "", "F3", "V2.07"}) << 0 << QString() << QString();
        QTest::newRow("more lines than a gauge")
            << crlf({"1", "a", "b", "c", "d", "e"}) << 0 << QString() << QString();
    }

    void readsProgramSettings() {
        QFETCH(QByteArray, content);
        QFETCH(int, language);
        QFETCH(QString, gaugeName);
        QFETCH(QString, firmware);

        const ProgramSettings read = parseProgramFile(content);
        QCOMPARE(read.languageIndex, language);
        QCOMPARE(read.lastGauge.has_value(), !gaugeName.isEmpty());
        if (read.lastGauge) {
            QCOMPARE(read.lastGauge->name, gaugeName);
            QCOMPARE(read.lastGauge->firmware, firmware);
        }
    }

    void programSettingsReadBackUnchanged_data() {
        QTest::addColumn<ProgramSettings>("written");

        QTest::newRow("German, no gauge") << ProgramSettings{0, std::nullopt};
        QTest::newRow("English with gauge")
            << ProgramSettings{1, LastGauge{"  Prüfgerät Süd ", "AA:BB:CC:DD:EE:FF", "F3", "V2.07"}};
        QTest::newRow("gauge without model or firmware")
            << ProgramSettings{0, LastGauge{"Vexa M", "AA:BB:CC:DD:EE:FF", "", ""}};
    }

    void programSettingsReadBackUnchanged() {
        QFETCH(ProgramSettings, written);
        QCOMPARE(parseProgramFile(crlf(programFileLines(written))), written);
    }

    void aGaugeNameWithALineBreakKeepsTheFileReadable() {
        const ProgramSettings written{1, LastGauge{"two\nlines", "AA:BB:CC:DD:EE:FF", "F3", "V1"}};
        const ProgramSettings read = parseProgramFile(crlf(programFileLines(written)));
        QVERIFY(read.lastGauge);
        QCOMPARE(read.lastGauge->name, QStringLiteral("two lines"));
        QCOMPARE(read.lastGauge->address, QStringLiteral("AA:BB:CC:DD:EE:FF"));
    }

    void readsProjectData_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QTime>("time");

        const QStringList none{"", "", "", "", "", ""};
        QTest::newRow("file as written")
            << crlf({"F1", "F2", "F3", "F4", "F5", "F6", "DT 29.02.2024", "TM 07:45"})
            << QStringList{"F1", "F2", "F3", "F4", "F5", "F6"} << QDate(2024, 2, 29) << QTime(7, 45);
        QTest::newRow("empty lines are empty fields, blanks stay")
            << crlf({"", "  ", "X", "", "", "", "DT 01.03.2024", "TM 00:00"})
            << QStringList{"", "  ", "X", "", "", ""} << QDate(2024, 3, 1) << QTime(0, 0);
        QTest::newRow("file of an older version: no time")
            << crlf({"Kunde", "", "", "", "", "", "DT 01.03.2024"})
            << QStringList{"Kunde", "", "", "", "", ""} << QDate(2024, 3, 1) << QTime();
        QTest::newRow("field beginning with DT")
            << crlf({"DT 01.02.2025 Halle 3", "", "", "", "", "", "DT 05.03.2025", "TM 12:00"})
            << QStringList{"DT 01.02.2025 Halle 3", "", "", "", "", ""} << QDate(2025, 3, 5) << QTime(12, 0);
        QTest::newRow("short file: a field beginning with DT is no date")
            << crlf({"Kunde", "DT 01.02.2025"}) << QStringList{"Kunde", "DT 01.02.2025", "", "", "", ""}
            << QDate() << QTime();
        QTest::newRow("time line in place of the date line")
            << crlf({"", "", "", "", "", "", "TM 07:45"}) << none << QDate() << QTime();
        QTest::newRow("date that does not exist")
            << crlf({"", "", "", "", "", "", "DT 31.02.2024", "TM 07:45"}) << none << QDate() << QTime(7, 45);
        QTest::newRow("time that does not exist")
            << crlf({"", "", "", "", "", "", "DT 01.03.2024", "TM 24:10"}) << none << QDate(2024, 3, 1)
            << QTime();
        QTest::newRow("no date, no time")
            << crlf({"", "", "", "", "", "", "DT ", "TM "}) << none << QDate() << QTime();
        QTest::newRow("empty file") << QByteArray() << none << QDate() << QTime();
        QTest::newRow("fields cut to 30 characters")
            << QByteArray("123456789012345678901234567890XYZ")
            << QStringList{"123456789012345678901234567890", "", "", "", "", ""} << QDate() << QTime();
        QTest::newRow("Windows-1252 field") << QByteArray("Gr\xF6\xDF"
                                                          "e")
                                            << QStringList{"Größe", "", "", "", "", ""} << QDate() << QTime();
    }

    void readsProjectData() {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, fields);

        const ProjectData read = parseProjectDataFile(content);
        QCOMPARE(QStringList(read.fields.begin(), read.fields.end()), fields);
        QTEST(read.date, "date");
        QTEST(read.time, "time");
    }

    void projectDataReadsBackUnchanged_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("dateLine");

        QTest::newRow("German") << german << QStringLiteral("DT 29.02.2024");
        QTest::newRow("English") << english << QStringLiteral("DT 2/29/2024");
    }

    void projectDataReadsBackUnchanged() {
        QFETCH(QLocale, locale);
        QFETCH(QString, dateLine);

        QLocale::setDefault(locale);
        ProjectData written;
        written.fields = {"Kunde Süd", "", "  blanks  ", "x;y", "5", "Ende"};
        written.date = QDate(2024, 2, 29);
        written.time = QTime(17, 5);
        const QStringList lines = projectDataFileLines(written);
        QCOMPARE(lines.mid(ProjectData::FieldCount), (QStringList{dateLine, QStringLiteral("TM 17:05")}));
        QCOMPARE(parseProjectDataFile(crlf(lines)), written);
    }

    void lineBreaksInFieldsDoNotShiftLines() {
        ProjectData written;
        written.fields[0] = QStringLiteral("two\r\nlines");
        const QStringList lines = projectDataFileLines(written);
        QCOMPARE(lines.size(), ProjectData::FieldCount + 2);
        QCOMPARE(lines.first(), QStringLiteral("two  lines"));
    }

    void readsProjectLabels_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("german");
        QTest::addColumn<QStringList>("english");

        QTest::newRow("eight labels between comments: six used")
            << crlf({"# Projektfelder", "Kunde;Customer;", "", "Auftrag;Order;", "  # alt",
                     "Prüfer;Inspector;", "Ort;Place;", "Bauteil;Part;", "Bemerkung;Remark;", "Sieben;Seven;",
                     "Acht;Eight;"})
            << QStringList{"Kunde", "Auftrag", "Prüfer", "Ort", "Bauteil", "Bemerkung"}
            << QStringList{"Customer", "Order", "Inspector", "Place", "Part", "Remark"};
        QTest::newRow("missing labels are empty")
            << QByteArray("A;B;") << QStringList{"A", "", "", "", "", ""}
            << QStringList{"B", "", "", "", "", ""};
        QTest::newRow("no separator") << QByteArray("Kunde") << QStringList{"Kunde", "", "", "", "", ""}
                                      << QStringList{"", "", "", "", "", ""};
        QTest::newRow("line cut to 60 characters")
            << QByteArray(QByteArray(58, 'g') + ";English;")
            << QStringList{QString(58, u'g'), "", "", "", "", ""} << QStringList{"E", "", "", "", "", ""};
        QTest::newRow("Windows-1252")
            << QByteArray("Pr\xFC"
                          "fer;Inspector;")
            << QStringList{"Prüfer", "", "", "", "", ""} << QStringList{"Inspector", "", "", "", "", ""};
    }

    void readsProjectLabels() {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, german);
        QFETCH(QStringList, english);

        const ProjectLabels labels = parseProjectLabelFile(content);
        for (int k = 0; k < ProjectLabels::LabelCount; ++k) {
            QCOMPARE(labels.label(k, 0), german[k]);
            QCOMPARE(labels.label(k, 1), english[k]);
        }
    }

    void labelsOutsideTheSixAreEmpty() {
        const ProjectLabels labels = parseProjectLabelFile("A;B;\r\n");
        QCOMPARE(labels.label(-1, 0), QString());
        QCOMPARE(labels.label(6, 0), QString());
        QCOMPARE(labels.label(0, 2), QStringLiteral("B"));
        QCOMPARE(labels.label(0, -1), QStringLiteral("A"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsFormats)
#include "tst_settingsformats.moc"
