#pragma once

// The command-line tool on the bundled demo gauges, in a home of its own. Needs VEXA_CLI and
// VEXA_SOURCE_DIR.
#include "CliProcess.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <initializer_list>

namespace vexa {

inline QString demo(const char* file) {
    return QStringLiteral(VEXA_SOURCE_DIR "/examples/gauges/") + QLatin1String(file);
}

// --simulate for each demo gauge named.
inline QStringList simulate(std::initializer_list<const char*> files) {
    QStringList arguments;
    for (const char* file : files)
        arguments << QStringLiteral("--simulate") << demo(file);
    return arguments;
}

inline const QByteArray English = "C.UTF-8";
inline const QByteArray German = "de_DE.UTF-8";

// The executable in a home of its own, so its settings and data folders start empty.
struct Cli {
    QTemporaryDir home;

    Finished run(const QStringList& arguments, const QByteArray& locale = English) {
        return runCli(home, arguments, locale);
    }
};

} // namespace vexa
