// vexa-connect-cli evaluate and download --rule on the bundled demo gauges: every rule as text and JSON,
// a memory, live readings and a measurement file, the verdict beside download's JSON, and the errors.
#include "cli/DemoCli.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace vexa;

namespace {

QByteArray lines(std::initializer_list<const char*> texts) {
    QByteArray joined;
    for (const char* text : texts)
        joined += QByteArray(text) + '\n';
    return joined;
}

} // namespace

class TestCliEvaluate : public QObject {
    Q_OBJECT
private slots:
    void evaluate_data();
    void evaluate();
    void downloadAddsOnlyTheInspection_data();
    void downloadAddsOnlyTheInspection();
    void fileWrittenByDownload_data();
    void fileWrittenByDownload();
    void errors_data();
    void errors();
};

void TestCliEvaluate::evaluate_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("locale");
    QTest::addColumn<QByteArray>("expected");

    const QStringList qy = simulate({"qy-coating.json"});
    const QStringList ze = simulate({"ze-probe-memory.json"});
    const QStringList vims = simulate({"vims-field.json"});
    const QStringList iso130{"--rule", "iso19840", "--param", "ndft=130"};
    QTest::newRow("ISO 19840 on a memory of one material, English")
        << qy + QStringList{"--lang", "en", "evaluate", "m001"} + iso130 << English
        << lines({"ISO 19840 – FE: FAILED (25 readings in µm)",
                  "Parameters: ndft 130 µm, max 390 µm, correction 0.0 µm",
                  "(a) FAIL: mean 122.76 µm of 25 readings, at least NDFT = 130 µm",
                  "(b) PASS: 0 of 25 readings below 80 % NDFT = 104 µm (min 104 µm)",
                  "(c) FAIL: 16 of 25 readings from 80 % NDFT = 104 µm to below NDFT = 130 µm, at most 5 "
                  "allowed; "
                  "rows 1, 5, 6, 7, 8, 9, 10, 14, 15, 16 … and 6 more",
                  "(d) PASS: 0 of 25 readings above max = 390 µm (max 141 µm)"});
    QTest::newRow("ISO 19840 as JSON: every failing row")
        << qy + QStringList{"evaluate", "m001", "--format", "json"} + iso130 << English
        << lines(
               {R"j([{"material":"FE","rule":"iso19840","unit":"µm","parameters":{"ndft":130,"max":390,"correction":0},)j"
                R"j("verdict":"failed","readings":25,"criteria":[{"id":"(a)","passed":false,"kind":"meanAtLeast",)j"
                R"j("limit":130,"mean":122.76,"lowest":104,"highest":141,"count":0,"outOf":25,"failingRows":[]},)j"
                R"j({"id":"(b)","passed":true,"kind":"noneBelow","limit":104,"lowest":104,"highest":141,"count":0,)j"
                R"j("outOf":25,"failingRows":[]},{"id":"(c)","passed":false,"kind":"bandShareAtMost","limit":104,)j"
                R"j("upperLimit":130,"lowest":104,"highest":141,"count":16,"outOf":25,"allowed":5,)j"
                R"j("failingRows":[1,5,6,7,8,9,10,14,15,16,17,18,19,23,24,25]},{"id":"(d)","passed":true,)j"
                R"j("kind":"noneAbove","limit":390,"lowest":104,"highest":141,"count":0,"outOf":25,)j"
                R"j("failingRows":[]}],"notes":[],"groups":[]}])j"});
    QTest::newRow("IMO PSPC 90/10 on a probe memory, German")
        << ze + QStringList{"evaluate", "1", "--rule", "pspc9010", "--param", "ndft=85"} << German
        << lines({"IMO PSPC 90/10 – FE: NICHT BESTANDEN (7 Messwerte in µm)", "Parameter: ndft 85,0 µm",
                  "(a) VERFEHLT: 2 von 7 Messwerten unter NDFT = 85,0 µm, höchstens 0 erlaubt; Zeilen 6, 7",
                  "(b) ERFÜLLT: 0 von 7 Messwerten unter 90 % NDFT = 76,5 µm (min 78,9 µm)"});
    // A memory named with "s" counts both materials together, as its statistics do.
    const QStringList sspc{"--rule",  "sspc-pa2", "--param", "unit=µm", "--param", "min=100",
                           "--param", "max=140",  "--param", "spots=2", "--param", "spot-readings=2"};
    QTest::newRow("SSPC-PA 2 with spots, areas and one left over, English")
        << qy + QStringList{"--lang", "en", "evaluate", "s002"} + sspc << English
        << lines(
               {"SSPC-PA 2: FAILED (10 readings in µm)",
                "Parameters: min 100 µm, max 140 µm, spot-readings 2, spots 2, level 3",
                "(a) PASS: 0 of 5 spots outside 80.0 µm to 168 µm (spot means 90.80 µm to 99.25 µm)",
                "(b) FAIL: 2 of 2 areas outside 100 µm to 140 µm (area means 96.55 µm to 96.58 µm); rows 1, "
                "2, 3, "
                "4, 5, 6, 7, 8",
                "Spot 1, rows 1–2: mean 98.00 µm, within", "Spot 2, rows 3–4: mean 95.10 µm, within",
                "Spot 3, rows 5–6: mean 93.90 µm, within", "Spot 4, rows 7–8: mean 99.25 µm, within",
                "Spot 5, rows 9–10: mean 90.80 µm, within", "Area 1, rows 1–4: mean 96.55 µm, outside",
                "Area 2, rows 5–8: mean 96.58 µm, outside",
                "Area 3, rows 9–10: mean 90.80 µm, incomplete, not judged",
                "Note: the last spot makes no whole area, its mean is not judged"});
    QTest::newRow("SSPC-PA 2 as JSON: the groups and the note")
        << qy + QStringList{"evaluate", "s002", "--format", "json"} + sspc << English
        << lines(
               {R"j([{"rule":"sspc-pa2","unit":"µm","parameters":{"min":100,"max":140,"spot-readings":2,"spots":2,)j"
                R"j("level":3},"verdict":"failed","readings":10,"criteria":[{"id":"(a)","passed":true,)j"
                R"j("kind":"spotsWithinLimits","limit":80,"upperLimit":168,"lowest":90.8,"highest":99.25,"count":0,)j"
                R"j("outOf":5,"failingRows":[]},{"id":"(b)","passed":false,"kind":"areasWithinLimits","limit":100,)j"
                R"j("upperLimit":140,"lowest":96.55,"highest":96.575,"count":2,"outOf":2,)j"
                R"j("failingRows":[1,2,3,4,5,6,7,8]}],"notes":[{"kind":"incompleteArea","value":1}],)j"
                R"j("groups":[{"criterion":"(a)","number":1,"rows":[1,2],"members":2,"mean":98,"complete":true,)j"
                R"j("withinLimits":true},{"criterion":"(a)","number":2,"rows":[3,4],"members":2,"mean":95.1,)j"
                R"j("complete":true,"withinLimits":true},{"criterion":"(a)","number":3,"rows":[5,6],"members":2,)j"
                R"j("mean":93.9,"complete":true,"withinLimits":true},{"criterion":"(a)","number":4,"rows":[7,8],)j"
                R"j("members":2,"mean":99.25,"complete":true,"withinLimits":true},{"criterion":"(a)","number":5,)j"
                R"j("rows":[9,10],"members":2,"mean":90.8,"complete":true,"withinLimits":true},{"criterion":"(b)",)j"
                R"j("number":1,"rows":[1,2,3,4],"members":2,"mean":96.55,"complete":true,"withinLimits":false},)j"
                R"j({"criterion":"(b)","number":2,"rows":[5,6,7,8],"members":2,"mean":96.575,"complete":true,)j"
                R"j("withinLimits":false},{"criterion":"(b)","number":3,"rows":[9,10],"members":1,"mean":90.8,)j"
                R"j("complete":false,"withinLimits":true}]}])j"});
    QTest::newRow("residual magnetism in gauss, a process's maximum, English")
        << vims + QStringList{"--lang", "en",      "evaluate",          "m001",    "--rule",
                              "weld",   "--param", "max=electron-beam", "--param", "unit=G"}
        << English
        << lines({"Residual magnetism before welding: FAILED (8 readings in G)", "Parameters: max 2.500 G",
                  "(a) FAIL: 8 of 8 readings above max = 2.500 G (max 118.410 G); rows 1, 2, 3, 4, 5, 6, 7, "
                  "8"});
    QTest::newRow("residual magnetism as JSON")
        << vims + QStringList{"evaluate", "m001", "--rule", "weld", "--param", "max=15", "--format", "json"}
        << English
        << lines({R"j([{"rule":"weld","unit":"mT","parameters":{"max":15},"verdict":"passed","readings":8,)j"
                  R"j("criteria":[{"id":"(a)","passed":true,"kind":"noneAbove","limit":15,"lowest":8.722,)j"
                  R"j("highest":11.841,"count":0,"outOf":8,"failingRows":[]}],"notes":[],"groups":[]}])j"});
    QTest::newRow("live readings of two materials: progress of each, then each verdict")
        << ze + QStringList{"--lang", "en",       "evaluate", "--online", "3",
                            "--rule", "iso19840", "--param",  "ndft=95"}
        << English
        << lines({"FE: 1 reading; 1 below NDFT; (c) fails already",
                  "NFE: 1 reading; 0 below NDFT; one more low reading fails (c)",
                  "FE: 2 readings; 2 below NDFT; (c) fails already",
                  "ISO 19840 – FE: FAILED (2 readings in µm)",
                  "Parameters: ndft 95.0 µm, max 285 µm, correction 0.0 µm",
                  "(a) FAIL: mean 91.85 µm of 2 readings, at least NDFT = 95.0 µm",
                  "(b) PASS: 0 of 2 readings below 80 % NDFT = 76.0 µm (min 91.7 µm)",
                  "(c) FAIL: 2 of 2 readings from 80 % NDFT = 76.0 µm to below NDFT = 95.0 µm, at most 0 "
                  "allowed; "
                  "rows 1, 3",
                  "(d) PASS: 0 of 2 readings above max = 285 µm (max 92.0 µm)", "",
                  "ISO 19840 – NFE: PASSED (1 reading in µm)",
                  "Parameters: ndft 95.0 µm, max 285 µm, correction 0.0 µm",
                  "(a) PASS: mean 97.50 µm of 1 reading, at least NDFT = 95.0 µm",
                  "(b) PASS: 0 of 1 reading below 80 % NDFT = 76.0 µm (min 97.5 µm)",
                  "(c) PASS: 0 of 1 reading from 80 % NDFT = 76.0 µm to below NDFT = 95.0 µm, at most 0 "
                  "allowed",
                  "(d) PASS: 0 of 1 reading above max = 285 µm (max 97.5 µm)"});
    QTest::newRow("live readings as JSON: no progress lines")
        << ze + QStringList{"evaluate", "--online", "2", "--rule", "pspc9010", "--format", "json"} << English
        << lines(
               {R"j([{"material":"FE","rule":"pspc9010","unit":"µm","parameters":{"ndft":320},"verdict":"failed",)j"
                R"j("readings":1,"criteria":[{"id":"(a)","passed":false,"kind":"shareBelowAtMost","limit":320,)j"
                R"j("lowest":92,"highest":92,"count":1,"outOf":1,"allowed":0,"failingRows":[1]},{"id":"(b)",)j"
                R"j("passed":false,"kind":"noneBelow","limit":288,"lowest":92,"highest":92,"count":1,"outOf":1,)j"
                R"j("failingRows":[1]}],"notes":[],"groups":[]},{"material":"NFE","rule":"pspc9010","unit":"µm",)j"
                R"j("parameters":{"ndft":320},"verdict":"failed","readings":1,"criteria":[{"id":"(a)",)j"
                R"j("passed":false,"kind":"shareBelowAtMost","limit":320,"lowest":97.5,"highest":97.5,"count":1,)j"
                R"j("outOf":1,"allowed":0,"failingRows":[2]},{"id":"(b)","passed":false,"kind":"noneBelow",)j"
                R"j("limit":288,"lowest":97.5,"highest":97.5,"count":1,"outOf":1,"failingRows":[2]}],"notes":[],)j"
                R"j("groups":[]}])j"});
}

