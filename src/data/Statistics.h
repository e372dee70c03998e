#pragma once

#include "data/MeasurementRow.h"
#include "data/SettingsState.h"
#include "data/ValueFormat.h"

#include <QChar>
#include <QString>
#include <QStringList>
#include <optional>

// The running statistics of the table: count, extremes, mean, standard deviation and the 80/20 rule of
// ISO 19840, and the statistics list built from them.
namespace vexa {

// The main window's material button. Its caption names the material it offers, which is the material
// the statistics leave out while the button is shown.
struct MaterialButton {
    bool visible = false;
    QString caption = QStringLiteral("FE");

    bool operator==(const MaterialButton&) const = default;
};

// What a statistics step reads from the window besides the row itself.
struct StatisticsContext {
    MeasureContext measure; // model, measuring mode and traits of the gauge
    QString memoryListText; // the memory list's text: "s" or "t" in its first two characters turns the
                            // material filter off
    Limits limits;
};

// One row as the statistics take it.
struct StatisticsRow {
    double value = 0;
    QString unit;
    QString material;
};

struct AddResult {
    bool counted = false; // false: the row belongs to the material the button offers
    bool several = false; // counted, and more than one row is counted now
};

// Where the statistics list starts.
struct StatisticsListHeader {
    // Memory: the memory caption heads the list, Online: "Online", none: nothing.
    std::optional<View> view;
    QString memoryCaption;
    int languageIndex = 0;
    QChar decimalSeparator = u'.'; // as the result texts were written
};

// The accumulated results; the number texts carry no surrounding blanks.
struct StatisticsState {
    static constexpr double StartMinimum = 999999;
    static constexpr double StartMaximum = -999999;

    int count = 0;
    double sum = 0;
    double absoluteSum = 0;
    double minimum = StartMinimum;
    double maximum = StartMaximum;
    double absoluteMinimum = StartMinimum;
    double absoluteMaximum = StartMaximum;
    double mean = 0;
    double absoluteMean = 0;
    double standardDeviation = 0; // sample standard deviation (divisor n - 1) of the absolute values
    QString minimumText = QStringLiteral(" ");
    QString maximumText = QStringLiteral(" ");
    QString meanText = QStringLiteral(" ");
    QString standardDeviationText = QStringLiteral(" ");
    QString referenceUnit; // unit of the first counted row
    bool mixedUnits = false;
    // Set by every added row and by others who show absolute values; cleared by the chart.
    bool absoluteValues = false;
    int bandCount = 0; // counted values v with 0.8 * target <= v < target
    bool limitViolated = false;
    double bandShare = 0; // band count in percent of the count
    bool bandShareExceeded = false;
    bool meanBelowTarget = false;
    QString materialLabel; // "FE" or "NFE" in measuring mode "SM": the material counted
    QString firstMaterial; // of the first row seen, reduced to "NF" or "FE"
    int rowCount = 0;      // count as of the last list rebuild
    // How the gauge and the limits stood at the last counted row; the list shows that state.
    bool absoluteTitle = false;
    bool rule8020Shown = false;

    bool rule8020Holds() const { return !limitViolated && !bandShareExceeded && !meanBelowTarget; }
    bool operator==(const StatisticsState&) const = default;
};

class Statistics {
public:
    const StatisticsState& state() const { return state_; }

    // Every accumulated value back to its start. The absolute-values flag is not accumulated and stays.
    // A fresh statistics also hides the material button; that is the caller's.
    void reset();

    // One row added. In measuring mode "SM" the step shows the material button and, on the first row,
    // lets it offer the other material; rows of the offered material are not counted.
    AddResult addRow(const StatisticsRow& row, const StatisticsContext& context, MaterialButton& button);

    // reset(), then the present rows of `rows` in order; rows marked "X" are read but not counted, as the
    // table leaves them out. The button keeps its state. Returns the number of rows read.
    int recount(const RowStore& rows, const StatisticsContext& context, MaterialButton& button);

    // A fresh statistics over `rows`: the button is hidden first, so the first row chooses the material.
    int recompute(const RowStore& rows, const StatisticsContext& context, MaterialButton& button);

    // The material button pressed: it offers the other material (from "FE" to "NF" on generation 5
    // gauges, else to "NFE"; from anything else to "FE"), then recount().
    int switchMaterial(const RowStore& rows, const StatisticsContext& context, MaterialButton& button);

    void setAbsoluteValues(bool on) { state_.absoluteValues = on; }

    // Deleting the table forgets which unit the statistics compare with, even when the user keeps it.
    void clearReferenceUnit() { state_.referenceUnit.clear(); }

    // The statistics list: header, title, then the value lines or the mixed-units lines; empty while
    // nothing is counted.
    QStringList lines(const StatisticsListHeader& header) const;
    // The list without its header: from the title on.
    QStringList body(int languageIndex, QChar decimalSeparator) const;
    // "Ja 0 %": whether the 80/20 rule holds and the share of values in its band.
    QString rule8020Verdict(int languageIndex) const;

private:
    StatisticsState state_;
    // Running mean and sum of squared deviations of the absolute values (Welford): the one-pass sum of
    // squares cancels for large values with a small spread.
    double spreadMean_ = 0;
    double squaredDeviations_ = 0;
};

// The first line of the statistics list of a memory: the memory word and the memory's number
// (generation 4) or its trimmed list text and its name (generation 5); empty for other gauges.
QString memoryCaption(const DeviceTraits& traits, int languageIndex, int selectedMemoryNumber,
                      const QString& memoryListText, const QString& memoryName);

} // namespace vexa
