#include "data/DeviceTraits.h"

namespace vexa {

QString DeviceTraits::text() const {
    QString result;
    for (char c : {generation, clock, keyEvent, material, rule8020, dateHeader, decimals})
        result += c ? QChar::fromLatin1(c) : QChar(' ');
    return result;
}

} // namespace vexa
