// Reading a memory from the gauge: a memory file block by block, or the records of a probe memory.
#include "protocol/MemoryList.h"
#include "texts/Texts.h"
#include "window/MainControls.h"
#include "window/MainModel.h"
#include "window/Prompt.h"
#include "window/WindowSession.h"

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

// A gauge that stopped answering would only hold the user up for another deadline.
bool gaugeStillAnswers(GaugeError error) {
    return error == GaugeError::Cancelled || error == GaugeError::Decoding;
}

} // namespace

QCoro::Task<> WindowSession::cmdLesen_Click() {
    if (downloading_)
        co_return;
    if (main_.state().gauge.traits.hasMemoryFiles())
        co_await downloadMemoryFile();
    else
        co_await readProbeMemory();
}

QCoro::Task<> WindowSession::downloadMemoryFile() {
    const int lang = main_.state().languageIndex;
    const QString selector = main_.state().selectedMemory.trimmed();
    if (selector.isEmpty())
        co_return;
    bool shown = false;
    bool series = false;
    bool answering = true;
    {
        DownloadGuard guard(main_, downloading_);
        main_.state().openedFromFile = false;
        download_.reset();
        const GaugeResult<DecodedMemory> memory = co_await gauge_.downloadFile(selector, &download_);
        if (memory) {
            // The table keeps what it shows until the whole memory is here; a series shows no rows, so the
            // table must not keep the rows of what it showed before.
            main_.table().clear();
            shown = main_.FillMessdatenDatei(*memory);
            series = memory->kind == MemoryKind::Series;
        } else if (memory.error() == GaugeError::Cancelled) {
            showStatus(Texts::message(Msg::Stop, lang));
        } else if (memory.error() == GaugeError::Decoding) {
            showStatus(memory.failure().detail);
            main_.prompt().message(memory.failure().detail, PromptIcon::Warning);
        } else {
            showStatus(Texts::message(Msg::DeviceOutOfRange, lang));
        }
        answering = memory || gaugeStillAnswers(memory.error());
    }
    if (!answering) {
        gaugeLost();
        co_return;
    }
    if (!shown)
        co_return;
    // A series is charted once the download is over and live values are on again, so the chart window
    // holds nothing up. Reselecting the view would replace what the status field says about an empty or
    // broken memory.
    if (series)
        main_.showSeriesChart();
    else
        co_await optFE_Click();
}

void WindowSession::reportEmptyMemory() {
    const int lang = main_.state().languageIndex;
    if (main_.state().gauge.traits.setsClock())
        main_.showHeldStatus(Texts::message(Msg::MemoryEmpty, lang));
    else
        main_.showStatus(Texts::message(Msg::Ready, lang));
    main_.unblockButtons();
}

QCoro::Task<> WindowSession::readProbeMemory() {
    const int lang = main_.state().languageIndex;
    const QString entry = main_.state().selectedMemory;
    if (entry.isEmpty())
        co_return;
    const std::optional<ProbeMemoryChoice> choice = parseProbeMemoryEntry(entry);
    bool numeric = false;
    const int number = choice ? choice->name.toInt(&numeric) : 0;
    const bool listEmpty = entry == Texts::message(Msg::MemoryListEmpty, lang);
    if (choice && numeric && !listEmpty) {
        DownloadGuard guard(main_, downloading_);
        co_await downloadProbeMemory(choice->name, choice->valueCount, number);
        co_return;
    }
    co_await gauge_.switchLiveValues(false);
    main_.prompt().message(
        Texts::message(!choice || listEmpty ? Msg::NoMemoryAvailable : Msg::SelectMemory, lang) +
        QStringLiteral("\r\n"));
    co_await gauge_.finishProbeMemory();
}

QCoro::Task<> WindowSession::downloadProbeMemory(QString name, int valueCount, int number) {
    const int lang = main_.state().languageIndex;
    download_.reset();
    const ProbeMemory chosen{name, valueCount};
    const GaugeResult<ProbeMemoryDownload> result =
        co_await gauge_.downloadProbeMemory(chosen, number, &download_);
    if (!result) {
        if (result.error() == GaugeError::Cancelled) {
            showStatus(Texts::message(Msg::Stop, lang));
            co_return;
        }
        showStatus(Texts::message(Msg::DeviceOutOfRange, lang));
        gaugeLost();
        co_return;
    }
    const ProbeMemoryDownload& download = *result;
    if (download.listed)
        main_.chooseMemory(probeMemoryEntry(memoryLetter(lang), download.listed->name, download.valueCount));
    main_.state().selectedMemoryNumber = number;
    main_.controls().show(optFE);
    main_.labelMemoryView(Texts::message(Msg::Memory, lang) + u' ' + name, download.valueCount);
    if (download.empty) {
        reportEmptyMemory();
        co_return;
    }

    // Like a memory file, the memory replaces the table only once it is read completely.
    main_.state().view = View::Memory;
    main_.currentStore().clear();
    main_.forgetDecodedMemory();
    main_.table().clear();
    main_.Reset_Statistic();
    main_.controls().setItems(lstStat, {});
    main_.controls().show(lstStat);
    bool cut = false;
    for (const RecordRow& record : download.records) {
        if (main_.state().nextRowIndex > RowStore::Capacity) {
            cut = true;
            break;
        }
        main_.FillMessdaten(record);
    }
    main_.showStatus(Texts::message(Msg::Ready, lang));
    main_.optFE_Click();
    if (cut)
        main_.showMemoryCut();
}

} // namespace vexa
