#include "window/MainModel.h"

#include "data/LocaleTexts.h"
#include "texts/Texts.h"
#include "window/MainControls.h"
#include "window/Prompt.h"

#include <QDate>
#include <QDateTime>

namespace vexa {

using namespace ctl;

MainModel::MainModel(Prompt& prompt, QObject* parent)
    : QObject(parent)
    , prompt_(prompt) {
    statusHold_.setSingleShot(true);
    // A held text must stay its full time; a coarse timer may end it early.
    statusHold_.setTimerType(Qt::PreciseTimer);
    connect(&statusHold_, &QTimer::timeout, this, [this] {
        if (!passingStatus_.isEmpty())
            showStatus(QString(passingStatus_));
    });
    applyDesign();
}

// The look of the window before the program start touches it.
void MainModel::applyDesign() {
    const QList<std::pair<QString, QString>> designCaptions{
        {optOnline, QStringLiteral("Online")},
        {cmdOpen, QStringLiteral("Öffnen")},
        {cmdSave, QStringLiteral("Speichern")},
        {cmdprint, QStringLiteral("Drucken")},
        {cmdWord, QStringLiteral("MS Word")},
        {cmdClipboard, QStringLiteral("Clipboard")},
        {cmdExcel, QStringLiteral("MS Excel")},
        {cmdLesen, QStringLiteral("Speicher einlesen")},
        {cmdEnde, QStringLiteral("Beenden")},
        {cmdWerte, QStringLiteral("Grenzwerte")},
        {cmdProjekt, Texts::message(Msg::ProjectData, 0)},
        {cmdFlexTabelleloeschen, QStringLiteral("Tabelle löschen")},
        {cmdFlexZeileLoeschen, QStringLiteral("Zeile löschen")},
        {cmdSort, QStringLiteral("Sort")},
        {cmdChart, QStringLiteral("Chart")},
        {cmdGross, QStringLiteral("<=>")},
        {mnuDatei, QStringLiteral("&File")},
        {mnuEnd, QStringLiteral("&End program")},
        {Language, QStringLiteral("Language")},
        {mnuTastaturevent, QStringLiteral("&Tastaturevents")},
        {mnuSetTime, QStringLiteral("&SetTime")},
        {mnuHelp, QStringLiteral("&Help")},
        {mnuInfo, QStringLiteral("Info")},
        {mnuHelp1, QStringLiteral("Bedienungsanleitung")},
        {cmdRefresh, QStringLiteral("↻")},
    };
    for (const auto& [name, caption] : designCaptions)
        controls_.setCaption(name, caption);
    labelMemoryView(QStringLiteral("FE-Speicher"), std::nullopt);
    showMaterialButton();
    for (const QString& name : {cmdStop, mnuSetTime, MSChart1, picBth, lblSpeicher})
        controls_.hide(name);
}

void MainModel::programStart(const StartPaths& paths) {
    state_.decimalSeparator = decimalSeparator();
    state_.programFolder = paths.programFolder;
    state_.appDataPath = paths.appDataPath;
    state_.messDataPath = paths.messDataPath;
    log_ = std::make_unique<TransferLog>(paths.appDataPath);
    logEvents_.setLog(log_.get(), {paths.programFolder, paths.appDataPath, paths.messDataPath});
    settingsFiles_ = std::make_unique<SettingsFiles>(
        paths.appDataPath, *log_, [this](int languageIndex) { applyLanguage(languageIndex); });
    programSettings_ = settingsFiles_->readProgramSettings();
    state_.languageIndex = programSettings_.languageIndex;

    for (const QString& name : {FrameWerte, FrameStatistik, FrameBefehle, cmdProjekt, cmdWerte})
        controls_.hide(name);
    controls_.show(frmPic);
    log_->DeleteLog();
    controls_.hide(picUsb);

    for (const QString& name : {lstStat, MSChart1, cmdChart, cmdGross, txtMittelwert, cmdLesen})
        controls_.hide(name);
    materialButton_.visible = false;
    showMaterialButton();
    controls_.show(txtSpeicher);
    for (const QString& name : {BattIcon, lblBatterie, cmbSpeicher, cmdRefresh, picZK, picBth, frmPic})
        controls_.hide(name);

    controls_.setCaption(frmTransfer, windowTitle());

    state_.languageIndex = clampLanguage(state_.languageIndex);
    applyTexts();

    blockButtons();
    state_.view = View::Memory;
    setupTable();
    controls_.show(MSFlex);
    controls_.show(cmdConnect);
    checkLanguageMenu();
    Reset_Statistic();
    blockButtons();
    // A measurement file can be looked at before any gauge is connected.
    commandAccess_ = CommandAccess::WithoutGauge;
    applyCommandState();
}

void MainModel::applyTexts() {
    const int lang = state_.languageIndex;
    const auto command = [lang](Cmd slot) { return Texts::command(slot, lang); };
    const auto message = [lang](Msg slot) { return Texts::message(slot, lang); };

    // The button's caption is redone from the link's state; a pending reconnect starts over as a connect.
    setConnectAction(state_.connected ? ConnectAction::Disconnect : ConnectAction::Connect);
    controls_.setCaption(mnuDatei, command(Cmd::FileMenu));
    controls_.setCaption(cmdOpen, command(Cmd::OpenFile));
    controls_.setCaption(cmdSave, command(Cmd::SaveToFile));
    controls_.setCaption(cmdprint, command(Cmd::Print));
    controls_.setCaption(cmdPdfReport, Texts::notice(Notice::PdfReportCommand, lang));
    controls_.setCaption(mnuEnd, command(Cmd::ExitProgramMenu));
    controls_.setCaption(cmdEnde, command(Cmd::ExitProgram));
    controls_.setCaption(Language, command(Cmd::LanguageMenu));
    controls_.setCaption(English, command(Cmd::English));
    controls_.setCaption(German, command(Cmd::German));
    controls_.setCaption(mnuTastaturevent, command(Cmd::KeyEvents));
    controls_.setCaption(mnuPruefung, Texts::notice(Notice::InspectionCommand, lang));
    controls_.setCaption(mnuHelp, command(Cmd::HelpMenu));
    controls_.setCaption(mnuInfo, command(Cmd::Info));
    controls_.setCaption(mnuHelp1, command(Cmd::Manual));
    controls_.setCaption(mnuDiagnose, Texts::notice(Notice::CopyDiagnostics, lang));
    controls_.setCaption(cmdProjekt, message(Msg::ProjectData));
    controls_.setCaption(cmdWerte, message(Msg::Limits));
    controls_.setCaption(cmdLesen, message(Msg::ReadMemory));
    controls_.setCaption(cmdFlexZeileLoeschen, message(Msg::DeleteRow));
    controls_.setCaption(cmdFlexTabelleloeschen, message(Msg::DeleteTable));
    showLinkStatus(state_.connected ? LinkStatus::Connected : LinkStatus::PleaseWait);
    showStatus(message(Msg::Ready));
    controls_.setCaption(cmdStop, message(Msg::Stop));
    controls_.setCaption(lblBatterie, message(Msg::Battery));
    controls_.setCaption(FrameWerte, message(Msg::MeasurementsFrame));
    controls_.setCaption(FrameBefehle, message(Msg::CommandsFrame));
    controls_.setCaption(Frame4, message(Msg::CopyDataTo));
    emit textsApplied();
}

bool MainModel::Voreinstellungen(QStringView aktion) {
    if (!settingsFiles_)
        return false;
    settings_.languageIndex = state_.languageIndex;
    const std::optional<QString> failure =
        settingsFiles_->Voreinstellungen(aktion, state_.gauge.deviceNumber(), settings_);
    if (failure)
        prompt_.message(*failure);
    return !failure;
}

void MainModel::switchLanguage(int languageIndex) {
    applyLanguage(languageIndex);
    writeProgramSettings();
    Voreinstellungen(u"SS");
    Voreinstellungen(u"PI");
    refreshLimitsCaption();
}

void MainModel::rememberGauge(const LastGauge& gauge) {
    programSettings_.lastGauge = gauge;
    writeProgramSettings();
}

void MainModel::writeProgramSettings() {
    if (!settingsFiles_)
        return;
    programSettings_.languageIndex = state_.languageIndex;
    if (const std::optional<QString> failure =
            settingsFiles_->writeProgramSettings(programSettings_, state_.languageIndex))
        prompt_.message(*failure);
}

// The language file of the gauge was read: every caption changes at once.
void MainModel::applyLanguage(int languageIndex) {
    state_.languageIndex = clampLanguage(languageIndex);
    applyTexts();
    checkLanguageMenu();
    setupTable();
    relabelMemoryView();
    refreshStatisticsList();
}

void MainModel::checkLanguageMenu() {
    controls_.setChecked(German, state_.languageIndex == 0);
    controls_.setChecked(English, state_.languageIndex != 0);
}

void MainModel::blockButtons() {
    commandAccess_ = CommandAccess::None;
    applyCommandState();
}

void MainModel::unblockButtons() {
    commandAccess_ = CommandAccess::All;
    applyCommandState();
}

void MainModel::setConnected(bool connected) {
    state_.connected = connected;
    applyCommandState();
}

void MainModel::setClockWindowOpen(bool open) {
    clockWindowOpen_ = open;
    applyCommandState();
}

void MainModel::applyCommandState() {
    const auto given = [this](const QString& name) {
        switch (commandAccess_) {
        case CommandAccess::WithoutGauge:
            return commandsWithoutGauge().contains(name);
        case CommandAccess::None:
            return false;
        case CommandAccess::All:
            return true;
        }
        return false;
    };
    for (const QString& name : commandSet())
        controls_.setEnabled(name, given(name) && (state_.connected || !gaugeCommands().contains(name)));
    // Outside the command set: only the link decides.
    controls_.setEnabled(cmdRefresh, state_.connected);
    controls_.setEnabled(cmdConnect, true);
    if (clockWindowOpen_)
        for (const QString& name : commandsTalkingToGauge())
            controls_.setEnabled(name, false);
}

void MainModel::showStatus(const QString& text) {
    statusHold_.stop();
    passingStatus_.clear();
    controls_.setCaption(txtSpeicher, text);
}

void MainModel::showHeldStatus(const QString& text) {
    showStatus(text);
    statusHold_.start(StatusHold);
}

void MainModel::showPassingStatus(const QString& text) {
    if (statusHold_.isActive())
        passingStatus_ = text;
    else
        showStatus(text);
}

void MainModel::showLinkStatus(LinkStatus status) {
    state_.linkStatus = status;
    const int lang = state_.languageIndex;
    switch (status) {
    case LinkStatus::PleaseWait:
        controls_.setCaption(txtWait, Texts::message(Msg::PleaseWait, lang));
        break;
    case LinkStatus::Connected:
        controls_.setCaption(txtWait, Texts::command(Cmd::Connected, lang));
        break;
    case LinkStatus::Disconnected:
        controls_.setCaption(txtWait, Texts::command(Cmd::Disconnected, lang));
        break;
    case LinkStatus::NotConnected:
        controls_.setCaption(txtWait, Texts::command(Cmd::NotConnected, lang));
        break;
    case LinkStatus::OutOfRange:
        controls_.setCaption(txtWait, Texts::message(Msg::DeviceOutOfRange, lang));
        break;
    }
}

void MainModel::setConnectAction(ConnectAction action) {
    state_.connectAction = action;
    const Cmd caption = action == ConnectAction::Disconnect  ? Cmd::Disconnect
                        : action == ConnectAction::Reconnect ? Cmd::Reconnect
                                                             : Cmd::Connect;
    controls_.setCaption(cmdConnect, Texts::command(caption, state_.languageIndex));
}

QString MainModel::pictureFile(const QString& fileName) const {
    return state_.programFolder + QLatin1Char('/') + fileName;
}

void MainModel::applyInitialisation(const Initialisation& init) {
    // The status field's look before a model picture moves it.
    controls_.setTwips(txtSpeicher, QRect(2780, 300, 1450, 400));
    controls_.setBackground(txtSpeicher, Rgb{64, 64, 64});
    controls_.setForeground(txtSpeicher, colours::white);
    controls_.setFontPoints(txtSpeicher, 12);

    state_.gauge = init.identity;
    const ModelDecision& model = init.identity.model;
    controls_.setVisible(frmPic, model.pictureFrameVisible);
    controls_.setBackground(frmPic, model.pictureFrameBackground);

    if (init.picture) {
        controls_.setPicture(picZK, pictureFile(init.picture->fileName),
                             init.picture->fit == PictureFit::Stretched);
        if (init.picture->hidesPictureFrame)
            controls_.hide(frmPic);
        if (init.picture->movesStatusField) {
            controls_.setTwips(txtSpeicher, QRect(1000, 700, 3000, 450));
            controls_.setBackground(txtSpeicher, Rgb{120, 127, 122});
            controls_.setForeground(txtSpeicher, Rgb{0, 0, 0});
        }
    }

    if (!init.brand.frameFile.isEmpty())
        controls_.setPicture(picRahmen, pictureFile(init.brand.frameFile), true);
    controls_.setPicture(picVexa, pictureFile(init.brand.logoFile), true);
    controls_.show(picVexa);
    if (!init.brand.iconFile.isEmpty())
        controls_.setPicture(frmTransfer, pictureFile(init.brand.iconFile), false);
    controls_.setCaption(FrameStatistik, init.brand.companyCaption);
    controls_.setForeground(FrameStatistik, init.brand.captionColour);
    controls_.setForeground(txtWait, init.brand.captionColour);

    for (const QString& name : {lstStat, cmdGross, cmdChart})
        controls_.hide(name);
    materialButton_.visible = false;
    showMaterialButton();

    controls_.show(picZK);
    controls_.setCaption(frmTransfer, windowTitle());
    controls_.setEnabled(mnuSetTime, init.clockMenu);
    controls_.setVisible(mnuSetTime, init.clockMenu);

    controls_.show(picRahmen);
    controls_.hide(picBth);
    controls_.hide(picUsb);
    labelMemoryView(QString(), std::nullopt);
    controls_.show(MSFlex);
    controls_.hide(cmdStop);

    state_.projectDate = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
    state_.nextRowIndex = 1;
    stores_.memory.clear();
    stores_.online.clear();
    unsaved_ = {};

    Voreinstellungen(u"SL");
    Voreinstellungen(u"TL");
    Voreinstellungen(u"IL");
    inspectionWindow_.gaugeSettingsRead();
    // The program readings are typed into starts with the gauge, unless it runs already.
    keyForwarder_.startTarget();

    for (const QString& name : {FrameWerte, FrameStatistik, FrameBefehle, cmdProjekt, cmdWerte})
        controls_.show(name);
}

void MainModel::showBattery(double volts) {
    const std::optional<BatterySymbol> symbol = batterySymbol(state_.gauge.traits, volts);
    if (!symbol)
        return;
    controls_.setCaption(BattIcon, QString(symbol->symbol));
    controls_.setForeground(BattIcon, symbol->colour);
    controls_.show(BattIcon);
    controls_.show(lblBatterie);
}

} // namespace vexa
