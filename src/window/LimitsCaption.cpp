#include "window/LimitsCaption.h"

#include "data/LocaleTexts.h"
#include "data/TextAlign.h"
#include "texts/Texts.h"

#include <cmath>

namespace vexa {

namespace {

// |value| × 10^decimals rounded half away from zero on the value's shortest decimal text, so that 0.15
// (held as 0.1499…) rounds like the 0.15 that was typed.
double scaledMagnitude(double value, int decimals) {
    const QString text = QString::number(std::fabs(value), 'f', QLocale::FloatingPointShortest);
    const qsizetype point = text.indexOf(u'.');
    const QString whole = point < 0 ? text : text.left(point);
    const QString fraction = point < 0 ? QString() : text.mid(point + 1);
    double scaled = (whole + fraction.left(decimals).leftJustified(decimals, u'0')).toDouble();
    if (fraction.size() > decimals && fraction.at(decimals) >= u'5')
        scaled += 1;
    return scaled;
}

bool hasFraction(double value) {
    return std::fmod(scaledMagnitude(value, 3), 1000) != 0;
}

QString formatted(double value, int decimals) {
    const double magnitude = scaledMagnitude(value, decimals) / std::pow(10.0, decimals);
    return numberLocale().toString(value < 0 && magnitude != 0 ? -magnitude : magnitude, 'f', decimals);
}

} // namespace

QString limitsCaption(const Limits& limits, const QString& deviceModel, int languageIndex) {
    if (limits.minimum == 0 && limits.maximum == 0 && limits.target == 0)
        return Texts::message(Msg::Limits, languageIndex);
    const bool fractional =
        hasFraction(limits.minimum) || hasFraction(limits.maximum) || hasFraction(limits.target);
    const int decimals = !fractional ? 0 : deviceModel.startsWith(QLatin1String("WP")) ? 3 : 1;
    const auto line = [decimals](QChar mark, double value) {
        return mark + ausrichten(7, formatted(value, decimals));
    };
    return line(u'>', limits.minimum) + QStringLiteral("\r\n") + line(u'<', limits.maximum) +
           QStringLiteral("\r\n") + line(u'=', limits.target);
}

} // namespace vexa
