#include "widgets/SelectionOutlineDelegate.h"

#include "window/MeasurementTableModel.h"

#include <QPainter>

namespace vexa {

namespace {

constexpr int FrameWidth = 2;
// Amber: apart from every evaluation colour, the grey of a mark and the style's selection.
const QColor HighlightColour(230, 120, 0);

// A frame around the whole row, drawn cell by cell, `inset` pixels inside the row's edges.
void frameRow(QPainter& painter, const QRect& cell, const QModelIndex& index, const QColor& colour,
              int inset) {
    const int top = cell.top() + inset;
    const int bottom = cell.bottom() - inset;
    painter.fillRect(QRect(cell.left(), top, cell.width(), FrameWidth), colour);
    painter.fillRect(QRect(cell.left(), bottom - FrameWidth + 1, cell.width(), FrameWidth), colour);
    if (index.column() == 0)
        painter.fillRect(QRect(cell.left() + inset, top, FrameWidth, bottom - top + 1), colour);
    if (index.column() == index.model()->columnCount(index.parent()) - 1)
        painter.fillRect(QRect(cell.right() - inset - FrameWidth + 1, top, FrameWidth, bottom - top + 1),
                         colour);
}

} // namespace

void SelectionOutlineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
    QStyleOptionViewItem unselected(option);
    unselected.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    QStyledItemDelegate::paint(painter, unselected, index);
    // The highlight sits inside the selection's frame, so a row can show both.
    if (index.data(MeasurementTableModel::HighlightRole).toBool())
        frameRow(*painter, option.rect, index, HighlightColour, FrameWidth);
    if (option.state & QStyle::State_Selected)
        frameRow(*painter, option.rect, index, option.palette.color(QPalette::Highlight), 0);
}

} // namespace vexa
