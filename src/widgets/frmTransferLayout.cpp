// The main window's controls in layouts: a head band with the gauge, its status and the link; below it
// the table with the copy commands, and beside it the memories, the statistics and the commands. The
// table and the statistics take the room a larger window gives.
#include "report/FixedFont.h"
#include "texts/Texts.h"
#include "widgets/BatteryIcon.h"
#include "widgets/BluetoothIcon.h"
#include "widgets/ControlBinder.h"
#include "widgets/MeasurementTableView.h"
#include "widgets/PictureBox.h"
#include "widgets/StatusField.h"
#include "widgets/TablePaintProxy.h"
#include "widgets/frmTransfer.h"
#include "window/MainControls.h"
#include "window/MainModel.h"

#include <QChartView>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

namespace vexa {

using namespace ctl;

namespace {

// The gauge picture's height, which is the head band's.
constexpr int PictureHeight = 72;
// The longest statistics list: memory, heading, count, minimum, maximum, mean, deviation, the 80/20
// line and the blank lines between them.
constexpr int StatisticsLines = 10;
constexpr int CommandHeight = 44;
constexpr int SymbolSize = 28;

// What the status field says about the gauge and its memories, in both languages.
QStringList statusTexts() {
    QStringList texts;
    for (const int lang : {0, 1})
        for (const Msg text : {Msg::DeviceOutOfRange, Msg::MemoryEmpty, Msg::Ready, Msg::Stop})
            texts << Texts::message(text, lang);
    return texts;
}

// What the link's status says, in both languages.
QStringList linkTexts() {
    QStringList texts;
    for (const int lang : {0, 1}) {
        texts << Texts::message(Msg::DeviceOutOfRange, lang) << Texts::message(Msg::PleaseWait, lang);
        for (const Cmd text : {Cmd::Connected, Cmd::Disconnected, Cmd::NotConnected})
            texts << Texts::command(text, lang);
    }
    return texts;
}

// Room for `lines` rows of the list without a scroll bar; one probe row measures a row's height.
int listHeight(QListWidget* list, int lines) {
    list->addItem(QStringLiteral("0"));
    const int row = list->sizeHintForRow(0);
    list->clear();
    return lines * row + 2 * list->frameWidth();
}

} // namespace

template <typename W> W* FrmTransfer::make(QWidget* parent, const QString& name) {
    auto* widget = new W(parent);
    widget->setObjectName(name);
    binder_->bind(widget);
    return widget;
}

void FrmTransfer::buildControls() {
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* window = new QVBoxLayout(central);
    window->setContentsMargins(0, 0, 0, 0);
    window->setSpacing(0);

    // The frame picture lies behind the head band's controls.
    auto* band = new QWidget(central);
    auto* bandLayout = new QGridLayout(band);
    bandLayout->setContentsMargins(0, 0, 0, 0);
    auto* backdrop = make<PictureBox>(band, picRahmen);
    backdrop->setFit(PictureBox::Fit::Backdrop);
    backdrop->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    bandLayout->addWidget(backdrop, 0, 0);
    bandLayout->addWidget(buildHead(band), 0, 0);
    window->addWidget(band);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(8, 6, 8, 8);
    body->setSpacing(8);
    body->addWidget(buildTableSide(central), 3);
    body->addWidget(buildPanels(central), 2);
    window->addLayout(body, 1);
}

QWidget* FrmTransfer::buildHead(QWidget* parent) {
    auto* head = new QWidget(parent);
    auto* grid = new QGridLayout(head);
    grid->setContentsMargins(8, 6, 8, 8);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);

    // The picture frame is a coloured panel behind the picture; the picture stays when it is hidden.
    auto* panel = make<QFrame>(head, frmPic);
    panel->setFrameShape(QFrame::StyledPanel);
    auto* picture = make<PictureBox>(head, picZK);
    picture->setContentsMargins(6, 4, 6, 4);
    picture->setFixedHeight(PictureHeight);
    grid->addWidget(panel, 0, 0, 2, 1);
    grid->addWidget(picture, 0, 0, 2, 1);

    // The status field is a display as wide as its longest text; the link's status is plain text.
    auto* status = make<StatusField>(head, txtSpeicher);
    status->setAlignment(Qt::AlignCenter);
    status->setLongestTexts(statusTexts());
    status->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    grid->addWidget(status, 0, 1, 1, 5, Qt::AlignLeft);

    grid->addWidget(make<QPushButton>(head, cmdConnect), 1, 1);
    for (const bool connected : {true, false}) {
        auto* symbol = new BluetoothIcon(connected, head);
        symbol->setObjectName(connected ? picBth : picBthBlitz);
        symbol->setFixedSize(SymbolSize, SymbolSize);
        binder_->bind(symbol);
        grid->addWidget(symbol, 1, 2);
    }
    auto* cable = make<QLabel>(head, picUsb);
    cable->setAlignment(Qt::AlignCenter);
    cable->setFixedSize(SymbolSize, SymbolSize);
    model_.controls().setCaption(picUsb, QStringLiteral("⎓"));
    grid->addWidget(cable, 1, 2);

    auto* wait = make<StatusField>(head, txtWait);
    wait->setFrame(false);
    QPalette plain = wait->palette();
    plain.setColor(QPalette::Base, Qt::transparent);
    wait->setPalette(plain);
    wait->setLongestTexts(linkTexts());
    grid->addWidget(wait, 1, 3);
    auto* battery = make<BatteryIcon>(head, BattIcon);
    battery->setFixedSize(SymbolSize, SymbolSize - 4);
    grid->addWidget(battery, 1, 4);
    grid->addWidget(make<QLabel>(head, lblBatterie), 1, 5);
    grid->setColumnStretch(3, 1);
    return head;
}

