// "NAME=VALUE" texts to a rule's parameters: defaults, choices, units, and every error typed.
#include "RuleFixture.h"

#include <QTest>

using namespace vexa;
using namespace vexa::fixture;

namespace {

using Values = QList<QPair<QString, double>>;
using Errors = std::vector<ParameterError>;

const QString Um = QStringLiteral("µm");

ParameterError error(ParameterErrorKind kind, const QString& name, const QString& text = {}) {
    return {kind, name, text};
}

// A rule of a table entry only: its one quantity is stated in µm, and one of its units has no factor
// from µm.
RuleDefinition thicknessOrField() {
    RuleDefinition rule;
    rule.key = QStringLiteral("test");
    rule.units = {Um, QStringLiteral("A/cm")};
    rule.parameters = {{.name = QStringLiteral("limit"), .statedUnit = Um, .defaultValue = 100.0}};
    return rule;
}

} // namespace

Q_DECLARE_METATYPE(Errors)

class TestRuleParameters : public QObject {
    Q_OBJECT
private slots:
    void accepted_data();
    void accepted();
    void refused_data();
    void refused();
    void defaultWithoutFactor();
    void keys();
};

void TestRuleParameters::accepted_data() {
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<Values>("values");
    QTest::addColumn<QStringList>("unset");

    QTest::newRow("ISO: maximum of 3 × NDFT, no correction, no area")
        << "iso19840" << QStringList{"ndft=125"} << Um
        << Values{{"ndft", 125}, {"max", 375}, {"correction", 0}} << QStringList{"area"};
    QTest::newRow("ISO: every parameter given")
        << "iso19840" << QStringList{"ndft=125", "max=300", "correction=medium", "area=12.5", "unit=µm"} << Um
        << Values{{"ndft", 125}, {"max", 300}, {"correction", 25}, {"area", 12.5}} << QStringList{};
    QTest::newRow("ISO: decimal comma, blanks, a class in capitals")
        << "iso19840" << QStringList{" ndft = 62,5 ", "correction=Fine"} << Um
        << Values{{"ndft", 62.5}, {"max", 187.5}, {"correction", 10}} << QStringList{};
    QTest::newRow("ISO: a correction as a number") << "iso19840" << QStringList{"ndft=100", "correction=15"}
                                                   << Um << Values{{"correction", 15}} << QStringList{};
    QTest::newRow("ISO in mils: a class converted, area in m²")
        << "iso19840" << QStringList{"unit=mils", "ndft=5", "correction=coarse", "area=3"} << "mils"
        << Values{{"ndft", 5}, {"max", 15}, {"correction", 40 / 25.4}, {"area", 3}} << QStringList{};
    QTest::newRow("PSPC: 320 µm by default")
        << "pspc9010" << QStringList{} << Um << Values{{"ndft", 320}} << QStringList{};
    QTest::newRow("PSPC in mm") << "pspc9010" << QStringList{"unit=mm"} << "mm" << Values{{"ndft", 0.32}}
                                << QStringList{};
    QTest::newRow("PA 2: defaults in mils")
        << "sspc-pa2" << QStringList{"min=8", "max=12"} << "mils"
        << Values{{"min", 8}, {"max", 12}, {"spot-readings", 3}, {"spots", 5}, {"level", 3}} << QStringList{};
    QTest::newRow("PA 2: level 5, spots of 4")
        << "sspc-pa2" << QStringList{"min=200", "max=300", "unit=µm", "level=5", "spot-readings=4"} << Um
        << Values{{"level", 5}, {"spot-readings", 4}} << QStringList{};
    QTest::newRow("weld: arc welding's 2 mT")
        << "weld" << QStringList{} << "mT" << Values{{"max", 2}} << QStringList{};
    QTest::newRow("weld: a preset in A/cm") << "weld" << QStringList{"unit=A/cm", "max=filler-wire"} << "A/cm"
                                            << Values{{"max", 7.95775}} << QStringList{};
    QTest::newRow("weld: a number in G")
        << "weld" << QStringList{"max=25", "unit=G"} << "G" << Values{{"max", 25}} << QStringList{};
}

void TestRuleParameters::accepted() {
    QFETCH(QString, rule);
    QFETCH(QStringList, texts);
    QFETCH(QString, unit);
    QFETCH(Values, values);
    QFETCH(QStringList, unset);

    const auto resolved = resolveParameters(*findInspectionRule(rule), texts);
    QVERIFY(std::holds_alternative<RuleParameters>(resolved));
    const RuleParameters& parameters = std::get<RuleParameters>(resolved);
    QCOMPARE(parameters.unit, unit);
    for (const auto& [name, value] : values) {
        QVERIFY2(parameters.has(name), qPrintable(name));
        QCOMPARE(parameters[name], value);
    }
    for (const QString& name : unset)
        QVERIFY2(!parameters.has(name), qPrintable(name));
}

