// Feeds arbitrary bytes to the memory decoder and the gauge field readers.
#include "data/GaugeDates.h"
#include "data/HexFields.h"
#include "data/MemoryDump.h"
#include "data/TextAlign.h"
#include "data/Units.h"
#include "data/ValueFormat.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

namespace {

vexa::DeviceTraits traits(char generation, char material, char decimals) {
    vexa::DeviceTraits result;
    result.generation = generation;
    result.material = material;
    result.decimals = decimals;
    return result;
}

struct Gauge {
    vexa::MeasureContext context;
    QString unit;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString text = QString::fromLatin1(bytes);

    static const Gauge gauges[] = {
        {{QStringLiteral("QY"), QStringLiteral("SM"), traits('5', '2', '1')}, QStringLiteral("\u00B5m")},
        {{QStringLiteral("WL"), QStringLiteral("MF"), traits('5', '2', '3')}, QStringLiteral("mT")},
        {{QStringLiteral("WL"), QStringLiteral("MF"), traits('5', '0', '3')}, QStringLiteral("\u00B5Vs")},
        {{QStringLiteral("FX"), QStringLiteral("FM"), traits('4', '0', '2')}, QStringLiteral("kA/m")},
        {{QString(), QString(), vexa::DeviceTraits()}, QString()},
    };
    for (const char* selector : {"m001", "s2", "t9"}) {
        for (const Gauge& gauge : gauges) {
            const vexa::DecodedMemory memory =
                vexa::decodeMemoryDump(bytes, QString::fromLatin1(selector), gauge.unit, gauge.context);
            if (memory.rows.size() > static_cast<size_t>(vexa::RowStore::Capacity))
                __builtin_trap();
        }
    }

    // The readers on the input itself and on the unit and format helpers with the input as unit text.
    const QByteArrayView digits(bytes);
    for (auto kind :
         {vexa::HexKind::Int16, vexa::HexKind::SingleBits, vexa::HexKind::Double, vexa::HexKind::Single})
        (void)vexa::hexToNumber(digits, kind);
    (void)vexa::hexToLong(digits);
    (void)vexa::hexToBits(digits);
    (void)vexa::splitFlagBits(digits);
    (void)vexa::hexToText(digits);
    (void)vexa::hexToTimestamp(digits);
    (void)vexa::isoTextToTimestamp(text);
    (void)vexa::deviceTimeText(text);
    (void)vexa::normalizeUnit(text, text);
    QString source = text;
    const double value =
        size >= 8 ? *vexa::hexToNumber("0000803f", vexa::HexKind::SingleBits) * double(size) : 0;
    for (const Gauge& gauge : gauges) {
        const double converted = vexa::convertToDeviceUnit(value, text, gauge.context.measureMode, source);
        (void)vexa::formatMeasurement(converted, text, gauge.context);
    }
    (void)vexa::roundTo(value, text);
    (void)vexa::ausrichten(int(size % 20) - 2, text, u'0', size % 2 == 0);
    (void)vexa::ausrichtenL(int(size % 20) - 2, text);
    (void)vexa::replaceCharAt(text, int(size % 7) - 1, text.left(2));
    return 0;
}
