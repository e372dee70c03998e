#pragma once

#include "cli/CliRequest.h"
#include "window/GaugeSession.h"

#include <QByteArray>
#include <QString>
#include <chrono>
#include <qcoro/qcorotask.h>

namespace vexa {
class MainModel;
class ScriptedPrompt;
class Transport;
} // namespace vexa

namespace vexa::cli {

enum ExitStatus { Success = 0, Failure = 1, UsageError = 2 };

// One command of the tool, run over the same session, link window and main-window logic as the program's
// windows. Results go to standard output; a failure ends the run with one line on standard error.
class CliRun {
public:
    // How long `scan` lists the gauges that advertise.
    static constexpr std::chrono::milliseconds ScanListingTime{5000};
    // How long a connecting command waits for its gauge to be listed.
    static constexpr std::chrono::milliseconds DeviceSearchDeadline{10000};
    // Readings come when the inspector measures: the wait for the next one is generous.
    static constexpr std::chrono::milliseconds OnlineReadingDeadline{60000};

    CliRun(CliRequest request, Transport& transport, MainModel& main, ScriptedPrompt& prompt);

    // The command; the gauge is disconnected at the end. Returns the exit status.
    QCoro::Task<int> run();

private:
    QCoro::Task<int> scan();
    QCoro::Task<int> memories();
    QCoro::Task<int> download();
    QCoro::Task<int> online();

    // Scan, connect, the gauge's initialisation and memory list, then the language and limits asked for.
    QCoro::Task<bool> connectGauge();
    // False when the limits dialog refuses one of the texts.
    bool applyLimits(const LimitsDisplay& limits);

    // The entry of the memory list the request names; empty when there is none.
    QString memoryEntry() const;
    bool writeResult(const QByteArray& bytes);
    // Ends the command: `text` and, when the program showed a message meanwhile, that message.
    int fail(const QString& text, ExitStatus status = Failure);
    // Messages the program showed since the last call, each on one line.
    QStringList takeMessages();

    CliRequest request_;
    MainModel& main_;
    ScriptedPrompt& prompt_;
    GaugeSession session_;
    qsizetype messagesTaken_ = 0;
    bool notAnswering_ = false;
};

} // namespace vexa::cli
