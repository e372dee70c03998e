#include "protocol/DeviceList.h"
#include "protocol/GaugeUuids.h"

#include <QTest>

using namespace vexa;

class TestDeviceList : public QObject {
    Q_OBJECT
private slots:
    void entry();
    void filter_data();
    void filter();
    void entryFields_data();
    void entryFields();
    void discoveryFilter_data();
    void discoveryFilter();
};

void TestDeviceList::entry() {
    QCOMPARE(deviceListEntry(QStringLiteral("001122334455"), QStringLiteral("ZE-1234"), -67),
             QStringLiteral("MAC: 001122334455 Name: ZE-1234       RSSI: -67"));
}

void TestDeviceList::filter_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("listed");
    QTest::newRow("ZE") << "ZE-1234" << true;
    QTest::newRow("leading dot") << ".x" << true;
    QTest::newRow("Phone") << "Phone" << false;
    QTest::newRow("QY alone is no gauge name") << "QY-1" << false;
    QTest::newRow("QY-FE") << "QY-FE-1234" << true;
    QTest::newRow("Vims") << "Vims 2" << true;
    QTest::newRow("case matters") << "ze-1" << false;
    QTest::newRow("empty") << "" << false;
}

void TestDeviceList::filter() {
    QFETCH(QString, name);
    QTEST(isGaugeName(name), "listed");
}

void TestDeviceList::entryFields_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("deviceName");
    QTest::newRow("short name runs into RSSI") << "ZE-1234"
                                               << "ZE-1234       RSSI: ";
    QTest::newRow("twenty characters") << "ABCDEFGHIJKLMNOPQRST"
                                       << "ABCDEFGHIJKLMNOPQRST";
    QTest::newRow("longer name cut") << "ABCDEFGHIJKLMNOPQRSTUV"
                                     << "ABCDEFGHIJKLMNOPQRST";
}

void TestDeviceList::entryFields() {
    QFETCH(QString, name);
    const QString entry = deviceListEntry(QStringLiteral("A1B2C3D4E5F6"), name, -50);
    QCOMPARE(entryServerId(entry), QStringLiteral("A1B2C3D4E5F6"));
    QTEST(entryDeviceName(entry), "deviceName");
}

void TestDeviceList::discoveryFilter_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("allServices");
    QTest::newRow("KR-4") << "KR-4000" << true;
    QTest::newRow("VIMS") << "VIMS-1" << true;
    QTest::newRow("Sidra") << "Sidra" << true;
    QTest::newRow("NOVA") << "NOVA" << true;
    QTest::newRow("ZE") << "ZE-1" << false;
}

void TestDeviceList::discoveryFilter() {
    QFETCH(QString, name);
    const QStringList services = discoveryServices(name);
    QTEST(services.isEmpty(), "allServices");
    if (!services.isEmpty())
        QCOMPARE(services, (QStringList{uuid::ServiceMI, uuid::ServiceZK}));
}

QTEST_GUILESS_MAIN(TestDeviceList)
#include "tst_devicelist.moc"
