// Feeds arbitrary bytes to the measurement-file reader and to the traits read from a file's layout. The first
// byte picks the locale and the gauge's date and material variants, the rest is the file content.
#include "data/MeasurementRow.h"
#include "files/MeasurementFile.h"
#include "files/TextEncoding.h"

#include <QByteArray>
#include <QLocale>
#include <cstddef>
#include <cstdint>

using namespace vexa;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const uint8_t choice = data[0];
    QLocale::setDefault(choice & 1 ? QLocale(QLocale::English, QLocale::UnitedStates)
                                   : QLocale(QLocale::German, QLocale::Germany));
    DeviceTraits traits{'5', 'L', 'E', choice & 2 ? '2' : '0', '+', choice & 4 ? '-' : ' ', '2'};
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    const QString text = decodeFileText(bytes);
    const std::vector<MeasurementRow> rows = readMeasurementFile(text, traits);
    if (rows.size() > static_cast<size_t>(RowStore::Capacity))
        __builtin_trap();
    const DeviceTraits fromFile = traitsFromMeasurementFile(text);
    if (fromFile.material != '0' && fromFile.material != '2')
        __builtin_trap();
    return 0;
}
