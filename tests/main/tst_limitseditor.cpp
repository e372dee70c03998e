#include "window/LimitsCaption.h"
#include "window/LimitsEditor.h"
#include "window/ScriptedPrompt.h"

#include <QLocale>
#include <QTest>

Q_DECLARE_METATYPE(vexa::Limits)
Q_DECLARE_METATYPE(vexa::LimitField)

using namespace vexa;

namespace {

// Limits with texts as a settings file would hold them, unless `texts` says otherwise.
Limits limits(double minimum, double maximum, double target, bool rule8020 = false,
              const QStringList& texts = {}) {
    Limits result;
    result.minimum = minimum;
    result.maximum = maximum;
    result.target = target;
    result.minimumText = texts.value(0, QString::number(minimum));
    result.maximumText = texts.value(1, QString::number(maximum));
    result.targetText = texts.value(2, QString::number(target));
    result.rule8020 = rule8020;
    return result;
}

LimitsDisplay display(const QStringList& texts, bool rule8020) {
    return {texts.value(0), texts.value(1), texts.value(2), rule8020};
}

const QString German = QStringLiteral("de_DE");
const QString English = QStringLiteral("C");

} // namespace

class TestLimitsEditor : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void leavingAField_data();
    void leavingAField();
    void ticking8020_data();
    void ticking8020();
    void deleteClearsEverything();
    void activationShowsTheValuesInTheLocale();
    void explanationOf8020_data();
    void explanationOf8020();

    void caption_data();
    void caption();
};

void TestLimitsEditor::leavingAField_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("language");
    QTest::addColumn<Limits>("before");
    QTest::addColumn<LimitField>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("cancelled");
    QTest::addColumn<Limits>("after");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QStringList>("messages");

    const auto Min = LimitField::Minimum;
    const auto Max = LimitField::Maximum;
    const auto Target = LimitField::Target;

    // Signs
    QTest::newRow("negative number loses its minus")
        << German << 0 << limits(0, 50, 0) << Min << "-12" << false << limits(12, 50, 0)
        << QStringList{"12", "50", "0"} << QStringList{"Nur positive Werte erlaubt"};
    QTest::newRow("minus of an exponent stays")
        << English << 1 << limits(0, 1, 0) << Target << "-1e-5" << false
        << limits(0, 1, 1e-5, false, {"0", "1", "1e-5"}) << QStringList{"0", "1", "1e-5"}
        << QStringList{"Only positive digits allowed"};
    QTest::newRow("negative zero") << English << 0 << limits(0, 0, 0) << Max << "-0" << false
                                   << limits(0, 0, 0) << QStringList{"0", "0", "0"}
                                   << QStringList{"Nur positive Werte erlaubt"};

    // Refused texts keep the field and the values
    QTest::newRow("not a number") << German << 0 << limits(5, 50, 20) << Min << "abc" << true
                                  << limits(5, 50, 20) << QStringList{"abc", "50", "20"}
                                  << QStringList{"Eingabe muss numerisch sein!"};
    QTest::newRow("infinity is no number")
        << English << 1 << limits(5, 50, 20) << Target << "inf" << true << limits(5, 50, 20)
        << QStringList{"5", "50", "inf"} << QStringList{"Numeric field required!"};
    QTest::newRow("point in a German locale")
        << German << 0 << limits(5, 50, 20) << Target << "12.5" << true << limits(5, 50, 20)
        << QStringList{"5", "50", "12.5"} << QStringList{"Eingabe muss numerisch sein!"};
    QTest::newRow("two blanks are no number")
        << German << 0 << limits(5, 50, 20) << Max << "  " << true << limits(5, 50, 20)
        << QStringList{"5", "  ", "20"} << QStringList{"Eingabe muss numerisch sein!"};

    // Empty fields are 0 and skip the consistency check (80/20 without target would complain)
    QTest::newRow("emptied") << German << 0 << limits(5, 50, 20, true) << Target << "" << false
                             << limits(5, 50, 0, true) << QStringList{"5", "50", "0"} << QStringList{};
    QTest::newRow("single blank") << German << 0 << limits(5, 50, 20) << Max << " " << false
                                  << limits(5, 0, 20) << QStringList{"5", "0", "20"} << QStringList{};

    // Locale
    QTest::newRow("German decimal comma") << German << 0 << limits(10, 20, 0) << Target << "12,5" << false
                                          << limits(10, 20, 12.5, false, {"10", "20", "12,5"})
                                          << QStringList{"10", "20", "12,5"} << QStringList{};

    // 80/20 rule
    QTest::newRow("80/20 moves the minimum")
        << English << 1 << limits(0, 100, 50, true) << Min << "30" << false << limits(40, 100, 50, true)
        << QStringList{"40", "100", "50"} << QStringList{"Min limit changed due to 80/20 rule from 30 to 40"};
    QTest::newRow("80/20 target sets the minimum")
        << German << 0 << limits(0, 100, 0, true) << Target << "12,5" << false
        << limits(10, 100, 12.5, true, {"10", "100", "12,5"}) << QStringList{"10", "100", "12,5"}
        << QStringList{"Min Limit  an 80/20 Regel angepasst von 0 nach 10"};
    QTest::newRow("80/20 minimum without binary noise")
        << English << 1 << limits(0, 1, 0, true) << Target << "0.07" << false << limits(0.056, 1, 0.07, true)
        << QStringList{"0.056", "1", "0.07"}
        << QStringList{"Min limit changed due to 80/20 rule from 0 to 0.056"};
    QTest::newRow("80/20 of the largest targets")
        << English << 1 << limits(0, 0, 0, true) << Target << "1e308" << false
        << limits(8e307, 0, 1e308, true, {"8e+307", "0", "1e308"}) << QStringList{"8e+307", "0", "1e308"}
        << QStringList{"Min limit changed due to 80/20 rule from 0 to 8e+307"};
    QTest::newRow("80/20 already met")
        << German << 0 << limits(40, 100, 50, true) << Max << "90" << false << limits(40, 90, 50, true)
        << QStringList{"40", "90", "50"} << QStringList{};
    QTest::newRow("80/20 without target stops the check")
        << German << 0 << limits(60, 0, 0, true) << Max << "50" << false << limits(60, 50, 0, true)
        << QStringList{"60", "50", "0"} << QStringList{"Eingabe Sollwert bei 80/20 Regel erforderlich"};

    // Inconsistent values are reported and stay
    QTest::newRow("minimum above maximum")
        << German << 0 << limits(0, 50, 0) << Min << "60" << false << limits(60, 50, 0)
        << QStringList{"60", "50", "0"} << QStringList{"Minimum größer als Maximum!"};
    QTest::newRow("target above maximum")
        << German << 0 << limits(10, 20, 0) << Target << "25" << false << limits(10, 20, 25)
        << QStringList{"10", "20", "25"} << QStringList{"Sollwert muss zwischen Minimum und Maximum liegen!"};
    QTest::newRow("target below minimum, minimum above maximum")
        << English << 1 << limits(0, 20, 25) << Min << "30" << false << limits(30, 20, 25)
        << QStringList{"30", "20", "25"}
        << QStringList{"Target value should be within Minimum and Maximum!", "Minimum higher than maximum!"};
}

