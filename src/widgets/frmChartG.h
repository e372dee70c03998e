#pragma once

#include "window/ChartWindowModel.h"

#include <QDialog>

class QChartView;

namespace vexa {

class ControlBinder;

// The chart window: the chart large, the line/bar switch, the memory's summary below the chart, and the
// chart saved as a picture or PDF.
class FrmChartG : public QDialog {
    Q_OBJECT
public:
    FrmChartG(ChartWindowModel& model, QWidget* parent = nullptr);

private:
    void draw();
    void saveChart();

    ChartWindowModel& model_;
    ControlBinder* binder_;
    QChartView* chart_;
};

} // namespace vexa
