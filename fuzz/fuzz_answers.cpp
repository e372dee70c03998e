// Feeds arbitrary values from every characteristic to the answer dispatch. The link values live on from
// one input to the next, as they do while a gauge stays connected.
#include "protocol/GaugeUuids.h"
#include "protocol/MemoryList.h"
#include "protocol/ProtocolCommands.h"
#include "protocol/ProtocolDispatch.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static vexa::LinkValues values;
    static const QString characteristics[] = {vexa::uuid::CharVexa, vexa::uuid::CharStorageInfo,
                                              vexa::uuid::CharStorageData, vexa::uuid::CharMeasure,
                                              vexa::uuid::ServiceZK};
    if (size == 0)
        return 0;
    // The first byte picks the characteristic and whether the caller cleared the buffer before.
    const uint8_t selector = data[0];
    const QByteArray value(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    if (selector & 0x80)
        values.responseBuffer.clear();

    const vexa::DispatchResult result =
        vexa::dispatchAnswer(values, characteristics[(selector & 0x7F) % 5], value);

    if (values.memoryCount != values.memoryNames.size() ||
        values.memoryNames.size() != values.memoryValueCounts.size())
        __builtin_trap();
    if (result.payload.size() > value.size())
        __builtin_trap();
    if (result.kind == vexa::AnswerKind::ReadBlock && result.payload.size() % 2 != 0)
        __builtin_trap();
    if (result.kind == vexa::AnswerKind::ListFiles)
        (void)vexa::fileMemoryEntries(values.responseBuffer);

    const vexa::command::BlockPlan plan = vexa::command::blockPlan(values.fileLength);
    if (values.fileLength > 0 &&
        qint64(plan.fullBlocks) * vexa::command::BlockPlan::BlockBytes + plan.remainder != values.fileLength)
        __builtin_trap();
    (void)vexa::command::readBlock(values.fileHandle, plan.blockBytes(plan.blockCount() - 1));
    return 0;
}
