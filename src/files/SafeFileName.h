#pragma once

#include <QString>
#include <QStringView>

namespace vexa {

// `text` (a device number as the gauge reports it) made fit to be part of a file name: every character
// other than an ASCII letter, an ASCII digit, "-" or "_" becomes "_". Ordinary serial numbers come out
// unchanged; "../x" can no longer leave the folder.
QString safeFileName(QStringView text);

} // namespace vexa
