#include "files/TransferLog.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace vexa {

TransferLog::TransferLog(const QString& folder)
    : filePath_(QDir(folder).filePath(QStringLiteral("Vexa ConnectTransferLog.txt"))) {}

void TransferLog::DeleteLog() {
    QFile file(filePath_);
    (void)file.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

void TransferLog::WriteLog(const QString& logText) {
    QFile file(filePath_);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append))
        file.write(logText.toUtf8() + "\r\n");
}

QStringList TransferLog::lines() const {
    QFile file(filePath_);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines =
        QString::fromUtf8(file.readAll()).split(QRegularExpression(QStringLiteral("\\r?\\n")));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace vexa
