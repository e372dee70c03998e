#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace vexa {

struct Finished {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs the command-line tool (VEXA_CLI) with `home` as its home, so that its settings and data folders
// are the test's, in `locale`; the rest of the environment (a BlueZ double's bus) is the test's.
inline Finished runCli(const QTemporaryDir& home, const QStringList& arguments, const QByteArray& locale) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(locale));
    environment.insert(QStringLiteral("LANG"), QString::fromLatin1(locale));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VEXA_CLI), arguments);
    if (!process.waitForFinished(60'000))
        qFatal("vexa-connect-cli did not end");
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace vexa
