#include "widgets/frmChartG.h"

#include "widgets/ChartFileWriter.h"
#include "widgets/ChartPlot.h"
#include "widgets/ControlBinder.h"
#include "widgets/Twips.h"

#include <QChartView>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa {

using namespace chartctl;

namespace {

// The window's client area in twips.
constexpr int ClientWidth = 14910;
constexpr int ClientHeight = 9690;

} // namespace

FrmChartG::FrmChartG(ChartWindowModel& model, QWidget* parent)
    : QDialog(parent)
    , model_(model)
    , binder_(new ControlBinder(model.controls(), this))
    , chart_(new QChartView(this)) {
    setObjectName(frmChartG);
    setModal(true);
    setSizeGripEnabled(true);
    resize(twipsToPixels(ClientWidth), twipsToPixels(ClientHeight));

    const auto button = [this](const QString& name) {
        auto* made = new QPushButton(this);
        made->setObjectName(name);
        made->setAutoDefault(false);
        binder_->bind(made);
        return made;
    };
    const auto label = [this](const QString& name) {
        auto* made = new QLabel(this);
        made->setObjectName(name);
        made->setTextFormat(Qt::PlainText);
        binder_->bind(made);
        return made;
    };
    QPushButton* chartType = button(cmdChartType);
    QFont bold = chartType->font();
    bold.setBold(true);
    chartType->setFont(bold);
    QPushButton* save = button(cmdSaveChart);
    chart_->setObjectName(MSChartG);
    chart_->setRenderHint(QPainter::Antialiasing);

    auto* commands = new QHBoxLayout;
    commands->addStretch(1);
    commands->addWidget(chartType);
    commands->addStretch(1);
    commands->addWidget(save);
    auto* summary = new QGridLayout;
    summary->addWidget(label(lblImpulszeit), 0, 0);
    summary->addWidget(label(lblMinMax), 0, 2);
    summary->addWidget(label(lblStrich), 1, 1);
    summary->addWidget(label(lblMean), 1, 2);
    summary->setColumnStretch(2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(commands);
    layout->addWidget(chart_, 1);
    layout->addLayout(summary);
    binder_->bind(this);

    connect(chartType, &QPushButton::clicked, &model_, &ChartWindowModel::cmdChartType_Click);
    connect(save, &QPushButton::clicked, this, &FrmChartG::saveChart);
    connect(&model_, &ChartWindowModel::redraw, this, &FrmChartG::draw);
    draw();
}

void FrmChartG::draw() {
    drawChart(*chart_, model_.table(), model_.drawing());
}

void FrmChartG::saveChart() {
    const std::optional<ChartFile> file = model_.chooseChartFile();
    if (!file)
        return;
    if (const std::optional<QString> failure = writeChartFile(*chart_, *file))
        model_.chartNotSaved(file->path, *failure);
    else
        model_.chartWritten(file->path);
}

} // namespace vexa
