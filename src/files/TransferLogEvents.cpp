#include "files/TransferLogEvents.h"

#include "data/LocaleTexts.h"

#include <QDateTime>

namespace vexa {

void TransferLogEvents::write(const QString& line) {
    if (log_)
        log_->WriteLog(line);
}

void TransferLogEvents::scanRequested() {
    write(QStringLiteral("Bluetooth SCAN ") + dateTimeText(QDateTime::currentDateTime()));
}

void TransferLogEvents::scanStarting() {
    write(QStringLiteral("Bluetooth SCAN1"));
}

void TransferLogEvents::scanStarted() {
    write(QStringLiteral("StartScan"));
    write(QStringLiteral("StartScan Ende"));
}

void TransferLogEvents::scanFailed(int code, const QString& description) {
    write(QString::number(code) + u' ' + description);
}

void TransferLogEvents::gaugeIdentified() {
    write(QStringLiteral("Logdatei ") + dateTimeText(QDateTime::currentDateTime()));
    write(QStringLiteral("App.Path = ") + folders_.programFolder);
    write(QStringLiteral("AppDataPath = ") + folders_.appDataPath);
    write(QStringLiteral("MessDataPath = ") + folders_.messDataPath);
}

void TransferLogEvents::reconnecting(ReconnectStep step) {
    switch (step) {
    case ReconnectStep::Requested:
        return write(QStringLiteral("REconnect"));
    case ReconnectStep::DisconnectSent:
        return write(QStringLiteral("REconnect1"));
    case ReconnectStep::ConnectSent:
        return write(QStringLiteral("REconnect2"));
    }
}

void TransferLogEvents::liveValuesNotSwitched(bool on, GaugeError error) {
    write((on ? QStringLiteral("Fehler Sub Measure") : QStringLiteral("Fehler UNSub Measure")) +
          QString::number(int(error)));
}

void TransferLogEvents::memoryNotDecoded(const QString& text) {
    write(text);
}

void TransferLogEvents::recordDateInvalid() {
    write(QStringLiteral("Fill Messdaten: invalid date"));
}

void TransferLogEvents::probeMemoryDone(bool liveValuesOn) {
    write(QStringLiteral("Ende Speicher lesen vor sub") +
          (liveValuesOn ? QStringLiteral("True") : QStringLiteral("False")));
}

} // namespace vexa
