// The gauge layer against the simulated demo gauges: what each request returns when the gauge answers,
// falls silent, drops the link, is stopped, or sends what cannot be decoded.
#include "DemoGauges.h"
#include "SpyTransport.h"
#include "gauge/Gauge.h"
#include "link/sim/GaugeProfile.h"
#include "link/sim/SimulatedTransport.h"
#include "protocol/DeviceList.h"

#include <QSignalSpy>
#include <QTest>
#include <qcoro/qcorotask.h>

using namespace vexa;

namespace {

// Every event, as a word and its details.
class RecordedEvents final : public GaugeEvents {
public:
    QStringList events;

    void scanRequested() override { events << QStringLiteral("scan requested"); }
    void scanStarting() override { events << QStringLiteral("scan starting"); }
    void scanStarted() override { events << QStringLiteral("scan started"); }
    void scanFailed(int code, const QString&) override {
        events << QStringLiteral("scan failed %1").arg(code);
    }
    void gaugeIdentified() override { events << QStringLiteral("identified"); }
    void reconnecting(ReconnectStep step) override {
        events << QStringLiteral("reconnect %1").arg(int(step));
    }
    void liveValuesNotSwitched(bool on, GaugeError error) override {
        events << QStringLiteral("live values not %1: %2").arg(on ? u"on" : u"off").arg(int(error));
    }
    void memoryNotDecoded(const QString& text) override { events << QStringLiteral("not decoded: ") + text; }
    void recordDateInvalid() override { events << QStringLiteral("invalid date"); }
    void probeMemoryDone(bool liveValuesOn) override {
        events << QStringLiteral("probe memory done, live values %1").arg(liveValuesOn ? u"on" : u"off");
    }
};

// A demo gauge found by a scan, connected and identified; no live value arrives unless asked for.
struct Connected {
    sim::SimulatedTransport simulation;
    SpyTransport transport{simulation};
    RecordedEvents events;
    Gauge gauge{transport, events};

    explicit Connected(const QString& file)
        : simulation({demoProfile(file)}, {.liveIntervalMs = 3'600'000, .advertisementIntervalMs = 1}) {
        // The gauge's clock stands at the profile's time, so that its answer can be compared.
        const QDateTime standing = QDateTime::currentDateTime();
        simulation.gauge(demoProfile(file).address)->setTimeSource([standing] { return standing; });
        QSignalSpy advertised(&gauge, &Gauge::advertised);
        gauge.startScan();
        QTRY_VERIFY(!advertised.isEmpty());
        gauge.stopScan();
        const Advertisement found = advertised.first().first().value<Advertisement>();
        gauge.connectTo(found.address, listedDeviceName(found.address, found.name, found.rssi));
        QTRY_VERIFY(gauge.linkConnected());
        const Identification identification = QCoro::waitFor(gauge.identify());
        QVERIFY(!identification.error);
        QVERIFY(QCoro::waitFor(gauge.readMemoryList()).ok());
    }

