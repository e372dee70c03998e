#include "window/MeasurementTableModel.h"

#include <algorithm>

namespace vexa {

namespace {

constexpr Rgb greyTextOnMark{96, 96, 96};

} // namespace

int MeasurementTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int MeasurementTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 4;
}

QVariant MeasurementTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const TableRow& row = rows_[static_cast<size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return row.cells[static_cast<size_t>(index.column())];
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter | (index.column() == 3 ? Qt::AlignLeft : Qt::AlignRight));
    case BackgroundRgbRole: {
        const std::optional<Rgb> colour = row.marked ? std::optional<Rgb>(colours::grey) : row.evaluation;
        return colour ? QVariant::fromValue(*colour) : QVariant();
    }
    case ForegroundRgbRole:
        if (!row.greyText)
            return {};
        // Grey text on a marked row's grey would vanish.
        return QVariant::fromValue(row.marked ? greyTextOnMark : colours::grey);
    case HighlightRole:
        return highlighted_.contains(row.number);
    default:
        return {};
    }
}

QVariant MeasurementTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section > 3)
        return {};
    if (role == Qt::DisplayRole)
        return headers_[static_cast<size_t>(section)];
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter | (section == 3 ? Qt::AlignLeft : Qt::AlignRight));
    return {};
}

void MeasurementTableModel::setHeaders(const std::array<QString, 4>& headers) {
    headers_ = headers;
    emit headerDataChanged(Qt::Horizontal, 0, 3);
}

void MeasurementTableModel::replaceRows(std::vector<TableRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void MeasurementTableModel::appendRow(TableRow row) {
    const int at = rowCount();
    beginInsertRows({}, at, at);
    rows_.push_back(std::move(row));
    endInsertRows();
}

void MeasurementTableModel::toggleMark(int row) {
    if (row < 0 || row >= rowCount())
        return;
    rows_[static_cast<size_t>(row)].marked = !rows_[static_cast<size_t>(row)].marked;
    emit dataChanged(index(row, 0), index(row, 3), {BackgroundRgbRole, ForegroundRgbRole});
}

void MeasurementTableModel::setEvaluations(
    const std::function<std::optional<Rgb>(int storeRow)>& evaluation) {
    if (rows_.empty())
        return;
    for (TableRow& row : rows_)
        row.evaluation = evaluation(row.storeRow);
    emit dataChanged(index(0, 0), index(rowCount() - 1, 3), {BackgroundRgbRole});
}

std::vector<int> MeasurementTableModel::markedRows() const {
    std::vector<int> marked;
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].marked)
            marked.push_back(static_cast<int>(i));
    return marked;
}

std::vector<int> MeasurementTableModel::highlightNumbers(const QSet<int>& numbers) {
    highlighted_ = numbers;
    std::vector<int> rows;
    for (size_t i = 0; i < rows_.size(); ++i)
        if (numbers.contains(rows_[i].number))
            rows.push_back(static_cast<int>(i));
    if (!rows_.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, 3), {HighlightRole});
    return rows;
}

void MeasurementTableModel::sortByNumber(bool ascending) {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> order(rows_.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [this, ascending](int a, int b) {
        const qint16 first = rows_[static_cast<size_t>(a)].number;
        const qint16 second = rows_[static_cast<size_t>(b)].number;
        return ascending ? first < second : second < first;
    });

    std::vector<TableRow> sorted;
    sorted.reserve(rows_.size());
    std::vector<int> newPosition(rows_.size());
    for (size_t i = 0; i < order.size(); ++i) {
        sorted.push_back(std::move(rows_[static_cast<size_t>(order[i])]));
        newPosition[static_cast<size_t>(order[i])] = static_cast<int>(i);
    }
    rows_ = std::move(sorted);

    // Selections and the current cell follow their rows.
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    for (const QModelIndex& old : before)
        after.append(index(newPosition[static_cast<size_t>(old.row())], old.column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

} // namespace vexa
