#pragma once

#include "data/ChartTable.h"
#include "data/MeasurementSheet.h"
#include "window/ChartDrawing.h"
#include "window/ControlState.h"

#include <QObject>
#include <optional>

namespace vexa {

class Prompt;

// Object names of the chart window.
namespace chartctl {
inline const QString frmChartG = QStringLiteral("frmChartG");
inline const QString MSChartG = QStringLiteral("MSChartG");
inline const QString cmdChartType = QStringLiteral("cmdChartType");
inline const QString cmdSaveChart = QStringLiteral("cmdSaveChart");
inline const QString lblImpulszeit = QStringLiteral("lblImpulszeit");
inline const QString lblMinMax = QStringLiteral("lblMinMax");
inline const QString lblStrich = QStringLiteral("lblStrich");
inline const QString lblMean = QStringLiteral("lblMean");
} // namespace chartctl

enum class ChartFileFormat { Png, Svg, Pdf };

// Where the user wants the chart saved, and as what.
struct ChartFile {
    QString path;
    ChartFileFormat format = ChartFileFormat::Png;
};

// The chart window: the chart of one table drawn large, as a line or bar chart, with the summary of the
// memory below it. Every opening starts as a line chart.
class ChartWindowModel : public QObject {
    Q_OBJECT
public:
    // `saveStart` is where the save dialog first starts: a folder and a file name without its extension.
    ChartWindowModel(ChartTable table, const MeasurementSheet& sheet, Prompt& prompt, QString saveStart,
                     QObject* parent = nullptr);

    ControlState& controls() { return controls_; }
    const ChartTable& table() const { return table_; }
    ChartDrawing drawing() const;

    // The line/bar command.
    void cmdChartType_Click();
    // The file the chart goes into, as the user chose it; none when the dialog was cancelled.
    std::optional<ChartFile> chooseChartFile();
    // The chosen file was written: the next save starts beside it.
    void chartWritten(const QString& path);
    // Writing the chosen file failed: said with the file and the reason.
    void chartNotSaved(const QString& path, const QString& reason);

signals:
    void chartSaved(const QString& path);
    // The chart is to be drawn anew from drawing().
    void redraw();

private:
    void writeSummary(const MeasurementSheet& sheet);

    ChartTable table_;
    MeasurementSheet sheet_;
    Prompt& prompt_;
    QString saveStart_;
    ChartKind kind_ = ChartKind::Line;
    ControlState controls_;
};

// The compact chart's one-line summary: a series memory's maximum and minimum, else the mean.
QString compactChartSummary(const MeasurementSheet& sheet);

} // namespace vexa
