#pragma once

#include "window/SimulationWindowModel.h"

#include <QWidget>

class QCloseEvent;
class QDoubleSpinBox;

namespace vexa {

class ControlBinder;

// The window of simulated gauges, beside the main window: "Measure" makes the connected gauge send a
// live value, "every N s" has it send one every N seconds.
class FrmSimulation : public QWidget {
    Q_OBJECT
public:
    // A tool window of `parent`: it ends with it.
    FrmSimulation(SimulationControl& simulation, MainModel& main, QWidget* parent = nullptr);

    SimulationWindowModel& model() { return model_; }

protected:
    // It is the only way to measure with the simulated gauges, so the user cannot close it; it ends with
    // the main window.
    void closeEvent(QCloseEvent* event) override;

private:
    void showEvery();

    SimulationWindowModel model_;
    ControlBinder* binder_;
    QDoubleSpinBox* everySeconds_;
};

} // namespace vexa
