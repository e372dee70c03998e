#pragma once

#include "files/TransferLog.h"
#include "gauge/GaugeEvents.h"

#include <QString>

namespace vexa {

// The folders the transfer log names when a gauge is identified.
struct ProgramFolders {
    QString programFolder;
    QString appDataPath;
    QString messDataPath;
};

// Writes the gauge layer's events as the transfer log's lines. Until a log is given, events are dropped.
class TransferLogEvents final : public GaugeEvents {
public:
    void setLog(TransferLog* log, const ProgramFolders& folders) {
        log_ = log;
        folders_ = folders;
    }

    void scanRequested() override;
    void scanStarting() override;
    void scanStarted() override;
    void scanFailed(int code, const QString& description) override;
    void gaugeIdentified() override;
    void reconnecting(ReconnectStep step) override;
    void liveValuesNotSwitched(bool on, GaugeError error) override;
    void memoryNotDecoded(const QString& text) override;
    void recordDateInvalid() override;
    void probeMemoryDone(bool liveValuesOn) override;

private:
    void write(const QString& line);

    TransferLog* log_ = nullptr;
    ProgramFolders folders_;
};

} // namespace vexa
