#pragma once

#include <QSet>
#include <QtGlobal>

namespace vexa {

// Process `pid` runs: it exists and has not ended as a zombie that nobody reaps.
bool processRunning(qint64 pid);

// Process `pid` and every process below it, as the kernel lists them now. A launcher's window belongs
// to the program it started, which may run as its child or grandchild.
QSet<qint64> processFamily(qint64 pid);

} // namespace vexa
