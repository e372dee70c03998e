#include "widgets/SelectionOutlineDelegate.h"

#include <QPainter>

namespace vexa {

namespace {

constexpr int FrameWidth = 2;

} // namespace

void SelectionOutlineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
    QStyleOptionViewItem unselected(option);
    unselected.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    QStyledItemDelegate::paint(painter, unselected, index);
    if (!(option.state & QStyle::State_Selected))
        return;

    const QColor colour = option.palette.color(QPalette::Highlight);
    const QRect cell = option.rect;
    painter->fillRect(QRect(cell.left(), cell.top(), cell.width(), FrameWidth), colour);
    painter->fillRect(QRect(cell.left(), cell.bottom() - FrameWidth + 1, cell.width(), FrameWidth), colour);
    if (index.column() == 0)
        painter->fillRect(QRect(cell.left(), cell.top(), FrameWidth, cell.height()), colour);
    if (index.column() == index.model()->columnCount(index.parent()) - 1)
        painter->fillRect(QRect(cell.right() - FrameWidth + 1, cell.top(), FrameWidth, cell.height()),
                          colour);
}

} // namespace vexa
