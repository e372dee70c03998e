#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>
#include <vector>

namespace vexa {

// One reading as the table, the statistics, the reports and the files see it.
struct MeasurementRow {
    qint16 number = 0;
    double value = 0; // converted into the gauge's unit and rounded; 0 for a row marked "X"
    QString unit = QStringLiteral(" ");
    QString material;
    QString mark;        // "X" when the record's material does not fit the gauge's unit
    QDateTime timestamp; // invalid: the row has no timestamp
    QString dateText = QStringLiteral(" ");
    QString timeText = QStringLiteral(" ");

    // A row with number 0 and value 0 ends a store's content.
    bool isPresent() const { return value != 0 || number != 0; }
    // The reading did not fit the gauge's unit: shown grey, never counted.
    bool isMarkedX() const { return mark == u"X"; }
    bool operator==(const MeasurementRow&) const = default;
};

// Rows 1..Capacity of one store; position 0 is never used.
class RowStore {
public:
    static constexpr int Capacity = 5000;

    RowStore()
        : rows_(Capacity + 1) {}

    MeasurementRow& operator[](int index) { return rows_[static_cast<size_t>(index)]; }
    const MeasurementRow& operator[](int index) const { return rows_[static_cast<size_t>(index)]; }

    // Every row 1..Capacity back to the cleared state (timestamps included).
    void clear();

    // Rows counted from 1 while present; stops at the first absent row.
    int presentCount() const;

    // Rows 1..count replaced by `rows` (at most Capacity), the rest cleared.
    void assign(const std::vector<MeasurementRow>& rows);

private:
    std::vector<MeasurementRow> rows_;
};

// What the table shows: the memory view (a downloaded memory or an opened file) or the online values.
enum class View { Memory, Online };

// One row store per view.
struct RowStores {
    RowStore memory;
    RowStore online;

    RowStore& operator[](View view) { return view == View::Online ? online : memory; }
    const RowStore& operator[](View view) const { return view == View::Online ? online : memory; }
};

} // namespace vexa
