#include "cli/CliRun.h"

#include "files/RowsCsv.h"
#include "files/TextFile.h"
#include "link/Wakeup.h"
#include "protocol/MemoryList.h"
#include "window/DeviceScan.h"
#include "window/LimitsEditor.h"
#include "window/MainControls.h"
#include "window/MainModel.h"
#include "window/ScriptedPrompt.h"
#include "window/ShownMemory.h"
#include "window/TextReport.h"

#include <QDeadlineTimer>
#include <cstdio>
#include <qcoro/qcorosignal.h>

namespace vexa::cli {

namespace {

void writeOut(const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

void writeErrorLine(const QString& text) {
    std::fprintf(stderr, "vexa-connect-cli: %s\n", text.toUtf8().constData());
}

// A message box text on one line.
QString oneLine(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(u'\n', u' ');
    text.replace(u'\r', u' ');
    return text.simplified();
}

qint64 seconds(std::chrono::milliseconds time) {
    return std::chrono::duration_cast<std::chrono::seconds>(time).count();
}

} // namespace

CliRun::CliRun(CliRequest request, Transport& transport, MainModel& main, ScriptedPrompt& prompt)
    : request_(std::move(request))
    , main_(main)
    , prompt_(prompt)
    , session_(transport, main) {
    QObject::connect(&session_, &GaugeSession::gaugeNotAnswering, &session_,
                     [this] { notAnswering_ = true; });
}

QCoro::Task<int> CliRun::run() {
    QCoro::Task<int> (CliRun::*command)() = &CliRun::scan;
    if (request_.command == Command::Memories)
        command = &CliRun::memories;
    else if (request_.command == Command::Download)
        command = &CliRun::download;
    else if (request_.command == Command::Online)
        command = &CliRun::online;
    const int status = co_await (this->*command)();
    co_await session_.endProgram();
    if (status == Success)
        for (const QString& message : takeMessages())
            writeErrorLine(QStringLiteral("note: ") + message);
    co_return status;
}

QStringList CliRun::takeMessages() {
    QStringList messages;
    const QStringList& shown = prompt_.shown();
    for (; messagesTaken_ < shown.size(); ++messagesTaken_)
        if (!oneLine(shown[messagesTaken_]).isEmpty())
            messages.append(oneLine(shown[messagesTaken_]));
    return messages;
}

int CliRun::fail(const QString& text, ExitStatus status) {
    const QStringList messages = takeMessages();
    writeErrorLine(messages.isEmpty() ? text : text + QStringLiteral(": ") + messages.last());
    return status;
}

QCoro::Task<int> CliRun::scan() {
    const ScanResult found = co_await scanDevices(session_.linkWindow(), request_.device,
                                                  request_.device ? DeviceSearchDeadline : ScanListingTime);
    if (found.failed)
        co_return fail(QStringLiteral("cannot scan for gauges"));
    if (request_.device && found.match < 0)
        co_return fail(QStringLiteral("no gauge listed whose entry contains \"%1\" within %2 s")
                           .arg(*request_.device)
                           .arg(seconds(DeviceSearchDeadline)));
    QByteArray lines;
    for (const QString& entry : found.entries)
        lines += entry.toUtf8() + '\n';
    writeOut(lines);
    co_return Success;
}

QCoro::Task<bool> CliRun::connectGauge() {
    LinkWindowModel& window = session_.linkWindow();
    const ScanResult found =
        co_await scanDevices(window, request_.device.value_or(QString()), DeviceSearchDeadline);
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
    const bool linked = co_await connectListedDevice(window, found.match);
    if (!linked) {
        fail(QStringLiteral("the gauge did not connect: %1").arg(found.entries[found.match].simplified()));
        co_return false;
    }
    co_await session_.gaugeConnected();
    if (notAnswering_ || !window.linkConnected()) {
        fail(QStringLiteral("the gauge did not answer within %1 s").arg(seconds(GaugeLink::AnswerDeadline)));
        co_return false;
    }

    if (request_.languageIndex && *request_.languageIndex != main_.state().languageIndex) {
        main_.applyLanguage(*request_.languageIndex);
        // The probe memories' entries carry the language's memory letter.
        if (main_.state().traits.generation == '4')
            co_await session_.cmdRefresh_Click();
        if (notAnswering_) {
            fail(QStringLiteral("the gauge did not answer within %1 s")
                     .arg(seconds(GaugeLink::AnswerDeadline)));
            co_return false;
        }
    }
    if (request_.limits && !applyLimits(*request_.limits)) {
        fail(QStringLiteral("the limits were refused"));
        co_return false;
    }
    co_return true;
}

// The limits dialog filled in field by field, then the table evaluated anew; the gauge's stored limits
// stay as they are.
bool CliRun::applyLimits(const LimitsDisplay& limits) {
    LimitsEditor editor(main_.settings().limits, main_.state().languageIndex, main_.prompt());
    editor.formActivate();
    editor.cmdLoeschenClick();
    for (const LimitField field : {LimitField::Minimum, LimitField::Maximum, LimitField::Target})
        if (editor.validate(field, limits.text(field)) == FieldLeave::Cancelled)
            return false;
    if (limits.rule8020)
        editor.chk8020Click(true);
    main_.Focus_setzen();
    main_.refreshLimitsCaption();
    return true;
}

QCoro::Task<int> CliRun::memories() {
    const bool connected = co_await connectGauge();
    if (!connected)
        co_return Failure;
    QByteArray lines;
    for (const QString& entry : main_.controls().items(ctl::cmbSpeicher))
        lines += entry.toUtf8() + '\n';
    writeOut(lines);
    co_return Success;
}

QString CliRun::memoryEntry() const {
    const QStringList entries = main_.controls().items(ctl::cmbSpeicher);
    for (const QString& entry : entries)
        if (entry.trimmed() == request_.memory)
            return entry;
    if (main_.state().traits.generation == '4')
        for (const QString& entry : entries)
            if (const std::optional<ProbeMemoryChoice> choice = parseProbeMemoryEntry(entry);
                choice && choice->name == request_.memory)
                return entry;
    return {};
}

QCoro::Task<int> CliRun::download() {
    const bool connected = co_await connectGauge();
    if (!connected)
        co_return Failure;
    const QString entry = memoryEntry();
    if (entry.isEmpty())
        co_return fail(QStringLiteral("no memory \"%1\" on the gauge").arg(request_.memory));

    main_.controls().setCaption(ctl::cmbSpeicher, entry);
    const qsizetype shownBefore = prompt_.shown().size();
    co_await session_.cmdLesen_Click();
    if (notAnswering_)
        co_return fail(QStringLiteral("the gauge stopped answering (no answer within %1 s)")
                           .arg(seconds(GaugeLink::AnswerDeadline)));
    if (prompt_.shown().size() > shownBefore)
        co_return fail(QStringLiteral("memory \"%1\" could not be read").arg(entry.trimmed()));

    QByteArray result;
    if (request_.format == Format::Mes) {
        result = measurementFileText(main_).toUtf8();
    } else {
        const ExportedMemory memory = shownMemoryExport(main_, session_.linkWindow().serverId());
        result = request_.format == Format::Csv
                     ? rowsCsv(memory.rows, csvSeparator(main_.state().decimalSeparator)).toUtf8()
                     : memoryJson(memory) + '\n';
    }
    co_return writeResult(result) ? Success : Failure;
}

bool CliRun::writeResult(const QByteArray& bytes) {
    if (request_.outputFile.isEmpty()) {
        writeOut(bytes);
        return true;
    }
    if (const std::optional<QString> error = writeFileBytes(request_.outputFile, bytes)) {
        fail(QStringLiteral("cannot write %1: %2").arg(request_.outputFile, *error));
        return false;
    }
    return true;
}

QCoro::Task<int> CliRun::online() {
    const bool connected = co_await connectGauge();
    if (!connected)
        co_return Failure;
    co_await session_.optOnline_Click();

    Wakeup wake;
    wake.watch(&session_.link(), &GaugeLink::valueReceived);
    wake.watch(&session_.linkWindow(), &LinkWindowModel::linkChanged);
    const QChar separator = csvSeparator(main_.state().decimalSeparator);
    int written = 0;
    QDeadlineTimer nextReading(OnlineReadingDeadline);
    while (true) {
        const std::vector<ExportedRow> rows =
            main_.state().currentMemory == 2 ? shownRows(main_) : std::vector<ExportedRow>{};
        QByteArray lines;
        for (; written < request_.count && written < static_cast<int>(rows.size()); ++written) {
            const ExportedRow& row = rows[static_cast<size_t>(written)];
            lines += request_.format == Format::Json ? rowJson(row) + '\n' : csvLine(row, separator).toUtf8();
            nextReading.setRemainingTime(OnlineReadingDeadline);
        }
        writeOut(lines);
        if (written >= request_.count)
            co_return Success;
        if (notAnswering_ || !session_.linkWindow().linkConnected())
            co_return fail(QStringLiteral("the link to the gauge was lost"));
        if (nextReading.hasExpired())
            co_return fail(
                QStringLiteral("no reading arrived within %1 s").arg(seconds(OnlineReadingDeadline)));
        co_await wake.next(std::chrono::milliseconds(nextReading.remainingTime()));
    }
}

} // namespace vexa::cli
