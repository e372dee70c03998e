#include "data/KeyPlan.h"

#include <QTest>

using namespace vexa;

Q_DECLARE_METATYPE(vexa::KeyStroke)

namespace {

KeyStroke text(const char* typed) {
    return KeyStroke::typed(QString::fromUtf8(typed));
}

} // namespace

namespace QTest {
template <> char* toString(const KeyStroke& stroke) {
    return QTest::toString(stroke.kind == KeyStroke::Kind::Return ? QStringLiteral("<Return>")
                                                                  : u'"' + stroke.text + u'"');
}
} // namespace QTest

class TestKeyPlan : public QObject {
    Q_OBJECT
private slots:
    void plansAReading_data();
    void plansAReading();
};

void TestKeyPlan::plansAReading_data() {
    QTest::addColumn<QString>("flags");
    QTest::addColumn<QString>("lineEnd");
    QTest::addColumn<QString>("valueText");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("material");
    QTest::addColumn<QList<KeyStroke>>("plan");

    const QString value = QStringLiteral("       35.2");
    QTest::newRow("number, unit and Return")
        << "1010"
        << "ENTER" << value << "µm"
        << "FE"
        << QList<KeyStroke>{text("     12"), text("       35.2"), text("µm "), KeyStroke::returnKey()};
    QTest::newRow("the value alone") << "0000"
                                     << "" << value << "µm"
                                     << "FE" << QList<KeyStroke>{text("       35.2")};
    QTest::newRow("date and material, no line end")
        << "0101"
        << "KEINS" << value << "µm"
        << "NF" << QList<KeyStroke>{text("01.02.2025 "), text("       35.2"), text("NF ")};
    QTest::newRow("everything") << "1111"
                                << "ENTER" << value << "mils"
                                << "FE" << QList<KeyStroke>{text("     12"),     text("01.02.2025 "),
                                                            text("       35.2"), text("mils "),
                                                            text("FE "),         KeyStroke::returnKey()};
    QTest::newRow("a percent unit is typed, not Alt")
        << "0010"
        << "" << value << "%"
        << "" << QList<KeyStroke>{text("       35.2"), text("% ")};
    QTest::newRow("Fe% is typed as it stands") << "0010"
                                               << "" << QStringLiteral("        3.5") << "Fe%"
                                               << "" << QList<KeyStroke>{text("        3.5"), text("Fe% ")};
    QTest::newRow("a material's control characters are dropped")
        << "0001"
        << "" << value << "µm"
        << QStringLiteral("F\x1b"
                          "E\r")
        << QList<KeyStroke>{text("       35.2"), text("FE ")};
    QTest::newRow("a unit with a line break types no Return")
        << "0010"
        << "" << value << QStringLiteral("µm\n") << "" << QList<KeyStroke>{text("       35.2"), text("µm ")};
    QTest::newRow("German decimal comma")
        << "0000"
        << "ENTER" << QStringLiteral("       35,2") << "µm"
        << "" << QList<KeyStroke>{text("       35,2"), KeyStroke::returnKey()};
    QTest::newRow("negative value") << "0010"
                                    << "" << QStringLiteral("      -12.5") << "A/cm"
                                    << "" << QList<KeyStroke>{text("      -12.5"), text("A/cm ")};
    QTest::newRow("flags too short count as off")
        << "1"
        << "enter" << value << "µm"
        << "" << QList<KeyStroke>{text("     12"), text("       35.2")};
}

void TestKeyPlan::plansAReading() {
    QFETCH(QString, flags);
    QFETCH(QString, lineEnd);
    QFETCH(QString, valueText);
    QFETCH(QString, unit);
    QFETCH(QString, material);
    const KeyPlanRow row{12, QStringLiteral("01.02.2025"), valueText, unit, material};
    KeyForwarding settings;
    settings.includeFlags = flags;
    settings.lineEndToken = lineEnd;
    QTEST(keyPlan(row, settings), "plan");
}

QTEST_APPLESS_MAIN(TestKeyPlan)
#include "tst_keyplan.moc"
