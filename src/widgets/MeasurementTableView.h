#pragma once

#include <QTableView>
#include <array>

namespace vexa {

// The measurement table's view: one font for every cell, whole rows selected, and columns that are
// never narrower than their texts. The room beyond that is shared out among the columns, so that the
// table fills its place and needs no horizontal scroll bar.
class MeasurementTableView : public QTableView {
    Q_OBJECT
public:
    explicit MeasurementTableView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    static constexpr int Columns = 4;

    // The longest texts of these rows join those the columns must hold.
    void takeRows(int first, int last);
    // Every column's width for its longest text and its header, in the current fonts.
    void measureColumns();
    // The columns' widths in proportion to what they need, filling the view.
    void spreadColumns();

    std::array<QString, Columns> longestTexts_;
    std::array<int, Columns> neededWidths_{};
};

} // namespace vexa
