#include "link/sim/GaugeFiles.h"

namespace vexa::sim {

namespace {

// The reader drops the first 14 characters of the list answer before splitting it into names.
constexpr qsizetype ListHeaderWidth = 14;

std::optional<int> decimal(const QByteArray& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0 || text.startsWith('+'))
        return std::nullopt;
    return value;
}

} // namespace

GaugeFiles::GaugeFiles(QList<GaugeFile> files, std::optional<QByteArray> listAnswer)
    : files_(std::move(files))
    , listAnswer_(std::move(listAnswer)) {}

QByteArray GaugeFiles::list() const {
    if (listAnswer_)
        return *listAnswer_;
    QByteArrayList names;
    for (const GaugeFile& file : files_)
        names.append(file.name.toUtf8());
    const QByteArray header = "$ls?" + QByteArray::number(files_.size());
    return header.leftJustified(ListHeaderWidth, ' ') + names.join(' ') + '!';
}

QByteArray GaugeFiles::open(const QByteArray& name) {
    for (qsizetype i = 0; i < files_.size(); ++i) {
        if (files_[i].name.toUtf8() != name)
            continue;
        const int handle = int(i) + 1;
        readPositions_.insert(handle, 0);
        return "$fr?" + QByteArray::number(handle) + ' ' + QByteArray::number(files_[i].bytes.size()) + '!';
    }
    return "$fr?0 0!";
}

std::optional<QByteArray> GaugeFiles::read(const QByteArray& handle, const QByteArray& count) {
    const auto number = decimal(handle);
    const auto wanted = decimal(count);
    if (!number || !wanted)
        return std::nullopt;
    QByteArray block;
    if (readPositions_.contains(*number)) {
        qsizetype& position = readPositions_[*number];
        block = files_[*number - 1].bytes.mid(position, qMin(*wanted, BlockSize));
        position += block.size();
    }
    const QByteArray size = QByteArray::number(block.size());
    return "$rd?" + handle + ' ' + size + ' ' + size.rightJustified(2, '0') + ' ' + block.toHex().toUpper() +
           '!';
}

QByteArray GaugeFiles::close(const QByteArray& handle) {
    if (const auto number = decimal(handle))
        readPositions_.remove(*number);
    return "$fc?" + handle + " 0!";
}

} // namespace vexa::sim