void TestCliEvaluate::evaluate() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, locale);
    Cli cli;
    const Finished finished = cli.run(arguments, locale);
    QCOMPARE(finished.err, QByteArray());
    QCOMPARE(finished.exitCode, 0);
    QTEST(finished.out, "expected");
}

void TestCliEvaluate::downloadAddsOnlyTheInspection_data() {
    QTest::addColumn<QStringList>("download");
    QTest::addColumn<QStringList>("rule");

    QTest::newRow("file memory") << simulate({"qy-coating.json"}) + QStringList{"download", "m001"}
                                 << QStringList{"--rule", "iso19840", "--param", "ndft=130"};
    QTest::newRow("probe memory, German") << simulate({"ze-probe-memory.json"}) + QStringList{"download", "1"}
                                          << QStringList{"--rule", "pspc9010", "--param", "ndft=85"};
}

void TestCliEvaluate::downloadAddsOnlyTheInspection() {
    QFETCH(QStringList, download);
    QFETCH(QStringList, rule);
    Cli cli;
    const Finished plain = cli.run(download);
    const Finished judged = cli.run(download + rule);
    const Finished evaluated = cli.run(QStringList(download).replaceInStrings("download", "evaluate") + rule +
                                       QStringList{"--format", "json"});
    QCOMPARE(judged.exitCode, 0);
    QVERIFY(plain.out.endsWith("}\n"));
    // Every member of the plain download as it was, to the byte, and the verdict after them.
    const QByteArray members = plain.out.chopped(2);
    QCOMPARE(judged.out.left(members.size()), members);
    QCOMPARE(judged.out.mid(members.size()), ",\"inspection\":" + evaluated.out.chopped(1) + "}\n");
    QVERIFY(QJsonDocument::fromJson(judged.out).isObject());
}

