#include "link/sim/SimulatedTransport.h"

#include <QElapsedTimer>
#include <QTest>
#include <algorithm>
#include <functional>

using namespace vexa;
using namespace vexa::sim;

namespace {

const QByteArray LiveLine = "   1        12.5 ym   FE  2026-01-12 08:00:00";

GaugeProfile gaugeProfile(const QString& name, const QString& address) {
    GaugeProfile profile;
    profile.name = name;
    profile.address = address;
    profile.rssi = -67;
    profile.info = "$vexa00T:3,S:123456!";
    profile.battery = "$gcv?3.85!";
    profile.clock = "$glt?05.03.2026 07:08:09!";
    profile.live = {LiveLine};
    return profile;
}

const QString Address = QStringLiteral("001122334455");

QList<GaugeProfile> oneGauge() {
    return {gaugeProfile(QStringLiteral("ZE-1234"), Address)};
}

QString shortName(const QString& uuidText) {
    if (uuidText == uuid::ServiceMI)
        return QStringLiteral("MI");
    if (uuidText == uuid::ServiceZK)
        return QStringLiteral("ZK");
    if (uuidText == uuid::ServiceSondeMI)
        return QStringLiteral("SondeMI");
    if (uuidText == uuid::CharVexa)
        return QStringLiteral("Vexa");
    if (uuidText == uuid::CharMeasure)
        return QStringLiteral("Measure");
    if (uuidText == uuid::CharStorageInfo)
        return QStringLiteral("StorageInfo");
    if (uuidText == uuid::CharStorageData)
        return QStringLiteral("StorageData");
    if (uuidText == uuid::CharTrace)
        return QStringLiteral("Trace");
    return uuidText;
}

// Every signal of the transport as one line, in arrival order, with the time since the log began.
class EventLog : public QObject {
public:
    explicit EventLog(Transport& transport) {
        clock.start();
        connect(&transport, &Transport::scanStarted, this, [this] { add(QStringLiteral("scanStarted")); });
        connect(&transport, &Transport::advertisement, this,
                [this](const QString& id, const QString& name, int rssi) {
                    add(QStringLiteral("advertisement %1 %2 %3").arg(id, name).arg(rssi));
                });
        connect(&transport, &Transport::connected, this, [this](int status, const QString& text) {
            add(QStringLiteral("connected %1 %2").arg(status).arg(text));
        });
        connect(&transport, &Transport::disconnected, this, [this](int status, const QString& text) {
            add(QStringLiteral("disconnected %1 %2").arg(status).arg(text));
        });
        connect(&transport, &Transport::discovered, this,
                [this](GattType type, const QString& service, const QString& characteristic) {
                    add(type == GattType::Service ? QStringLiteral("service ") + shortName(service)
                                                  : QStringLiteral("characteristic %1 %2")
                                                        .arg(shortName(service), shortName(characteristic)));
                });
        connect(&transport, &Transport::discoveryFinished, this,
                [this] { add(QStringLiteral("discoveryFinished")); });
        connect(&transport, &Transport::value, this,
                [this](const QString& service, const QString& characteristic, const QByteArray& bytes) {
                    add(QStringLiteral("value %1 %2 %3")
                            .arg(shortName(service), shortName(characteristic), QString::fromLatin1(bytes)));
                });
        connect(&transport, &Transport::writeResponse, this,
                [this](const QString& service, const QString& c) {
                    add(QStringLiteral("writeResponse %1 %2").arg(shortName(service), shortName(c)));
                });
        connect(&transport, &Transport::subscribed, this, [this](const QString& service, const QString& c) {
            add(QStringLiteral("subscribed %1 %2").arg(shortName(service), shortName(c)));
        });
        connect(&transport, &Transport::unsubscribed, this, [this](const QString& service, const QString& c) {
            add(QStringLiteral("unsubscribed %1 %2").arg(shortName(service), shortName(c)));
        });
        connect(&transport, &Transport::error, this, [this](int code, const QString& text) {
            add(QStringLiteral("error %1 %2").arg(code).arg(text));
        });
    }