    // From the next operation on the gauge answers nothing; or it answers `count` more and drops the link.
    void silenceAfter(int count) {
        simulation.setOptions(quiet({.stopAnsweringAfter = transport.operations + count}));
    }
    void dropAfter(int count) {
        simulation.setOptions(quiet({.dropConnectionAfter = transport.operations + count}));
    }
    static sim::SimulationOptions quiet(sim::SimulationOptions options) {
        options.liveIntervalMs = 3'600'000;
        return options;
    }
};

enum class Request { Identify, MemoryList, DownloadFile, DownloadProbeMemory, ReadClock, SetClock };
enum class Fault { None, Silent, Drop, Cancel, Garble };

struct Outcome {
    std::optional<GaugeError> error;
    int rows = 0;   // rows a download gave, memories a list held
    QString detail; // a decoding error's text, the clock's text
};

QCoro::Task<Outcome> perform(Gauge& gauge, Request request, QString memory, const Cancellation* stop) {
    Outcome outcome;
    switch (request) {
    case Request::Identify: {
        const Identification identification = co_await gauge.identify();
        outcome.error = identification.error;
        break;
    }
    case Request::MemoryList: {
        const GaugeResult<GaugeMemories> memories = co_await gauge.readMemoryList();
        if (!memories)
            outcome.error = memories.error();
        else
            outcome.rows =
                int(memories->probeMemories.size() + memories->memoryFiles.value_or(QStringList()).size());
        break;
    }
    case Request::DownloadFile: {
        const GaugeResult<DecodedMemory> decoded = co_await gauge.downloadFile(memory, stop);
        if (!decoded) {
            outcome.error = decoded.error();
            outcome.detail = decoded.failure().detail;
        } else {
            outcome.rows = int(decoded->rows.size());
        }
        break;
    }
    case Request::DownloadProbeMemory: {
        const ProbeMemory chosen{memory, 0};
        const GaugeResult<ProbeMemoryDownload> download =
            co_await gauge.downloadProbeMemory(chosen, memory.toInt(), stop);
        if (!download)
            outcome.error = download.error();
        else
            outcome.rows = int(download->records.size());
        break;
    }
    case Request::ReadClock: {
        const GaugeResult<QString> clock = co_await gauge.readClock(stop);
        if (!clock)
            outcome.error = clock.error();
        else
            outcome.detail = *clock;
        break;
    }
    case Request::SetClock: {
        const GaugeStatus set = co_await gauge.setClock(QDateTime(QDate(2026, 12, 10), QTime(6, 7, 8)), stop);
        if (!set)
            outcome.error = set.error();
        break;
    }
    }
    co_return outcome;
}

} // namespace

Q_DECLARE_METATYPE(vexa::Advertisement)
Q_DECLARE_METATYPE(vexa::LiveReading)
Q_DECLARE_METATYPE(Request)
Q_DECLARE_METATYPE(Fault)
Q_DECLARE_METATYPE(std::optional<vexa::GaugeError>)

class TestGauge : public QObject {
    Q_OBJECT
private slots:
    void outcomes_data();
    void outcomes();
    void stoppedDownloadLeavesOtherRequestsAlone();
    void requestsAtOneCharacteristicTakeTurns();
    void liveValuesBecomeRows();
};

void TestGauge::outcomes_data() {
    QTest::addColumn<QString>("profile");
    QTest::addColumn<Request>("request");
    QTest::addColumn<QString>("memory");
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<std::optional<GaugeError>>("error");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("detail");
    QTest::addColumn<bool>("liveValuesAfter");

    const QString qy = QStringLiteral("qy-coating.json");
    const QString ze = QStringLiteral("ze-probe-memory.json");
    const std::optional<GaugeError> answered;
    const auto row = [](const char* name, const QString& profile, Request request, const char* memory,
                        Fault fault, std::optional<GaugeError> error, int rows = 0, const char* detail = "",
                        bool live = true) {
        QTest::newRow(name) << profile << request << QString::fromLatin1(memory) << fault << error << rows
                            << QString::fromLatin1(detail) << live;
    };
    row("identity", qy, Request::Identify, "", Fault::None, answered);
    row("identity, silent gauge", qy, Request::Identify, "", Fault::Silent, GaugeError::NotAnswering, 0, "",
        false);
    row("identity, link dropped", qy, Request::Identify, "", Fault::Drop, GaugeError::LinkLost, 0, "", false);

    row("memory files", qy, Request::MemoryList, "", Fault::None, answered, 3);
    row("probe memories", ze, Request::MemoryList, "", Fault::None, answered, 3);
    row("memory list, silent gauge", qy, Request::MemoryList, "", Fault::Silent, GaugeError::NotAnswering, 0,
        "", false);

    row("memory file", qy, Request::DownloadFile, "m001", Fault::None, answered, 25);
    row("memory file, silent mid-way", qy, Request::DownloadFile, "m001", Fault::Silent,
        GaugeError::NotAnswering, 0, "", false);
    row("memory file, link dropped mid-way", qy, Request::DownloadFile, "m001", Fault::Drop,
        GaugeError::LinkLost, 0, "", false);
    row("memory file, stopped", qy, Request::DownloadFile, "t003", Fault::Cancel, GaugeError::Cancelled);
    row("memory file that cannot be decoded", qy, Request::DownloadFile, "s002", Fault::Garble,
        GaugeError::Decoding, 0, "Record 10: invalid hexadecimal digit");

    row("probe memory", ze, Request::DownloadProbeMemory, "3", Fault::None, answered, 12);
    row("empty probe memory", ze, Request::DownloadProbeMemory, "2", Fault::None, answered, 0);
    row("probe memory, silent mid-way", ze, Request::DownloadProbeMemory, "3", Fault::Silent,
        GaugeError::NotAnswering, 0, "", false);
    row("probe memory, stopped", ze, Request::DownloadProbeMemory, "3", Fault::Cancel, GaugeError::Cancelled);

    row("clock", qy, Request::ReadClock, "", Fault::None, answered, 0, "05.03.2026 07:08:09");
    row("clock, silent gauge", qy, Request::ReadClock, "", Fault::Silent, GaugeError::NotAnswering, 0, "",
        false);
    row("clock, stopped before", qy, Request::ReadClock, "", Fault::Cancel, GaugeError::Cancelled);
    row("clock set", qy, Request::SetClock, "", Fault::None, answered);
}

