#include "data/TextAlign.h"

namespace vexa {

QString ausrichten(int maxLength, const QString& text, QChar fill, bool truncate) {
    if (text.size() < maxLength)
        return QString(maxLength - text.size(), fill) + text;
    if (truncate && text.size() > maxLength)
        return text.left(qMax(maxLength, 0));
    return text;
}

QString ausrichtenL(int maxLength, const QString& text) {
    if (maxLength <= 0)
        return QString();
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == u' ')
        ++begin;
    while (end > begin && text.at(end - 1) == u' ')
        --end;
    QString result = text.mid(begin, qMin<qsizetype>(end - begin, maxLength));
    result.resize(maxLength, u' ');
    return result;
}

QString padRight(const QString& text, int width, QChar pad) {
    if (text.size() >= width)
        return text;
    return text + QString(width - text.size(), pad);
}

QString replaceCharAt(const QString& text, int position, const QString& replacement) {
    if (position < 1 || position > text.size())
        return text;
    return text.left(position - 1) + replacement + text.mid(position);
}

} // namespace vexa
