// The information window's texts for the gauges of each generation.
#include "files/GaugeInformation.h"

#include <QTest>

using namespace vexa;

namespace {

GaugeIdentity gauge(char generation, const QString& name, const QString& variant, const QString& v = {}) {
    GaugeIdentity identity;
    identity.deviceName = name;
    identity.traits.generation = generation;
    identity.device = DeviceInfo{.T = variant,
                                 .V = v,
                                 .B = QStringLiteral("B7"),
                                 .R = QStringLiteral("2.14"),
                                 .S = QStringLiteral("123456"),
                                 .M = QStringLiteral("00:80:25:4A:1B:2C")};
    identity.probe =
        ProbeInfo{.T = QStringLiteral("F1"), .R = QStringLiteral("1.3"), .S = QStringLiteral("P77")};
    return identity;
}

} // namespace

Q_DECLARE_METATYPE(GaugeIdentity)

class TestInformationTexts : public QObject {
    Q_OBJECT
private slots:
    void fields_data();
    void fields();
    void captions();
};

void TestInformationTexts::fields_data() {
    QTest::addColumn<GaugeIdentity>("gauge");
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("deviceSoftware");
    QTest::addColumn<QString>("probeType");
    QTest::addColumn<QString>("probeVersion");

    // A name shorter than the list's name column arrives with the start of its signal column.
    QTest::newRow("generation 5, every field")
        << gauge('5', QStringLiteral("QY-FE 2107       RSS"), QStringLiteral("12")) << "QY-FE 2107 / 123456"
        << "2.14"
        << "F1 / P77"
        << "1.3";
    QTest::newRow("generation 4, DUAL")
        << gauge('4', QStringLiteral(".ZE-1234"), QStringLiteral("3")) << "ZELVO-KIT DUAL / 123456"
        << "2.14"
        << "3"
        << "";
    QTest::newRow("generation 4, Sidra")
        << gauge('4', QStringLiteral(".ZE-1234"), QStringLiteral("1")) << "ZELVO-KIT Sidra / 123456"
        << "2.14"
        << "1"
        << "";
    QTest::newRow("generation 4, its own name without the dot")
        << gauge('4', QStringLiteral(".ZE-1234"), QStringLiteral("2")) << "ZE-1234"
        << "2.14"
        << "2"
        << "";
    QTest::newRow("generation 4 with a V: software and boot")
        << gauge('4', QStringLiteral("ZE-77   "), QStringLiteral("2"), QStringLiteral("x")) << "ZE-77"
        << "2.14/B7"
        << "2"
        << "";
    QTest::newRow("a name filling the column keeps every character")
        << gauge('5', QStringLiteral("QY-FE 2107 Bridge 4R"), QStringLiteral("12"))
        << "QY-FE 2107 Bridge 4R / 123456"
        << "2.14"
        << "F1 / P77"
        << "1.3";
}

void TestInformationTexts::fields() {
    QFETCH(GaugeIdentity, gauge);
    const GaugeIdentity before = gauge;
    const InformationTexts texts = informationTexts(gauge, 0);
    QTEST(texts.device, "device");
    QTEST(texts.deviceSoftware, "deviceSoftware");
    QTEST(texts.probeType, "probeType");
    QTEST(texts.probeVersion, "probeVersion");
    QCOMPARE(texts.pcSoftware, QStringLiteral("V1.17"));
    QCOMPARE(texts.mac, QStringLiteral("00:80:25:4A:1B:2C"));
    QCOMPARE(gauge, before);
}

void TestInformationTexts::captions() {
    const InformationTexts german = informationTexts(gauge('5', QStringLiteral("QY-1"), {}), 0);
    QCOMPARE(german.deviceLabel, QStringLiteral("Gerät/SNR"));
    QCOMPARE(german.probeTypeLabel, QStringLiteral("Sondentyp/SNR"));
    QCOMPARE(german.pcSoftwareLabel, QStringLiteral("Version PC Software"));
    QCOMPARE(german.title, QStringLiteral("Vexa Connect V1.17"));
    const InformationTexts english =
        informationTexts(gauge('4', QStringLiteral("ZE-1"), QStringLiteral("2")), 1);
    QCOMPARE(english.deviceLabel, QStringLiteral("Device/SNR"));
    QCOMPARE(english.deviceSoftwareLabel, QStringLiteral("Device Softwareversion"));
    QCOMPARE(english.probeTypeLabel, QStringLiteral("Probetype"));
    QCOMPARE(english.probeVersionLabel, QStringLiteral("Probe version"));
}

QTEST_GUILESS_MAIN(TestInformationTexts)
#include "tst_informationtexts.moc"
