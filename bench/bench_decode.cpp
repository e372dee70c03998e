// Decoding time of a full measurement memory, the largest a row store takes.
#include "data/MeasurementRow.h"
#include "data/MemoryDump.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <benchmark/benchmark.h>
#include <bit>
#include <cstring>

namespace {

QByteArray littleEndian(quint32 value, int bytes) {
    QByteArray digits;
    for (int i = 0; i < bytes; ++i)
        digits += QByteArray::number((value >> (8 * i)) & 0xFF, 16).rightJustified(2, '0');
    return digits;
}

// A memory of `records` readings taken a few seconds apart over several days.
QByteArray measurementDump(int records) {
    QByteArray dump =
        QByteArray(16, '0') + QByteArray("M01").toHex().leftJustified(228, '0') + QByteArray(76, '0');
    QDateTime at(QDate(2025, 3, 1), QTime(8, 0, 0), Qt::UTC);
    for (int i = 0; i < records; ++i) {
        at = at.addSecs(37);
        const QDate d = at.date();
        const QTime t = at.time();
        dump += "00" + littleEndian(quint32(i % 2), 1) + littleEndian(quint32(t.second()), 1) +
                littleEndian(quint32(t.minute()), 1) + littleEndian(quint32(t.hour()), 1) +
                littleEndian(quint32(d.day()), 1) + littleEndian(quint32(d.month()), 1) +
                littleEndian(quint32(d.year() - 2000), 1) +
                littleEndian(std::bit_cast<quint32>(float(40 + (i % 200) * 0.73)), 4) +
                littleEndian(quint32(i + 1), 4);
    }
    return dump;
}

void BM_DecodeMemory5000(benchmark::State& state) {
    static const QByteArray dump = measurementDump(vexa::RowStore::Capacity);
    vexa::DeviceTraits traits;
    traits.generation = '5';
    traits.material = '2';
    traits.decimals = '1';
    const vexa::MeasureContext context{QStringLiteral("QY"), QStringLiteral("SM"), traits};
    const QString unit = QStringLiteral("\u00B5m");
    const QString selector = QStringLiteral("m001                ");
    vexa::RowStore store;
    for (auto _ : state) {
        const vexa::DecodedMemory memory = vexa::decodeMemoryDump(dump, selector, unit, context);
        store.assign(memory.rows);
        benchmark::DoNotOptimize(store);
    }
    if (store.presentCount() != vexa::RowStore::Capacity)
        state.SkipWithError("the memory did not fill the row store");
}

} // namespace

BENCHMARK(BM_DecodeMemory5000)->Unit(benchmark::kMillisecond);