void TestLimitsEditor::leavingAField() {
    QFETCH(QString, locale);
    QFETCH(int, language);
    QFETCH(Limits, before);
    QFETCH(LimitField, field);
    QFETCH(QString, text);
    QFETCH(bool, cancelled);
    QFETCH(Limits, after);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, messages);

    QLocale::setDefault(QLocale(locale));
    ScriptedPrompt prompt;
    Limits edited = before;
    LimitsEditor editor(edited, language, prompt);
    editor.formActivate();

    const FieldLeave leave = editor.validate(field, text);

    QCOMPARE(leave == FieldLeave::Cancelled, cancelled);
    QCOMPARE(prompt.shown(), messages);
    QCOMPARE(edited, after);
    QCOMPARE(editor.display(), display(fields, before.rule8020));
}

void TestLimitsEditor::ticking8020_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<Limits>("before");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<Limits>("after");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("ticking adjusts the minimum")
        << 1 << limits(30, 100, 50) << true << limits(40, 100, 50, true) << QStringList{"40", "100", "50"}
        << QStringList{"Min limit changed due to 80/20 rule from 30 to 40"};
    QTest::newRow("ticking without target changes nothing else")
        << 0 << limits(30, 100, 0) << true << limits(30, 100, 0, true) << QStringList{"30", "100", "0"}
        << QStringList{"Eingabe Sollwert bei 80/20 Regel erforderlich"};
    QTest::newRow("minimum already at 80 %") << 0 << limits(40, 100, 50) << true << limits(40, 100, 50, true)
                                             << QStringList{"40", "100", "50"} << QStringList{};
    QTest::newRow("adjusted minimum above maximum")
        << 0 << limits(0, 30, 50) << true << limits(40, 30, 50, true) << QStringList{"40", "30", "50"}
        << QStringList{"Min Limit  an 80/20 Regel angepasst von 0 nach 40", "Minimum größer als Maximum!"};
    QTest::newRow("unticking checks the target")
        << 0 << limits(10, 20, 25, true) << false << limits(10, 20, 25) << QStringList{"10", "20", "25"}
        << QStringList{"Sollwert muss zwischen Minimum und Maximum liegen!"};
}

void TestLimitsEditor::ticking8020() {
    QFETCH(int, language);
    QFETCH(Limits, before);
    QFETCH(bool, ticked);
    QFETCH(Limits, after);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, messages);

    ScriptedPrompt prompt;
    Limits edited = before;
    LimitsEditor editor(edited, language, prompt);
    editor.formActivate();

    editor.chk8020Click(ticked);

    QCOMPARE(prompt.shown(), messages);
    QCOMPARE(edited, after);
    QCOMPARE(editor.display(), display(fields, ticked));
}

