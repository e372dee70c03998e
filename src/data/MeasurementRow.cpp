#include "data/MeasurementRow.h"

#include <algorithm>

namespace vexa {

void RowStore::clear() {
    const MeasurementRow cleared;
    std::fill(rows_.begin() + 1, rows_.end(), cleared);
}

int RowStore::presentCount() const {
    int count = 0;
    while (count < Capacity && rows_[static_cast<size_t>(count) + 1].isPresent())
        ++count;
    return count;
}

void RowStore::assign(const std::vector<MeasurementRow>& rows) {
    clear();
    const size_t count = std::min(rows.size(), static_cast<size_t>(Capacity));
    std::copy_n(rows.begin(), count, rows_.begin() + 1);
}

} // namespace vexa
