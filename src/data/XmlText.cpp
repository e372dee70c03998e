#include "data/XmlText.h"

namespace vexa {

namespace {

constexpr QChar Replacement(0xFFFD);

bool allowedControl(char16_t c) {
    return c == u'\t' || c == u'\n' || c == u'\r';
}

} // namespace

QString xmlCharacters(QStringView text) {
    QString safe;
    safe.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const char16_t u = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            safe.append(c);
            safe.append(text[++i]);
            continue;
        }
        const bool forbidden =
            (u < 0x20 && !allowedControl(u)) || c.isSurrogate() || u == 0xFFFE || u == 0xFFFF;
        safe.append(forbidden ? Replacement : c);
    }
    return safe;
}

QString xmlEscaped(QStringView text) {
    return xmlCharacters(text).toHtmlEscaped().replace(u'\'', QStringLiteral("&#39;"));
}

} // namespace vexa
