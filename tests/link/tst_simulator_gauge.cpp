#include "link/Transport.h"
#include "link/sim/SimulatedGauge.h"

#include <QTest>

using namespace vexa;
using namespace vexa::sim;

namespace {

QByteArray bytesOfLength(int length) {
    QByteArray bytes;
    for (int i = 0; i < length; ++i)
        bytes.append(char((i * 37 + 11) & 0xFF));
    return bytes;
}

GaugeProfile coatingGauge() {
    GaugeProfile profile;
    profile.name = QStringLiteral("QY-FE-1234");
    profile.address = QStringLiteral("001122334455");
    profile.info = "$vexa00T:3,S:123456,R:1.20,M:AABBCCDDEEFF,U:ym!";
    profile.probe = "$gpiT:F1,R:2.0,S:998877!";
    profile.battery = "$gcv?3.85!";
    profile.clock = "$glt?05.03.2026 07:08:09!";
    profile.files = {{QStringLiteral("m001"), bytesOfLength(64)},
                     {QStringLiteral("s2"), bytesOfLength(70)},
                     {QStringLiteral("t9"), bytesOfLength(31)}};
    return profile;
}

QByteArray record(int number) {
    return QStringLiteral("%1        12.5 ym   FE  2026-01-12 08:00:00").arg(number, 4).toLatin1();
}

GaugeProfile probeMemoryGauge() {
    GaugeProfile profile = coatingGauge();
    profile.probe.reset();
    profile.files.clear();
    for (const auto& [name, count] : {std::pair{"1", 7}, std::pair{"2", 0}, std::pair{"3", 12}}) {
        GaugeMemory memory{QString::fromLatin1(name), {}};
        for (int i = 1; i <= count; ++i)
            memory.records.append(record(i));
        profile.memories.append(memory);
    }
    profile.live = {record(1), record(2)};
    return profile;
}

QByteArray ask(SimulatedGauge& gauge, const QByteArray& command) {
    gauge.write(uuid::ServiceMI, uuid::CharVexa, command);
    return gauge.read(uuid::ServiceMI, uuid::CharVexa);
}

// The reading side of a block answer: handle between "?" and the first blank, the byte count in the two
// characters after a second blank found within five characters, the bytes just before the terminator.
struct Block {
    int handle = -1;
    QByteArray bytes;
};

Block parseBlock(const QByteArray& answer) {
    const qsizetype q = answer.indexOf('?');
    const qsizetype s = answer.indexOf(' ');
    const qsizetype second = answer.mid(s + 1, 5).indexOf(' ');
    if (q < 0 || s < 0 || second < 0)
        return {};
    const int count = answer.mid(s + second + 2, 2).toInt();
    return {answer.mid(q + 1, s - q - 1).toInt(),
            QByteArray::fromHex(answer.mid(answer.size() - 1 - 2 * count, 2 * count))};
}

} // namespace

