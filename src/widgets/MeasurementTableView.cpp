#include "widgets/MeasurementTableView.h"

#include "report/FixedFont.h"
#include "widgets/SelectionOutlineDelegate.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>
#include <numeric>

namespace vexa {

namespace {

// What each column holds at least: date and time, a number of 7 places, an 11-place value, a unit with
// its material. The face is fixed-pitch, so any digit stands for all.
const std::array<QString, 4> typicalTexts{QStringLiteral("00.00.0000 00:00:00"), QStringLiteral("0000000"),
                                          QStringLiteral("00000000000"), QStringLiteral("µVs·cm  WLM")};

} // namespace

MeasurementTableView::MeasurementTableView(QWidget* parent)
    : QTableView(parent)
    , longestTexts_(typicalTexts) {
    setFont(fixedFont());
    setItemDelegate(new SelectionOutlineDelegate(this));
    verticalHeader()->hide();
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    // Number and value texts are padded with leading blanks: clip those rather than eliding the digits.
    setTextElideMode(Qt::ElideNone);
}

void MeasurementTableView::setModel(QAbstractItemModel* model) {
    QTableView::setModel(model);
    connect(model, &QAbstractItemModel::headerDataChanged, this, &MeasurementTableView::measureColumns);
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        longestTexts_ = typicalTexts;
        takeRows(0, this->model()->rowCount() - 1);
    });
    connect(model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { takeRows(first, last); });
    takeRows(0, model->rowCount() - 1);
}

void MeasurementTableView::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        measureColumns();
}

void MeasurementTableView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    spreadColumns();
}

void MeasurementTableView::takeRows(int first, int last) {
    // Fixed-pitch: the text with the most characters is the widest.
    for (int row = first; row <= last; ++row)
        for (int column = 0; column < Columns; ++column) {
            const QString text = model()->index(row, column).data().toString();
            QString& longest = longestTexts_[size_t(column)];
            if (text.size() > longest.size())
                longest = text;
        }
    measureColumns();
}

void MeasurementTableView::measureColumns() {
    if (!model())
        return;
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    // A cell's text keeps this much blank on either side; the grid line takes one pixel of the cell.
    const int textMargin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    for (int column = 0; column < Columns; ++column) {
        const int text = fontMetrics().horizontalAdvance(longestTexts_[size_t(column)]) + 2 * textMargin + 1;
        neededWidths_[size_t(column)] = std::max(text, horizontalHeader()->sectionSizeHint(column));
    }
    const int needed = std::accumulate(neededWidths_.begin(), neededWidths_.end(), 0);
    setMinimumWidth(needed + verticalScrollBar()->sizeHint().width() + 2 * frameWidth());
    spreadColumns();
}

void MeasurementTableView::spreadColumns() {
    // Columns far wider than their texts part a row's number from its value; beyond half as wide again
    // the last column takes the rest.
    constexpr double MostSpread = 1.5;
    const int needed = std::accumulate(neededWidths_.begin(), neededWidths_.end(), 0);
    const int room = std::max(viewport()->width(), needed);
    const double spread = std::min(MostSpread, double(room) / std::max(needed, 1));
    int given = 0;
    for (int column = 0; column < Columns - 1; ++column) {
        const int width = int(neededWidths_[size_t(column)] * spread);
        setColumnWidth(column, width);
        given += width;
    }
    setColumnWidth(Columns - 1, room - given);
}

} // namespace vexa
