// The memory and online views, their captions with row counts, and the manual.
#include "texts/Texts.h"
#include "window/LimitsCaption.h"
#include "window/MainControls.h"
#include "window/MainModel.h"

namespace vexa {

using namespace ctl;

void MainModel::showCopyCommands() {
    for (const QString& name : {cmdprint, cmdWord, cmdClipboard, cmdExcel})
        controls_.show(name);
}

void MainModel::optFE_Click() {
    controls_.hide(cmdStop);
    controls_.setCaption(txtSpeicher, Texts::message(Msg::Ready, state_.languageIndex));
    for (const QString& name : {cmdChart, cmdGross, txtMittelwert})
        controls_.hide(name);
    showCopyCommands();
    unblockButtons();
    Reset_Statistic();
    controls_.setItems(lstStat, {});
    state_.currentMemory = 0;
    FillMSFlexOne();
    controls_.show(lstStat);
    controls_.show(MSFlex);
    unblockButtons();
    controls_.setChecked(optFE, true);
    controls_.setChecked(optOnline, false);
}

void MainModel::optOnline_Click() {
    controls_.setCaption(txtSpeicher, Texts::message(Msg::Ready, state_.languageIndex));
    for (const QString& name : {cmdChart, cmdGross, txtMittelwert})
        controls_.hide(name);
    state_.currentMemory = 2;
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
    if (state_.currentMemory == 0)
        optFE_Click();
    else if (state_.currentMemory == 2)
        optOnline_Click();
}

void MainModel::Button_setzen_Init() {
    const QString caption = statisticsHeader().memoryCaption;
    if (state_.currentMemory == 0)
        controls_.setCaption(optFE, caption + QStringLiteral(" (0)"));
    else if (state_.currentMemory == 2)
        controls_.setCaption(optOnline,
                             Texts::message(Msg::Online, state_.languageIndex) + QStringLiteral(" (0)"));
}

void MainModel::Button_setzen() {
    if (state_.currentMemory == 0) {
        const QString caption = controls_.caption(optFE);
        const qsizetype bracket = caption.indexOf(u'(');
        if (bracket >= 0)
            controls_.setCaption(optFE,
                                 caption.left(std::max<qsizetype>(0, bracket - 1)) + memoryCaptionSuffix_);
    } else if (state_.currentMemory == 2) {
        controls_.setCaption(optOnline,
                             Texts::message(Msg::Online, state_.languageIndex) + memoryCaptionSuffix_);
    }
    memoryCaptionSuffix_ = QStringLiteral(" (0)");
}

void MainModel::relabelMemoryView() {
    const QString caption = controls_.caption(optFE);
    const qsizetype bracket = caption.indexOf(u'(');
    if (state_.traits.generation != '4' || caption.isEmpty() || bracket < 0)
        return;
    controls_.setCaption(optFE, statisticsHeader().memoryCaption + QLatin1Char(' ') + caption.mid(bracket));
}

void MainModel::refreshLimitsCaption() {
    controls_.setCaption(cmdWerte, limitsCaption(settings_.limits, state_.deviceModel, state_.languageIndex));
}

void MainModel::saveLimits() {
    Focus_setzen();
    Voreinstellungen(u"LS");
    refreshLimitsCaption();
}

QString MainModel::manualPath() const {
    return state_.appDataPath + (state_.languageIndex != 0 ? QStringLiteral("/EN_Manual_Vexa_Connect.pdf")
                                                           : QStringLiteral("/DE_Manual_Vexa_Connect.pdf"));
}

QString MainModel::manualNotFoundMessage() const {
    return state_.languageIndex != 0
               ? QStringLiteral("File ") + manualPath() + QStringLiteral(" not found ")
               : QStringLiteral("Datei ") + manualPath() + QStringLiteral(" wurde nicht gefunden");
}

} // namespace vexa