    bool waitFor(qsizetype count) {
        return QTest::qWaitFor([&] { return events.size() >= count; }, 5000);
    }
    bool waitForEvent(const QString& start) {
        return QTest::qWaitFor([&] { return indexOf(start) >= 0; }, 5000);
    }
    qsizetype count(const QString& start) const {
        return std::count_if(events.cbegin(), events.cend(),
                             [&](const QString& event) { return event.startsWith(start); });
    }
    // Runs `operation` and waits until it brought one more event beginning with `start`.
    bool await(const QString& start, const std::function<void()>& operation) {
        const qsizetype before = count(start);
        operation();
        return QTest::qWaitFor([&] { return count(start) > before; }, 5000);
    }
    qsizetype indexOf(const QString& start) const {
        for (qsizetype i = 0; i < events.size(); ++i)
            if (events[i].startsWith(start))
                return i;
        return -1;
    }

    QStringList events;
    QList<qint64> times;

private:
    void add(const QString& event) {
        events.append(event);
        times.append(clock.elapsed());
    }
    QElapsedTimer clock;
};

const QStringList DiscoveredAll = {
    QStringLiteral("service MI"),
    QStringLiteral("characteristic MI Vexa"),
    QStringLiteral("characteristic MI Trace"),
    QStringLiteral("service ZK"),
    QStringLiteral("characteristic ZK StorageInfo"),
    QStringLiteral("characteristic ZK StorageData"),
    QStringLiteral("characteristic ZK Measure"),
};

const QString LiveValue = QStringLiteral("value ZK Measure ");

// The user's and the program's moves on a simulated gauge, each but "measure" awaited to its outcome;
// "every N" and "off" set the gauge's interval at run time.
void play(SimulatedTransport& transport, EventLog& log, const QStringList& steps) {
    for (const QString& step : steps) {
        if (step == QLatin1String("connect"))
            QVERIFY(log.await(QStringLiteral("connected"), [&] { transport.connectToGauge(Address); }));
        else if (step == QLatin1String("disconnect"))
            QVERIFY(log.await(QStringLiteral("disconnected"), [&] { transport.disconnectFromGauge(); }));
        else if (step == QLatin1String("subscribe"))
            QVERIFY(log.await(QStringLiteral("subscribed"),
                              [&] { transport.subscribe(uuid::ServiceZK, uuid::CharMeasure); }));
        else if (step == QLatin1String("unsubscribe"))
            QVERIFY(log.await(QStringLiteral("unsubscribed"),
                              [&] { transport.unsubscribe(uuid::ServiceZK, uuid::CharMeasure); }));
        else if (step == QLatin1String("measure"))
            transport.measure();
        else if (step == QLatin1String("off"))
            transport.setLiveIntervalMs(std::nullopt);
        else if (step.startsWith(QLatin1String("every ")))
            transport.setLiveIntervalMs(step.mid(6).toInt());
        else
            QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
    }
}

// Everything asked of the transport so far has had its outcome: a scan, which is no operation of the
// gauge's, is delivered after them.
void settle(SimulatedTransport& transport, EventLog& log) {
    QVERIFY(log.await(QStringLiteral("scanStarted"), [&] { transport.startScan(); }));
    transport.stopScan();
}

} // namespace

class TestSimulatorTransport : public QObject {
    Q_OBJECT
private slots:
    void outcomesArriveInCallOrderAfterTheCall() {
        SimulatedTransport transport(oneGauge(), {.latencyMs = 0, .liveIntervalMs = 10});
        EventLog log(transport);
        transport.connectToGauge(Address);
        transport.discover({});
        transport.write(uuid::ServiceMI, uuid::CharVexa, "$gcv!");
        transport.read(uuid::ServiceMI, uuid::CharVexa);
        transport.subscribe(uuid::ServiceZK, uuid::CharMeasure);
        QVERIFY(log.events.isEmpty());

        QVERIFY(log.waitForEvent(QStringLiteral("value ZK Measure")));
        transport.unsubscribe(uuid::ServiceZK, uuid::CharMeasure);
        transport.disconnectFromGauge();
        QVERIFY(log.waitForEvent(QStringLiteral("disconnected")));

        QStringList expected{QStringLiteral("connected 0 OK")};
        expected += DiscoveredAll;
        expected += QStringList{
            QStringLiteral("discoveryFinished"),
            QStringLiteral("writeResponse MI Vexa"),
            QStringLiteral("value MI Vexa $gcv?3.85!"),
            QStringLiteral("subscribed ZK Measure"),
        };
        QCOMPARE(log.events.mid(0, expected.size()), expected);
        const QStringList rest = log.events.mid(expected.size());
        const QStringList tail{QStringLiteral("unsubscribed ZK Measure"),
                               QStringLiteral("disconnected 0 Disconnected")};
        QCOMPARE(rest.mid(rest.size() - 2), tail);
        for (const QString& event : rest.mid(0, rest.size() - 2))
            QCOMPARE(event, QStringLiteral("value ZK Measure ") + QString::fromLatin1(LiveLine));
    }

