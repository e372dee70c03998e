#include "protocol/MemoryList.h"

#include <QTest>

using namespace vexa;

class TestMemoryList : public QObject {
    Q_OBJECT

private slots:
    void probeEntries_data();
    void probeEntries();
    void unreadableEntries_data();
    void unreadableEntries();
    void fileEntries_data();
    void fileEntries();
};

void TestMemoryList::probeEntries_data() {
    QTest::addColumn<int>("languageIndex");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("valueCount");
    QTest::addColumn<QString>("entry");

    QTest::newRow("German") << 0 << "1" << 25 << "   S1  (25)";
    QTest::newRow("English") << 1 << "1" << 25 << "   M1  (25)";
    QTest::newRow("empty memory") << 0 << "12" << 0 << "  S12   (0)";
    QTest::newRow("999 values") << 1 << "3" << 999 << "   M3 (999)";
    QTest::newRow("1000 values fill the count") << 0 << "1" << 1000 << "   S1(1000)";
    QTest::newRow("1000 values, English") << 1 << "1" << 1000 << "   M1(1000)";
    QTest::newRow("long name and count stay whole") << 1 << "12345" << 123456 << "M12345(123456)";
}

void TestMemoryList::probeEntries() {
    QFETCH(int, languageIndex);
    QFETCH(QString, name);
    QFETCH(int, valueCount);
    QFETCH(QString, entry);
    QCOMPARE(probeMemoryEntry(memoryLetter(languageIndex), name, valueCount), entry);
    const std::optional<ProbeMemoryChoice> choice = parseProbeMemoryEntry(entry);
    QVERIFY(choice);
    QCOMPARE(*choice, (ProbeMemoryChoice{name, valueCount}));
}

void TestMemoryList::unreadableEntries_data() {
    QTest::addColumn<QString>("entry");

    QTest::newRow("empty-memory text") << "Speicher leer";
    QTest::newRow("English empty-memory text") << "memory empty";
    QTest::newRow("no closing bracket") << "   S1  (25";
    QTest::newRow("bracket before the letter") << "(25)  S1";
    QTest::newRow("empty") << "";
}

void TestMemoryList::unreadableEntries() {
    QFETCH(QString, entry);
    QVERIFY(!parseProbeMemoryEntry(entry));
}

void TestMemoryList::fileEntries_data() {
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QStringList>("entries");

    const QString longWord = QStringLiteral("m0123456789abcdefghijk");
    QTest::newRow("m, s and t words listed")
        << QByteArray("$ls?0123456789m001 setup s2 data t9 M1!")
        << QStringList{"m001                ", "s2                  ", "t9                  "};
    QTest::newRow("double blanks") << QByteArray("$ls?0123456789  m001  !")
                                   << QStringList{"m001                "};
    QTest::newRow("long word stays whole")
        << "$ls?0123456789" + longWord.toLatin1() + '!' << QStringList{longWord};
    QTest::newRow("only the head") << QByteArray("$ls?0123456789!") << QStringList{};
    QTest::newRow("shorter than the head") << QByteArray("$ls?m001!") << QStringList{};
    QTest::newRow("empty") << QByteArray() << QStringList{};
}

void TestMemoryList::fileEntries() {
    QFETCH(QByteArray, answer);
    QFETCH(QStringList, entries);
    QCOMPARE(fileMemoryEntries(answer), entries);
}

QTEST_APPLESS_MAIN(TestMemoryList)
#include "tst_memorylist.moc"
