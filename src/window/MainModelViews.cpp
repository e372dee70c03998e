// The memory and online views, their captions with row counts, the memory list, the manual and the
// information window.
#include "data/RowColour.h"
#include "texts/Program.h"
#include "texts/Texts.h"
#include "window/LimitsCaption.h"
#include "window/MainControls.h"
#include "window/MainModel.h"
#include "window/Prompt.h"

namespace vexa {

using namespace ctl;

void MainModel::showCopyCommands() {
    for (const QString& name : {cmdprint, cmdWord, cmdClipboard, cmdExcel, cmdPdfReport})
        controls_.show(name);
}

void MainModel::optFE_Click() {
    controls_.hide(cmdStop);
    showPassingStatus(Texts::message(Msg::Ready, state_.languageIndex));
    for (const QString& name : {cmdChart, cmdGross, txtMittelwert})
        controls_.hide(name);
    showCopyCommands();
    unblockButtons();
    Reset_Statistic();
    controls_.setItems(lstStat, {});
    state_.view = View::Memory;
    FillMSFlexOne();
    controls_.show(lstStat);
    controls_.show(MSFlex);
    unblockButtons();
    controls_.setChecked(optFE, true);
    controls_.setChecked(optOnline, false);
}

void MainModel::optOnline_Click() {
    showPassingStatus(Texts::message(Msg::Ready, state_.languageIndex));
    for (const QString& name : {cmdChart, cmdGross, txtMittelwert})
        controls_.hide(name);
    state_.view = View::Online;
    Reset_Statistic();
    controls_.setItems(lstStat, {});
    FillMSFlexOne();
    showCopyCommands();
    controls_.show(MSFlex);
    unblockButtons();
    controls_.setChecked(optOnline, true);
    controls_.setChecked(optFE, false);
}

void MainModel::Focus_setzen() {
    if (state_.view == View::Memory)
        optFE_Click();
    else
        optOnline_Click();
}

void MainModel::labelMemoryView(const QString& text, std::optional<int> rowCount) {
    memoryViewText_ = text;
    memoryViewCount_ = rowCount;
    controls_.setCaption(optFE, rowCount ? text + QStringLiteral(" (%1)").arg(*rowCount) : text);
}

void MainModel::Button_setzen_Init() {
    const QString caption = statisticsHeader().memoryCaption;
    if (state_.view == View::Memory)
        labelMemoryView(caption, 0);
    else
        controls_.setCaption(optOnline,
                             Texts::message(Msg::Online, state_.languageIndex) + QStringLiteral(" (0)"));
}

void MainModel::Button_setzen() {
    if (state_.view == View::Memory) {
        // A view without a count (a memory file's name) keeps it so.
        if (memoryViewCount_)
            labelMemoryView(memoryViewText_, rowCountShown_);
    } else {
        controls_.setCaption(optOnline, Texts::message(Msg::Online, state_.languageIndex) +
                                            QStringLiteral(" (%1)").arg(rowCountShown_));
    }
    rowCountShown_ = 0;
}

void MainModel::relabelMemoryView() {
    if (!state_.gauge.traits.hasProbeMemories() || !memoryViewCount_)
        return;
    labelMemoryView(statisticsHeader().memoryCaption, memoryViewCount_);
}

void MainModel::showMemoryList(const QStringList& entries, const QString& empty) {
    controls_.setItems(cmbSpeicher, entries);
    chooseMemory(entries.isEmpty() ? empty : entries.first());
}

void MainModel::clearMemoryList() {
    controls_.setItems(cmbSpeicher, {});
}

void MainModel::chooseMemory(const QString& entry) {
    state_.selectedMemory = entry;
    controls_.setCaption(cmbSpeicher, entry);
}

void MainModel::cmbSpeicher_Change(const QString& text) {
    chooseMemory(text);
}

void MainModel::refreshLimitsCaption() {
    controls_.setCaption(
        cmdWerte, limitsCaption(settings_.limits, state_.gauge.model.deviceModel, state_.languageIndex));
}

void MainModel::saveLimits() {
    Focus_setzen();
    Voreinstellungen(u"LS");
    refreshLimitsCaption();
}

void MainModel::limitsAccepted() {
    const bool absolute = statistics_.state().absoluteValues;
    table_.setEvaluations([this, absolute](int storeRow) {
        return evaluationColour(currentStore()[storeRow].value, settings_.limits, absolute);
    });
    if (statistics_.state().count > 0) {
        statistics_.recompute(currentStore(), statisticsContext(), materialButton_);
        showMaterialButton();
        showStatisticsList();
    }
    refreshLimitsCaption();
}

QString MainModel::manualPath() const {
    return state_.appDataPath + (state_.languageIndex != 0 ? QStringLiteral("/EN_Manual_Vexa_Connect.pdf")
                                                           : QStringLiteral("/DE_Manual_Vexa_Connect.pdf"));
}

QString MainModel::manualNotFoundMessage() const {
    return Texts::notice(Notice::ManualNotFound, state_.languageIndex).arg(manualPath());
}

QString MainModel::manualWithoutViewerMessage() const {
    return Texts::notice(Notice::ManualWithoutViewer, state_.languageIndex).arg(manualPath());
}

void MainModel::mnuInfo_Click() {
    if (!state_.gauge.device.H.isEmpty() || state_.connected) {
        emit informationWindowRequested();
        return;
    }
    prompt_.message(windowTitle(), PromptIcon::Information);
}

InformationTexts MainModel::information() const {
    return informationTexts(state_.gauge, state_.languageIndex);
}

} // namespace vexa
