#include "link/sim/SimulatedGauge.h"

#include "protocol/GaugeUuids.h"

namespace vexa::sim {

namespace {

constexpr qsizetype RecordsPerRead = 5;
const QString ClockFormat = QStringLiteral("dd.MM.yyyy HH:mm:ss");
const char* const ClockAnswer = "$glt?";

// "$xyz?ARGUMENTS!" -> ARGUMENTS, when the command has that prefix and ends with "!".
std::optional<QByteArray> argumentsOf(const QByteArray& command, const char* prefix) {
    if (!command.startsWith(prefix) || !command.endsWith('!'))
        return std::nullopt;
    const qsizetype start = qstrlen(prefix);
    return command.mid(start, command.size() - start - 1);
}

} // namespace

SimulatedGauge::SimulatedGauge(GaugeProfile profile, TimeSource now)
    : profile_(std::move(profile))
    , files_(profile_.files, profile_.fileList)
    , now_(std::move(now))
    , clockSetAt_(now_()) {
    if (const auto text = argumentsOf(profile_.clock, ClockAnswer)) {
        const QDateTime time = QDateTime::fromString(QString::fromLatin1(*text), ClockFormat);
        if (time.isValid())
            clockTime_ = QDateTime(time.date(), time.time(), Qt::UTC);
    }
}

QList<GattService> SimulatedGauge::services() const {
    QList<GattService> result{
        {uuid::ServiceMI, {uuid::CharVexa, uuid::CharTrace}},
        {uuid::ServiceZK, {uuid::CharStorageInfo, uuid::CharStorageData, uuid::CharMeasure}},
    };
    if (profile_.sondeService)
        result.append({uuid::ServiceSondeMI, {uuid::CharVexa}});
    return result;
}

bool SimulatedGauge::offers(const QString& service, const QString& characteristic) const {
    const QList<GattService> all = services();
    return std::any_of(all.cbegin(), all.cend(), [&](const GattService& offered) {
        return offered.uuid == service && offered.characteristics.contains(characteristic);
    });
}

QByteArray SimulatedGauge::read(const QString& service, const QString& characteristic) {
    if (!offers(service, characteristic))
        return {};
    if (characteristic == uuid::CharVexa)
        return commandAnswer_;
    if (characteristic == uuid::CharStorageInfo)
        return memoryTable();
    if (characteristic == uuid::CharStorageData)
        return nextRecords();
    if (characteristic == uuid::CharMeasure)
        return lastLive_;
    return {};
}

void SimulatedGauge::write(const QString& service, const QString& characteristic, const QByteArray& value) {
    if (!offers(service, characteristic))
        return;
    if (characteristic == uuid::CharVexa) {
        command(value);
    } else if (characteristic == uuid::CharStorageInfo) {
        selectedMemory_.reset();
        nextRecord_ = 0;
        for (qsizetype i = 0; i < profile_.memories.size(); ++i)
            if (profile_.memories[i].name.toUtf8() == value.trimmed())
                selectedMemory_ = i;
    }
}

std::optional<QByteArray> SimulatedGauge::nextLiveValue() {
    if (profile_.live.isEmpty())
        return std::nullopt;
    lastLive_ = profile_.live[nextLive_];
    nextLive_ = (nextLive_ + 1) % profile_.live.size();
    return lastLive_;
}

void SimulatedGauge::command(const QByteArray& text) {
    // The set-time command ends with CR LF; no command carries line ends otherwise.
    const QByteArray trimmed = text.endsWith("\r\n") ? text.chopped(2) : text;
    if (const auto dateTime = argumentsOf(trimmed, "$slt?")) {
        setClock(*dateTime);
        return;
    }
    commandAnswer_ = answer(trimmed).value_or("$err?" + trimmed + '!');
}

std::optional<QByteArray> SimulatedGauge::answer(const QByteArray& text) {
    if (text == "$vexa00!")
        return profile_.info;
    if (text == "$gpi!")
        return profile_.probe;
    if (text == "$gcv!")
        return profile_.battery;
    if (text == "$glt!")
        return clockAnswer();
    if (text == "$ls!")
        return files_.list();
    if (const auto name = argumentsOf(text, "$fr?"))
        return files_.open(*name);
    if (const auto arguments = argumentsOf(text, "$rd?")) {
        const QByteArrayList fields = arguments->split(' ');
        if (fields.size() != 2)
            return std::nullopt;
        return files_.read(fields[0], fields[1]);
    }
    if (const auto handle = argumentsOf(text, "$fc?"))
        return files_.close(*handle);
    return std::nullopt;
}

void SimulatedGauge::setClock(const QByteArray& dateTime) {
    const QDateTime at =
        QDateTime::fromString(QString::fromLatin1(dateTime), QStringLiteral("yyyy-MM-dd/HH:mm:ss"));
    if (at.isValid())
        setClock(at);
}

void SimulatedGauge::setClock(const QDateTime& time) {
    clockTime_ = QDateTime(time.date(), time.time(), Qt::UTC);
    clockSetAt_ = now_();
}

void SimulatedGauge::setTimeSource(TimeSource now) {
    if (clockTime_)
        clockTime_ = clockTime_->addMSecs(clockSetAt_.msecsTo(now_()));
    now_ = std::move(now);
    clockSetAt_ = now_();
}

QByteArray SimulatedGauge::clockAnswer() const {
    if (!clockTime_)
        return profile_.clock;
    const QDateTime shown = clockTime_->addMSecs(clockSetAt_.msecsTo(now_()));
    return ClockAnswer + shown.toString(ClockFormat).toLatin1() + '!';
}

QByteArray SimulatedGauge::memoryTable() const {
    QByteArray table = QByteArray::number(profile_.memories.size()) + '\n';
    for (const GaugeMemory& memory : profile_.memories)
        table += memory.name.toUtf8() + ',' + QByteArray::number(memory.records.size()) + '\n';
    return table;
}

QByteArray SimulatedGauge::nextRecords() {
    if (!selectedMemory_)
        return {};
    const QList<QByteArray>& records = profile_.memories[*selectedMemory_].records;
    const QList<QByteArray> batch = records.mid(nextRecord_, RecordsPerRead);
    nextRecord_ += batch.size();
    return QByteArrayList(batch).join('\n');
}

} // namespace vexa::sim
