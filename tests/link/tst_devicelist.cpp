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
    void entryColumns_data();
    void entryColumns();
    void noEntryNoColumns_data();
    void noEntryNoColumns();
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

// The columns a list shows an entry in hold its parts, whatever the name holds.
void TestDeviceList::entryColumns_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("rssi");
    QTest::addColumn<QString>("nameColumn");
    QTest::addColumn<QString>("signalColumn");
    QTest::newRow("gauge") << "QY-FE 2107" << -55 << "Name: QY-FE 2107"
                           << "RSSI: -55";
    QTest::newRow("weak signal") << "ZE-1" << -100 << "Name: ZE-1"
                                 << "RSSI: -100";
    QTest::newRow("blanks around the name") << " .x " << 0 << "Name:  .x "
                                            << "RSSI: 0";
    QTest::newRow("name holding the name label") << "ZE Name: 2" << -1 << "Name: ZE Name: 2"
                                                 << "RSSI: -1";
    QTest::newRow("name holding a signal") << "ZE       RSSI: 9" << -70 << "Name: ZE       RSSI: 9"
                                           << "RSSI: -70";
    QTest::newRow("no name") << "" << -60 << "Name: "
                             << "RSSI: -60";
}

void TestDeviceList::entryColumns() {
    QFETCH(QString, name);
    QFETCH(int, rssi);
    const std::optional<DeviceListColumns> columns =
        deviceListColumns(deviceListEntry(QStringLiteral("A1B2C3D4E5F6"), name, rssi));
    QVERIFY(columns);
    QCOMPARE(columns->address, QStringLiteral("MAC: A1B2C3D4E5F6"));
    QTEST(columns->name, "nameColumn");
    QTEST(columns->signal, "signalColumn");
}

void TestDeviceList::noEntryNoColumns_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("a name alone") << "ZE-1234";
    QTest::newRow("no signal") << "MAC: A1B2C3D4E5F6 Name: ZE-1";
    QTest::newRow("signal no number") << "MAC: A1B2C3D4E5F6 Name: ZE-1       RSSI: ";
    QTest::newRow("signal before the name") << "MAC: A1B2C3D4E5F6       RSSI: -5 Name: ZE-1";
}

void TestDeviceList::noEntryNoColumns() {
    QFETCH(QString, text);
    QVERIFY(!deviceListColumns(text));
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
