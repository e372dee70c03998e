#pragma once

#include <QString>
#include <QStringList>

namespace vexa {

// The diagnostic log of the current run, "Vexa ConnectTransferLog.txt" in the settings folder. Every
// call opens, writes and closes the file, so the log is complete even if the program is killed; a log
// that cannot be written loses the entry and nothing else happens.
class TransferLog {
public:
    explicit TransferLog(const QString& folder);

    // Empties the log; called once at start-up.
    void DeleteLog();

    // Appends `logText` (UTF-8) as one line ended by CR LF; line ends inside it are kept.
    void WriteLog(const QString& logText);

    // The log's lines as written (an entry with line ends of its own gives several); none when it cannot
    // be read.
    QStringList lines() const;

    const QString& filePath() const { return filePath_; }

private:
    QString filePath_;
};

} // namespace vexa
