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

KeySender::Start refused(KeySender::Start::Refusal why) {
    return {0, why};
}

} // namespace

KeySender::Start startProgram(const QString& commandLine) {
    QStringList arguments = QProcess::splitCommand(commandLine);
    if (arguments.isEmpty())
        return refused(KeySender::Start::Refusal::NoProgram);
    const QString program = arguments.takeFirst();
    if (windowsPath(program))
        return refused(KeySender::Start::Refusal::WindowsPath);
    // A bare name is looked up on PATH, as a shell would; a name with a slash is taken as a path.
    const QString file =
        program.contains(QLatin1Char('/')) ? program : QStandardPaths::findExecutable(program);
    const QFileInfo info(file);
    if (file.isEmpty() || !info.exists())
        return refused(KeySender::Start::Refusal::NotFound);
    if (!info.isFile() || !info.isExecutable())
        return refused(KeySender::Start::Refusal::NotExecutable);
    qint64 pid = 0;
    if (!QProcess::startDetached(file, arguments, {}, &pid) || pid <= 0)
        return refused(KeySender::Start::Refusal::NotStarted);
    return {pid, KeySender::Start::Refusal::None};
}

} // namespace vexa
