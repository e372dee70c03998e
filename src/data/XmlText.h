#pragma once

#include <QString>
#include <QStringView>

namespace vexa {

// Texts from a gauge made safe for the XML of the exports. A memory name may hold any byte but 00; XML 1.0
// forbids most control characters, U+FFFE, U+FFFF and halves of surrogate pairs, and a part holding one
// is refused by every reader of the file. Each such character becomes U+FFFD; tab, line feed and carriage
// return stay.
QString xmlCharacters(QStringView text);

// xmlCharacters() with "&", "<", ">", '"' and "'" written as references: text for an element or an
// attribute of XML the program writes itself.
QString xmlEscaped(QStringView text);

} // namespace vexa
