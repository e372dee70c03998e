#pragma once

// What a reader of office files finds in one: the system's Python (where Debian's openpyxl and python-docx
// live, not an interpreter found earlier on PATH) runs a script of tests/store. Needs VEXA_SOURCE_DIR.
#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>

namespace vexa {

struct OfficeRead {
    bool finished = false;
    int exitCode = -1;
    QJsonObject found; // see the script

    // The texts of the list `key` names in what was found; "<unreadable>" alone when the script failed.
    QStringList texts(const QString& key) const {
        if (!finished || exitCode != 0)
            return {QStringLiteral("<unreadable>")};
        QStringList list;
        for (const QJsonValue& text : found[key].toArray())
            list << text.toString();
        return list;
    }
};

inline OfficeRead readWithScript(const QString& script, const QString& path) {
    QProcess reader;
    reader.start(QStringLiteral("sh"),
                 {QStringLiteral("-c"), QStringLiteral("command -p python3 \"$0\" \"$1\""),
                  QStringLiteral(VEXA_SOURCE_DIR "/tests/store/") + script, path});
    OfficeRead read;
    read.finished = reader.waitForFinished(60000);
    read.exitCode = reader.exitCode();
    if (!read.finished || read.exitCode != 0)
        qWarning().noquote() << reader.readAllStandardError();
    read.found = QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
    return read;
}

// A workbook as openpyxl finds it: see read_workbook.py.
inline OfficeRead readWorkbook(const QString& path) {
    return readWithScript(QStringLiteral("read_workbook.py"), path);
}

// A Word document as python-docx finds it: see read_docx.py.
inline OfficeRead readDocx(const QString& path) {
    return readWithScript(QStringLiteral("read_docx.py"), path);
}

} // namespace vexa
