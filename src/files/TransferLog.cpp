#include "files/TransferLog.h"

#include <QDir>
#include <QFile>

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

} // namespace vexa
