#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QtGlobal>

// The command texts written to the gauge's command characteristic.
namespace vexa::command {

QByteArray deviceInformation(); // "$vexa00!"
QByteArray probeInformation();  // "$gpi!"
QByteArray batteryVoltage();    // "$gcv!"
QByteArray readClock();         // "$glt!"
QByteArray listFiles();         // "$ls!"

// The gauge clock's text of a local date and time: "yyyy-mm-dd/hh:mm:ss", hours 00-23.
QString clockText(const QDateTime& localTime);

// "$slt?" + clockText + "!" + CR LF. The gauge sends no answer to it.
QByteArray setClock(const QDateTime& localTime);

// "$fr?" + name + "!": opens a memory file; the name goes out as listed, one byte per character.
QByteArray openFile(const QString& memoryName);

// "$rd?" + handle + " " + byte count + "!": the next bytes of the open file.
QByteArray readBlock(qint16 fileHandle, qint32 byteCount);

// "$fc?" + handle + "!": closes the open file.
QByteArray closeFile(qint16 fileHandle);

// Written to the storage-information characteristic: selects the probe memory whose records the
// storage-data characteristic then delivers. The name alone, without prefix or terminator.
QByteArray selectMemory(const QString& memoryName);

// Written to the storage-information characteristic after a probe memory was read: releases the probe.
QByteArray releaseProbe(); // "-"

// A file is read in full blocks of BlockBytes, then one block with the rest when one is left.
struct BlockPlan {
    static constexpr qint32 BlockBytes = 32;

    qint32 fullBlocks = 0;
    qint32 remainder = 0;

    qint32 blockCount() const { return fullBlocks + (remainder > 0 ? 1 : 0); }
    // Bytes of the block at 0-based `index` < blockCount().
    qint32 blockBytes(qint32 index) const { return index < fullBlocks ? BlockBytes : remainder; }
};

// The blocks of a file of `fileLength` bytes; a length of 0 or below needs none.
BlockPlan blockPlan(qint32 fileLength);

} // namespace vexa::command