void TestLimitsEditor::deleteClearsEverything() {
    ScriptedPrompt prompt;
    Limits edited = limits(12.5, 80, 50, true);
    LimitsEditor editor(edited, 0, prompt);
    editor.formActivate();

    editor.cmdLoeschenClick();

    QCOMPARE(edited, limits(0, 0, 0));
    QCOMPARE(editor.display(), display({"0", "0", "0"}, false));
    QCOMPARE(prompt.shown(), QStringList{});
}

void TestLimitsEditor::activationShowsTheValuesInTheLocale() {
    QLocale::setDefault(QLocale(German));
    ScriptedPrompt prompt;
    Limits edited = limits(12.5, 1000, 0.5, true, {"a", "b", "c"});
    const Limits before = edited;
    LimitsEditor editor(edited, 0, prompt);

    editor.formActivate();

    QCOMPARE(editor.display(), display({"12,5", "1000", "0,5"}, true));
    QCOMPARE(edited, before);
}

void TestLimitsEditor::explanationOf8020_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("firstLine");
    QTest::addColumn<QString>("lastLine");

    QTest::newRow("German")
        << 0 << "Die 80/20 Regel nach ISO 19840 :"
        << "Kennzeichnung in Tabelle:  Wert ok = grün, Wert höher Max oder unter Min = red, "
           "Wert zwischen 80 and 100% = orange";
    QTest::newRow("English") << 1 << "The 80/20 rule according to ISO 19840 :"
                             << "Appearance in table: value ok = green, value higher max or lower Min = red, "
                                "value between 80 and 100% = orange";
}

void TestLimitsEditor::explanationOf8020() {
    QFETCH(int, language);
    QFETCH(QString, firstLine);
    QFETCH(QString, lastLine);

    ScriptedPrompt prompt;
    Limits edited;
    LimitsEditor editor(edited, language, prompt);
    editor.cmdInfoClick();

    QCOMPARE(prompt.shown().size(), 1);
    const QStringList lines = prompt.shown().first().split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 7);
    QCOMPARE(lines.first(), firstLine);
    QVERIFY(lines.at(4).startsWith(u"4) "));
    QCOMPARE(lines.at(5), QString());
    QCOMPARE(lines.last(), lastLine);
}

void TestLimitsEditor::caption_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("language");
    QTest::addColumn<Limits>("values");
    QTest::addColumn<QString>("caption");

    // Nothing set
    QTest::newRow("German, nothing set") << German << "QY" << 0 << limits(0, 0, 0) << "Grenzwerte";
    QTest::newRow("English, nothing set") << English << "QY" << 1 << limits(0, 0, 0) << "Limits";

    // Formats
    QTest::newRow("fraction, one decimal")
        << English << "QY" << 0 << limits(12.5, 20, 15) << ">   12.5\r\n<   20.0\r\n=   15.0";
    QTest::newRow("German separator")
        << German << "QY" << 0 << limits(12.5, 20, 15) << ">   12,5\r\n<   20,0\r\n=   15,0";
    QTest::newRow("WP gauge, three decimals")
        << English << "WP" << 0 << limits(12.5, 20, 15) << "> 12.500\r\n< 20.000\r\n= 15.000";
    QTest::newRow("WP only at the start")
        << English << "QWP" << 0 << limits(12.5, 20, 15) << ">   12.5\r\n<   20.0\r\n=   15.0";
    QTest::newRow("whole numbers") << English << "WP" << 0 << limits(40, 80, 50)
                                   << ">     40\r\n<     80\r\n=     50";
    QTest::newRow("only a target") << English << "QY" << 0 << limits(0, 0, 15)
                                   << ">      0\r\n<      0\r\n=     15";

    // Where a fraction starts and how it rounds
    QTest::newRow("below half a thousandth is whole")
        << English << "QY" << 0 << limits(40.0004, 80, 50) << ">     40\r\n<     80\r\n=     50";
    QTest::newRow("half a thousandth is a fraction")
        << English << "QY" << 0 << limits(0.0005, 80, 50) << ">    0.0\r\n<   80.0\r\n=   50.0";
    QTest::newRow("halves round up as typed")
        << English << "QY" << 0 << limits(0.15, 2.25, 0.05) << ">    0.2\r\n<    2.3\r\n=    0.1";
    QTest::newRow("wide number is not cut")
        << English << "QY" << 0 << limits(123456.5, 0, 0) << ">123456.5\r\n<    0.0\r\n=    0.0";
}

void TestLimitsEditor::caption() {
    QFETCH(QString, locale);
    QFETCH(QString, model);
    QFETCH(int, language);
    QFETCH(Limits, values);
    QFETCH(QString, caption);

    QLocale::setDefault(QLocale(locale));
    QCOMPARE(limitsCaption(values, model, language), caption);
}

QTEST_GUILESS_MAIN(TestLimitsEditor)
#include "tst_limitseditor.moc"
