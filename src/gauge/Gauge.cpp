#include "gauge/Gauge.h"

#include "link/Wakeup.h"
#include "protocol/DeviceList.h"
#include "protocol/MemoryList.h"
#include "protocol/ProtocolCommands.h"
#include "protocol/RecordLine.h"

namespace vexa {

namespace {

GaugeError errorOf(WaitOutcome outcome) {
    switch (outcome) {
    case WaitOutcome::Disconnected:
        return GaugeError::LinkLost;
    case WaitOutcome::Failed:
        return GaugeError::TransportFailed;
    case WaitOutcome::Cancelled:
        return GaugeError::Cancelled;
    case WaitOutcome::Busy:
        return GaugeError::Busy;
    case WaitOutcome::Answered:
    case WaitOutcome::TimedOut:
        break;
    }
    return GaugeError::NotAnswering;
}

} // namespace

Gauge::Gauge(Transport& transport, GaugeEvents& events, QObject* parent)
    : QObject(parent)
    , link_(transport)
    , events_(events) {
    link_.setLinkUp(false);
    // Every value is taken apart before a waiting request looks at it.
    connect(&link_, &GaugeLink::valueReceived, this, &Gauge::onValue);
    connect(&transport, &Transport::advertisement, this, &Gauge::onAdvertisement);
    connect(&transport, &Transport::scanStarted, this, [this] {
        events_.scanStarted();
        emit scanStarted();
    });
    connect(&transport, &Transport::scanFailed, this, [this](int code, const QString& description) {
        events_.scanFailed(code, description);
        emit scanFailed(code, description);
    });
    connect(&transport, &Transport::connected, this,
            [this](int status, const QString& description) { onConnected(status, description); });
    connect(&transport, &Transport::disconnected, this, &Gauge::onDisconnected);
    connect(&transport, &Transport::discovered, this, &Gauge::onDiscovered);
    connect(&transport, &Transport::subscribed, this, [this](const QString&, const QString& characteristic) {
        if (characteristic == uuid::CharMeasure)
            liveValuesOn_ = true;
    });
    connect(&transport, &Transport::unsubscribed, this,
            [this](const QString&, const QString& characteristic) {
                if (characteristic == uuid::CharMeasure)
                    liveValuesOn_ = false;
            });
    connect(&transport, &Transport::error, this, [this](int code, const QString& description) {
        // What goes wrong on a link given up (a connection abandoned, a gauge disconnected) is no news.
        if (linkWanted_)
            emit transportError(code, description);
    });
    connect(&link_, &GaugeLink::stoppedAnswering, this, &Gauge::onStoppedAnswering);
}

// --- scanning

void Gauge::startScan() {
    events_.scanRequested();
    advertised_.clear();
    events_.scanStarting();
    link_.transport().startScan();
}

void Gauge::stopScan(ScanStop reason) {
    if (reason == ScanStop::ByUser)
        events_.scanRequested();
    link_.transport().stopScan();
}

void Gauge::onAdvertisement(const QString& serverId, const QString& name, int rssi) {
    // The first advertisement of a gauge wins.
    if (advertised_.contains(serverId) || !isGaugeName(name))
        return;
    advertised_.insert(serverId);
    emit advertised(Advertisement{serverId, name, rssi});
}

// --- the link

void Gauge::connectTo(const QString& address, const QString& deviceName) {
    linkWanted_ = true;
    address_ = address;
    deviceName_ = deviceName;
    link_.resume();
    link_.transport().connectToGauge(address_);
}

void Gauge::reconnect() {
    events_.reconnecting(GaugeEvents::ReconnectStep::Requested);
    if (address_.isEmpty())
        return;
    linkWanted_ = true;
    link_.transport().disconnectFromGauge();
    events_.reconnecting(GaugeEvents::ReconnectStep::DisconnectSent);
    link_.resume();
    link_.transport().connectToGauge(address_);
    events_.reconnecting(GaugeEvents::ReconnectStep::ConnectSent);
}

void Gauge::disconnect() {
    linkWanted_ = false;
    link_.transport().disconnectFromGauge();
}

QCoro::Task<> Gauge::disconnectAndWait(std::chrono::milliseconds deadline) {
    if (!linkConnected_)
        co_return;
    Wakeup dropped;
    dropped.watch(this, &Gauge::linkDropped);
    disconnect();
    co_await dropped.next(deadline);
}

QCoro::Task<> Gauge::onConnected(int status, QString description) {
    emit connectAnswered();
    // A connection given up while it was being made: the disconnect asked for follows.
    if (!linkWanted_)
        co_return;
    bool complete = false;
    if (description == u"OK" && status == 0) {
        commandService_.clear();
        services_.clear();
        characteristics_.clear();
        // The discovery's findings arrive as events; the wait ends with the last of them or the watchdog.
        Wakeup discovered;
        discovered.watch(&link_.transport(), &Transport::discoveryFinished);
        link_.transport().discover(discoveryServices(deviceName_));
        co_await discovered.next(DiscoveryDeadline);
        const bool commandPath = !commandService_.isEmpty() && characteristics_.contains(uuid::CharVexa);
        const bool probePath =
            services_.contains(uuid::ServiceZK) && characteristics_.contains(uuid::CharMeasure) &&
            (services_.contains(uuid::ServiceSondeMI) || (characteristics_.contains(uuid::CharStorageInfo) &&
                                                          characteristics_.contains(uuid::CharStorageData)));
        complete = commandPath && probePath;
        if (!linkWanted_)
            co_return;
    }
    if (!complete) {
        // Not connected: the rest would report a link without its characteristics.
        emit linkIncomplete();
        reconnect();
        co_return;
    }
    const bool afterDrop = linkOffline_;
    linkConnected_ = true;
    link_.setLinkUp(true);
    linkOffline_ = false;
    emit linkEstablished(afterDrop);
}

void Gauge::onDiscovered(GattType type, const QString& service, const QString& characteristic) {
    if (type == GattType::Service) {
        services_.insert(service);
        if (service == uuid::ServiceMI || service == uuid::ServiceSondeMI)
            commandService_ = service; // the one reported last is used
    } else {
        characteristics_.insert(characteristic);
    }
}

void Gauge::onDisconnected(int status, const QString& description) {
    const bool byGauge = description == u"Offline" && status == 0;
    if (byGauge)
        linkOffline_ = true;
    forgetCharacteristics();
    emit linkDropped(byGauge, status, description);
}

void Gauge::onStoppedAnswering() {
    if (!linkConnected_)
        return;
    link_.transport().disconnectFromGauge();
    linkOffline_ = true;
    forgetCharacteristics();
    emit linkDropped(true, 0, QStringLiteral("Offline"));
}

void Gauge::forgetCharacteristics() {
    linkConnected_ = false;
    link_.setLinkUp(false);
    liveValuesOn_ = false;
    services_.clear();
    characteristics_.clear();
}

// --- requests

void Gauge::onValue(const QString&, const QString& characteristic, const QByteArray& value) {
    lastDispatch_ = dispatchAnswer(values_, characteristic, value);
    if (lastDispatch_.kind != AnswerKind::LiveValue)
        return;
    emit liveReading(LiveReading{recordRows(liveRecordLines(value))});
}

std::vector<RecordRow> Gauge::recordRows(const QList<QByteArray>& lines) {
    const QDateTime now = QDateTime::currentDateTime();
    std::vector<RecordRow> rows;
    rows.reserve(static_cast<size_t>(lines.size()));
    for (const QByteArray& line : lines) {
        rows.push_back(recordLineRow(line, identity_, now));
        if (rows.back().invalidDate)
            events_.recordDateInvalid();
    }
    return rows;
}

QCoro::Task<WaitResult> Gauge::command(QByteArray text, const char* answerPrefix,
                                       const Cancellation* cancellation) {
    const QByteArray prefix(answerPrefix);
    std::function<bool(const QByteArray&)> accept = [prefix](const QByteArray& value) {
        return value.startsWith(prefix);
    };
    co_return co_await link_.request(commandService_, std::move(text), std::move(accept),
                                     GaugeLink::AnswerDeadline, cancellation);
}

QCoro::Task<Identification> Gauge::identify() {
    Identification result;
    const WaitResult information = co_await command(command::deviceInformation(), "$vexa00");
    if (!information.answered()) {
        result.error = errorOf(information.outcome);
        co_return result;
    }
    Initialisation init = decideInitialisation(deviceName_, values_.deviceInfo, identity_);
    identity_ = init.identity;
    events_.gaugeIdentified();
    if (init.requestProbeInfo) {
        const WaitResult probe = co_await command(command::probeInformation(), "$gpi");
        if (!probe.answered()) {
            result.initialisation = init;
            result.error = errorOf(probe.outcome);
            co_return result;
        }
        identity_.device = values_.deviceInfo;
        identity_.probe = values_.probeInfo;
        init.identity = identity_;
    }
    result.initialisation = init;
    const WaitResult battery = co_await command(command::batteryVoltage(), "$gcv?");
    if (battery.answered())
        result.batteryVolts = values_.batteryVoltage;
    co_return result;
}

QCoro::Task<bool> Gauge::switchLiveValues(bool on, const Cancellation* cancellation) {
    if (liveValuesOn_ == on)
        co_return true;
    if (link_.silent())
        co_return false;
    // One await per statement: GCC 12 destroys the temporaries of a conditional co_await twice.
    WaitResult result;
    if (on)
        result = co_await link_.subscribe(uuid::ServiceZK, uuid::CharMeasure, GaugeLink::AnswerDeadline,
                                          cancellation);
    else
        result = co_await link_.unsubscribe(uuid::ServiceZK, uuid::CharMeasure, GaugeLink::AnswerDeadline,
                                            cancellation);
    if (!result.answered())
        events_.liveValuesNotSwitched(on, errorOf(result.outcome));
    co_return result.answered();
}

QCoro::Task<GaugeResult<GaugeMemories>> Gauge::readMemoryList() {
    co_await switchLiveValues(false);
    GaugeMemories memories;
    if (identity_.traits.hasProbeMemories()) {
        const WaitResult table = co_await link_.read(uuid::ServiceZK, uuid::CharStorageInfo);
        if (!table.answered())
            co_return errorOf(table.outcome);
        for (int i = 0; i < values_.memoryCount && i < values_.memoryNames.size(); ++i)
            memories.probeMemories.append({values_.memoryNames[i], values_.memoryValueCounts.value(i)});
        memories.tableCut = lastDispatch_.brokenLayout;
    } else {
        values_.responseBuffer.clear();
        if (linkConnected_) {
            const WaitResult list = co_await command(command::listFiles(), "$ls");
            if (!list.answered())
                co_return errorOf(list.outcome);
        }
        // Shorter answers hold no list at all, and live values stay off.
        if (values_.responseBuffer.size() <= 7)
            co_return memories;
        memories.memoryFiles = fileMemoryNames(values_.responseBuffer);
    }
    co_await switchLiveValues(true);
    co_return memories;
}

QCoro::Task<bool> Gauge::closeFile() {
    const WaitResult closed = co_await command(command::closeFile(values_.fileHandle), "$fc");
    co_return closed.answered();
}

QCoro::Task<GaugeResult<DecodedMemory>> Gauge::downloadFile(QString selector,
                                                            const Cancellation* cancellation) {
    values_.responseBuffer.clear();
    const WaitResult probe = co_await command(command::probeInformation(), "$gpi", cancellation);
    if (!probe.answered())
        co_return errorOf(probe.outcome);
    identity_.probe = values_.probeInfo;
    co_await switchLiveValues(false);

    values_.fileLength = 0;
    const WaitResult opened = co_await command(command::openFile(selector), "$fr", cancellation);
    if (!opened.answered())
        co_return errorOf(opened.outcome);

    const command::BlockPlan plan = command::blockPlan(values_.fileLength);
    QByteArray dump;
    dump.reserve(values_.fileLength * 2);
    for (qint32 block = 0; block < plan.blockCount(); ++block) {
        std::function<bool(const QByteArray&)> isBlock = [this](const QByteArray&) {
            return lastDispatch_.kind == AnswerKind::ReadBlock;
        };
        const WaitResult answer = co_await link_.request(
            commandService_, command::readBlock(values_.fileHandle, plan.blockBytes(block)),
            std::move(isBlock), GaugeLink::AnswerDeadline, cancellation);
        if (!answer.answered()) {
            // A stopped download leaves no file open on the gauge; a silent gauge would only hold the user
            // up for another deadline.
            if (answer.outcome == WaitOutcome::Cancelled) {
                co_await closeFile();
                co_await switchLiveValues(true);
            }
            co_return errorOf(answer.outcome);
        }
        dump += lastDispatch_.payload;
        emit downloadProgress(block + 1, plan.blockCount());
    }

    DecodedMemory memory =
        decodeMemoryDump(dump, selector, identity_.deviceUnit(), identity_.measureContext());
    co_await closeFile();
    co_await switchLiveValues(true);
    if (memory.error) {
        events_.memoryNotDecoded(memory.error->text);
        co_return GaugeFailure{GaugeError::Decoding, memory.error->text};
    }
    co_return memory;
}

QCoro::Task<GaugeResult<ProbeMemoryDownload>> Gauge::downloadProbeMemory(ProbeMemory chosen, int number,
                                                                         const Cancellation* cancellation) {
    co_await switchLiveValues(false);
    const GaugeResult<ProbeMemoryDownload> download = co_await readProbeRecords(chosen, number, cancellation);
    co_await finishProbeMemory();
    co_return download;
}

QCoro::Task<GaugeResult<ProbeMemoryDownload>> Gauge::readProbeRecords(ProbeMemory chosen, int number,
                                                                      const Cancellation* cancellation) {
    ProbeMemoryDownload download;
    // The memory table read again, for the memory's count as it stands now.
    const WaitResult table =
        co_await link_.read(uuid::ServiceZK, uuid::CharStorageInfo, GaugeLink::AnswerDeadline, cancellation);
    if (!table.answered())
        co_return errorOf(table.outcome);
    download.valueCount = chosen.valueCount;
    for (int i = 0; i < values_.memoryNames.size() && i < values_.memoryValueCounts.size(); ++i) {
        bool numeric = false;
        if (values_.memoryNames[i].trimmed().toInt(&numeric) == number && numeric) {
            download.valueCount = values_.memoryValueCounts[i];
            download.listed = ProbeMemory{values_.memoryNames[i], download.valueCount};
        }
    }

    const WaitResult selected =
        co_await link_.write(uuid::ServiceZK, uuid::CharStorageInfo, command::selectMemory(chosen.name),
                             GaugeLink::AnswerDeadline, cancellation);
    if (!selected.answered())
        co_return errorOf(selected.outcome);
    QList<QByteArray> lines;
    int recordsLeft = download.valueCount;
    values_.storageDataEnd = false;
    while (!values_.storageDataEnd) {
        const WaitResult data = co_await link_.read(uuid::ServiceZK, uuid::CharStorageData,
                                                    GaugeLink::AnswerDeadline, cancellation);
        if (!data.answered())
            co_return errorOf(data.outcome);
        // An empty memory may end at once with an empty value; it is reported all the same.
        if (download.valueCount == 0) {
            download.empty = true;
            co_return download;
        }
        if (values_.storageDataEnd)
            break;
        const StorageRecords records = storageRecords(data.value, recordsLeft);
        lines += records.lines;
        recordsLeft -= records.counted;
        emit downloadProgress(download.valueCount - recordsLeft, download.valueCount);
    }
    download.records = recordRows(lines);
    co_return download;
}

QCoro::Task<> Gauge::finishProbeMemory() {
    // A gauge that stopped answering is asked nothing more.
    if (!link_.silent()) {
        co_await switchLiveValues(true);
        co_await link_.write(uuid::ServiceZK, uuid::CharStorageInfo, command::releaseProbe());
    }
    events_.probeMemoryDone(liveValuesOn_);
}

QCoro::Task<GaugeResult<QString>> Gauge::readClock(const Cancellation* cancellation) {
    const WaitResult clock = co_await command(command::readClock(), "$glt?", cancellation);
    if (!clock.answered())
        co_return errorOf(clock.outcome);
    co_return QString::fromLatin1(values_.responseBuffer);
}

QCoro::Task<GaugeStatus> Gauge::setClock(QDateTime localTime, const Cancellation* cancellation) {
    const WaitResult written =
        co_await link_.write(commandService_, uuid::CharVexa, command::setClock(localTime),
                             GaugeLink::AnswerDeadline, cancellation);
    if (!written.answered())
        co_return errorOf(written.outcome);
    co_return Done{};
}

} // namespace vexa
