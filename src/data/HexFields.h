#pragma once

#include "data/Parsed.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <QtGlobal>
#include <array>

// Fields of the gauge's hexadecimal formats: two digits per byte, upper or lower case, multi-byte
// numbers with the least significant byte first.
namespace vexa {

// How hexToNumber() reads the digits.
enum class HexKind {
    Int16,      // a signed 16-bit integer
    SingleBits, // the 32-bit pattern as an IEEE 754 single
    Double,     // the integer's value
    Single,     // the integer's value as a single
};

// The byte pairs in reverse order read as one number of the given kind. With an odd count the pairs
// are counted as length / 2 rounded half to even (at least one), so "abc" reads "c" then "ab".
// Fails on a non-hex digit, on more than 8 digits and, for Int16, on a value outside 16 bits.
Parsed<double> hexToNumber(QByteArrayView digits, HexKind kind);

// The byte pairs in reverse order as a signed integer: up to 4 digits 16 bits wide ("ffff" is -1),
// 5 to 8 digits 32 bits wide. Fails on a non-hex digit or more than 8 digits.
Parsed<qint32> hexToLong(QByteArrayView digits);

// Each hex digit as four binary digits, most significant first; other characters are skipped.
QString hexToBits(QByteArrayView digits);

// The flag byte of a measurement record.
struct FlagBits {
    bool passOver = false;   // bit 7: the gauge marked the record as not to be taken over
    quint8 unused = 0;       // bits 6..4
    quint8 materialCode = 0; // bits 3..0
    bool operator==(const FlagBits&) const = default;
};

// The flag byte from its two hex digits.
Parsed<FlagBits> splitFlagBits(QByteArrayView digits);

// Byte pairs in stored order as Latin-1 characters, zero bytes dropped, nothing trimmed. With an odd
// count the first digit stands alone.
Parsed<QString> hexToText(QByteArrayView digits);

// A calendar date and a time of day, valid both.
struct DateAndTime {
    QDate date;
    QTime time;
};

// Six bytes: second, minute, hour, day, month, year - 2000, each a plain binary number.
// Fails on a non-hex digit, fewer than 12 digits or bytes that form no date or time of day.
Parsed<DateAndTime> hexToDateAndTime(QByteArrayView digits);

// hexToDateAndTime() as local time.
Parsed<QDateTime> hexToTimestamp(QByteArrayView digits);

namespace detail {
constexpr std::array<qint8, 256> HexDigitValues = [] {
    std::array<qint8, 256> values{};
    values.fill(-1);
    for (int digit = 0; digit < 10; ++digit)
        values['0' + digit] = qint8(digit);
    for (int digit = 0; digit < 6; ++digit) {
        values['a' + digit] = qint8(10 + digit);
        values['A' + digit] = qint8(10 + digit);
    }
    return values;
}();
} // namespace detail

// The value of one hex digit, or -1.
inline int hexDigitValue(char digit) {
    return detail::HexDigitValues[static_cast<unsigned char>(digit)];
}

} // namespace vexa
