#include "data/PrintableText.h"

namespace vexa {

namespace {

bool isControl(QChar c) {
    const char16_t code = c.unicode();
    return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

} // namespace

QString printableText(QStringView text) {
    QString printable = text.toString();
    for (QChar& c : printable)
        if (isControl(c))
            c = u'?';
    return printable;
}

QString typableText(QStringView text) {
    QString typable;
    typable.reserve(text.size());
    for (const QChar c : text)
        if (!isControl(c))
            typable += c;
    return typable;
}

QString printableLines(QStringView text) {
    QString printable;
    printable.reserve(text.size());
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        const bool lineFeed = end >= 0;
        if (!lineFeed)
            end = text.size();
        const bool carriageReturn = lineFeed && end > start && text.at(end - 1) == u'\r';
        printable += printableText(text.mid(start, end - start - (carriageReturn ? 1 : 0)));
        if (carriageReturn)
            printable += u'\r';
        if (lineFeed)
            printable += u'\n';
        start = end + 1;
    }
    return printable;
}

} // namespace vexa
