#include "files/SafeFileName.h"

namespace vexa {

QString safeFileName(QStringView text) {
    QString safe;
    safe.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool kept = (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') ||
                          u == u'-' || u == u'_';
        safe.append(kept ? c : QChar(u'_'));
    }
    return safe;
}

} // namespace vexa