class TestSimulatorGauge : public QObject {
    Q_OBJECT
private slots:
    void commandAnswers_data() {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("answer");
        QTest::newRow("device information") << QByteArray("$vexa00!") << coatingGauge().info;
        QTest::newRow("probe information") << QByteArray("$gpi!") << QByteArray("$gpiT:F1,R:2.0,S:998877!");
        QTest::newRow("battery") << QByteArray("$gcv!") << QByteArray("$gcv?3.85!");
        QTest::newRow("clock") << QByteArray("$glt!") << QByteArray("$glt?05.03.2026 07:08:09!");
        QTest::newRow("file list") << QByteArray("$ls!") << QByteArray("$ls?3         m001 s2 t9!");
        QTest::newRow("open") << QByteArray("$fr?s2!") << QByteArray("$fr?2 70!");
        QTest::newRow("open unknown file") << QByteArray("$fr?m404!") << QByteArray("$fr?0 0!");
        QTest::newRow("block of unopened file") << QByteArray("$rd?1 32!") << QByteArray("$rd?1 0 00 !");
        QTest::newRow("close") << QByteArray("$fc?1!") << QByteArray("$fc?1 0!");
        QTest::newRow("block without count") << QByteArray("$rd?1!") << QByteArray("$err?$rd?1!!");
        QTest::newRow("block with letters") << QByteArray("$rd?a 32!") << QByteArray("$err?$rd?a 32!!");
        QTest::newRow("unknown command") << QByteArray("$xyz!") << QByteArray("$err?$xyz!!");
    }
    void commandAnswers() {
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, answer);
        SimulatedGauge gauge(coatingGauge());
        QCOMPARE(ask(gauge, command), answer);
    }

    void gaugeWithoutProbeRejectsProbeCommand() {
        SimulatedGauge gauge(probeMemoryGauge());
        QCOMPARE(ask(gauge, "$gpi!"), QByteArray("$err?$gpi!!"));
    }

    void readWithoutNewCommandRepeatsAnswer() {
        SimulatedGauge gauge(coatingGauge());
        QCOMPARE(gauge.read(uuid::ServiceMI, uuid::CharVexa), QByteArray());
        ask(gauge, "$gcv!");
        QCOMPARE(gauge.read(uuid::ServiceMI, uuid::CharVexa), QByteArray("$gcv?3.85!"));
    }

    void setTimeChangesClockWithoutAnswer() {
        SimulatedGauge gauge(coatingGauge(), [] { return QDateTime(QDate(2026, 12, 10), QTime(9, 0)); });
        ask(gauge, "$gcv!");
        QCOMPARE(ask(gauge, "$slt?2026-03-05/17:08:09!\r\n"), QByteArray("$gcv?3.85!"));
        QCOMPARE(ask(gauge, "$glt!"), QByteArray("$glt?05.03.2026 17:08:09!"));
    }

    // The clock runs on with the PC's time from the profile's time or the time set last.
    void clockRunsWithThePcTime_data() {
        QTest::addColumn<QByteArray>("profileClock");
        QTest::addColumn<QByteArray>("setCommand"); // sent at the start; empty: none
        QTest::addColumn<int>("msecsPassed");
        QTest::addColumn<QByteArray>("answer");
        const QByteArray profileTime("$glt?05.03.2026 07:08:09!");
        QTest::newRow("no time passed") << profileTime << QByteArray() << 0 << profileTime;
        QTest::newRow("1.5 s: one second on")
            << profileTime << QByteArray() << 1500 << QByteArray("$glt?05.03.2026 07:08:10!");
        QTest::newRow("over midnight")
            << profileTime << QByteArray() << 17 * 3600 * 1000 << QByteArray("$glt?06.03.2026 00:08:09!");
        QTest::newRow("set, then 2 s") << profileTime << QByteArray("$slt?2026-12-31/23:59:59!\r\n") << 2000
                                       << QByteArray("$glt?01.01.2027 00:00:01!");
        QTest::newRow("a month 13 sets nothing") << profileTime << QByteArray("$slt?2026-13-05/17:08:09!\r\n")
                                                 << 1000 << QByteArray("$glt?05.03.2026 07:08:10!");
        QTest::newRow("a clock text that is no time stands")
            << QByteArray("$glt?no clock!") << QByteArray() << 5000 << QByteArray("$glt?no clock!");
        QTest::newRow("no time until one is set")
            << QByteArray("$glt?no clock!") << QByteArray("$slt?2026-03-05/17:08:09!\r\n") << 1000
            << QByteArray("$glt?05.03.2026 17:08:10!");
    }
    void clockRunsWithThePcTime() {
        QFETCH(QByteArray, profileClock);
        QFETCH(QByteArray, setCommand);
        QFETCH(int, msecsPassed);
        GaugeProfile profile = coatingGauge();
        profile.clock = profileClock;
        QDateTime pcTime(QDate(2026, 12, 10), QTime(9, 0));
        SimulatedGauge gauge(profile, [&pcTime] { return pcTime; });
        if (!setCommand.isEmpty())
            ask(gauge, setCommand);
        pcTime = pcTime.addMSecs(msecsPassed);
        QTEST(ask(gauge, "$glt!"), "answer");
    }

    void standingTimeSourceStopsTheClock() {
        QDateTime pcTime(QDate(2026, 12, 10), QTime(9, 0));
        SimulatedGauge gauge(coatingGauge(), [&pcTime] { return pcTime; });
        pcTime = pcTime.addSecs(3);
        const QDateTime stood = pcTime.addSecs(100);
        gauge.setTimeSource([stood] { return stood; });
        pcTime = pcTime.addSecs(60);
        QCOMPARE(ask(gauge, "$glt!"), QByteArray("$glt?05.03.2026 07:08:12!"));
    }

    void blocksReadBackTheFile_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QList<int>>("blockSizes");
        QTest::newRow("64 bytes: two full blocks") << QStringLiteral("m001") << QList<int>{32, 32};
        QTest::newRow("70 bytes: two full blocks and 6") << QStringLiteral("s2") << QList<int>{32, 32, 6};
        QTest::newRow("31 bytes: one short block") << QStringLiteral("t9") << QList<int>{31};
    }
    void blocksReadBackTheFile() {
        QFETCH(QString, name);
        QFETCH(QList<int>, blockSizes);
        const GaugeProfile profile = coatingGauge();
        SimulatedGauge gauge(profile);
        const QByteArray opened = ask(gauge, "$fr?" + name.toLatin1() + '!');
        const int handle = opened.mid(4, opened.indexOf(' ') - 4).toInt();

        QByteArray content;
        for (int size : blockSizes) {
            const Block block = parseBlock(
                ask(gauge, "$rd?" + QByteArray::number(handle) + ' ' + QByteArray::number(size) + '!'));
            QCOMPARE(block.handle, handle);
            QCOMPARE(block.bytes.size(), size);
            content += block.bytes;
        }
        const auto file = std::find_if(profile.files.cbegin(), profile.files.cend(),
                                       [&](const GaugeFile& f) { return f.name == name; });
        QCOMPARE(content, file->bytes);
        QVERIFY(parseBlock(ask(gauge, "$rd?" + QByteArray::number(handle) + " 32!")).bytes.isEmpty());
    }

    void blocksNeverExceed32Bytes() {
        SimulatedGauge gauge(coatingGauge());
        ask(gauge, "$fr?s2!");
        QCOMPARE(parseBlock(ask(gauge, "$rd?2 70!")).bytes.size(), 32);
    }

    void reopeningStartsAtTheBeginning() {
        SimulatedGauge gauge(coatingGauge());
        ask(gauge, "$fr?m001!");
        const QByteArray first = ask(gauge, "$rd?1 32!");
        ask(gauge, "$fr?m001!");
        QCOMPARE(ask(gauge, "$rd?1 32!"), first);
    }

    void closedFileDeliversNothing() {
        SimulatedGauge gauge(coatingGauge());
        ask(gauge, "$fr?m001!");
        ask(gauge, "$fc?1!");
        QVERIFY(parseBlock(ask(gauge, "$rd?1 32!")).bytes.isEmpty());
    }

    // The reader drops the first 14 characters and the last one, splits at blanks and trims the words.
    void builtFileListYieldsTheNames_data() {
        QTest::addColumn<QStringList>("names");
        QTest::newRow("none") << QStringList();
        QTest::newRow("one") << QStringList{QStringLiteral("m001")};
        QTest::newRow("several") << QStringList{QStringLiteral("m001"), QStringLiteral("s2"),
                                                QStringLiteral("t9"), QStringLiteral("setup")};
        QStringList many;
        for (int i = 0; i < 12; ++i)
            many.append(QStringLiteral("m%1").arg(i));
        QTest::newRow("count of two digits") << many;
    }
    void builtFileListYieldsTheNames() {
        QFETCH(QStringList, names);
        GaugeProfile profile = coatingGauge();
        profile.files.clear();
        for (const QString& name : names)
            profile.files.append({name, bytesOfLength(1)});
        SimulatedGauge gauge(profile);
        const QByteArray answer = ask(gauge, "$ls!");
        QVERIFY(answer.startsWith("$ls"));
        QStringList words;
        for (const QByteArray& word : answer.mid(14).chopped(1).split(' '))
            if (!word.trimmed().isEmpty())
                words.append(QString::fromLatin1(word.trimmed()));
        QCOMPARE(words, names);
    }

    void givenFileListIsAnsweredAsItStands() {
        GaugeProfile profile = coatingGauge();
        profile.fileList = "$ls?02 files  m001 setup.cfg!";
        SimulatedGauge gauge(profile);
        QCOMPARE(ask(gauge, "$ls!"), *profile.fileList);
    }

    void memoryTable() {
        SimulatedGauge gauge(probeMemoryGauge());
        QCOMPARE(gauge.read(uuid::ServiceZK, uuid::CharStorageInfo), QByteArray("3\n1,7\n2,0\n3,12\n"));
        GaugeProfile empty = probeMemoryGauge();
        empty.memories.clear();
        QCOMPARE(SimulatedGauge(empty).read(uuid::ServiceZK, uuid::CharStorageInfo), QByteArray("0\n"));
    }

    void recordsComeInFivesThenEmpty_data() {
        QTest::addColumn<QByteArray>("memory");
        QTest::addColumn<QList<int>>("linesPerRead");
        QTest::newRow("0 records") << QByteArray("2") << QList<int>{};
        QTest::newRow("7 records") << QByteArray("1") << QList<int>{5, 2};
        QTest::newRow("12 records") << QByteArray("3") << QList<int>{5, 5, 2};
    }
    void recordsComeInFivesThenEmpty() {
        QFETCH(QByteArray, memory);
        QFETCH(QList<int>, linesPerRead);
        SimulatedGauge gauge(probeMemoryGauge());
        gauge.write(uuid::ServiceZK, uuid::CharStorageInfo, memory);
        int number = 0;
        for (int lines : linesPerRead) {
            const QList<QByteArray> read = gauge.read(uuid::ServiceZK, uuid::CharStorageData).split('\n');
            QCOMPARE(read.size(), lines);
            for (const QByteArray& line : read)
                QCOMPARE(line, record(++number));
        }
        QCOMPARE(gauge.read(uuid::ServiceZK, uuid::CharStorageData), QByteArray());
        QCOMPARE(gauge.read(uuid::ServiceZK, uuid::CharStorageData), QByteArray());
    }

    void selectingAgainRestartsAndReleaseEmpties() {
        SimulatedGauge gauge(probeMemoryGauge());
        gauge.write(uuid::ServiceZK, uuid::CharStorageInfo, "1");
        gauge.read(uuid::ServiceZK, uuid::CharStorageData);
        gauge.write(uuid::ServiceZK, uuid::CharStorageInfo, "1");
        QVERIFY(gauge.read(uuid::ServiceZK, uuid::CharStorageData).startsWith(record(1)));
        gauge.write(uuid::ServiceZK, uuid::CharStorageInfo, "-");
        QCOMPARE(gauge.read(uuid::ServiceZK, uuid::CharStorageData), QByteArray());
        gauge.write(uuid::ServiceZK, uuid::CharStorageInfo, "9");
        QCOMPARE(gauge.read(uuid::ServiceZK, uuid::CharStorageData), QByteArray());
    }

    void liveValuesCycle() {
        SimulatedGauge gauge(probeMemoryGauge());
        QCOMPARE(gauge.nextLiveValue(), record(1));
        QCOMPARE(gauge.nextLiveValue(), record(2));
        QCOMPARE(gauge.nextLiveValue(), record(1));
        QCOMPARE(gauge.read(uuid::ServiceZK, uuid::CharMeasure), record(1));
        QCOMPARE(SimulatedGauge(coatingGauge()).nextLiveValue(), std::nullopt);
    }

    void offeredCharacteristics() {
        SimulatedGauge plain(coatingGauge());
        QVERIFY(plain.offers(uuid::ServiceMI, uuid::CharVexa));
        QVERIFY(plain.offers(uuid::ServiceZK, uuid::CharMeasure));
        QVERIFY(!plain.offers(uuid::ServiceZK, uuid::CharVexa));
        QVERIFY(!plain.offers(uuid::ServiceSondeMI, uuid::CharVexa));
        QCOMPARE(plain.read(uuid::ServiceZK, uuid::CharVexa), QByteArray());

        GaugeProfile profile = coatingGauge();
        profile.sondeService = true;
        SimulatedGauge sonde(profile);
        QCOMPARE(sonde.services().last().uuid, uuid::ServiceSondeMI);
        sonde.write(uuid::ServiceSondeMI, uuid::CharVexa, "$gcv!");
        QCOMPARE(sonde.read(uuid::ServiceSondeMI, uuid::CharVexa), QByteArray("$gcv?3.85!"));
    }
};

QTEST_GUILESS_MAIN(TestSimulatorGauge)
#include "tst_simulator_gauge.moc"
