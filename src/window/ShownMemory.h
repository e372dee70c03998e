#pragma once

#include "files/MemoryExport.h"

#include <vector>

namespace vexa {

class MainModel;

// The rows of the store the table shows, in store order, each with the table's value text.
std::vector<ExportedRow> shownRows(MainModel& main);

// The memory the memory view shows, with the gauge reached at `address`. Without a memory shown (the
// online view is current) there are no rows and no statistics lines.
ExportedMemory shownMemoryExport(MainModel& main, const QString& address);

} // namespace vexa
