#pragma once

#include <QString>

namespace vexa {

// Where the program looks for a maker's pictures: beside the program file in a build tree; once installed,
// in the program's data folder, which lies where the install put it relative to the program file
// (share/vexa-connect beside bin/), whatever the prefix.
QString programDataFolder(const QString& programFileFolder);

} // namespace vexa
