#pragma once

#include <QCommandLineParser>
#include <optional>

namespace vexa {

// The program's command line: simulated gauges instead of the adapter, the adapter, --help and --version.
struct ProgramOptions {
    QCommandLineParser parser;
    QCommandLineOption help = parser.addHelpOption();
    QCommandLineOption version{QStringLiteral("version"), QStringLiteral("Displays version information.")};
    QCommandLineOption simulate{
        QStringLiteral("simulate"),
        QStringLiteral("A simulated gauge advertises instead of the adapter (repeatable)."),
        QStringLiteral("PROFILE.json")};
    QCommandLineOption adapter{
        QStringLiteral("adapter"),
        QStringLiteral("Scan and connect through this Bluetooth adapter (default: the system's default)."),
        QStringLiteral("hciN|ADDRESS")};

    ProgramOptions();

    // The profiles --simulate names, those after it included.
    QStringList profiles() const;

    // --help or --version asked for: their text is printed on standard output.
    bool answers() const { return parser.isSet(help) || parser.isSet(version); }
    int printAnswer() const;
};

// The exit status once --help or --version is answered, without a screen: over ssh, or for the manual page
// the build makes. Nothing where the program is to run, or where Qt's own options (-platform ...), known
// only to QApplication, leave the answer to it.
std::optional<int> answerWithoutScreen(int argc, char* argv[]);

} // namespace vexa
