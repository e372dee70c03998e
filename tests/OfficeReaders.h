#pragma once

// What a spreadsheet reader finds in a workbook: the system's Python (where Debian's openpyxl lives, not
// an interpreter found earlier on PATH) runs tests/store/read_workbook.py. Needs VEXA_SOURCE_DIR.
#include <QDebug>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace vexa {

struct WorkbookRead {
    bool finished = false;
    int exitCode = -1;
    QJsonObject found; // see read_workbook.py
};

inline WorkbookRead readWorkbook(const QString& path) {
    QProcess reader;
    reader.start(QStringLiteral("sh"),
                 {QStringLiteral("-c"), QStringLiteral("command -p python3 \"$0\" \"$1\""),
                  QStringLiteral(VEXA_SOURCE_DIR "/tests/store/read_workbook.py"), path});
    WorkbookRead read;
    read.finished = reader.waitForFinished(60000);
    read.exitCode = reader.exitCode();
    if (!read.finished || read.exitCode != 0)
        qWarning().noquote() << reader.readAllStandardError();
    read.found = QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
    return read;
}

} // namespace vexa
