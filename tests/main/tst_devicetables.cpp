#include "data/DeviceTables.h"
#include "data/Initialisation.h"

#include <QTest>

using namespace vexa;

class TestDeviceTables : public QObject {
    Q_OBJECT
private slots:
    void modelFromName_data();
    void modelFromName();
    void unknownNameKeepsPreviousModel();
    void brand_data();
    void brand();
    void traits_data();
    void traits();
    void pictures_data();
    void pictures();
    void battery_data();
    void battery();
};

void TestDeviceTables::modelFromName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("frameVisible");

    QTest::newRow("QY") << "QY-FE-1234"
                        << "QY"
                        << "SM" << true;
    QTest::newRow("NOVA") << "NOVA 22"
                          << "QY"
                          << "SM" << true;
    QTest::newRow("KR-4") << "KR-4000"
                          << "KR4"
                          << "FM" << true;
    QTest::newRow("KR-8") << "KR-8 01"
                          << "KR8"
                          << "FM" << false;
    QTest::newRow("Tivo") << "Tivo 9"
                          << "KR8"
                          << "FM" << false;
    QTest::newRow("Sidra") << "Sidra 3"
                           << "WP"
                           << "PM" << true;
    QTest::newRow("350") << "DX350"
                         << "VD1"
                         << "VD" << false;
    QTest::newRow("450") << "DX450"
                         << "VD2"
                         << "VD" << false;
    QTest::newRow("VIMS") << "VIMS-2"
                          << "WL"
                          << "MF" << false;
    QTest::newRow("ZEL") << "ZEL 1"
                         << "ZKB"
                         << "SM" << false;
    QTest::newRow("later row wins") << "KR-4 ZEL"
                                    << "ZKB"
                                    << "SM" << false;
    QTest::newRow("case-sensitive") << "qy-1"
                                    << ""
                                    << "" << false;
    QTest::newRow("name with list padding") << "QY-1        RSSI:"
                                            << "QY"
                                            << "SM" << true;
}

void TestDeviceTables::modelFromName() {
    QFETCH(QString, name);
    const ModelDecision decision = decideModel(name, {});
    QTEST(decision.deviceModel, "model");
    QTEST(decision.measureMode, "mode");
    QTEST(decision.pictureFrameVisible, "frameVisible");
}

void TestDeviceTables::unknownNameKeepsPreviousModel() {
    ModelDecision previous;
    previous.deviceModel = QStringLiteral("KR4");
    previous.measureMode = QStringLiteral("FM");
    const ModelDecision decision = decideModel(QStringLiteral("Phone"), previous);
    QCOMPARE(decision.deviceModel, QStringLiteral("KR4"));
    QCOMPARE(decision.measureMode, QStringLiteral("FM"));
}

void TestDeviceTables::brand_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("brand");
    QTest::addColumn<QString>("caption");

    QTest::newRow("own brand") << "QY-1"
                               << "123456"
                               << ""
                               << "Orvanto GmbH";
    QTest::newRow("TIVO") << "TIVO 1"
                          << "123"
                          << "TV"
                          << "Tivona";
    QTest::newRow("TIVO with FD serial") << "TIVO 1"
                                         << "7000"
                                         << "FD"
                                         << "Ferlund GmbH";
    QTest::newRow("PEMRA keeps FD at 8000") << "PEMRA"
                                            << "8000"
                                            << "FD"
                                            << "Ferlund GmbH";
    QTest::newRow("serial 7999 with blanks") << "QY"
                                             << " 7999 "
                                             << "FD"
                                             << "Ferlund GmbH";
    QTest::newRow("serial 6999") << "QY"
                                 << "6999"
                                 << ""
                                 << "Orvanto GmbH";
    QTest::newRow("serial 8000") << "QY"
                                 << "8000"
                                 << ""
                                 << "Orvanto GmbH";
    QTest::newRow("DELTA") << "DELTA 5"
                           << "1"
                           << "MV"
                           << "Marvik AG";
    QTest::newRow("Thickness") << "Thickness"
                               << "1"
                               << "QV"
                               << "Quorvel Graphics";
}

void TestDeviceTables::brand() {
    QFETCH(QString, name);
    QFETCH(QString, number);
    GaugeIdentity previous;
    previous.brandCode = QStringLiteral("MV"); // a brand never carries over to the next connection
    const Initialisation init = decideInitialisation(name, DeviceInfo{.S = number}, previous);
    QTEST(init.identity.brandCode, "brand");
    QTEST(init.brand.companyCaption, "caption");
}

