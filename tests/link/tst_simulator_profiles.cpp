#include "data/MemoryDump.h"
#include "link/sim/GaugeProfile.h"
#include "link/sim/SimulatedTransport.h"

#include <QDir>
#include <QTest>

using namespace vexa;
using namespace vexa::sim;

Q_DECLARE_METATYPE(vexa::MemoryKind)

namespace {

const QString GaugeFolder = QStringLiteral(VEXA_SOURCE_DIR "/examples/gauges");

GaugeProfile bundled(const QString& fileName) {
    const LoadedProfile loaded = loadGaugeProfile(GaugeFolder + u'/' + fileName);
    if (!loaded.profile)
        qFatal("%s", qPrintable(loaded.error));
    return *loaded.profile;
}

MeasureContext contextOf(const QString& model, const QString& mode, char material) {
    DeviceTraits traits;
    traits.generation = '5';
    traits.material = material;
    traits.decimals = '2';
    return {model, mode, traits};
}

// Columns of a record line: number 1-4, value 7-16, unit 18-21, material 23-25, date-time 27-45.
bool isRecordLine(const QByteArray& line) {
    const QDateTime at =
        QDateTime::fromString(QString::fromLatin1(line.mid(26, 19)), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    bool numberOk = false;
    bool valueOk = false;
    line.mid(0, 4).trimmed().toInt(&numberOk);
    line.mid(6, 10).trimmed().toDouble(&valueOk);
    return line.size() == 45 && numberOk && valueOk && line.at(16) == ' ' &&
           !line.mid(17, 4).trimmed().isEmpty() && at.isValid();
}

} // namespace

class TestSimulatorProfiles : public QObject {
    Q_OBJECT
private slots:
    void bundledProfilesLoad_data() {
        QTest::addColumn<QString>("path");
        const QStringList files = QDir(GaugeFolder).entryList({QStringLiteral("*.json")}, QDir::Files);
        QVERIFY(files.size() >= 3);
        for (const QString& file : files)
            QTest::newRow(qPrintable(file)) << GaugeFolder + u'/' + file;
    }
    void bundledProfilesLoad() {
        QFETCH(QString, path);
        const LoadedProfile loaded = loadGaugeProfile(path);
        QVERIFY2(loaded.profile, qPrintable(loaded.error));
        QVERIFY(!loaded.profile->live.isEmpty());
        for (const QByteArray& line : loaded.profile->live)
            QVERIFY2(isRecordLine(line), line.constData());
        for (const GaugeMemory& memory : loaded.profile->memories)
            for (const QByteArray& line : memory.records)
                QVERIFY2(isRecordLine(line), line.constData());
    }

    void demoFilesDecode_data() {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<MemoryKind>("kind");
        QTest::addColumn<int>("count");
        const QString micrometre = QStringLiteral("\u00B5m");
        QTest::newRow("coating m") << "qy-coating.json"
                                   << "m001" << micrometre << "QY"
                                   << "SM" << MemoryKind::Measurement << 25;
        QTest::newRow("coating s") << "qy-coating.json"
                                   << "s002" << micrometre << "QY"
                                   << "SM" << MemoryKind::Single << 10;
        QTest::newRow("coating t") << "qy-coating.json"
                                   << "t003" << micrometre << "QY"
                                   << "SM" << MemoryKind::Series << 48;
        QTest::newRow("field m") << "vims-field.json"
                                 << "m001"
                                 << "mT"
                                 << "WL"
                                 << "MF" << MemoryKind::Measurement << 8;
    }
    void demoFilesDecode() {
        QFETCH(QString, profile);
        QFETCH(QString, file);
        QFETCH(QString, unit);
        QFETCH(QString, model);
        QFETCH(QString, mode);
        QFETCH(MemoryKind, kind);
        QFETCH(int, count);
        const GaugeProfile gauge = bundled(profile);
        const auto found = std::find_if(gauge.files.cbegin(), gauge.files.cend(),
                                        [&](const GaugeFile& f) { return f.name == file; });
        QVERIFY(found != gauge.files.cend());
        const DecodedMemory memory = decodeMemoryDump(found->bytes.toHex(), file, unit,
                                                      contextOf(model, mode, model == "WL" ? '0' : '2'));
        QVERIFY(!memory.error);
        QCOMPARE(memory.kind, kind);
        QCOMPARE(memory.header.recordCount, count);
        if (kind == MemoryKind::Series) {
            QCOMPARE(memory.seriesValues.size(), size_t(count));
            return;
        }
        QCOMPARE(memory.rows.size(), size_t(count));
        for (const MeasurementRow& row : memory.rows) {
            QVERIFY(row.mark.isEmpty());
            QVERIFY(row.value > 0);
        }
        if (kind == MemoryKind::Measurement) {
            QCOMPARE(memory.rows.front().number, 1);
            QCOMPARE(memory.rows.back().number, count);
            QVERIFY(memory.rows.front().timestamp.isValid());
        }
    }