    void liveValuesStopWithUnsubscription() {
        SimulatedTransport transport(oneGauge(), {.liveIntervalMs = 10});
        EventLog log(transport);
        transport.connectToGauge(Address);
        transport.subscribe(uuid::ServiceZK, uuid::CharMeasure);
        QVERIFY(log.waitForEvent(QStringLiteral("value")));
        transport.unsubscribe(uuid::ServiceZK, uuid::CharMeasure);
        QVERIFY(log.waitForEvent(QStringLiteral("unsubscribed")));
        const qsizetype count = log.events.size();
        QTest::qWait(60);
        QCOMPARE(log.events.size(), count);
    }

    // Without an interval a gauge sends a live value only when measured, and only to a program that has
    // its live values subscribed then.
    void liveValuesOnDemand_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("stopAnsweringAfter"); // -1: never
        QTest::addColumn<int>("liveValues");
        QTest::newRow("nothing until measured") << QStringList{"connect", "subscribe"} << -1 << 0;
        QTest::newRow("one per measure")
            << QStringList{"connect", "subscribe", "measure", "measure", "measure"} << -1 << 3;
        QTest::newRow("not subscribed") << QStringList{"connect", "measure"} << -1 << 0;
        QTest::newRow("unsubscribed")
            << QStringList{"connect", "subscribe", "unsubscribe", "measure"} << -1 << 0;
        QTest::newRow("subscribed anew")
            << QStringList{"connect", "subscribe", "unsubscribe", "subscribe", "measure"} << -1 << 1;
        QTest::newRow("link down") << QStringList{"connect", "subscribe", "disconnect", "measure"} << -1 << 0;
        QTest::newRow("no gauge") << QStringList{"measure"} << -1 << 0;
        QTest::newRow("silent gauge") << QStringList{"connect", "subscribe", "measure"} << 2 << 0;
    }
    void liveValuesOnDemand() {
        QFETCH(QStringList, steps);
        QFETCH(int, stopAnsweringAfter);
        SimulationOptions options{.liveIntervalMs = std::nullopt};
        if (stopAnsweringAfter >= 0)
            options.stopAnsweringAfter = stopAnsweringAfter;
        SimulatedTransport transport(oneGauge(), options);
        EventLog log(transport);
        play(transport, log, steps);
        if (QTest::currentTestFailed())
            return;
        settle(transport, log);
        QTEST(int(log.count(LiveValue)), "liveValues");
        QCOMPARE(log.count(LiveValue), log.events.count(LiveValue + QString::fromLatin1(LiveLine)));
        QCOMPARE(log.count(QStringLiteral("error")), 0);
    }

    // An interval set at run time, or by the gauge's profile, sends live values while they are subscribed,
    // until it is switched off; it belongs to the gauge.
    void liveIntervalAtRunTime_data() {
        QTest::addColumn<int>("profileIntervalMs"); // -1: the profile sets none
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("intervalMs"); // -1: none
        QTest::newRow("switched on while subscribed")
            << -1 << QStringList{"connect", "subscribe", "every 5"} << 5;
        QTest::newRow("switched on before subscribing")
            << -1 << QStringList{"connect", "every 5", "subscribe"} << 5;
        QTest::newRow("not subscribed") << -1 << QStringList{"connect", "every 5"} << 5;
        QTest::newRow("switched off") << -1 << QStringList{"connect", "subscribe", "every 5", "off"} << -1;
        QTest::newRow("kept across a reconnect")
            << -1 << QStringList{"connect", "every 5", "disconnect", "connect", "subscribe"} << 5;
        QTest::newRow("no gauge to set it on") << -1 << QStringList{"every 5", "connect", "subscribe"} << -1;
        QTest::newRow("the profile's") << 5 << QStringList{"connect", "subscribe"} << 5;
        QTest::newRow("the profile's switched off") << 5 << QStringList{"connect", "subscribe", "off"} << -1;
        QTest::newRow("the profile's changed")
            << 3'600'000 << QStringList{"connect", "subscribe", "every 5"} << 5;
    }
    void liveIntervalAtRunTime() {
        QFETCH(int, profileIntervalMs);
        QFETCH(QStringList, steps);
        QFETCH(int, intervalMs);
        QList<GaugeProfile> profiles = oneGauge();
        if (profileIntervalMs >= 0) {
            profiles[0].simulation.emplace();
            profiles[0].simulation->liveIntervalMs = profileIntervalMs;
        }
        SimulatedTransport transport(profiles, {.liveIntervalMs = std::nullopt});
        EventLog log(transport);
        play(transport, log, steps);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(transport.liveIntervalMs().value_or(-1), intervalMs);

        const bool subscribed = log.count(QStringLiteral("subscribed")) > 0;
        if (intervalMs > 0 && subscribed) {
            QTRY_VERIFY(log.count(LiveValue) >= 3);
        } else {
            QTest::qWait(60);
            QCOMPARE(log.count(LiveValue), 0);
        }
    }

    void discoveryFilter_data() {
        QTest::addColumn<bool>("sondeService");
        QTest::addColumn<QStringList>("filter");
        QTest::addColumn<QStringList>("services");
        const QStringList both{QStringLiteral("service MI"), QStringLiteral("service ZK")};
        QTest::newRow("no filter") << false << QStringList() << both;
        QTest::newRow("two services") << false << QStringList{uuid::ServiceMI, uuid::ServiceZK} << both;
        QTest::newRow("one comma-separated text")
            << false << QStringList{uuid::ServiceMI + u',' + uuid::ServiceZK} << both;
        QTest::newRow("lower-case uuid")
            << false << QStringList{uuid::ServiceZK.toLower()} << QStringList{QStringLiteral("service ZK")};
        QTest::newRow("probe command service reported last")
            << true << QStringList() << (both + QStringList{QStringLiteral("service SondeMI")});
        QTest::newRow("probe command service filtered out")
            << true << QStringList{uuid::ServiceMI, uuid::ServiceZK} << both;
    }
    void discoveryFilter() {
        QFETCH(bool, sondeService);
        QFETCH(QStringList, filter);
        QFETCH(QStringList, services);
        QList<GaugeProfile> profiles = oneGauge();
        profiles[0].sondeService = sondeService;
        SimulatedTransport transport(profiles);
        EventLog log(transport);
        transport.connectToGauge(Address);
        transport.discover(filter);
        QVERIFY(log.waitForEvent(QStringLiteral("discoveryFinished")));
        QCOMPARE(log.events.filter(QRegularExpression(QStringLiteral("^service "))), services);
    }

    void errors_data() {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("event");
        QTest::newRow("read while not connected")
            << QStringLiteral("read") << QStringLiteral("error 2 Not connected");
        QTest::newRow("write while not connected")
            << QStringLiteral("write") << QStringLiteral("error 2 Not connected");
        QTest::newRow("subscribe while not connected")
            << QStringLiteral("subscribe") << QStringLiteral("error 2 Not connected");
        QTest::newRow("discover while not connected")
            << QStringLiteral("discover") << QStringLiteral("error 2 Not connected");
        QTest::newRow("unknown gauge")
            << QStringLiteral("connect unknown") << QStringLiteral("error 1 Unknown gauge");
        QTest::newRow("characteristic of another service")
            << QStringLiteral("connect, read measure in MI") << QStringLiteral("error 3 No characteristic");
        QTest::newRow("second gauge while connected")
            << QStringLiteral("connect both") << QStringLiteral("error 4 Already connected");
        QTest::newRow("disconnect while not connected")
            << QStringLiteral("disconnect") << QStringLiteral("disconnected 0 Disconnected");
    }
    void errors() {
        QFETCH(QString, operation);
        QFETCH(QString, event);
        const QString other = QStringLiteral("AABBCCDDEEFF");
        SimulatedTransport transport(oneGauge() + QList{gaugeProfile(QStringLiteral("VIMS-1"), other)});
        EventLog log(transport);
        if (operation == QLatin1String("read"))
            transport.read(uuid::ServiceMI, uuid::CharVexa);
        else if (operation == QLatin1String("write"))
            transport.write(uuid::ServiceMI, uuid::CharVexa, "$gcv!");
        else if (operation == QLatin1String("subscribe"))
            transport.subscribe(uuid::ServiceZK, uuid::CharMeasure);
        else if (operation == QLatin1String("discover"))
            transport.discover({});
        else if (operation == QLatin1String("connect unknown"))
            transport.connectToGauge(QStringLiteral("FFFFFFFFFFFF"));
        else if (operation == QLatin1String("disconnect"))
            transport.disconnectFromGauge();
        else {
            transport.connectToGauge(Address);
            if (operation.endsWith(QLatin1String("both")))
                transport.connectToGauge(other);
            else
                transport.read(uuid::ServiceMI, uuid::CharMeasure);
        }
        QVERIFY(log.waitForEvent(event));
    }

    void scanRepeatsAdvertisementsUntilStopped() {
        SimulatedTransport transport(
            oneGauge() + QList{gaugeProfile(QStringLiteral("Phone"), QStringLiteral("AABBCCDDEEFF"))},
            {.advertisementIntervalMs = 10});
        EventLog log(transport);
        transport.startScan();
        QVERIFY(log.waitFor(7));
        QCOMPARE(log.events.first(), QStringLiteral("scanStarted"));
        QCOMPARE(log.events[1], QStringLiteral("advertisement 001122334455 ZE-1234 -67"));
        QCOMPARE(log.events[2], QStringLiteral("advertisement AABBCCDDEEFF Phone -67"));
        QCOMPARE(log.events[3], log.events[1]);
        transport.stopScan();
        QTest::qWait(30);
        const qsizetype count = log.events.size();
        QTest::qWait(60);
        QCOMPARE(log.events.size(), count);
    }

    void latencyDelaysEveryOutcome() {
        constexpr int Latency = 80;
        SimulatedTransport transport(oneGauge(), {.latencyMs = Latency});
        EventLog log(transport);
        transport.connectToGauge(Address);
        transport.write(uuid::ServiceMI, uuid::CharVexa, "$gcv!");
        transport.read(uuid::ServiceMI, uuid::CharVexa);
        QVERIFY(log.waitFor(3));
        QCOMPARE(log.events.last(), QStringLiteral("value MI Vexa $gcv?3.85!"));
        for (qint64 at : log.times)
            QVERIFY2(at >= Latency, qPrintable(QString::number(at)));
    }

    void stopsAnsweringAfterOperations() {
        SimulatedTransport transport(oneGauge(), {.liveIntervalMs = 10, .stopAnsweringAfter = 2});
        EventLog log(transport);
        transport.connectToGauge(Address);
        transport.subscribe(uuid::ServiceZK, uuid::CharMeasure);
        transport.write(uuid::ServiceMI, uuid::CharVexa, "$gcv!");
        transport.read(uuid::ServiceMI, uuid::CharVexa);
        transport.disconnectFromGauge();
        QVERIFY(log.waitFor(2));
        QTest::qWait(80);
        QCOMPARE(log.events,
                 (QStringList{QStringLiteral("connected 0 OK"), QStringLiteral("subscribed ZK Measure")}));
    }

    void dropsConnectionAfterOperations() {
        SimulatedTransport transport(oneGauge(), {.dropConnectionAfter = 2});
        EventLog log(transport);
        transport.connectToGauge(Address);
        transport.write(uuid::ServiceMI, uuid::CharVexa, "$gcv!");
        transport.read(uuid::ServiceMI, uuid::CharVexa);
        QVERIFY(log.waitFor(4));
        QCOMPARE(
            log.events,
            (QStringList{QStringLiteral("connected 0 OK"), QStringLiteral("writeResponse MI Vexa"),
                         QStringLiteral("disconnected 0 Offline"), QStringLiteral("error 2 Not connected")}));

        transport.connectToGauge(Address);
        transport.read(uuid::ServiceMI, uuid::CharVexa);
        QVERIFY(log.waitFor(6));
        QCOMPARE(log.events.mid(4),
                 (QStringList{QStringLiteral("connected 0 OK"), QStringLiteral("value MI Vexa $gcv?3.85!")}));
    }

    void nestedEventLoopKeepsTheOrder() {
        SimulatedTransport transport(oneGauge());
        EventLog log(transport);
        connect(&transport, &Transport::writeResponse, this, [&] {
            transport.read(uuid::ServiceMI, uuid::CharVexa);
            QVERIFY(QTest::qWaitFor([&] { return log.events.size() >= 4; }, 2000));
        });
        transport.connectToGauge(Address);
        transport.write(uuid::ServiceMI, uuid::CharVexa, "$gcv!");
        transport.disconnectFromGauge();
        QVERIFY(log.waitFor(4));
        QCOMPARE(log.events,
                 (QStringList{QStringLiteral("connected 0 OK"), QStringLiteral("writeResponse MI Vexa"),
                              QStringLiteral("disconnected 0 Disconnected"),
                              QStringLiteral("error 2 Not connected")}));
    }
};

QTEST_GUILESS_MAIN(TestSimulatorTransport)
#include "tst_simulator_transport.moc"
