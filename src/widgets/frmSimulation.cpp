#include "widgets/frmSimulation.h"

#include "widgets/ControlBinder.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace vexa {

using namespace simctl;

namespace {

constexpr double MillisecondsPerSecond = 1000.0;

} // namespace

FrmSimulation::FrmSimulation(SimulationControl& simulation, MainModel& main, QWidget* parent)
    : QWidget(parent, Qt::Tool)
    , model_(simulation, main)
    , binder_(new ControlBinder(model_.controls(), this))
    , everySeconds_(new QDoubleSpinBox(this)) {
    setObjectName(frmSimulation);

    auto* gauge = new QLabel(this);
    gauge->setObjectName(lblGauge);
    auto* measure = new QPushButton(this);
    measure->setObjectName(cmdMeasure);
    auto* every = new QCheckBox(this);
    every->setObjectName(chkEvery);
    everySeconds_->setObjectName(spnEverySeconds);
    // Whole milliseconds, so that a profile's interval shows as it is.
    everySeconds_->setDecimals(3);
    everySeconds_->setRange(0.001, 3600.0);
    everySeconds_->setSingleStep(1.0);
    everySeconds_->setSuffix(QStringLiteral(" s"));
    everySeconds_->setKeyboardTracking(false);

    auto* interval = new QHBoxLayout;
    interval->addWidget(every);
    interval->addWidget(everySeconds_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gauge);
    layout->addWidget(measure);
    layout->addLayout(interval);

    for (QObject* control :
         {static_cast<QObject*>(this), static_cast<QObject*>(gauge), static_cast<QObject*>(measure),
          static_cast<QObject*>(every), static_cast<QObject*>(everySeconds_)})
        binder_->bind(control);
    showEvery();

    connect(measure, &QPushButton::clicked, &model_, &SimulationWindowModel::cmdMeasure_Click);
    connect(every, &QCheckBox::clicked, this, [this, every](bool ticked) {
        model_.chkEvery_Click(ticked);
        // The box shows what the simulation took, also when it took nothing.
        every->setChecked(model_.controls().checked(chkEvery));
    });
    connect(everySeconds_, &QDoubleSpinBox::valueChanged, this, [this](double seconds) {
        model_.spnEverySeconds_Change(qRound(seconds * MillisecondsPerSecond));
    });
    connect(&model_, &SimulationWindowModel::everyChanged, this, &FrmSimulation::showEvery);
}

void FrmSimulation::showEvery() {
    const QSignalBlocker quiet(everySeconds_);
    everySeconds_->setValue(model_.everyMs() / MillisecondsPerSecond);
}

void FrmSimulation::closeEvent(QCloseEvent* event) {
    if (event->spontaneous())
        event->ignore();
}

} // namespace vexa