void TestGauge::outcomes() {
    QFETCH(QString, profile);
    QFETCH(Request, request);
    QFETCH(QString, memory);
    QFETCH(Fault, fault);
    Connected c(profile);
    QVERIFY(c.gauge.liveValuesOn());

    Cancellation stop;
    int blocks = 0;
    switch (fault) {
    case Fault::None:
        break;
    case Fault::Silent:
        // A download gets its first requests answered and falls silent on its way; a memory list switches
        // live values off before it.
        c.silenceAfter(request == Request::DownloadFile          ? 5
                       : request == Request::DownloadProbeMemory ? 4
                       : request == Request::MemoryList          ? 1
                                                                 : 0);
        break;
    case Fault::Drop:
        c.dropAfter(request == Request::DownloadFile ? 6 : 1);
        break;
    case Fault::Cancel:
        if (request == Request::ReadClock)
            stop.cancel();
        c.transport.tamper = [&stop, &blocks](const QByteArray& value) {
            if (value.startsWith("$rd") || (!value.startsWith('$') && value.size() > 16 && ++blocks == 1))
                stop.cancel();
            return value;
        };
        break;
    case Fault::Garble:
        // The last block of the single-value memory carries a digit that is none.
        c.transport.tamper = [&blocks](const QByteArray& value) {
            QByteArray changed = value;
            if (value.startsWith("$rd") && ++blocks == 7)
                changed[changed.size() - 2] = 'G';
            return changed;
        };
        break;
    }

    const Outcome outcome = QCoro::waitFor(perform(c.gauge, request, memory, &stop));
    QTEST(outcome.error, "error");
    QTEST(outcome.rows, "rows");
    QTEST(outcome.detail, "detail");
    QTEST(c.gauge.liveValuesOn(), "liveValuesAfter");

    // A memory file that was opened is closed again unless the gauge stopped answering.
    const bool opened = request == Request::DownloadFile;
    const bool answering =
        !outcome.error || outcome.error == GaugeError::Cancelled || outcome.error == GaugeError::Decoding;
    if (opened && answering)
        QVERIFY(c.transport.commands.last().startsWith("$fc?"));
    if (outcome.error == GaugeError::Decoding)
        QVERIFY(c.events.events.contains(QStringLiteral("not decoded: ") + outcome.detail));
    // A probe memory ends with the probe released, however its download went.
    if (request == Request::DownloadProbeMemory && answering) {
        QCOMPARE(c.transport.writes.value(uuid::CharStorageInfo).last(), QByteArray("-"));
        QCOMPARE(c.events.events.last(), QStringLiteral("probe memory done, live values on"));
    }
    if (request == Request::SetClock)
        QCOMPARE(c.transport.commands.last(), QByteArray("$slt?2026-12-10/06:07:08!\r\n"));

    // A gauge that let a request run into its deadline is out of range: the link is closed, and what is
    // asked afterwards ends at once, without reaching the gauge.
    if (outcome.error == GaugeError::NotAnswering) {
        QVERIFY(!c.gauge.linkConnected());
        QVERIFY(c.gauge.linkOffline());
        const int operations = c.transport.operations;
        QCOMPARE(QCoro::waitFor(c.gauge.readClock()).error(), GaugeError::LinkLost);
        QCOMPARE(c.transport.operations, operations);
    }
}

