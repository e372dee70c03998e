#include "widgets/DeviceEntryDelegate.h"

#include "protocol/DeviceList.h"

#include <QApplication>
#include <QPainter>

namespace vexa {

namespace {

// Column widths in digits: "MAC: " with a 12-digit server id, and "RSSI: -100".
constexpr int AddressDigits = 19;
constexpr int SignalDigits = 11;

QPalette::ColorGroup colourGroup(const QStyleOptionViewItem& item) {
    if (!(item.state & QStyle::State_Enabled))
        return QPalette::Disabled;
    return (item.state & QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
}

} // namespace

void DeviceEntryDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    const std::optional<DeviceListColumns> columns = deviceListColumns(index.data().toString());
    if (!columns) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    item.text.clear();
    const QWidget* widget = item.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    // The style draws the row's background, selection and focus; the texts follow in their columns.
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

    const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
    const QFontMetrics metrics(item.font);
    const int digit = metrics.horizontalAdvance(u'0');
    QRect address = text;
    address.setWidth(AddressDigits * digit);
    QRect signal = text;
    signal.setLeft(qMax(address.right(), text.right() - SignalDigits * digit));
    QRect name = text;
    name.setLeft(address.right());
    name.setRight(signal.left() - digit);

    painter->save();
    painter->setFont(item.font);
    painter->setPen(item.palette.color(colourGroup(item), (item.state & QStyle::State_Selected)
                                                              ? QPalette::HighlightedText
                                                              : QPalette::Text));
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    painter->drawText(address, flags, metrics.elidedText(columns->address, Qt::ElideRight, address.width()));
    painter->drawText(name, flags, metrics.elidedText(columns->name, Qt::ElideRight, name.width()));
    painter->drawText(signal, flags, columns->signal);
    painter->restore();
}

} // namespace vexa
