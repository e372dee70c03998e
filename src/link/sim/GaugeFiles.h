#pragma once

#include "link/sim/GaugeProfile.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <optional>

namespace vexa::sim {

// The memory files of a file-memory gauge and the commands that list, open, read and close them.
// A file's handle is its position in the list plus one; each open handle keeps its own read position.
class GaugeFiles {
public:
    static constexpr int BlockSize = 32;

    GaugeFiles(QList<GaugeFile> files, std::optional<QByteArray> listAnswer);

    // Every answer below is the complete value the gauge puts into its command characteristic.
    QByteArray list() const;
    QByteArray open(const QByteArray& name);
    // `handle` and `count` as the command carries them; nullopt when they are no numbers.
    std::optional<QByteArray> read(const QByteArray& handle, const QByteArray& count);
    QByteArray close(const QByteArray& handle);

private:
    QList<GaugeFile> files_;
    std::optional<QByteArray> listAnswer_;
    QHash<int, qsizetype> readPositions_; // by handle, only for open files
};

} // namespace vexa::sim
