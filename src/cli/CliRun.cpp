#include "cli/CliRun.h"

#include "cli/CliInspection.h"
#include "cli/CliOutput.h"
#include "data/LocaleTexts.h"
#include "data/PrintableText.h"
#include "files/MemoryExport.h"
#include "files/RowsCsv.h"
#include "files/TextReport.h"
#include "link/Wakeup.h"
#include "protocol/DeviceList.h"
#include "protocol/MemoryList.h"
#include "texts/Texts.h"

#include <QDeadlineTimer>

namespace vexa::cli {

namespace {

qint64 seconds(std::chrono::milliseconds time) {
    return std::chrono::duration_cast<std::chrono::seconds>(time).count();
}

QString entryOf(const Advertisement& gauge) {
    return deviceListEntry(gauge.address, gauge.name, gauge.rssi);
}

int firstMatch(const QList<Advertisement>& listed, const std::optional<QString>& wanted) {
    if (!wanted)
        return -1;
    for (int i = 0; i < listed.size(); ++i)
        if (entryOf(listed[i]).contains(*wanted, Qt::CaseInsensitive))
            return i;
    return -1;
}

const QString InvalidDate = QStringLiteral("Fill Messdaten: invalid date");

} // namespace

CliRun::CliRun(CliRequest request, Transport& transport, const ProgramFolders& folders)
    : request_(std::move(request))
    , folders_(folders)
    , log_(folders.appDataPath)
    , settingsFiles_(folders.appDataPath, log_, [this](int languageIndex) { languageIndex_ = languageIndex; })
    , gauge_(transport, events_)
    , decimalSeparator_(decimalSeparator()) {
    log_.DeleteLog();
    events_.setLog(&log_, folders_);
    QObject::connect(&gauge_, &Gauge::scanFailed, &gauge_, [this] {
        show(Texts::message(Msg::CheckBluetoothSettings, languageIndex_) + QStringLiteral("\r\n"));
    });
    QObject::connect(&gauge_, &Gauge::transportError, &gauge_, [this](int code, const QString& description) {
        show(QStringLiteral("BLECLient Error") + QString::number(code) + u' ' + description);
        gauge_.disconnect();
    });
    QObject::connect(&gauge_, &Gauge::liveReading, &gauge_,
                     [this](const LiveReading& reading) { takeLiveReading(reading); });
}

QCoro::Task<int> CliRun::run() {
    // Refused before the gauge is met, rather than after a download or N readings.
    if (const std::optional<QString> refusal = refusedForTerminal(request_.format, request_.outputFile))
        co_return fail(*refusal);
    QCoro::Task<int> (CliRun::*command)() = &CliRun::scan;
    if (request_.command == Command::Memories)
        command = &CliRun::memories;
    else if (request_.command == Command::Download)
        command = &CliRun::download;
    else if (request_.command == Command::Online)
        command = &CliRun::online;
    else if (request_.command == Command::Evaluate)
        command = &CliRun::evaluate;
    else if (request_.command == Command::Clock)
        command = &CliRun::clock;
    else if (request_.command == Command::SetClock)
        command = &CliRun::setClock;
    else if (request_.command == Command::Info)
        command = &CliRun::info;
    const int status = co_await (this->*command)();
    co_await gauge_.disconnectAndWait();
    if (status == Success) {
        for (const QString& message : takeMessages())
            writeErrorLine(QStringLiteral("note: ") + message);
        for (const QString& note : notes_)
            writeErrorLine(QStringLiteral("note: ") + oneLine(note));
    }
    co_return status;
}

void CliRun::show(const QString& message) {
    messages_.append(message);
}

// A note that holds no failure: said at the end of a successful run and logged as the window does.
void CliRun::tell(const QString& message) {
    log_.WriteLog(message);
    notes_.append(message);
}

QStringList CliRun::takeMessages() {
    QStringList messages;
    for (; messagesTaken_ < messages_.size(); ++messagesTaken_)
        if (!oneLine(messages_[messagesTaken_]).isEmpty())
            messages.append(oneLine(messages_[messagesTaken_]));
    return messages;
}

int CliRun::fail(const QString& text, ExitStatus status) {
    const QStringList messages = takeMessages();
    writeErrorLine(messages.isEmpty() ? text : text + QStringLiteral(": ") + messages.last());
    return status;
}

void CliRun::readSettings(QStringView action) {
    settings_.languageIndex = languageIndex_;
    if (const std::optional<QString> failure =
            settingsFiles_.Voreinstellungen(action, gauge_.identity().deviceNumber(), settings_))
        show(*failure);
}

// The window and the diagnostics name the gauge a run connected last; the language the window keeps stays.
void CliRun::rememberGauge() {
    ProgramSettings program = settingsFiles_.readProgramSettings();
    const GaugeIdentity& identity = gauge_.identity();
    program.lastGauge =
        LastGauge{identity.deviceName, gauge_.address(), identity.model.deviceModel, identity.device.R};
    if (const std::optional<QString> failure = settingsFiles_.writeProgramSettings(program, languageIndex_))
        show(*failure);
}

MeasurementSheet CliRun::reportSheet(MeasurementSheet sheet) {
    // A series memory's report has no project section.
    if (sheet.showsSeries())
        return sheet;
    settings_.languageIndex = languageIndex_;
    for (const QString& failure :
         settingsFiles_.reloadProjectData(gauge_.identity().deviceNumber(), settings_))
        show(failure);
    sheet.project = settings_.project;
    sheet.labels = settings_.labels;
    return sheet;
}

QCoro::Task<CliRun::ScanResult> CliRun::scanGauges(std::optional<QString> wanted,
                                                   std::chrono::milliseconds deadline) {
    ScanResult result;
    bool scanning = false;
    Wakeup wake;
    wake.watch(&gauge_, &Gauge::advertised);
    wake.watch(&gauge_, &Gauge::scanFailed);
    QObject::connect(&gauge_, &Gauge::advertised, &wake,
                     [&result](const Advertisement& gauge) { result.listed.append(gauge); });
    QObject::connect(&gauge_, &Gauge::scanStarted, &wake, [&scanning] { scanning = true; });
    QObject::connect(&gauge_, &Gauge::scanFailed, &wake, [&result, &scanning] {
        result.failed = true;
        scanning = false;
    });

    const QDeadlineTimer until(deadline);
    gauge_.startScan();
    while (true) {
        result.match = firstMatch(result.listed, wanted);
        if (result.match >= 0 || result.failed || until.hasExpired())
            break;
        co_await wake.next(std::chrono::milliseconds(until.remainingTime()));
    }
    gauge_.stopScan(scanning ? Gauge::ScanStop::ByUser : Gauge::ScanStop::ByProgram);
    co_return result;
}

QCoro::Task<int> CliRun::scan() {
    const ScanResult found =
        co_await scanGauges(request_.device, request_.device ? DeviceSearchDeadline : ScanListingTime);
    if (found.failed)
        co_return fail(QStringLiteral("cannot scan for gauges"));
    if (request_.device && found.match < 0)
        co_return fail(QStringLiteral("no gauge listed whose entry contains \"%1\" within %2 s")
                           .arg(*request_.device)
                           .arg(seconds(DeviceSearchDeadline)));
    QByteArray lines;
    for (const Advertisement& gauge : found.listed)
        lines += printableText(entryOf(gauge)).toUtf8() + '\n';
    writeOut(lines);
    co_return Success;
}

QCoro::Task<bool> CliRun::connectGauge() {
    const ScanResult found = co_await scanGauges(request_.device.value_or(QString()), DeviceSearchDeadline);
    if (found.failed) {
        fail(QStringLiteral("cannot scan for gauges"));
        co_return false;
    }
    if (found.match < 0) {
        fail(request_.device
                 ? QStringLiteral("no gauge listed whose entry contains \"%1\" within %2 s")
                       .arg(*request_.device)
                       .arg(seconds(DeviceSearchDeadline))
                 : QStringLiteral("no gauge listed within %1 s").arg(seconds(DeviceSearchDeadline)));
        co_return false;
    }

    const Advertisement& chosen = found.listed[found.match];
    Wakeup established;
    established.watch(&gauge_, &Gauge::linkEstablished);
    gauge_.stopScan(Gauge::ScanStop::ByProgram);
    gauge_.connectTo(chosen.address, listedDeviceName(chosen.address, chosen.name, chosen.rssi));
    co_await established.next(Gauge::ConnectDeadline + Gauge::DiscoveryDeadline);
    if (!gauge_.linkConnected()) {
        fail(QStringLiteral("the gauge did not connect: %1").arg(entryOf(chosen).simplified()));
        co_return false;
    }

    const QString notAnswering =
        QStringLiteral("the gauge did not answer within %1 s").arg(seconds(GaugeLink::AnswerDeadline));
    const Identification identification = co_await gauge_.identify();
    if (identification.initialisation) {
        // The gauge's own language and key settings, as the window reads them when it dresses itself.
        readSettings(u"SL");
        readSettings(u"TL");
    }
    if (identification.error) {
        fail(notAnswering);
        co_return false;
    }
    rememberGauge();
    readSettings(u"PI");
    readSettings(u"LL");
    const DeviceTraits& traits = gauge_.identity().traits;
    if (traits.startsOnline())
        co_await gauge_.switchLiveValues(true);
    if (traits.hasProbeMemories() || traits.hasMemoryFiles()) {
        const GaugeResult<GaugeMemories> memories = co_await gauge_.readMemoryList();
        if (!memories) {
            fail(notAnswering);
            co_return false;
        }
        memories_ = *memories;
    }
    if (memories_.tableCut)
        tell(Texts::notice(Notice::MemoryTableCut, request_.languageIndex.value_or(languageIndex_))
                 .arg(memories_.probeMemories.size()));

    if (request_.languageIndex)
        languageIndex_ = *request_.languageIndex;
    if (request_.limits) {
        // The limits dialog filled in field by field; the gauge's stored limits stay as they are.
        const TypedLimits typed = limitsFromFields(*request_.limits, languageIndex_);
        for (const QString& message : typed.messages)
            show(message);
        if (typed.refused) {
            fail(QStringLiteral("the limits were refused"));
            co_return false;
        }
        settings_.limits = typed.limits;
    }
    co_return true;
}

QStringList CliRun::memoryEntries() const {
    QStringList entries;
    for (const ProbeMemory& memory : memories_.probeMemories)
        entries.append(probeMemoryEntry(memoryLetter(languageIndex_), memory.name, memory.valueCount));
    for (const QString& name : memories_.memoryFiles.value_or(QStringList()))
        entries.append(fileMemoryEntry(name));
    return entries;
}

QCoro::Task<int> CliRun::memories() {
    const bool connected = co_await connectGauge();
    if (!connected)
        co_return Failure;
    QByteArray lines;
    for (const QString& entry : memoryEntries())
        lines += printableText(entry).toUtf8() + '\n';
    writeOut(lines);
    co_return Success;
}

QString CliRun::memoryEntry() const {
    const QStringList entries = memoryEntries();
    for (const QString& entry : entries)
        if (entry.trimmed() == request_.memory)
            return entry;
    if (gauge_.identity().traits.hasProbeMemories())
        for (const QString& entry : entries)
            if (const std::optional<ProbeMemoryChoice> choice = parseProbeMemoryEntry(entry);
                choice && choice->name == request_.memory)
                return entry;
    return {};
}

SheetContent CliRun::sheetContent() const {
    SheetContent content;
    content.gauge = gauge_.identity();
    content.address = gauge_.address();
    content.languageIndex = languageIndex_;
    content.decimalSeparator = decimalSeparator_;
    content.limits = settings_.limits;
    content.project = settings_.project;
    content.labels = settings_.labels;
    return content;
}

void CliRun::failRequest(GaugeError error) {
    if (error == GaugeError::LinkLost || error == GaugeError::TransportFailed)
        fail(QStringLiteral("the link to the gauge was lost"));
    else
        fail(QStringLiteral("the gauge stopped answering (no answer within %1 s)")
                 .arg(seconds(GaugeLink::AnswerDeadline)));
}

QCoro::Task<std::optional<SheetContent>> CliRun::downloadMemoryFile(QString entry) {
    const GaugeResult<DecodedMemory> memory = co_await gauge_.downloadFile(entry.trimmed());
    if (!memory) {
        if (memory.error() == GaugeError::Decoding) {
            show(memory.failure().detail);
            fail(QStringLiteral("memory \"%1\" could not be read").arg(entry.trimmed()));
        } else {
            failRequest(memory.error());
        }
        co_return std::nullopt;
    }
    SheetContent content = sheetContent();
    content.memoryListText = memory->selector;
    content.memoryKind = memory->kind;
    content.memoryHeader = memory->header;
    content.memoryEmpty = memory->empty;
    content.rowsCut = memory->truncated;
    if (memory->truncated)
        tell(Texts::notice(Notice::MemoryCut, languageIndex_).arg(RowStore::Capacity));
    if (memory->seriesCountDisagrees())
        tell(Texts::notice(Notice::SeriesCountDisagrees, languageIndex_)
                 .arg(quint16(memory->header.recordCount))
                 .arg(memory->seriesValues.size()));
    content.seriesValues = memory->seriesValues;
    content.seriesStatistics = memory->seriesStatistics;
    if (!memory->empty && memory->kind != MemoryKind::Series)
        content.rows = memory->rows;
    content.memoryCaption = memoryCaption(content.gauge.traits, languageIndex_, 0, content.memoryListText,
                                          memory->header.memoryName);
    co_return content;
}

QCoro::Task<std::optional<SheetContent>> CliRun::downloadProbeMemory(QString entry) {
    const std::optional<ProbeMemoryChoice> choice = parseProbeMemoryEntry(entry);
    const int number = choice->name.toInt();
    const ProbeMemory chosen{choice->name, choice->valueCount};
    const GaugeResult<ProbeMemoryDownload> result = co_await gauge_.downloadProbeMemory(chosen, number);
    if (!result) {
        failRequest(result.error());
        co_return std::nullopt;
    }
    SheetContent content = sheetContent();
    content.memoryListText = result->listed ? probeMemoryEntry(memoryLetter(languageIndex_),
                                                               result->listed->name, result->valueCount)
                                            : entry;
    content.memoryCaption =
        memoryCaption(content.gauge.traits, languageIndex_, number, content.memoryListText, {});
    // An empty memory leaves the view where it was: online, since the gauge was connected.
    if (result->empty) {
        content.view = View::Online;
        co_return content;
    }
    for (const RecordRow& record : result->records) {
        if (content.rows.size() >= static_cast<size_t>(RowStore::Capacity)) {
            content.rowsCut = true;
            tell(Texts::notice(Notice::MemoryCut, languageIndex_).arg(RowStore::Capacity));
            break;
        }
        if (record.invalidDate) {
            show(InvalidDate);
            continue;
        }
        if (record.row.isPresent())
            content.rows.push_back(record.row);
    }
    co_return content;
}

QCoro::Task<std::optional<MeasurementSheet>> CliRun::downloadSheet() {
    const bool connected = co_await connectGauge();
    if (!connected)
        co_return std::nullopt;
    const QString entry = memoryEntry();
    if (entry.isEmpty()) {
        fail(QStringLiteral("no memory \"%1\" on the gauge").arg(request_.memory));
        co_return std::nullopt;
    }

    const qsizetype shownBefore = messages_.size();
    std::optional<SheetContent> content;
    if (gauge_.identity().traits.hasMemoryFiles())
        content = co_await downloadMemoryFile(entry);
    else
        content = co_await downloadProbeMemory(entry);
    if (!content)
        co_return std::nullopt;
    if (messages_.size() > shownBefore) {
        fail(QStringLiteral("memory \"%1\" could not be read").arg(entry.trimmed()));
        co_return std::nullopt;
    }
    co_return buildSheet(*content);
}

QCoro::Task<int> CliRun::download() {
    const std::optional<MeasurementSheet> downloaded = co_await downloadSheet();
    if (!downloaded)
        co_return Failure;
    const MeasurementSheet& sheet = *downloaded;
    std::optional<QString> error;
    if (request_.format == Format::Mes) {
        error = writeResult(request_.outputFile, measurementFileText(reportSheet(sheet)));
    } else if (request_.format == Format::Report) {
        error = writeResult(request_.outputFile, buildReport(reportSheet(sheet), ReportMode::All));
    } else if (request_.format == Format::Docx) {
        error = writeDocxResult(reportSheet(sheet), request_.outputFile);
    } else if (request_.format == Format::Pdf) {
        error = writePdfReportResult(reportSheet(sheet), request_.outputFile);
    } else if (request_.format == Format::Xlsx) {
        error = writeWorkbookResult(sheet, request_.outputFile, request_.chart);
    } else if (request_.inspection) {
        error = writeSheetWithInspection(*request_.inspection, sheet, request_.outputFile);
    } else {
        error = writeSheet(sheet, request_.format, request_.outputFile);
    }
    co_return error ? fail(*error) : Success;
}

void CliRun::takeLiveReading(const LiveReading& reading) {
    const DeviceTraits& traits = gauge_.identity().traits;
    for (const RecordRow& record : reading.records) {
        if (onlineCounter_ > RowStore::Capacity) {
            if (!onlineFullSaid_)
                show(Texts::message(Msg::TooManyValues, languageIndex_) +
                     QStringLiteral(" %1").arg(RowStore::Capacity));
            onlineFullSaid_ = true;
            continue;
        }
        if (record.invalidDate) {
            show(InvalidDate);
            continue;
        }
        MeasurementRow row = record.row;
        row.number = static_cast<qint16>(onlineCounter_);
        onlineRows_.push_back(row);
        if (traits.numbersOnlineRows())
            ++onlineCounter_;
    }
}

QByteArray CliRun::onlineLine(const MeasurementRow& row, QChar separator,
                              const MeasureContext& context) const {
    const ExportedRow exported{row, formatMeasurement(row.value, row.unit, context).text};
    return request_.format == Format::Json ? rowJson(exported) + '\n' : csvLine(exported, separator).toUtf8();
}

// The online view's sheet of the first `count` rows, as the main window's online view would show them.
MeasurementSheet CliRun::onlineSheet(size_t count) const {
    SheetContent content = sheetContent();
    content.view = View::Online;
    content.rows.assign(onlineRows_.begin(), onlineRows_.begin() + static_cast<std::ptrdiff_t>(count));
    return buildSheet(std::move(content));
}

std::optional<QString> CliRun::writeOnlineResult() {
    const size_t count = static_cast<size_t>(request_.count);
    if (request_.format == Format::Xlsx)
        return writeWorkbookResult(onlineSheet(count), request_.outputFile, request_.chart);
    if (request_.format == Format::Report)
        return writeResult(request_.outputFile,
                           buildReport(reportSheet(onlineSheet(count)), ReportMode::All));
    if (request_.format == Format::Docx)
        return writeDocxResult(reportSheet(onlineSheet(count)), request_.outputFile);
    if (request_.format == Format::Pdf)
        return writePdfReportResult(reportSheet(onlineSheet(count)), request_.outputFile);
    const QChar separator = csvSeparator(decimalSeparator_);
    const MeasureContext context = gauge_.identity().measureContext();
    QByteArray bytes;
    for (size_t i = 0; i < count; ++i)
        bytes += onlineLine(onlineRows_[i], separator, context);
    return writeResult(request_.outputFile, bytes);
}

QCoro::Task<int> CliRun::takeOnlineRows(std::function<void(size_t from, size_t to)> arrived) {
    const bool connected = co_await connectGauge();
    if (!connected)
        co_return Failure;
    co_await gauge_.switchLiveValues(true);

    Wakeup wake;
    wake.watch(&gauge_, &Gauge::liveReading);
    wake.watch(&gauge_, &Gauge::linkDropped);
    const size_t wanted = static_cast<size_t>(request_.count);
    size_t taken = 0;
    QDeadlineTimer nextReading(OnlineReadingDeadline);
    while (true) {
        const size_t before = taken;
        taken = std::max(taken, std::min(wanted, onlineRows_.size()));
        if (taken > before) {
            nextReading.setRemainingTime(OnlineReadingDeadline);
            arrived(before, taken);
        }
        if (taken >= wanted)
            co_return Success;
        if (!gauge_.linkConnected())
            co_return fail(QStringLiteral("the link to the gauge was lost"));
        if (nextReading.hasExpired())
            co_return fail(
                QStringLiteral("no reading arrived within %1 s").arg(seconds(OnlineReadingDeadline)));
        co_await wake.next(std::chrono::milliseconds(nextReading.remainingTime()));
    }
}

QCoro::Task<int> CliRun::online() {
    // Lines of text on standard output go out as the readings arrive; a file (written whole), a report, a
    // workbook and a document take the rows once all of them are there.
    const bool streaming = request_.outputFile.isEmpty() && !wholeSheetFormat(request_.format);
    const QChar separator = csvSeparator(decimalSeparator_);
    const int status = co_await takeOnlineRows([&](size_t from, size_t to) {
        if (!streaming)
            return;
        const MeasureContext context = gauge_.identity().measureContext();
        QByteArray lines;
        for (size_t i = from; i < to; ++i) {
            const QByteArray line = onlineLine(onlineRows_[i], separator, context);
            lines +=
                request_.format == Format::Json ? line : printableLines(QString::fromUtf8(line)).toUtf8();
        }
        writeOut(lines);
    });
    if (status != Success || streaming)
        co_return status;
    const std::optional<QString> error = writeOnlineResult();
    co_return error ? fail(*error) : Success;
}

QCoro::Task<int> CliRun::evaluate() {
    const RuleChoice& choice = *request_.inspection;
    std::optional<MeasurementSheet> sheet;
    if (request_.readings == Readings::Online) {
        // As the inspector measures, where the readings stand; the verdict once all are there.
        const int status = co_await takeOnlineRows([&](size_t from, size_t to) {
            if (request_.format != Format::Text)
                return;
            for (size_t count = from + 1; count <= to; ++count)
                writeOut(progressOfLastRow(choice, onlineSheet(count)).toUtf8());
        });
        if (status != Success)
            co_return status;
        sheet = onlineSheet(static_cast<size_t>(request_.count));
    } else {
        sheet = co_await downloadSheet();
        if (!sheet)
            co_return Failure;
    }
    const std::optional<QString> error = writeInspection(choice, *sheet, request_.format);
    co_return error ? fail(*error) : Success;
}

} // namespace vexa::cli
