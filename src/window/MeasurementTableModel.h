#pragma once

#include "data/Colours.h"

#include <QAbstractTableModel>
#include <QSet>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace vexa {

// One line of the measurement table: the texts of its four columns and how it is painted.
struct TableRow {
    int storeRow = 0; // the row of the current row store it shows
    qint16 number = 0;
    std::array<QString, 4> cells;
    std::optional<Rgb> evaluation; // background by the limits; none: the table's own background
    bool greyText = false;         // the reading was marked "X" and is not counted
    bool marked = false;           // clicked by the user: grey background
};

// The four-column table over the current row store. It holds only what the table shows (texts, marks,
// colours, order); the rows themselves stay in the store.
class MeasurementTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Role {
        BackgroundRgbRole = Qt::UserRole + 1,
        ForegroundRgbRole,
        // True for a row the inspection window points at; painted apart from marks and colours.
        HighlightRole,
    };

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void setHeaders(const std::array<QString, 4>& headers);

    void replaceRows(std::vector<TableRow> rows);
    void appendRow(TableRow row);
    void clear() { replaceRows({}); }

    const std::vector<TableRow>& rows() const { return rows_; }
    void toggleMark(int row);
    // Every row's background by the limits anew; marks, order and texts stay.
    void setEvaluations(const std::function<std::optional<Rgb>(int storeRow)>& evaluation);
    std::vector<int> markedRows() const;
    // The rows showing these numbers are highlighted, every other row not; rows added later take it by
    // their number too. The table rows highlighted, in table order.
    std::vector<int> highlightNumbers(const QSet<int>& numbers);

    // The grid's generic sort by the number column; rows with equal numbers keep their order.
    void sortByNumber(bool ascending);

private:
    std::vector<TableRow> rows_;
    std::array<QString, 4> headers_;
    QSet<int> highlighted_; // row numbers
};

} // namespace vexa
