#include "protocol/ProtocolNumbers.h"

#include <QByteArray>
#include <limits>

namespace vexa {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

qsizetype skipBlanks(QByteArrayView text, qsizetype i) {
    while (i < text.size() && text.at(i) == ' ')
        ++i;
    return i;
}

qsizetype skipSign(QByteArrayView text, qsizetype i) {
    return i < text.size() && (text.at(i) == '+' || text.at(i) == '-') ? i + 1 : i;
}

qsizetype skipDigits(QByteArrayView text, qsizetype i) {
    while (i < text.size() && isDigit(text.at(i)))
        ++i;
    return i;
}

// The end of the number starting at `begin` (sign, digits, optional fraction), or `begin` when none.
qsizetype decimalEnd(QByteArrayView text, qsizetype begin) {
    const qsizetype intStart = skipSign(text, begin);
    const qsizetype intEnd = skipDigits(text, intStart);
    qsizetype end = intEnd;
    bool digits = intEnd > intStart;
    if (end < text.size() && text.at(end) == '.') {
        const qsizetype fractionEnd = skipDigits(text, end + 1);
        digits = digits || fractionEnd > end + 1;
        end = fractionEnd;
    }
    return digits ? end : begin;
}

} // namespace

std::optional<double> numericValue(QByteArrayView text) {
    const qsizetype begin = skipBlanks(text, 0);
    qsizetype end = decimalEnd(text, begin);
    if (end == begin)
        return std::nullopt;
    if (end < text.size() && (text.at(end) == 'e' || text.at(end) == 'E')) {
        const qsizetype exponentStart = skipSign(text, end + 1);
        const qsizetype exponentEnd = skipDigits(text, exponentStart);
        if (exponentEnd == exponentStart)
            return std::nullopt;
        end = exponentEnd;
    }
    if (skipBlanks(text, end) != text.size())
        return std::nullopt;
    bool ok = false;
    const double value = text.sliced(begin, end - begin).toByteArray().toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

double leadingNumber(QByteArrayView text) {
    const qsizetype begin = skipBlanks(text, 0);
    const qsizetype end = decimalEnd(text, begin);
    if (end == begin)
        return 0;
    bool ok = false;
    const double value = text.sliced(begin, end - begin).toByteArray().toDouble(&ok);
    return ok ? value : 0;
}

qint64 leadingInteger(QByteArrayView text) {
    const qsizetype signAt = skipBlanks(text, 0);
    const bool negative = signAt < text.size() && text.at(signAt) == '-';
    const qsizetype digitsStart = skipSign(text, signAt);
    const qsizetype digitsEnd = skipDigits(text, digitsStart);
    constexpr qint64 limit = std::numeric_limits<qint64>::max();
    qint64 value = 0;
    for (qsizetype i = digitsStart; i < digitsEnd; ++i) {
        const int digit = text.at(i) - '0';
        if (value > (limit - digit) / 10)
            return negative ? -limit : limit;
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

} // namespace vexa
