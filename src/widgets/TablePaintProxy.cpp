#include "widgets/TablePaintProxy.h"

#include "data/Colours.h"
#include "window/MeasurementTableModel.h"

#include <QBrush>

namespace vexa {

QVariant TablePaintProxy::data(const QModelIndex& index, int role) const {
    const auto colour = [&](int rgbRole) -> QVariant {
        const QVariant rgb = QIdentityProxyModel::data(index, rgbRole);
        if (!rgb.isValid())
            return {};
        const Rgb c = rgb.value<Rgb>();
        return QBrush(QColor(c.red, c.green, c.blue));
    };
    switch (role) {
    case Qt::BackgroundRole:
        return colour(MeasurementTableModel::BackgroundRgbRole);
    case Qt::ForegroundRole:
        return colour(MeasurementTableModel::ForegroundRgbRole);
    default:
        return QIdentityProxyModel::data(index, role);
    }
}

} // namespace vexa
