#pragma once

// What poppler's tools (and fontconfig's) print, for the tests that read back what the program drew.
#include <QProcess>
#include <QString>
#include <QStringList>

namespace vexa::fixture {

// The standard output of `tool` run with `arguments`; empty when it does not run or fails.
inline QByteArray toolOutput(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60'000) || process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

} // namespace vexa::fixture