void TestRuleParameters::refused_data() {
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<Errors>("errors");

    using K = ParameterErrorKind;
    QTest::newRow("no =") << "iso19840" << QStringList{"ndft"}
                          << Errors{error(K::NotNameValue, {}, "ndft"), error(K::Missing, "ndft")};
    QTest::newRow("no name") << "pspc9010" << QStringList{"=5"} << Errors{error(K::NotNameValue, {}, "=5")};
    QTest::newRow("unknown name") << "pspc9010" << QStringList{"thickness=5"}
                                  << Errors{error(K::UnknownName, "thickness", "5")};
    QTest::newRow("name case matters")
        << "pspc9010" << QStringList{"NDFT=5"} << Errors{error(K::UnknownName, "NDFT", "5")};
    QTest::newRow("no number") << "pspc9010" << QStringList{"ndft=abc"}
                               << Errors{error(K::NotANumber, "ndft", "abc")};
    QTest::newRow("empty value") << "pspc9010" << QStringList{"ndft="}
                                 << Errors{error(K::NotANumber, "ndft")};
    QTest::newRow("infinite") << "pspc9010" << QStringList{"ndft=inf"}
                              << Errors{error(K::NotANumber, "ndft", "inf")};
    QTest::newRow("digit grouping") << "pspc9010" << QStringList{"ndft=1,000.5"}
                                    << Errors{error(K::NotANumber, "ndft", "1,000.5")};
    QTest::newRow("a unit after the number")
        << "pspc9010" << QStringList{"ndft=320µm"} << Errors{error(K::NotANumber, "ndft", "320µm")};
    QTest::newRow("zero thickness") << "pspc9010" << QStringList{"ndft=0"}
                                    << Errors{error(K::OutOfRange, "ndft", "0")};
    QTest::newRow("negative correction") << "iso19840" << QStringList{"ndft=100", "correction=-1"}
                                         << Errors{error(K::OutOfRange, "correction", "-1")};
    QTest::newRow("unknown roughness class") << "iso19840" << QStringList{"ndft=100", "correction=rough"}
                                             << Errors{error(K::NotANumber, "correction", "rough")};
    QTest::newRow("zero area") << "iso19840" << QStringList{"ndft=100", "area=0"}
                               << Errors{error(K::OutOfRange, "area", "0")};
    QTest::newRow("area over a square kilometre") << "iso19840" << QStringList{"ndft=100", "area=1000001"}
                                                  << Errors{error(K::OutOfRange, "area", "1000001")};
    QTest::newRow("given twice") << "pspc9010" << QStringList{"ndft=300", "ndft=320"}
                                 << Errors{error(K::Repeated, "ndft", "320")};
    QTest::newRow("unknown unit") << "pspc9010" << QStringList{"unit=inch"}
                                  << Errors{error(K::UnknownUnit, "unit", "inch")};
    QTest::newRow("a field unit for a thickness")
        << "iso19840" << QStringList{"ndft=100", "unit=mT"} << Errors{error(K::UnknownUnit, "unit", "mT")};
    QTest::newRow("NDFT missing, its derived maximum not named")
        << "iso19840" << QStringList{} << Errors{error(K::Missing, "ndft")};
    QTest::newRow("NDFT above the maximum")
        << "iso19840" << QStringList{"ndft=200", "max=150"} << Errors{error(K::AboveBound, "ndft", "max")};
    QTest::newRow("minimum above the maximum")
        << "sspc-pa2" << QStringList{"min=12", "max=8"} << Errors{error(K::AboveBound, "min", "max")};
    QTest::newRow("PA 2 without limits")
        << "sspc-pa2" << QStringList{} << Errors{error(K::Missing, "min"), error(K::Missing, "max")};
    QTest::newRow("level 6") << "sspc-pa2" << QStringList{"min=8", "max=12", "level=6"}
                             << Errors{error(K::OutOfRange, "level", "6")};
    QTest::newRow("level 0") << "sspc-pa2" << QStringList{"min=8", "max=12", "level=0"}
                             << Errors{error(K::OutOfRange, "level", "0")};
    QTest::newRow("half a reading") << "sspc-pa2" << QStringList{"min=8", "max=12", "spot-readings=2.5"}
                                    << Errors{error(K::NotWhole, "spot-readings", "2.5")};
    QTest::newRow("unknown welding process")
        << "weld" << QStringList{"max=laser"} << Errors{error(K::NotANumber, "max", "laser")};
    QTest::newRow("every error, in order")
        << "iso19840" << QStringList{"foo=1", "ndft=x", "unit=G", "area=-3"}
        << Errors{error(K::UnknownName, "foo", "1"), error(K::UnknownUnit, "unit", "G"),
                  error(K::NotANumber, "ndft", "x"), error(K::OutOfRange, "area", "-3")};
}

void TestRuleParameters::refused() {
    QFETCH(QString, rule);
    QFETCH(QStringList, texts);
    QFETCH(Errors, errors);

    const auto resolved = resolveParameters(*findInspectionRule(rule), texts);
    QVERIFY(std::holds_alternative<Errors>(resolved));
    QCOMPARE(std::get<Errors>(resolved), errors);
}

void TestRuleParameters::defaultWithoutFactor() {
    const auto resolved = resolveParameters(thicknessOrField(), {"unit=A/cm"});
    QCOMPARE(std::get<Errors>(resolved), (Errors{error(ParameterErrorKind::NoUnitFactor, "limit")}));
}

void TestRuleParameters::keys() {
    QStringList keys;
    for (const RuleDefinition* rule : inspectionRules()) {
        QCOMPARE(findInspectionRule(rule->key), rule);
        keys << rule->key;
    }
    QCOMPARE(keys, (QStringList{"iso19840", "pspc9010", "sspc-pa2", "weld"}));
    QVERIFY(!findInspectionRule(u"iso-19840"));
}

QTEST_APPLESS_MAIN(TestRuleParameters)
#include "tst_ruleparameters.moc"