    void demoProbeMemories() {
        const GaugeProfile gauge = bundled(QStringLiteral("ze-probe-memory.json"));
        QCOMPARE(gauge.name, QStringLiteral("ZE-4711 ZEL"));
        QCOMPARE(gauge.memories.size(), 3);
        QCOMPARE(gauge.memories[0].records.size(), 7);
        QCOMPARE(gauge.memories[1].records.size(), 0);
        QCOMPARE(gauge.memories[2].records.size(), 12);
    }

    void malformedProfiles_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("message");
        const QByteArray base =
            R"("name":"QY-FE-1","address":"001122334455","info":"$vexa00!","battery":"$gcv?3.85!","clock":"$glt?!")";
        auto with = [&](const QByteArray& more) { return '{' + base + more + '}'; };
        QTest::newRow("not JSON") << QByteArray("{\"name\":") << "not valid JSON at byte";
        QTest::newRow("not an object") << QByteArray("[1]") << "the profile must be a JSON object";
        QTest::newRow("missing info")
            << QByteArray(R"({"name":"a","address":"001122334455","battery":"","clock":""})")
            << "info is missing";
        QTest::newRow("empty name")
            << QByteArray(R"({"name":" ","address":"001122334455","info":"","battery":"","clock":""})")
            << "name must not be empty";
        QTest::newRow("short address")
            << QByteArray(R"({"name":"a","address":"0011","info":"","battery":"","clock":""})")
            << "address must be 12 hexadecimal digits";
        QTest::newRow("number for a text") << with(R"(,"probe":7)") << "probe must be a text";
        QTest::newRow("rssi out of range") << with(R"(,"rssi":-300)") << "rssi must be a whole number";
        QTest::newRow("unknown key") << with(R"(,"batery":"")") << "unknown key \"batery\"";
        QTest::newRow("files not a list") << with(R"(,"files":{})") << "files must be a list";
        QTest::newRow("odd hex") << with(R"(,"files":[{"name":"m1","hex":"ABC"}])")
                                 << "files[0].hex must be an even number of hexadecimal digits";
        QTest::newRow("hex with letters")
            << with(R"(,"files":[{"name":"m1","hex":"GG"}])") << "files[0].hex must be an even number";
        QTest::newRow("file name with blank")
            << with(R"(,"files":[{"name":"m 1","hex":""}])") << "files[0].name must be one word";
        QTest::newRow("file name twice")
            << with(R"(,"files":[{"name":"m1","hex":""},{"name":"m1","hex":""}])")
            << "files[1].name \"m1\" is used twice";
        QTest::newRow("file without hex") << with(R"(,"files":[{"name":"m1"}])") << "files[0].hex is missing";
        QTest::newRow("file not an object") << with(R"(,"files":["m1"])") << "files[0] must be an object";
        QTest::newRow("memory name with comma")
            << with(R"(,"memories":[{"name":"1,2","records":[]}])") << "memories[0].name must not be empty";
        QTest::newRow("record not a text")
            << with(R"(,"memories":[{"name":"1","records":[5]}])") << "memories[0].records[0] must be a text";
        QTest::newRow("live value of two lines")
            << with(R"(,"live":["a\nb"])") << "live[0] must be a single line";
        QTest::newRow("sonde not a flag")
            << with(R"(,"sondeService":"yes")") << "sondeService must be true or false";
        QTest::newRow("simulation not an object")
            << with(R"(,"simulation":5)") << "simulation must be an object";
        QTest::newRow("simulation with an unknown setting")
            << with(R"(,"simulation":{"latency":5})") << "unknown key \"simulation.latency\"";
        QTest::newRow("live interval of 0") << with(R"(,"simulation":{"liveIntervalMs":0})")
                                            << "simulation.liveIntervalMs must be a whole number";
        QTest::newRow("latency with a fraction")
            << with(R"(,"simulation":{"latencyMs":1.5})") << "simulation.latencyMs must be a whole number";
        QTest::newRow("negative silence")
            << with(R"(,"simulation":{"stopAnsweringAfter":-1})") << "simulation.stopAnsweringAfter must be";
        QTest::newRow("drop as text")
            << with(R"(,"simulation":{"dropLinkAfter":"3"})") << "simulation.dropLinkAfter must be";
    }

