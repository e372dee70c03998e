#pragma once

#include "data/DeviceInfo.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>

// Takes every value the gauge delivers apart and stores its fields in the link values.
namespace vexa {

// The shared state of the link. Memory i of the memory table is at index i - 1 of the two lists.
struct LinkValues {
    QByteArray responseBuffer; // the payload of the last recognised answer; cleared by callers
    qint16 fileHandle = 0;
    qint32 fileLength = 0;
    bool storageDataEnd = false; // set by any empty value; cleared by the record download
    qint16 memoryCount = 0;
    QStringList memoryNames;
    QList<qint16> memoryValueCounts;
    double batteryVoltage = 0; // volts
    DeviceInfo deviceInfo;
    ProbeInfo probeInfo;
};

enum class AnswerKind {
    None,        // nothing recognised
    EmptyValue,  // an empty value from the command characteristic (or an unknown one)
    Battery,     // "$gcv?"
    Clock,       // "$glt?"
    ListFiles,   // "$ls"
    OpenFile,    // "$fr"
    FileWriteU,  // "$fwu"
    FileWrite,   // "$fw"
    CloseFile,   // "$fc", whatever its fields say
    WriteData,   // "$wr"
    RemoveFile,  // "$rm"
    FileMode,    // "$fmod"
    ReadBlock,   // "$rd"
    Information, // "$vexa00" or "$gpi" on the command characteristic, with at least one field
    MemoryTable, // any value of the storage-information characteristic
    StorageData, // any value of the storage-data characteristic
    LiveValue,   // any value of the live-measurement characteristic
};

struct DispatchResult {
    AnswerKind kind = AnswerKind::None;
    // ReadBlock: the handle the block answer names. Waiting for a block means waiting for a ReadBlock
    // result, never for a code to equal the handle (a handle of 55 is a handle like any other).
    qint16 blockHandle = 0;
    // ReadBlock: the block's bytes as hexadecimal text (empty when the layout is broken).
    // LiveValue: the whole value, the record line(s) to decode.
    QByteArray payload;
    // The answer broke its field layout: parsing ended there and the fields read before it were kept.
    bool brokenLayout = false;
    // FileWrite, FileWriteU, CloseFile: the status code the answer carries.
    std::optional<qint16> statusCode;
    // WriteData, RemoveFile, CloseFile: the answer's first field is no number.
    bool statusNotNumeric = false;
    // ListFiles: the answer holds the file list already stored.
    bool listRepeated = false;
};

// Applies one value of `characteristic` (its UUID) to `values`. Every check runs in a fixed order;
// the result names the last answer recognised. Values of several characteristics start with the same
// prefixes, so a command answer read from a storage characteristic is applied as both.
DispatchResult dispatchAnswer(LinkValues& values, const QString& characteristic, const QByteArray& value);

} // namespace vexa
