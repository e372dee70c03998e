#include "widgets/ProgramStart.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace vexa {

namespace {

bool windowsPath(const QString& program) {
    static const QRegularExpression drive(QStringLiteral(R"(^[A-Za-z]:[\\/])"));
    return drive.match(program).hasMatch() || program.startsWith(QLatin1String("\\\\"));
}

KeySender::Start refused(const char* why, const QString& program) {
    return {0, QLatin1String(why) + program};
}

} // namespace

KeySender::Start startProgram(const QString& commandLine) {
    QStringList arguments = QProcess::splitCommand(commandLine);
    if (arguments.isEmpty())
        return refused("no program", {});
    const QString program = arguments.takeFirst();
    if (windowsPath(program))
        return refused("Windows path: ", program);
    // A bare name is looked up on PATH, as a shell would; a name with a slash is taken as a path.
    const QString file =
        program.contains(QLatin1Char('/')) ? program : QStandardPaths::findExecutable(program);
    const QFileInfo info(file);
    if (file.isEmpty() || !info.exists())
        return refused("not found: ", program);
    if (!info.isFile() || !info.isExecutable())
        return refused("not executable: ", program);
    qint64 pid = 0;
    if (!QProcess::startDetached(file, arguments, {}, &pid) || pid <= 0)
        return refused("cannot start: ", program);
    return {pid, {}};
}

} // namespace vexa