QWidget* FrmTransfer::buildTableSide(QWidget* parent) {
    auto* side = new QWidget(parent);
    auto* column = new QVBoxLayout(side);
    column->setContentsMargins(0, 0, 0, 0);
    auto* table = make<MeasurementTableView>(side, MSFlex);
    auto* paint = new TablePaintProxy(table);
    paint->setSourceModel(&model_.table());
    table->setModel(paint);
    column->addWidget(table, 1);
    column->addWidget(buildCopyCommands(side));
    return side;
}

QWidget* FrmTransfer::buildCopyCommands(QWidget* parent) {
    auto* copy = make<QGroupBox>(parent, Frame4);
    auto* grid = new QGridLayout(copy);
    const QList<QString> buttons{cmdprint, cmdWord, cmdClipboard, cmdExcel};
    for (int i = 0; i < buttons.size(); ++i) {
        auto* button = make<QPushButton>(copy, buttons[i]);
        button->setMinimumHeight(CommandHeight - 4);
        grid->addWidget(button, i / 2, i % 2);
    }
    auto* report = make<QPushButton>(copy, cmdPdfReport);
    report->setMinimumHeight(CommandHeight - 4);
    grid->addWidget(report, 2, 0, 1, 2);
    return copy;
}

QWidget* FrmTransfer::buildPanels(QWidget* parent) {
    auto* side = new QWidget(parent);
    auto* column = new QVBoxLayout(side);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(buildViews(side));
    column->addWidget(buildStatistics(side), 1);
    column->addWidget(buildCommands(side));
    return side;
}

QWidget* FrmTransfer::buildViews(QWidget* parent) {
    auto* views = make<QGroupBox>(parent, FrameWerte);
    auto* grid = new QGridLayout(views);
    grid->addWidget(make<QRadioButton>(views, optFE), 0, 0);
    grid->addWidget(make<QRadioButton>(views, optOnline), 1, 0);
    grid->addWidget(make<QLabel>(views, lblSpeicher), 2, 0);
    auto* memories = make<QComboBox>(views, cmbSpeicher);
    memories->setEditable(true);
    memories->setFont(fixedFont());
    grid->addWidget(memories, 0, 1, 1, 2);
    grid->addWidget(make<QPushButton>(views, cmdRefresh), 1, 1);
    grid->addWidget(make<QPushButton>(views, cmdLesen), 1, 2);
    auto* stop = make<QPushButton>(views, cmdStop);
    grid->addWidget(stop, 2, 2);
    // The stop button comes and goes with a download; the panels below stay where they are.
    grid->setRowMinimumHeight(2, stop->sizeHint().height());
    grid->setColumnStretch(2, 1);
    return views;
}

QWidget* FrmTransfer::buildStatistics(QWidget* parent) {
    auto* statistics = make<QGroupBox>(parent, FrameStatistik);
    auto* grid = new QGridLayout(statistics);
    // The list, the logo and the chart take turns in one place.
    auto* list = make<QListWidget>(statistics, lstStat);
    list->setFont(fixedFont());
    list->setMinimumHeight(listHeight(list, StatisticsLines));
    grid->addWidget(list, 0, 0);
    auto* logo = make<PictureBox>(statistics, picVexa);
    logo->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    grid->addWidget(logo, 0, 0);
    auto* chart = make<QChartView>(statistics, MSChart1);
    chart->setRenderHint(QPainter::Antialiasing);
    grid->addWidget(chart, 0, 0);
    auto* mean = make<QLineEdit>(statistics, txtMittelwert);
    mean->setReadOnly(true);
    mean->setFixedWidth(110);
    // A series' summary names its maximum and its minimum: the box grows to show all of it.
    connect(mean, &QLineEdit::textChanged, mean, [mean](const QString& text) {
        const QMargins frame = mean->textMargins() + mean->contentsMargins();
        mean->setFixedWidth(
            std::max(110, mean->fontMetrics().horizontalAdvance(text) + frame.left() + frame.right() +
                              2 * mean->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 6));
    });
    grid->addWidget(mean, 0, 0, Qt::AlignTop | Qt::AlignRight);

    auto* buttons = new QHBoxLayout;
    for (const QString& name : {cmdMaterial, cmdChart, cmdGross})
        buttons->addWidget(make<QPushButton>(statistics, name));
    buttons->addStretch(1);
    grid->addLayout(buttons, 1, 0);
    grid->setRowStretch(0, 1);
    return statistics;
}

QWidget* FrmTransfer::buildCommands(QWidget* parent) {
    auto* commands = make<QGroupBox>(parent, FrameBefehle);
    auto* grid = new QGridLayout(commands);
    const QList<QList<QString>> rows{{cmdOpen, cmdSave, cmdWerte, cmdProjekt},
                                     {cmdFlexZeileLoeschen, cmdFlexTabelleloeschen, cmdSort, cmdEnde}};
    for (int row = 0; row < rows.size(); ++row)
        for (int column = 0; column < rows[row].size(); ++column) {
            auto* button = make<QPushButton>(commands, rows[row][column]);
            button->setMinimumHeight(CommandHeight);
            grid->addWidget(button, row, column);
        }
    return commands;
}

} // namespace vexa