void TestCliEvaluate::fileWrittenByDownload_data() {
    QTest::addColumn<QStringList>("format");
    QTest::newRow("text") << QStringList{};
    QTest::newRow("JSON") << QStringList{"--format", "json"};
}

void TestCliEvaluate::fileWrittenByDownload() {
    QFETCH(QStringList, format);
    Cli cli;
    const QString file = cli.home.filePath(QStringLiteral("m001.mes"));
    const QStringList qy = simulate({"qy-coating.json"});
    QCOMPARE(cli.run(qy + QStringList{"download", "m001", "--format", "mes", "-o", file}).exitCode, 0);
    const QStringList rule{"--rule", "iso19840", "--param", "ndft=130"};
    const Finished fromGauge = cli.run(qy + QStringList{"evaluate", "m001"} + rule + format);
    // Read as the gauge's model reads it, the file gives the same readings, each material on its own.
    const Finished fromFile =
        cli.run(QStringList{"evaluate", "--file", file, "--model", "QY"} + rule + format);
    QCOMPARE(fromFile.err, QByteArray());
    QCOMPARE(fromFile.exitCode, 0);
    QCOMPARE(fromFile.out, fromGauge.out);
}

void TestCliEvaluate::errors_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("error");

    const QStringList qy = simulate({"qy-coating.json"});
    const QStringList iso{"--rule", "iso19840", "--param", "ndft=100"};
    const auto usage = [](const char* line) { return "vexa-connect-cli: " + QByteArray(line) + '\n'; };
    QTest::newRow("unknown rule") << qy + QStringList{"evaluate", "m001", "--rule", "iso"} << 2
                                  << usage("--rule takes iso19840, pspc9010, sspc-pa2, weld, not \"iso\"");
    QTest::newRow("no rule") << qy + QStringList{"evaluate", "m001"} << 2
                             << usage("evaluate needs --rule iso19840, pspc9010, sspc-pa2 or weld");
    QTest::newRow("unknown parameter and a bad value, on one line")
        << qy + QStringList{"evaluate", "m001",    "--rule", "iso19840", "--param",
                            "ndft=100", "--param", "foo=1",  "--param",  "correction=rough"}
        << 2
        << usage("--param: iso19840 has no parameter \"foo\" (it has ndft, max, correction, area, unit); "
                 "correction "
                 "takes a number or one of none, fine, medium, coarse, not \"rough\"");
    QTest::newRow("missing parameter") << qy + QStringList{"evaluate", "m001", "--rule", "iso19840"} << 2
                                       << usage("--param: iso19840 needs --param ndft=VALUE");
    QTest::newRow("no NAME=VALUE") << qy + QStringList{"evaluate", "m001", "--rule", "weld", "--param", "20"}
                                   << 2 << usage("--param: --param takes NAME=VALUE, not \"20\"");
    QTest::newRow("not a whole number")
        << qy + QStringList{"evaluate", "m001",    "--rule", "sspc-pa2", "--param",
                            "min=4",    "--param", "max=6",  "--param",  "spots=2.5"}
        << 2 << usage("--param: spots takes a whole number, not \"2.5\"");
    QTest::newRow("maximum below the nominal thickness")
        << qy + QStringList{"evaluate", "m001",     "--rule",  "iso19840",
                            "--param",  "ndft=100", "--param", "max=90"}
        << 2 << usage("--param: ndft is above max");
    QTest::newRow("unit the rule is not stated in")
        << qy + QStringList{"evaluate", "m001", "--rule", "weld", "--param", "unit=µm"} << 2
        << usage("--param: unit takes mT, G, A/cm, kA/m, A/m, not \"µm\"");
    QTest::newRow("--param without --rule")
        << qy + QStringList{"download", "m001", "--param", "ndft=1"} << 2 << usage("--param is for --rule");
    QTest::newRow("--rule for another command")
        << qy + QStringList{"memories"} + iso << 2 << usage("--rule is for evaluate and download");
    QTest::newRow("--rule beside a download as csv")
        << qy + QStringList{"download", "m001", "--format", "csv"} + iso << 2
        << usage("--rule adds the verdict to download's JSON: not with --format csv");
    QTest::newRow("a memory and live readings") << qy + QStringList{"evaluate", "m001", "--online", "3"} + iso
                                                << 2 << usage("unexpected argument \"m001\"");
    QTest::newRow("live readings and a file")
        << QStringList{"evaluate", "--online", "3", "--file", "a.mes"} + iso << 2
        << usage("evaluate reads a memory, --online N or --file FILE.mes: one "
                 "of them");
    QTest::newRow("nothing to evaluate")
        << qy + QStringList{"evaluate"} + iso << 2
        << usage("evaluate needs the memory to read, --online N or --file FILE.mes");
    QTest::newRow("no live readings") << qy + QStringList{"evaluate", "--online", "0"} + iso << 2
                                      << usage("evaluate needs --online N with N from 1 to 5000");
    QTest::newRow("--online for another command")
        << qy + QStringList{"online", "--online", "3"} << 2 << usage("--online and --file are for evaluate");
    QTest::newRow("a format evaluate does not write")
        << qy + QStringList{"evaluate", "m001", "--format", "csv"} + iso << 2
        << usage("--format takes json for evaluate, not \"csv\"");
    QTest::newRow("a file with a gauge")
        << qy + QStringList{"evaluate", "--file", "a.mes"} + iso << 2
        << usage("a file is read without a gauge: --simulate and --device are for "
                 "the other commands");
    QTest::newRow("readings the rule cannot state in its unit")
        << simulate({"vims-field.json"}) + QStringList{"evaluate", "m001"} + iso << 1
        << usage("row 1 is in mT, which iso19840 cannot judge in µm");
    QTest::newRow("live readings in another unit")
        << simulate({"ze-probe-memory.json"}) + QStringList{"evaluate", "--online", "1", "--rule", "weld"}
        << 1 << usage("row 1 is in µm, which weld cannot judge in mT");
    QTest::newRow("a file that is not there")
        << QStringList{"evaluate", "--file", "/nonexistent/a.mes"} + iso << 1
        << usage("cannot read /nonexistent/a.mes: No such file or directory");
    QTest::newRow("no such memory") << qy + QStringList{"evaluate", "m009"} + iso << 1
                                    << usage("no memory \"m009\" on the gauge");
}

void TestCliEvaluate::errors() {
    QFETCH(QStringList, arguments);
    Cli cli;
    const Finished finished = cli.run(arguments);
    QTEST(finished.exitCode, "exitCode");
    QTEST(finished.err, "error");
    QCOMPARE(finished.out, QByteArray());
}

QTEST_GUILESS_MAIN(TestCliEvaluate)
#include "tst_cli_evaluate.moc"
