#include "widgets/frmTransfer.h"

#include "report/InspectionReport.h"
#include "widgets/BLE.h"
#include "widgets/BringToFront.h"
#include "widgets/ChartPlot.h"
#include "widgets/ControlBinder.h"
#include "widgets/ManualOpener.h"
#include "widgets/Picture.h"
#include "widgets/QtTranslation.h"
#include "widgets/ReportPrinter.h"
#include "widgets/frmChartG.h"
#include "widgets/frmInfo.h"
#include "widgets/frmProjekt.h"
#include "widgets/frmPruefung.h"
#include "widgets/frmTastatur.h"
#include "widgets/frmTime.h"
#include "widgets/frmWerte.h"
#include "window/MainControls.h"
#include "window/MainModel.h"
#include "window/Prompt.h"
#include "window/WindowSession.h"

#include <QChartView>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>

namespace vexa {

using namespace ctl;

FrmTransfer::FrmTransfer(MainModel& model, WindowSession* session, QWidget* parent)
    : QMainWindow(parent)
    , model_(model)
    , session_(session)
    , binder_(new ControlBinder(model.controls(), this))
    , qtTranslation_(new QtTranslation(this))
    , viewDocument_(&QDesktopServices::openUrl) {
    setObjectName(frmTransfer);
    model_.setPdfReportWriter([](const MeasurementSheet& sheet, const QString& path) {
        return writeInspectionReport(sheet, path);
    });
    // A saved workbook opens with the same desktop program as the manual, while this window is there.
    model_.setFileOpener([window = QPointer<FrmTransfer>(this)](const QString& path) {
        return window && window->viewDocument_ && window->viewDocument_(QUrl::fromLocalFile(path));
    });
    // A maker's icon beside the program replaces it once the gauge is known.
    setWindowIcon(programIcon());
    buildMenus();
    buildControls();
    resize(QSize(900, 600).expandedTo(minimumSizeHint()));
    connectActions();
    if (session_)
        connectSession();
    binder_->bind(this);
}

void FrmTransfer::connectSession() {
    WindowSession& session = *session_;
    const auto onClick = [this](const QString& name, auto handler) {
        connect(findChild<QAbstractButton*>(name), &QAbstractButton::clicked, this, handler);
    };
    onClick(cmdConnect, [&session] { session.cmdConnect_Click(); });
    onClick(cmdLesen, [&session] { session.cmdLesen_Click(); });
    onClick(cmdStop, [&session] { session.cmdStop_Click(); });
    onClick(cmdRefresh, [&session] { session.cmdRefresh_Click(); });
    connect(&session, &WindowSession::linkWindowRequested, this, [this, &session] {
        FrmBLE window(session, this);
        window.exec();
    });
    ClockWindowModel& clock = session.clockWindow();
    connect(findChild<QAction*>(mnuSetTime), &QAction::triggered, this,
            [&clock] { clock.mnuSetTime_Click(); });
    connect(&clock, &ClockWindowModel::windowRequested, this, [this, &clock] {
        if (!clockWindow_)
            clockWindow_ = new FrmTime(clock, this);
        clockWindow_->show();
        bringToFront(*clockWindow_);
    });
}

void FrmTransfer::closeEvent(QCloseEvent* event) {
    if (!ending_ && !model_.mayLeave()) {
        event->ignore();
        return;
    }
    // Its choices are stored as when it is closed by itself.
    if (inspection_ && inspection_->isVisible())
        inspection_->close();
    if (!session_ || ending_ || !session_->gauge().linkConnected()) {
        event->accept();
        return;
    }
    // The gauge is disconnected before the window goes.
    event->ignore();
    endProgram();
}

QCoro::Task<> FrmTransfer::endProgram() {
    ending_ = true;
    // Its display stops asking the gauge before the gauge is let go.
    if (clockWindow_)
        clockWindow_->close();
    co_await session_->endProgram();
    close();
}

void FrmTransfer::buildMenus() {
    const auto addMenu = [this](const QString& name) {
        QMenu* menu = menuBar()->addMenu(QString());
        menu->setObjectName(name);
        binder_->bind(menu);
        return menu;
    };
    const auto addAction = [this](auto* owner, const QString& name, bool checkable = false) {
        QAction* action = owner->addAction(QString());
        action->setObjectName(name);
        action->setCheckable(checkable);
        binder_->bind(action);
    };

    QMenu* file = addMenu(mnuDatei);
    addAction(file, mnuEnd);
    QMenu* language = addMenu(Language);
    addAction(language, English, true);
    addAction(language, German, true);
    addAction(menuBar(), mnuTastaturevent);
    addAction(menuBar(), mnuPruefung);
    addAction(menuBar(), mnuSetTime);
    QMenu* help = addMenu(mnuHelp);
    addAction(help, mnuInfo);
    addAction(help, mnuHelp1);
    addAction(help, mnuDiagnose);
}

void FrmTransfer::showLimits() {
    if (!limits_) {
        limits_ = new FrmWerte(model_.settings().limits, model_.prompt(), this);
        limits_->setOnSave([this] { model_.saveLimits(); });
        limits_->setOnLimitsChanged([this] { model_.limitsAccepted(); });
        limits_->setOnClosed([this] { model_.refreshLimitsCaption(); });
    }
    limits_->setLanguageIndex(model_.state().languageIndex);
    limits_->setRule8020Offered(model_.state().gauge.traits.offers8020());
    limits_->show();
    limits_->raise();
    limits_->activateWindow();
}

void FrmTransfer::showChartWindow() {
    const std::unique_ptr<ChartWindowModel> chart = model_.chartWindow();
    if (!chart)
        return;
    FrmChartG window(*chart, this);
    window.exec();
}

void FrmTransfer::printReport() {
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (const std::optional<PrintFailure> failure = vexa::printReport(printer, model_.printedReport()))
        model_.reportNotPrinted(*failure, printer.outputFileName().isEmpty() ? printer.printerName()
                                                                             : printer.outputFileName());
}

void FrmTransfer::showInformation() {
    if (!information_)
        information_ = new FrmInfo(this);
    information_->showTexts(model_.information());
    information_->show();
    information_->raise();
    information_->activateWindow();
}

void FrmTransfer::showProject() {
    if (!project_)
        project_ = new FrmProjekt(model_.projectWindow(), this);
    project_->show();
    project_->raise();
    project_->activateWindow();
}

void FrmTransfer::connectActions() {
    // The memory the user picks is the list's text the logic reads.
    connect(findChild<QComboBox*>(cmbSpeicher), &QComboBox::currentTextChanged, &model_,
            &MainModel::cmbSpeicher_Change);
    auto* table = findChild<QTableView*>(MSFlex);
    connect(table, &QTableView::clicked, &model_,
            [this](const QModelIndex& index) { model_.MSFlex_Click(index.row()); });
    connect(&model_, &MainModel::textsApplied, qtTranslation_,
            [this] { qtTranslation_->setLanguage(model_.state().languageIndex); });
    qtTranslation_->setLanguage(model_.state().languageIndex);
    connect(&model_, &MainModel::scrollToLastRow, table, [table] {
        if (table->model()->rowCount() > 2)
            table->scrollTo(table->model()->index(table->model()->rowCount() - 1, 0),
                            QAbstractItemView::PositionAtTop);
    });
    const auto onClick = [this](const QString& name, void (MainModel::*handler)()) {
        connect(findChild<QAbstractButton*>(name), &QAbstractButton::clicked, &model_, handler);
    };
    onClick(cmdFlexZeileLoeschen, &MainModel::cmdFlexZeileLoeschen_Click);
    onClick(cmdFlexTabelleloeschen, &MainModel::cmdFlexTabelleloeschen_Click);
    onClick(cmdSort, &MainModel::cmdSort_Click);
    onClick(cmdMaterial, &MainModel::cmdMaterial_Click);
    onClick(cmdSave, &MainModel::cmdSave_Click);
    onClick(cmdOpen, &MainModel::cmdOpen_Click);
    onClick(cmdExcel, &MainModel::cmdExcel_Click);
    onClick(cmdWord, &MainModel::cmdWord_Click);
    onClick(cmdPdfReport, &MainModel::cmdPdfReport_Click);
    onClick(cmdClipboard, &MainModel::cmdClipboard_Click);
    connect(&model_, &MainModel::copyToClipboard, this,
            [](const QString& text) { QGuiApplication::clipboard()->setText(text); });
    connect(findChild<QAbstractButton*>(cmdprint), &QAbstractButton::clicked, this,
            &FrmTransfer::printReport);
    onClick(cmdChart, &MainModel::cmdChart_Click);
    onClick(cmdGross, &MainModel::cmdGross_Click);
    auto* compactChart = findChild<QChartView*>(MSChart1);
    connect(&model_, &MainModel::compactChartBuilt, compactChart, [this, compactChart] {
        drawChart(*compactChart, model_.compactChart(), compactChartDrawing(model_.compactChart()));
    });
    // Queued: whoever asked for the window (a download, say) is done before the window holds the user.
    connect(&model_, &MainModel::chartWindowRequested, this, &FrmTransfer::showChartWindow,
            Qt::QueuedConnection);
    if (session_) {
        connect(findChild<QAbstractButton*>(optFE), &QAbstractButton::clicked, this,
                [this] { session_->optFE_Click(); });
        connect(findChild<QAbstractButton*>(optOnline), &QAbstractButton::clicked, this,
                [this] { session_->optOnline_Click(); });
    } else {
        onClick(optFE, &MainModel::optFE_Click);
        onClick(optOnline, &MainModel::optOnline_Click);
    }
    connect(findChild<QAbstractButton*>(cmdWerte), &QAbstractButton::clicked, this, &FrmTransfer::showLimits);
    connect(findChild<QAction*>(English), &QAction::triggered, &model_, &MainModel::englishClick);
    connect(findChild<QAction*>(German), &QAction::triggered, &model_, &MainModel::germanClick);
    connect(findChild<QAction*>(mnuEnd), &QAction::triggered, this, &QWidget::close);
    connect(findChild<QAction*>(mnuInfo), &QAction::triggered, &model_, &MainModel::mnuInfo_Click);
    connect(findChild<QAction*>(mnuDiagnose), &QAction::triggered, &model_,
            [this] { model_.mnuDiagnose_Click(); });
    KeyboardWindowModel& keys = model_.keyboardWindow();
    connect(findChild<QAction*>(mnuTastaturevent), &QAction::triggered, &keys,
            &KeyboardWindowModel::mnuTastaturevent_Click);
    connect(&keys, &KeyboardWindowModel::windowRequested, this, [this, &keys] {
        if (!keyEvents_)
            keyEvents_ = new FrmTastatur(keys, this);
        keyEvents_->show();
        bringToFront(*keyEvents_);
    });
    InspectionWindowModel& inspection = model_.inspectionWindow();
    connect(findChild<QAction*>(mnuPruefung), &QAction::triggered, &inspection,
            &InspectionWindowModel::mnuPruefung_Click);
    connect(&inspection, &InspectionWindowModel::windowRequested, this, [this, &inspection] {
        if (!inspection_)
            inspection_ = new FrmPruefung(inspection, this);
        inspection_->show();
        bringToFront(*inspection_);
    });
    connect(&inspection, &InspectionWindowModel::tableRowShown, table, [table](int row) {
        table->scrollTo(table->model()->index(row, 0), QAbstractItemView::PositionAtTop);
    });
    connect(&model_, &MainModel::informationWindowRequested, this, &FrmTransfer::showInformation);
    onClick(cmdProjekt, &MainModel::cmdProjekt_Click);
    connect(&model_, &MainModel::projectWindowRequested, this, &FrmTransfer::showProject);
    connect(findChild<QAction*>(mnuHelp1), &QAction::triggered, this, [this] {
        switch (openManual(model_.manualPath(), model_.state().languageIndex, viewDocument_)) {
        case ManualOutcome::Opened:
            break;
        case ManualOutcome::NotWritten:
            model_.prompt().message(model_.manualNotFoundMessage(), PromptIcon::None);
            break;
        case ManualOutcome::NoViewer:
            model_.prompt().message(model_.manualWithoutViewerMessage(), PromptIcon::None);
            break;
        }
    });
    connect(findChild<QPushButton*>(cmdEnde), &QPushButton::clicked, this, &QWidget::close);
}

} // namespace vexa
