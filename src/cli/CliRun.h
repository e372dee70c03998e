#pragma once

#include "cli/CliOutput.h"
#include "cli/CliRequest.h"
#include "data/MeasurementSheet.h"
#include "files/DataFolders.h"
#include "files/SettingsFiles.h"
#include "files/TransferLog.h"
#include "files/TransferLogEvents.h"
#include "gauge/Gauge.h"

#include <QByteArray>
#include <QString>
#include <chrono>
#include <functional>
#include <optional>
#include <qcoro/qcorotask.h>
#include <vector>

namespace vexa {
class Transport;
} // namespace vexa

namespace vexa::cli {

// One command of the tool, run on the gauge layer and the measurement sheet, as the program's windows run
// them. Results go to standard output; a failure ends the run with one line on standard error. Messages
// the windows would show in a box are collected: a failure quotes the last one, a successful run prints
// them as notes.
class CliRun {
public:
    // How long `scan` lists the gauges that advertise.
    static constexpr std::chrono::milliseconds ScanListingTime{5000};
    // How long a connecting command waits for its gauge to be listed.
    static constexpr std::chrono::milliseconds DeviceSearchDeadline{10000};
    // Readings come when the inspector measures: the wait for the next one is generous.
    static constexpr std::chrono::milliseconds OnlineReadingDeadline{60000};

    CliRun(CliRequest request, Transport& transport, const ProgramFolders& folders);

    // The command; the gauge is disconnected at the end. Returns the exit status.
    QCoro::Task<int> run();

private:
    struct ScanResult {
        QList<Advertisement> listed; // the gauges as the scan listed them
        int match = -1;              // the first entry containing the wanted text; -1: none
        bool failed = false;         // the transport could not scan (no adapter, Bluetooth off)
    };

    QCoro::Task<int> scan();
    QCoro::Task<int> memories();
    QCoro::Task<int> download();
    QCoro::Task<int> online();
    QCoro::Task<int> evaluate();
    QCoro::Task<int> clock();
    QCoro::Task<int> setClock();
    QCoro::Task<int> info();

    // Scans until an entry containing `wanted` (any case) is listed or `deadline` has passed; without
    // `wanted` until the deadline. The scan is stopped either way.
    QCoro::Task<ScanResult> scanGauges(std::optional<QString> wanted, std::chrono::milliseconds deadline);
    // Scan, connect, the gauge's identity, settings and memory list, then the language and limits asked for.
    QCoro::Task<bool> connectGauge();
    QCoro::Task<std::optional<SheetContent>> downloadMemoryFile(QString entry);
    QCoro::Task<std::optional<SheetContent>> downloadProbeMemory(QString entry);
    // Connects and reads the memory the request names; nothing when the run failed.
    QCoro::Task<std::optional<MeasurementSheet>> downloadSheet();
    // Connects and waits for the request's count of online rows; `arrived` is told of the rows
    // [from, to) as they come. Returns the exit status.
    QCoro::Task<int> takeOnlineRows(std::function<void(size_t from, size_t to)> arrived);

    // A request that got no result: the link lost, or the gauge silent.
    void failRequest(GaugeError error);
    void readSettings(QStringView action);
    // Program.ini's gauge connected last becomes this one.
    void rememberGauge();
    // `sheet` with the project data read anew, as the window's reports take it.
    MeasurementSheet reportSheet(MeasurementSheet sheet);
    SheetContent sheetContent() const;
    // The memory-list entries, as the main window lists them.
    QStringList memoryEntries() const;
    // The entry the request names; empty when there is none.
    QString memoryEntry() const;
    void takeLiveReading(const LiveReading& reading);
    // An online row as a line of the format asked for, with the gauge's bytes as they came.
    QByteArray onlineLine(const MeasurementRow& row, QChar separator, const MeasureContext& context) const;
    // The online view's sheet of the first `count` online rows.
    MeasurementSheet onlineSheet(size_t count) const;
    // The online rows asked for, into the file -o names, or as a workbook or document; the line that says
    // why not.
    std::optional<QString> writeOnlineResult();

    void show(const QString& message);
    void tell(const QString& message);
    // Ends the command: `text` and, when a message was shown meanwhile, the last one.
    int fail(const QString& text, ExitStatus status = Failure);
    // Messages shown since the last call, each on one line.
    QStringList takeMessages();

    CliRequest request_;
    ProgramFolders folders_;
    TransferLog log_;
    TransferLogEvents events_;
    SettingsFiles settingsFiles_;
    SettingsState settings_;
    Gauge gauge_;
    int languageIndex_ = 0;
    QChar decimalSeparator_;
    GaugeMemories memories_;
    std::vector<MeasurementRow> onlineRows_;
    int onlineCounter_ = 1;
    bool onlineFullSaid_ = false;
    QStringList messages_;
    QStringList notes_;
    qsizetype messagesTaken_ = 0;
};

} // namespace vexa::cli
