#pragma once

#include <QIdentityProxyModel>

namespace vexa {

// Turns the table model's colours into what the view paints with.
class TablePaintProxy : public QIdentityProxyModel {
    Q_OBJECT
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override;
};

} // namespace vexa
