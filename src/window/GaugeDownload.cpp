// Reading a memory from the gauge: a memory file block by block, or the records of a probe memory.
#include "data/MemoryDump.h"
#include "protocol/MemoryList.h"
#include "protocol/ProtocolCommands.h"
#include "protocol/RecordLine.h"
#include "texts/Texts.h"
#include "window/GaugeSession.h"
#include "window/MainControls.h"
#include "window/MainModel.h"
#include "window/Prompt.h"

namespace vexa {

using namespace ctl;

namespace {

// Blocks the commands while a download runs and unblocks them however it ends.
class DownloadGuard {
public:
    DownloadGuard(MainModel& main, bool& downloading)
        : main_(main)
        , downloading_(downloading) {
        downloading_ = true;
        main_.blockButtons();
        main_.controls().show(cmdStop);
        main_.controls().setEnabled(cmdStop, true);
    }
    ~DownloadGuard() {
        downloading_ = false;
        main_.controls().hide(cmdStop);
        main_.unblockButtons();
    }
    DownloadGuard(const DownloadGuard&) = delete;
    DownloadGuard& operator=(const DownloadGuard&) = delete;

private:
    MainModel& main_;
    bool& downloading_;
};

} // namespace

QCoro::Task<> GaugeSession::cmdLesen_Click() {
    if (downloading_)
        co_return;
    if (main_.state().traits.generation != '5') {
        co_await readProbeMemory();
        co_return;
    }
    values_.responseBuffer.clear();
    const WaitResult probe = co_await command(command::probeInformation(), "$gpi");
    if (!probe.answered()) {
        gaugeLost();
        co_return;
    }
    main_.state().probeInfo = values_.probeInfo;
    co_await Read_Datei();
}

QCoro::Task<bool> GaugeSession::closeFile() {
    const WaitResult closed = co_await command(command::closeFile(values_.fileHandle), "$fc");
    co_return closed.answered();
}

QCoro::Task<> GaugeSession::Read_Datei() {
    const int lang = main_.state().languageIndex;
    const QString selector = main_.controls().caption(cmbSpeicher).trimmed();
    if (selector.isEmpty())
        co_return;
    co_await unsubscribeMeasure();
    bool shown = false;
    {
        DownloadGuard guard(main_, downloading_);
        main_.state().openedFromFile = false;
        values_.fileLength = 0;
        const WaitResult opened = co_await command(command::openFile(selector), "$fr");
        if (!opened.answered()) {
            showStatus(opened.outcome == WaitOutcome::Cancelled
                           ? Texts::message(Msg::Stop, lang)
                           : Texts::message(Msg::DeviceOutOfRange, lang));
            if (opened.outcome == WaitOutcome::TimedOut || opened.outcome == WaitOutcome::Disconnected)
                gaugeLost();
            co_return;
        }

        // The table keeps what it shows until the whole memory is here.
        const command::BlockPlan plan = command::blockPlan(values_.fileLength);
        QByteArray dump;
        dump.reserve(values_.fileLength * 2);
        for (qint32 block = 0; block < plan.blockCount(); ++block) {
            std::function<bool(const QByteArray&)> isBlock = [this](const QByteArray&) {
                return lastDispatch_.kind == AnswerKind::ReadBlock;
            };
            const WaitResult answer = co_await link_.request(
                linkWindow_.commandService(), command::readBlock(values_.fileHandle, plan.blockBytes(block)),
                std::move(isBlock));
            if (!answer.answered()) {
                const bool cancelled = answer.outcome == WaitOutcome::Cancelled;
                if (cancelled)
                    co_await closeFile();
                showStatus(cancelled ? Texts::message(Msg::Stop, lang)
                                     : Texts::message(Msg::DeviceOutOfRange, lang));
                if (!cancelled)
                    gaugeLost();
                // A gauge that stopped answering would only hold the user up for another deadline.
                if (cancelled)
                    co_await subscribeMeasure();
                co_return;
            }
            dump += lastDispatch_.payload;
            showStatus(QStringLiteral("%1 / %2").arg(block + 1).arg(plan.blockCount()));
        }

        const DecodedMemory memory =
            decodeMemoryDump(dump, selector, main_.state().deviceInfo.U,
                             {main_.state().deviceModel, main_.state().measureMode, main_.state().traits});
        co_await closeFile();
        if (memory.error) {
            showStatus(memory.error->text);
            main_.log().WriteLog(memory.error->text);
            main_.prompt().message(memory.error->text, PromptIcon::Warning);
        } else {
            // A series shows no rows: the table must not keep the rows of what it showed before.
            main_.table().clear();
            shown = main_.FillMessdatenDatei(memory);
        }
    }
    co_await subscribeMeasure();
    // Reselecting the view would replace what the status field says about an empty or broken memory.
    if (shown && !selector.left(2).contains(u't'))
        co_await optFE_Click();
}

void GaugeSession::Meldung_Speicher_Leer() {
    const int lang = main_.state().languageIndex;
    main_.controls().setCaption(txtSpeicher, main_.state().traits.clock == 'L'
                                                 ? Texts::message(Msg::MemoryEmpty, lang)
                                                 : Texts::message(Msg::Ready, lang));
    main_.unblockButtons();
}

QCoro::Task<bool> GaugeSession::downloadProbeRecords(const ProbeMemoryChoice& choice, int number) {
    const int lang = main_.state().languageIndex;
    // The memory table read again, without touching the list (and without live values in between).
    const WaitResult step1 = co_await link_.read(uuid::ServiceZK, uuid::CharStorageInfo);
    if (!step1.answered()) {
        gaugeLost();
        co_return false;
    }
    int valueCount = choice.valueCount;
    for (int i = 0; i < values_.memoryNames.size() && i < values_.memoryValueCounts.size(); ++i) {
        bool numeric = false;
        if (values_.memoryNames[i].trimmed().toInt(&numeric) == number && numeric) {
            valueCount = values_.memoryValueCounts[i];
            main_.controls().setCaption(
                cmbSpeicher, probeMemoryEntry(memoryLetter(lang), values_.memoryNames[i], valueCount));
        }
    }
    main_.state().selectedMemoryNumber = number;
    main_.controls().show(optFE);
    main_.controls().setCaption(optFE, Texts::message(Msg::Memory, lang) + u' ' + choice.name +
                                           QStringLiteral(" (%1)").arg(valueCount));

    const WaitResult step2 =
        co_await link_.write(uuid::ServiceZK, uuid::CharStorageInfo, command::selectMemory(choice.name));
    if (!step2.answered()) {
        gaugeLost();
        co_return false;
    }
    QList<QByteArray> lines;
    int recordsLeft = valueCount;
    values_.storageDataEnd = false;
    while (!values_.storageDataEnd) {
        const WaitResult data = co_await link_.read(uuid::ServiceZK, uuid::CharStorageData);
        if (!data.answered()) {
            showStatus(data.outcome == WaitOutcome::Cancelled ? Texts::message(Msg::Stop, lang)
                                                              : Texts::message(Msg::DeviceOutOfRange, lang));
            if (data.outcome != WaitOutcome::Cancelled)
                gaugeLost();
            co_return false;
        }
        // An empty memory may end at once with an empty value; it is reported all the same.
        if (valueCount == 0) {
            Meldung_Speicher_Leer();
            co_return false;
        }
        if (values_.storageDataEnd)
            break;
        const StorageRecords records = storageRecords(data.value, recordsLeft);
        lines += records.lines;
        recordsLeft -= records.counted;
        showStatus(QStringLiteral("%1 / %2").arg(valueCount - recordsLeft).arg(valueCount));
    }

    // Like a memory file, the memory replaces the table only once it is read completely.
    main_.state().currentMemory = 0;
    main_.currentStore().clear();
    main_.table().clear();
    main_.Reset_Statistic();
    main_.controls().setItems(lstStat, {});
    main_.controls().show(lstStat);
    for (const QByteArray& line : lines) {
        if (main_.state().nextRowIndex > RowStore::Capacity)
            break;
        main_.FillMessdaten(line);
    }
    main_.controls().setCaption(txtSpeicher, Texts::message(Msg::Ready, lang));
    main_.optFE_Click();
    co_return true;
}

QCoro::Task<> GaugeSession::readProbeMemory() {
    const int lang = main_.state().languageIndex;
    const QString entry = main_.controls().caption(cmbSpeicher);
    if (entry.isEmpty())
        co_return;
    const std::optional<ProbeMemoryChoice> choice = parseProbeMemoryEntry(entry);
    bool numeric = false;
    const int number = choice ? choice->name.toInt(&numeric) : 0;
    co_await unsubscribeMeasure();
    if (!choice || entry == Texts::message(Msg::MemoryListEmpty, lang))
        main_.prompt().message(Texts::message(Msg::NoMemoryAvailable, lang) + QStringLiteral("\r\n"));
    else if (!numeric)
        main_.prompt().message(Texts::message(Msg::SelectMemory, lang) + QStringLiteral("\r\n"));
    if (choice && numeric && entry != Texts::message(Msg::MemoryListEmpty, lang)) {
        DownloadGuard guard(main_, downloading_);
        co_await downloadProbeRecords(*choice, number);
    }
    co_await subscribeMeasure();
    co_await link_.write(uuid::ServiceZK, uuid::CharStorageInfo, command::releaseProbe());
    main_.log().WriteLog(QStringLiteral("Ende Speicher lesen vor sub") + (linkWindow_.measureSubscribed()
                                                                              ? QStringLiteral("True")
                                                                              : QStringLiteral("False")));
}

} // namespace vexa
