#include "link/GaugeLink.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <qcoro/qcorotask.h>

using namespace vexa;
using namespace std::chrono_literals;

namespace {

// A gauge that keeps its previous answer in the command characteristic for `staleReads` reads after a
// command, and can stay silent or drop the link. Every outcome is delivered on a later event-loop pass.
class FakeTransport final : public Transport {
public:
    QByteArray answer = "$old!";
    QByteArray nextAnswer;
    int staleReads = 0;
    bool silent = false;
    bool dropOnWrite = false;
    int reads = 0;
    int writes = 0;

    void startScan() override {}
    void stopScan() override {}
    void connectToGauge(const QString&) override {}
    void disconnectFromGauge() override {}
    void discover(const QStringList&) override {}
    void read(const QString& service, const QString& characteristic) override {
        ++reads;
        if (silent)
            return;
        later([=, this] {
            if (characteristic == uuid::CharVexa && staleReads-- <= 0)
                answer = nextAnswer;
            emit value(service, characteristic, answer);
        });
    }
    void write(const QString& service, const QString& characteristic, const QByteArray&) override {
        ++writes;
        if (dropOnWrite)
            return later([this] { emit disconnected(0, QStringLiteral("Offline")); });
        if (!silent)
            later([=, this] { emit writeResponse(service, characteristic); });
    }
    void subscribe(const QString& service, const QString& characteristic) override {
        later([=, this] { emit subscribed(service, characteristic); });
    }
    void unsubscribe(const QString& service, const QString& characteristic) override {
        later([=, this] { emit unsubscribed(service, characteristic); });
    }

private:
    template <typename F> void later(F&& f) { QTimer::singleShot(0, this, std::forward<F>(f)); }
};

template <typename T> T run(QCoro::Task<T> task) {
    return QCoro::waitFor(std::move(task));
}

bool isBattery(const QByteArray& value) {
    return value.startsWith("$gcv?");
}

} // namespace

class TestGaugeLink : public QObject {
    Q_OBJECT
private slots:
    void requestOutcomes_data();
    void requestOutcomes();
    void answerReadyAtOnceTakesOneWriteAndOneRead();
    void cancelEndsTheWait();
    void subscriptionIsConfirmed();
    void requestsInSequence();
    void secondRequestAtTheCharacteristic_data();
    void secondRequestAtTheCharacteristic();
    void answerBeforeTheWriteIsPassedOver();
    void silentGaugeIsAskedNothingMore();
    void withoutALinkNothingReachesTheTransport();
};

namespace {
QCoro::Task<int> twoRequests(GaugeLink& link) {
    int answered = 0;
    for (int i = 0; i < 3; ++i)
        if ((co_await link.request(uuid::ServiceMI, "$gcv!", isBattery)).answered())
            ++answered;
    co_return answered;
}
} // namespace

void TestGaugeLink::requestsInSequence() {
    FakeTransport transport;
    transport.nextAnswer = "$gcv?3.85!";
    GaugeLink link(transport);
    QCOMPARE(run(twoRequests(link)), 3);
}

void TestGaugeLink::requestOutcomes_data() {
    QTest::addColumn<int>("staleReads");
    QTest::addColumn<bool>("silent");
    QTest::addColumn<bool>("drop");
    QTest::addColumn<int>("outcome");

    QTest::newRow("answered after stale reads") << 3 << false << false << int(WaitOutcome::Answered);
    QTest::newRow("never the right answer") << 1000000 << false << false << int(WaitOutcome::TimedOut);
    QTest::newRow("silent gauge") << 0 << true << false << int(WaitOutcome::TimedOut);
    QTest::newRow("link dropped") << 0 << false << true << int(WaitOutcome::Disconnected);
}

void TestGaugeLink::requestOutcomes() {
    QFETCH(int, staleReads);
    FakeTransport transport;
    transport.nextAnswer = "$gcv?3.85!";
    transport.staleReads = staleReads;
    QFETCH(bool, silent);
    QFETCH(bool, drop);
    transport.silent = silent;
    transport.dropOnWrite = drop;
    GaugeLink link(transport);
    const WaitResult result = run(link.request(uuid::ServiceMI, "$gcv!", isBattery, 300ms));
    QTEST(int(result.outcome), "outcome");
    if (result.answered())
        QCOMPARE(result.value, QByteArray("$gcv?3.85!"));
}

void TestGaugeLink::answerReadyAtOnceTakesOneWriteAndOneRead() {
    FakeTransport transport;
    transport.nextAnswer = "$gcv?3.85!";
    GaugeLink link(transport);
    QVERIFY(run(link.request(uuid::ServiceMI, "$gcv!", isBattery)).answered());
    QCOMPARE(transport.writes, 1);
    QCOMPARE(transport.reads, 1);
}

void TestGaugeLink::cancelEndsTheWait() {
    FakeTransport transport;
    transport.silent = true;
    GaugeLink link(transport);
    Cancellation stop;
    QTimer::singleShot(10ms, &stop, &Cancellation::cancel);
    QCOMPARE(run(link.request(uuid::ServiceMI, "$gcv!", isBattery, GaugeLink::AnswerDeadline, &stop)).outcome,
             WaitOutcome::Cancelled);
}

