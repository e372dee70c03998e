#pragma once

#include <QStyledItemDelegate>

namespace vexa {

// Paints a selected row with a frame around it instead of filling it, so that its mark and its
// evaluation colour stay visible while it is selected; a highlighted row gets a frame of its own inside.
class SelectionOutlineDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace vexa
