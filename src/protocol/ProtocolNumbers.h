#pragma once

#include <QByteArrayView>
#include <QtGlobal>
#include <optional>

// Numbers inside the gauge's answer texts and record lines.
namespace vexa {

// The text as a number when the whole of it, blanks around it aside, is one decimal number with "." as
// decimal point (sign and exponent allowed); anything else, the empty text included, is no number.
std::optional<double> numericValue(QByteArrayView text);

// The number the text begins with: leading blanks skipped, an optional sign, digits with an optional "."
// fraction; whatever follows is ignored. A text without such a number gives 0.
double leadingNumber(QByteArrayView text);

// The whole number the text begins with, as leadingNumber() but without fraction; 0 when there is none.
// Values beyond the 64-bit range stay at its ends.
qint64 leadingInteger(QByteArrayView text);

} // namespace vexa