// Stopping a download ends the download's waits only: a clock request started meanwhile is answered.
void TestGauge::stoppedDownloadLeavesOtherRequestsAlone() {
    Connected c(QStringLiteral("qy-coating.json"));
    c.simulation.setOptions(Connected::quiet({.latencyMs = 2}));
    Cancellation stopDownload;
    QCoro::Task<GaugeResult<DecodedMemory>> download =
        c.gauge.downloadFile(QStringLiteral("t003"), &stopDownload);
    QTRY_VERIFY(c.transport.commandsStartingWith("$rd?").size() >= 2);
    Cancellation stopClock;
    QCoro::Task<GaugeResult<QString>> clock = c.gauge.readClock(&stopClock);
    stopDownload.cancel();
    QCOMPARE(QCoro::waitFor(std::move(download)).error(), GaugeError::Cancelled);
    const GaugeResult<QString> time = QCoro::waitFor(std::move(clock));
    QVERIFY(time.ok());
    QCOMPARE(*time, QStringLiteral("05.03.2026 07:08:09"));
}

// A clock request while a download reads its blocks: each gets its own answer, none the other's.
void TestGauge::requestsAtOneCharacteristicTakeTurns() {
    Connected c(QStringLiteral("qy-coating.json"));
    c.simulation.setOptions(Connected::quiet({.latencyMs = 10}));
    QCoro::Task<GaugeResult<DecodedMemory>> download = c.gauge.downloadFile(QStringLiteral("m001"));
    QTRY_VERIFY(c.transport.commandsStartingWith("$rd?").size() >= 1);
    QCoro::Task<GaugeResult<QString>> clock = c.gauge.readClock();
    const GaugeResult<DecodedMemory> memory = QCoro::waitFor(std::move(download));
    const GaugeResult<QString> time = QCoro::waitFor(std::move(clock));
    QVERIFY(memory.ok());
    QCOMPARE(memory->rows.size(), size_t(25));
    QVERIFY(time.ok());
    QCOMPARE(*time, QStringLiteral("05.03.2026 07:08:09"));
    // The clock command went out between two block requests.
    const QByteArrayList commands = c.transport.commands;
    const qsizetype clockAt = commands.indexOf("$glt!");
    QVERIFY(clockAt > 0 && clockAt + 1 < commands.size());
    QVERIFY(commands.at(clockAt + 1).startsWith("$rd?"));
}

void TestGauge::liveValuesBecomeRows() {
    Connected c(QStringLiteral("ze-probe-memory.json"));
    QSignalSpy readings(&c.gauge, &Gauge::liveReading);
    emit c.transport.value(uuid::ServiceZK, uuid::CharMeasure,
                           "   4        97.5 ym   NFE 2026-03-05 07:14:00");
    emit c.transport.value(uuid::ServiceZK, uuid::CharMeasure,
                           "   5        91.7 ym   FE  2026-02-30 07:16:00");
    QCOMPARE(readings.size(), 2);
    const LiveReading first = readings.at(0).first().value<LiveReading>();
    QCOMPARE(first.records.size(), size_t(1));
    QCOMPARE(first.records.front().row.number, 4);
    QCOMPARE(first.records.front().row.value, 97.5);
    QCOMPARE(first.records.front().row.material, QStringLiteral("NF"));
    const LiveReading second = readings.at(1).first().value<LiveReading>();
    QVERIFY(second.records.front().invalidDate);
    QCOMPARE(c.events.events.last(), QStringLiteral("invalid date"));
}

QTEST_GUILESS_MAIN(TestGauge)
#include "tst_gauge.moc"
