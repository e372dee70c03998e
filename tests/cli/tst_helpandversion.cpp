// --help and --version of both programs as a shell without a screen meets them (over ssh, or the build that
// makes the manual pages): answered on standard output with exit status 0, the version as GNU programs
// give it, and no window or gauge started on the way.
#include "CliProcess.h"

#include <QTest>

using vexa::Finished;

namespace {

const QString Gui = QStringLiteral(VEXA_GUI);
const QString Cli = QStringLiteral(VEXA_CLI);
const QString Profile = QStringLiteral(VEXA_SOURCE_DIR "/examples/gauges/qy-coating.json");

// The program with no display to connect to and a home of its own.
Finished runWithoutScreen(const QString& program, const QStringList& arguments) {
    const QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(30'000))
        qFatal("%s did not end", qPrintable(program));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace

class TestHelpAndVersion : public QObject {
    Q_OBJECT
private slots:
    void version_data();
    void version();
    void help_data();
    void help();
};

void TestHelpAndVersion::version_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray gui = "vexa-connect " VEXA_VERSION "\n";
    const QByteArray cli = "vexa-connect-cli " VEXA_VERSION "\n";
    QTest::newRow("program") << Gui << QStringList{"--version"} << gui;
    QTest::newRow("program, after a simulated gauge")
        << Gui << QStringList{"--simulate", Profile, "--version"} << gui;
    QTest::newRow("command-line tool") << Cli << QStringList{"--version"} << cli;
    QTest::newRow("command-line tool, before a command that scans")
        << Cli << QStringList{"--version", "--simulate", Profile, "scan"} << cli;
}

void TestHelpAndVersion::version() {
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    const Finished finished = runWithoutScreen(program, arguments);
    QCOMPARE(finished.err, QByteArray());
    QTEST(finished.out, "expected");
    QCOMPARE(finished.exitCode, 0);
}

void TestHelpAndVersion::help_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("options");

    QTest::newRow("program") << Gui << QStringList{"--help", "--version", "--simulate"};
    QTest::newRow("command-line tool")
        << Cli << QStringList{"--help", "--version", "--simulate", "--device", "--format"};
}

void TestHelpAndVersion::help() {
    QFETCH(QString, program);
    QFETCH(QStringList, options);
    const Finished finished = runWithoutScreen(program, {QStringLiteral("--help")});
    QCOMPARE(finished.err, QByteArray());
    QCOMPARE(finished.exitCode, 0);
    QVERIFY2(finished.out.startsWith("Usage: " + program.toUtf8()), finished.out.constData());
    for (const QString& option : options)
        QVERIFY2(finished.out.contains(option.toUtf8()), qPrintable(option));
}

QTEST_GUILESS_MAIN(TestHelpAndVersion)
#include "tst_helpandversion.moc"
