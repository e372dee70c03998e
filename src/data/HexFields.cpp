#include "data/HexFields.h"

#include <bit>
#include <limits>

namespace vexa {

namespace {

constexpr qsizetype MaxNumberDigits = 8;

int pairValue(char highDigit, char lowDigit) {
    const int high = hexDigitValue(highDigit);
    const int low = hexDigitValue(lowDigit);
    return high < 0 || low < 0 ? -1 : high * 16 + low;
}

// The digits of the pairs taken from the last to the first, as an unsigned number.
Parsed<quint32> reversedPairs(QByteArrayView digits, qsizetype& usedDigits) {
    qsizetype pairs = digits.size() / 2;
    if (digits.size() % 2 != 0 && pairs % 2 != 0)
        ++pairs; // length / 2 rounded half to even
    pairs = qMax<qsizetype>(pairs, 1);
    // With an odd length the last pair is one digit short.
    usedDigits = qMin(2 * pairs, digits.size());
    if (usedDigits > MaxNumberDigits)
        return FieldError::NumberOutOfRange;
    quint32 result = 0;
    if (usedDigits == 2 * pairs) {
        for (qsizetype i = usedDigits - 2; i >= 0; i -= 2) {
            const int value = pairValue(digits[i], digits[i + 1]);
            if (value < 0)
                return FieldError::InvalidHexDigit;
            result = (result << 8) | static_cast<quint32>(value);
        }
        return result;
    }
    for (qsizetype pair = pairs - 1; pair >= 0; --pair) {
        const qsizetype end = qMin(2 * pair + 2, digits.size());
        for (qsizetype i = 2 * pair; i < end; ++i) {
            const int value = hexDigitValue(digits[i]);
            if (value < 0)
                return FieldError::InvalidHexDigit;
            result = (result << 4) | static_cast<quint32>(value);
        }
    }
    return result;
}

// Up to four digits are a 16-bit field, more a 32-bit one.
qint32 signedValue(quint32 bits, qsizetype usedDigits) {
    if (usedDigits <= 4)
        return static_cast<qint16>(static_cast<quint16>(bits));
    return static_cast<qint32>(bits);
}

} // namespace

Parsed<double> hexToNumber(QByteArrayView digits, HexKind kind) {
    qsizetype used = 0;
    const Parsed<quint32> bits = reversedPairs(digits, used);
    if (!bits)
        return bits.error();
    const qint32 value = signedValue(*bits, used);
    switch (kind) {
    case HexKind::Int16:
        if (value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max())
            return FieldError::NumberOutOfRange;
        return double(value);
    case HexKind::SingleBits:
        return double(std::bit_cast<float>(static_cast<quint32>(value)));
    case HexKind::Double:
        return double(value);
    case HexKind::Single:
        return double(float(value));
    }
    return FieldError::InvalidHexDigit;
}

Parsed<qint32> hexToLong(QByteArrayView digits) {
    qsizetype used = 0;
    const Parsed<quint32> bits = reversedPairs(digits, used);
    if (!bits)
        return bits.error();
    return signedValue(*bits, used);
}

QString hexToBits(QByteArrayView digits) {
    QString bits;
    bits.reserve(digits.size() * 4);
    for (char digit : digits) {
        const int value = hexDigitValue(digit);
        if (value < 0)
            continue;
        for (int bit = 3; bit >= 0; --bit)
            bits += (value >> bit) & 1 ? u'1' : u'0';
    }
    return bits;
}

Parsed<FlagBits> splitFlagBits(QByteArrayView digits) {
    if (digits.size() < 2)
        return FieldError::InvalidHexDigit;
    const int flags = pairValue(digits[0], digits[1]);
    if (flags < 0)
        return FieldError::InvalidHexDigit;
    return FlagBits{(flags & 0x80) != 0, static_cast<quint8>((flags >> 4) & 0x7),
                    static_cast<quint8>(flags & 0xF)};
}

Parsed<QString> hexToText(QByteArrayView digits) {
    QString text;
    text.reserve(digits.size() / 2 + 1);
    qsizetype start = 0;
    if (digits.size() % 2 != 0) {
        const int value = hexDigitValue(digits[0]);
        if (value < 0)
            return FieldError::InvalidHexDigit;
        if (value != 0)
            text += QChar(value);
        start = 1;
    }
    for (qsizetype i = start; i + 1 < digits.size(); i += 2) {
        const int value = pairValue(digits[i], digits[i + 1]);
        if (value < 0)
            return FieldError::InvalidHexDigit;
        if (value != 0)
            text += QChar(value);
    }
    return text;
}

Parsed<DateAndTime> hexToDateAndTime(QByteArrayView digits) {
    constexpr qsizetype Bytes = 6;
    if (digits.size() < 2 * Bytes)
        return FieldError::InvalidHexDigit;
    int parts[Bytes];
    for (qsizetype i = 0; i < Bytes; ++i) {
        parts[i] = pairValue(digits[2 * i], digits[2 * i + 1]);
        if (parts[i] < 0)
            return FieldError::InvalidHexDigit;
    }
    // The year is "20" followed by the byte; three-digit bytes would be years past 9999.
    if (parts[5] > 99)
        return FieldError::InvalidDate;
    const QDate date(2000 + parts[5], parts[4], parts[3]);
    const QTime time(parts[2], parts[1], parts[0]);
    if (!date.isValid() || !time.isValid())
        return FieldError::InvalidDate;
    return DateAndTime{date, time};
}

Parsed<QDateTime> hexToTimestamp(QByteArrayView digits) {
    const Parsed<DateAndTime> parsed = hexToDateAndTime(digits);
    if (!parsed)
        return parsed.error();
    return QDateTime(parsed->date, parsed->time);
}

} // namespace vexa