    // A profile's simulation object sets the transport's options one to one; what it leaves out, and a
    // profile without one, keeps the transport's: live values every second (the command-line tool, the
    // tests) or only when measured (the program's window).
    void simulationSettings_data() {
        QTest::addColumn<QByteArray>("simulation");
        QTest::addColumn<int>("baseLiveIntervalMs"); // -1: only when measured
        QTest::addColumn<int>("liveIntervalMs");     // -1: only when measured
        QTest::addColumn<int>("latencyMs");
        QTest::addColumn<int>("stopAnsweringAfter"); // -1: never
        QTest::addColumn<int>("dropLinkAfter");      // -1: never
        const QByteArray everySetting =
            R"(,"simulation":{"liveIntervalMs":10,"latencyMs":7,"stopAnsweringAfter":0,"dropLinkAfter":12})";
        QTest::newRow("none") << QByteArray() << 1000 << 1000 << 0 << -1 << -1;
        QTest::newRow("empty") << QByteArray(R"(,"simulation":{})") << 1000 << 1000 << 0 << -1 << -1;
        QTest::newRow("every setting") << everySetting << 1000 << 10 << 7 << 0 << 12;
        QTest::newRow("none, measured by hand") << QByteArray() << -1 << -1 << 0 << -1 << -1;
        QTest::newRow("latency only, measured by hand")
            << QByteArray(R"(,"simulation":{"latencyMs":7})") << -1 << -1 << 7 << -1 << -1;
        QTest::newRow("every setting, measured by hand") << everySetting << -1 << 10 << 7 << 0 << 12;
    }
    void simulationSettings() {
        QFETCH(QByteArray, simulation);
        QFETCH(int, baseLiveIntervalMs);
        const LoadedProfile loaded = parseGaugeProfile(
            R"({"name":"QY","address":"001122334455","info":"","battery":"","clock":"")" + simulation + '}',
            {});
        QVERIFY2(loaded.profile, qPrintable(loaded.error));
        SimulationOptions base;
        if (baseLiveIntervalMs < 0)
            base.liveIntervalMs = std::nullopt;
        // Counted from the gauge's connect: here the 101st operation of the transport.
        const SimulationOptions options = gaugeOptions(*loaded.profile, base, 100);
        QTEST(options.liveIntervalMs.value_or(-1), "liveIntervalMs");
        QTEST(options.latencyMs, "latencyMs");
        QFETCH(int, stopAnsweringAfter);
        QFETCH(int, dropLinkAfter);
        QCOMPARE(options.stopAnsweringAfter.value_or(-1),
                 stopAnsweringAfter < 0 ? -1 : 100 + stopAnsweringAfter);
        QCOMPARE(options.dropConnectionAfter.value_or(-1), dropLinkAfter < 0 ? -1 : 100 + dropLinkAfter);
    }
    void malformedProfiles() {
        QFETCH(QByteArray, json);
        QFETCH(QString, message);
        const LoadedProfile loaded = parseGaugeProfile(json, QStringLiteral("gauge.json"));
        QVERIFY(!loaded.profile);
        QVERIFY2(loaded.error.startsWith(QStringLiteral("gauge.json: ")), qPrintable(loaded.error));
        QVERIFY2(loaded.error.contains(message), qPrintable(loaded.error));
    }

    void textsAreSentAsUtf8AndAddressIsNormalised() {
        const LoadedProfile loaded = parseGaugeProfile(
            R"({"name":"QY","address":"aa:bb:cc:dd:ee:ff","info":"$vexa00U:µm!","battery":"","clock":""})",
            {});
        QVERIFY2(loaded.profile, qPrintable(loaded.error));
        QCOMPARE(loaded.profile->address, QStringLiteral("AABBCCDDEEFF"));
        QCOMPARE(loaded.profile->info, QByteArray("$vexa00U:\xC2\xB5m!"));
        QCOMPARE(loaded.profile->rssi, -60);
    }

    void unreadableFileNamesThePath() {
        const LoadedProfile loaded = loadGaugeProfile(QStringLiteral("/nonexistent/gauge.json"));
        QVERIFY(!loaded.profile);
        QVERIFY(loaded.error.startsWith(QStringLiteral("/nonexistent/gauge.json: cannot be read")));
    }
};

QTEST_GUILESS_MAIN(TestSimulatorProfiles)
#include "tst_simulator_profiles.moc"
