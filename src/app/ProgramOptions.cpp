#include "app/ProgramOptions.h"

#include "texts/Program.h"

#include <QCoreApplication>
#include <cstdio>

namespace vexa {

ProgramOptions::ProgramOptions() {
    parser.setApplicationDescription(
        QStringLiteral("Measurement data from handheld gauges over Bluetooth LE."));
    parser.addOptions({version, simulate, adapter});
    parser.addPositionalArgument(QStringLiteral("profiles"), QStringLiteral("More profiles for --simulate."));
}

QStringList ProgramOptions::profiles() const {
    return parser.values(simulate) + (parser.isSet(simulate) ? parser.positionalArguments() : QStringList());
}

int ProgramOptions::printAnswer() const {
    const QString text = parser.isSet(help)
                             ? parser.helpText()
                             : QStringLiteral("vexa-connect ") + ProgramVersionNumber + QLatin1Char('\n');
    std::fputs(text.toUtf8().constData(), stdout);
    return 0;
}

std::optional<int> answerWithoutScreen(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    ProgramOptions options;
    if (!options.parser.parse(arguments) || !options.answers())
        return std::nullopt;
    const QCoreApplication named(argc, argv); // the help text names the program as it was started
    return options.printAnswer();
}

} // namespace vexa
