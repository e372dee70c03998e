#pragma once

#include <QStyledItemDelegate>

namespace vexa {

// Paints a device list entry in columns, so that the gauges' names and signal strengths line up whatever
// the length of their names. The item's text stays the entry as the link window gives it.
class DeviceEntryDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace vexa
