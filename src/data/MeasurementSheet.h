#pragma once

#include "data/GaugeIdentity.h"
#include "data/InspectionRule.h"
#include "data/MeasurementRow.h"
#include "data/MemoryDump.h"
#include "data/SettingsState.h"
#include "data/Statistics.h"

#include <QChar>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace vexa {

// What a sheet is made of: the rows of the view shown and everything around them.
struct SheetContent {
    GaugeIdentity gauge;
    QString address; // the gauge's server id
    int languageIndex = 0;
    QChar decimalSeparator = u'.';

    View view = View::Memory;
    std::vector<MeasurementRow> rows; // the present rows of the view's store, in store order
    QString memoryListText;           // the memory chosen in the memory list, as the list shows it
    QString memoryCaption;            // heads the statistics list of the memory view
    bool openedFromFile = false;      // the memory view shows a measurement file, not a gauge's memory

    // The memory downloaded last. Its header, name and samples belong to the sheet only while the memory
    // view shows a gauge's memory file.
    MemoryKind memoryKind = MemoryKind::None;
    MemoryHeader memoryHeader;
    std::vector<double> seriesValues;
    SeriesStatistics seriesStatistics;
    bool memoryEmpty = false; // the memory held not one record
    bool rowsCut = false;     // the memory held more rows than a table does

    Limits limits;
    ProjectData project;
    ProjectLabels labels;
    // The rule the readings are to be judged by in the reports that say a verdict; none: no rule chosen.
    std::optional<RuleChoice> inspection;
};

// One value behind every output of the rows shown (text report, measurement file, JSON, CSV, and the
// charts and exports to come): the content and its statistics, counted anew from the rows.
struct MeasurementSheet : SheetContent {
    // The statistics per material: first the material the statistics list shows, then, on gauges that
    // measure two materials, the other one.
    std::vector<Statistics> materials;
    // The material button as the first statistics left it: while it shows, the material it names is left
    // out of the first statistics and of the charts.
    MaterialButton materialButton;

    // A row the first statistics and the charts take: every row while the button is hidden, else the rows
    // of the material it leaves in.
    bool showsMaterialOf(const MeasurementRow& row) const;

    // The memory view shows a series memory of the gauge: its samples, not rows.
    bool showsSeries() const;
    // The rows come from a memory file of the gauge: its header and name belong to them.
    bool showsMemoryFile() const;
    // The statistics list as the window shows it, heading included.
    QStringList statisticsList() const;
    // The unit of the first row, which the limits are stated in.
    QString tableUnit() const;
    // A row's value as the table's value column shows it: 11 characters.
    QString valueText(const MeasurementRow& row) const;
    // The memory shown is not whole: rows were cut, or its header names more samples than it holds.
    bool incomplete() const;
};

// The sheet of `content`. `shownMaterial` is the material button as the window shows it: the first
// statistics count what the button leaves in, and a visible button adds the other material's. Without
// it, the button is taken as filling the table leaves it: offering the material the first row lacks.
MeasurementSheet buildSheet(SheetContent content, std::optional<MaterialButton> shownMaterial = std::nullopt);

} // namespace vexa