void TestDeviceTables::traits_data() {
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("traits");
    QTest::addColumn<bool>("offer8020");
    QTest::addColumn<bool>("probeRequest");

    QTest::newRow("ZKB") << "ZEL"
                         << "4LE2+-2" << true << false;
    QTest::newRow("QY") << "QY"
                        << "5LE2+-2" << true << true;
    QTest::newRow("KR4") << "KR-4"
                         << "5LE2--2" << false << true;
    QTest::newRow("KR8") << "KR-8"
                         << "4LE2--2" << false << false;
    QTest::newRow("VD1") << "350"
                         << "4LE2+-2" << true << false;
    QTest::newRow("VD2") << "450"
                         << "5LE2+-1" << true << true;
    QTest::newRow("WP") << "Sidra"
                        << "5LE2--3" << false << true;
    QTest::newRow("WL") << "VIMS"
                        << "5LE0--3" << false << true;
    QTest::newRow("no model at first connection") << "Phone"
                                                  << "       " << true << false;
}

void TestDeviceTables::traits() {
    QFETCH(QString, model);
    const Initialisation init =
        decideInitialisation(model, DeviceInfo{.S = QStringLiteral("1")}, GaugeIdentity{});
    QTEST(init.identity.traits.text(), "traits");
    QTEST(init.offer8020, "offer8020");
    QTEST(init.requestProbeInfo, "probeRequest");
    QCOMPARE(init.clockMenu, !init.identity.traits.isEmpty());
}

void TestDeviceTables::pictures_data() {
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("stretched");
    QTest::addColumn<bool>("hidesFrame");

    QTest::newRow("QY") << "QY"
                        << "QY.png" << false << false;
    QTest::newRow("KR4") << "KR4"
                         << "KR4000.png" << false << false;
    QTest::newRow("VD2 shares WP") << "VD2"
                                   << "WP.png" << false << false;
    QTest::newRow("WL") << "WL"
                        << "WL.png" << false << false;
    QTest::newRow("ZKB") << "ZKB"
                         << "ZK.gif" << true << false;
    QTest::newRow("VD1") << "VD1"
                         << "VD.gif" << true << true;
    QTest::newRow("KR8") << "KR8"
                         << "KR.gif" << true << false;
}

void TestDeviceTables::pictures() {
    QFETCH(QString, model);
    const std::optional<ModelPicture> picture = modelPicture(model);
    QVERIFY(picture);
    QTEST(picture->fileName, "file");
    QTEST(picture->fit == PictureFit::Stretched, "stretched");
    QTEST(picture->hidesPictureFrame, "hidesFrame");
}

void TestDeviceTables::battery_data() {
    QTest::addColumn<char>("generation");
    QTest::addColumn<double>("volts");
    QTest::addColumn<QString>("symbol"); // empty: nothing shown

    QTest::newRow("4: 1.4 good") << '4' << 1.4 << "J";
    QTest::newRow("4: 1.39 medium") << '4' << 1.39 << "K";
    QTest::newRow("4: 1.1 bad") << '4' << 1.1 << "L";
    QTest::newRow("4: 0 nothing") << '4' << 0.0 << "";
    QTest::newRow("5: 4.3 good") << '5' << 4.3 << "J";
    QTest::newRow("5: 3.85 medium") << '5' << 3.85 << "K";
    QTest::newRow("5: 3.5 bad") << '5' << 3.5 << "L";
    QTest::newRow("no generation") << '\0' << 3.9 << "";
}

void TestDeviceTables::battery() {
    QFETCH(char, generation);
    QFETCH(double, volts);
    QFETCH(QString, symbol);
    const std::optional<BatterySymbol> shown = batterySymbol(DeviceTraits{.generation = generation}, volts);
    QCOMPARE(shown.has_value(), !symbol.isEmpty());
    if (!shown)
        return;
    QCOMPARE(QString(shown->symbol), symbol);
    const Rgb expected = symbol == u"J"   ? colours::darkgreen
                         : symbol == u"K" ? colours::orange
                                          : colours::red;
    QCOMPARE(shown->colour, expected);
}

QTEST_GUILESS_MAIN(TestDeviceTables)
#include "tst_devicetables.moc"