void TestGaugeLink::subscriptionIsConfirmed() {
    FakeTransport transport;
    GaugeLink link(transport);
    QVERIFY(run(link.subscribe(uuid::ServiceZK, uuid::CharMeasure)).answered());
    QVERIFY(run(link.unsubscribe(uuid::ServiceZK, uuid::CharMeasure)).answered());
}

// A request while another one holds the command characteristic waits for it to end.
void TestGaugeLink::secondRequestAtTheCharacteristic_data() {
    QTest::addColumn<bool>("firstAnswered");
    QTest::addColumn<bool>("stopSecond");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<int>("writes");

    QTest::newRow("waits its turn and gets its own answer")
        << true << false << int(WaitOutcome::Answered) << 2;
    QTest::newRow("the turn does not come before its deadline")
        << false << false << int(WaitOutcome::Busy) << 1;
    QTest::newRow("stopped while waiting for its turn") << false << true << int(WaitOutcome::Cancelled) << 1;
}

void TestGaugeLink::secondRequestAtTheCharacteristic() {
    QFETCH(bool, firstAnswered);
    QFETCH(bool, stopSecond);
    FakeTransport transport;
    transport.nextAnswer = "$gcv?3.85!";
    transport.silent = !firstAnswered;
    GaugeLink link(transport);
    QCoro::Task<WaitResult> first = link.request(uuid::ServiceMI, "$gcv!", isBattery, 400ms);
    Cancellation stop;
    if (stopSecond)
        QTimer::singleShot(20ms, &stop, &Cancellation::cancel);
    const auto isClock = [](const QByteArray& value) { return value.startsWith("$glt?"); };
    QCoro::Task<WaitResult> second = link.request(uuid::ServiceMI, "$glt!", isClock, 100ms, &stop);
    // The second request's write waits until the first request is over.
    QCOMPARE(transport.writes, 1);
    if (firstAnswered) {
        QCOMPARE(run(std::move(first)).value, QByteArray("$gcv?3.85!"));
        transport.nextAnswer = "$glt?05.03.2026 07:08:09!";
    }
    const WaitResult result = run(std::move(second));
    QTEST(int(result.outcome), "outcome");
    QTEST(transport.writes, "writes");
    if (result.answered())
        QCOMPARE(result.value, QByteArray("$glt?05.03.2026 07:08:09!"));
    else
        QCOMPARE(run(std::move(first)).outcome, WaitOutcome::TimedOut);
}

// A value read for an earlier request may still be on its way: it is not this request's answer.
void TestGaugeLink::answerBeforeTheWriteIsPassedOver() {
    FakeTransport transport;
    transport.nextAnswer = "$gcv?3.85!";
    GaugeLink link(transport);
    QCoro::Task<WaitResult> request = link.request(uuid::ServiceMI, "$gcv!", isBattery);
    emit transport.value(uuid::ServiceMI, uuid::CharVexa, "$gcv?1.00!");
    QCOMPARE(run(std::move(request)).value, QByteArray("$gcv?3.85!"));
}

// After one request ran into its deadline, the next ones end at once until the link is new.
void TestGaugeLink::silentGaugeIsAskedNothingMore() {
    FakeTransport transport;
    transport.silent = true;
    GaugeLink link(transport);
    QSignalSpy stopped(&link, &GaugeLink::stoppedAnswering);
    QCOMPARE(run(link.request(uuid::ServiceMI, "$gcv!", isBattery, 100ms)).outcome, WaitOutcome::TimedOut);
    QCOMPARE(stopped.size(), 1);
    QCOMPARE(run(link.read(uuid::ServiceZK, uuid::CharStorageInfo)).outcome, WaitOutcome::TimedOut);
    QCOMPARE(run(link.subscribe(uuid::ServiceZK, uuid::CharMeasure)).outcome, WaitOutcome::TimedOut);
    QCOMPARE(transport.writes + transport.reads, 1);
    QCOMPARE(stopped.size(), 1);

    transport.silent = false;
    transport.nextAnswer = "$gcv?3.85!";
    link.resume();
    QVERIFY(run(link.request(uuid::ServiceMI, "$gcv!", isBattery)).answered());
}

// No gauge is connected: a request has nothing to wait for, and the transport would only report an error.
void TestGaugeLink::withoutALinkNothingReachesTheTransport() {
    FakeTransport transport;
    transport.nextAnswer = "$gcv?3.85!";
    GaugeLink link(transport);
    link.setLinkUp(false);
    QCOMPARE(run(link.request(uuid::ServiceMI, "$gcv!", isBattery)).outcome, WaitOutcome::Disconnected);
    QCOMPARE(run(link.read(uuid::ServiceZK, uuid::CharStorageInfo)).outcome, WaitOutcome::Disconnected);
    QCOMPARE(run(link.subscribe(uuid::ServiceZK, uuid::CharMeasure)).outcome, WaitOutcome::Disconnected);
    QCOMPARE(transport.writes + transport.reads, 0);

    link.setLinkUp(true);
    QVERIFY(run(link.request(uuid::ServiceMI, "$gcv!", isBattery)).answered());
}

QTEST_GUILESS_MAIN(TestGaugeLink)
#include "tst_gaugelink.moc"
