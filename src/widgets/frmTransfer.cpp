#include "widgets/frmTransfer.h"

#include "widgets/BLE.h"
#include "widgets/BatteryIcon.h"
#include "widgets/BluetoothIcon.h"
#include "widgets/ControlBinder.h"
#include "widgets/FixedFont.h"
#include "widgets/ManualOpener.h"
#include "widgets/QtTranslation.h"
#include "widgets/TablePaintProxy.h"
#include "widgets/Twips.h"
#include "widgets/frmWerte.h"
#include "window/MainControls.h"
#include "window/MainModel.h"
#include "window/Prompt.h"
#include "window/WindowSession.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

namespace vexa {

using namespace ctl;

FrmTransfer::FrmTransfer(MainModel& model, WindowSession* session, QWidget* parent)
    : QMainWindow(parent)
    , model_(model)
    , session_(session)
    , binder_(new ControlBinder(model.controls(), this))
    , qtTranslation_(new QtTranslation(this)) {
    setObjectName(frmTransfer);
    buildMenus();
    buildControls();
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
}

void FrmTransfer::closeEvent(QCloseEvent* event) {
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
    co_await session_->endProgram();
    close();
}

template <typename W> W* FrmTransfer::place(QWidget* parent, const QString& name, const QRect& pixels) {
    auto* widget = new W(parent);
    widget->setObjectName(name);
    widget->setGeometry(pixels);
    binder_->bind(widget);
    return widget;
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
    addAction(menuBar(), mnuSetTime);
    QMenu* help = addMenu(mnuHelp);
    addAction(help, mnuInfo);
    addAction(help, mnuHelp1);
}

void FrmTransfer::buildControls() {
    auto* central = new QWidget(this);
    setCentralWidget(central);
    central->setFixedSize(900, 560);

    place<QLabel>(central, picRahmen, QRect(0, 0, 900, 70));
    auto* picture = place<QFrame>(central, frmPic, QRect(8, 4, 380, 64));
    picture->setFrameShape(QFrame::StyledPanel);
    place<QLabel>(picture, picZK, QRect(4, 4, 120, 56));

    auto* status = place<QLineEdit>(central, txtSpeicher, QRect(185, 20, 97, 27));
    status->setReadOnly(true);
    status->setAlignment(Qt::AlignCenter);

    place<QPushButton>(central, cmdConnect, QRect(400, 8, 120, 28));
    for (const bool connected : {true, false}) {
        auto* symbol = new BluetoothIcon(connected, central);
        symbol->setObjectName(connected ? picBth : picBthBlitz);
        symbol->setGeometry(526, 8, 28, 28);
        binder_->bind(symbol);
    }
    auto* cable = place<QLabel>(central, picUsb, QRect(526, 8, 28, 28));
    cable->setAlignment(Qt::AlignCenter);
    model_.controls().setCaption(picUsb, QStringLiteral("⎓"));
    auto* wait = place<QLineEdit>(central, txtWait, QRect(560, 8, 330, 28));
    wait->setReadOnly(true);
    wait->setFrame(false);
    place<BatteryIcon>(central, BattIcon, QRect(400, 40, 28, 24));
    place<QLabel>(central, lblBatterie, QRect(432, 40, 100, 24));

    auto* table = place<QTableView>(central, MSFlex, twipsToPixels(QRect(250, 1100, 5500, 5100)));
    auto* paint = new TablePaintProxy(table);
    paint->setSourceModel(&model_.table());
    table->setModel(paint);
    table->setFont(fixedFont());
    table->verticalHeader()->hide();
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(false);
    // Number and value texts are padded with leading blanks: clip those rather than eliding the digits.
    table->setTextElideMode(Qt::ElideNone);
    const int widths[] = {1700, 800, 1500, 1800};
    for (int column = 0; column < 4; ++column)
        table->setColumnWidth(column, twipsToPixels(widths[column]));
    table->verticalHeader()->setDefaultSectionSize(fixedFont().pointSize() * 2 + 4);

    auto* views = place<QGroupBox>(central, FrameWerte, QRect(400, 72, 490, 112));
    place<QRadioButton>(views, optFE, QRect(10, 22, 200, 22))->setCheckable(true);
    place<QRadioButton>(views, optOnline, QRect(10, 48, 200, 22))->setCheckable(true);
    place<QLabel>(views, lblSpeicher, QRect(10, 78, 200, 22));
    auto* memories = place<QComboBox>(views, cmbSpeicher, QRect(215, 20, 265, 26));
    memories->setEditable(true);
    memories->setFont(fixedFont());
    place<QPushButton>(views, cmdRefresh, QRect(215, 50, 34, 28));
    place<QPushButton>(views, cmdLesen, QRect(254, 50, 226, 28));
    place<QPushButton>(views, cmdStop, QRect(254, 80, 226, 26));

    auto* statistics = place<QGroupBox>(central, FrameStatistik, QRect(400, 188, 490, 232));
    auto* list = place<QListWidget>(statistics, lstStat, QRect(10, 22, 470, 166));
    list->setFont(fixedFont());
    place<QLabel>(statistics, picVexa, QRect(10, 22, 470, 166));
    place<QFrame>(statistics, MSChart1, QRect(10, 22, 470, 166));
    place<QLineEdit>(statistics, txtMittelwert, QRect(370, 22, 110, 24))->setReadOnly(true);
    place<QPushButton>(statistics, cmdMaterial, QRect(10, 194, 60, 28));
    place<QPushButton>(statistics, cmdChart, QRect(76, 194, 80, 28));
    place<QPushButton>(statistics, cmdGross, QRect(162, 194, 50, 28));

    auto* commands = place<QGroupBox>(central, FrameBefehle, QRect(400, 424, 490, 128));
    const QList<QString> firstRow{cmdOpen, cmdSave, cmdWerte, cmdProjekt};
    for (int i = 0; i < firstRow.size(); ++i)
        place<QPushButton>(commands, firstRow[i], QRect(10 + i * 118, 22, 114, 48));
    const QList<QString> secondRow{cmdFlexZeileLoeschen, cmdFlexTabelleloeschen, cmdSort, cmdEnde};
    for (int i = 0; i < secondRow.size(); ++i)
        place<QPushButton>(commands, secondRow[i], QRect(10 + i * 118, 74, 114, 44));

    auto* copy = place<QGroupBox>(central, Frame4, QRect(8, 424, 384, 128));
    const QList<QString> copyButtons{cmdprint, cmdWord, cmdClipboard, cmdExcel};
    for (int i = 0; i < copyButtons.size(); ++i)
        place<QPushButton>(copy, copyButtons[i], QRect(10 + (i % 2) * 184, 22 + (i / 2) * 50, 178, 44));
}

void FrmTransfer::showLimits() {
    if (!limits_) {
        limits_ = new FrmWerte(model_.settings().limits, model_.prompt(), this);
        limits_->setOnSave([this] { model_.saveLimits(); });
        limits_->setOnClosed([this] { model_.refreshLimitsCaption(); });
    }
    limits_->setLanguageIndex(model_.state().languageIndex);
    limits_->setRule8020Offered(model_.state().gauge.traits.offers8020());
    limits_->show();
    limits_->raise();
    limits_->activateWindow();
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
    connect(findChild<QAction*>(mnuHelp1), &QAction::triggered, this, [this] {
        if (!openManual(model_.manualPath(), model_.state().languageIndex))
            model_.prompt().message(model_.manualNotFoundMessage(), PromptIcon::None);
    });
    connect(findChild<QPushButton*>(cmdEnde), &QPushButton::clicked, this, &QWidget::close);
}

} // namespace vexa
