#include "data/LimitsForm.h"

#include "data/LocaleTexts.h"
#include "texts/Texts.h"

#include <QStringList>
#include <cmath>
#include <optional>

namespace vexa {

namespace {

// The sign of an exponent ("1e-5") stays: dropping it would turn a small positive number into a huge one.
QString withoutMinusSigns(const QString& text) {
    const QString localeMinus = numberLocale().negativeSign();
    QString result;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool minus = c == u'-' || c == QChar(0x2212) || localeMinus.contains(c);
        const bool exponentSign = i > 0 && text.at(i - 1).toLower() == u'e';
        if (!minus || exponentSign)
            result.append(c);
    }
    return result;
}

// 80 % of a decimal often carries binary noise in its last digit (0.07 gives 0.05600000000000001); rounded
// to the 15 significant digits a double holds reliably it shows and saves as the 0.056 everyone expects.
// Dividing first keeps the largest targets from overflowing.
double eightyPercentOf(double target) {
    return QString::number(target / 100 * 80, 'g', 15).toDouble();
}

template <typename Display> auto& fieldOf(Display& display, LimitField field) {
    switch (field) {
    case LimitField::Minimum:
        return display.minimum;
    case LimitField::Maximum:
        return display.maximum;
    case LimitField::Target:
        break;
    }
    return display.target;
}

} // namespace

QString& LimitsDisplay::text(LimitField field) {
    return fieldOf(*this, field);
}

const QString& LimitsDisplay::text(LimitField field) const {
    return fieldOf(*this, field);
}

LimitsForm::LimitsForm(Limits& limits, int languageIndex, Tell tell)
    : limits_(limits)
    , languageIndex_(languageIndex)
    , tell_(std::move(tell)) {}

double& LimitsForm::value(LimitField field) {
    switch (field) {
    case LimitField::Minimum:
        return limits_.minimum;
    case LimitField::Maximum:
        return limits_.maximum;
    case LimitField::Target:
        break;
    }
    return limits_.target;
}

QString& LimitsForm::valueText(LimitField field) {
    switch (field) {
    case LimitField::Minimum:
        return limits_.minimumText;
    case LimitField::Maximum:
        return limits_.maximumText;
    case LimitField::Target:
        break;
    }
    return limits_.targetText;
}

void LimitsForm::tell(const QString& text) {
    if (tell_)
        tell_(text);
}

void LimitsForm::formActivate() {
    display_ = {numberText(limits_.minimum), numberText(limits_.maximum), numberText(limits_.target),
                limits_.rule8020};
}

FieldLeave LimitsForm::validate(LimitField field, const QString& text) {
    QString& shown = display_.text(field);
    shown = text;
    if (text.isEmpty() || text == QLatin1String(" ")) {
        value(field) = 0;
        shown = valueText(field) = QStringLiteral("0");
        return FieldLeave::Allowed;
    }
    const std::optional<double> number = readNumber(text);
    if (!number) {
        tell(Texts::message(Msg::NumericInputRequired, languageIndex_));
        return FieldLeave::Cancelled;
    }
    if (std::signbit(*number)) {
        tell(Texts::message(Msg::OnlyPositiveValues, languageIndex_));
        shown = withoutMinusSigns(text);
    }
    value(field) = std::fabs(*number);
    valueText(field) = shown;
    checkConsistency();
    return FieldLeave::Allowed;
}

void LimitsForm::chk8020Click(bool ticked) {
    limits_.rule8020 = display_.rule8020 = ticked;
    checkConsistency();
}

void LimitsForm::cmdLoeschenClick() {
    for (LimitField field : {LimitField::Minimum, LimitField::Maximum, LimitField::Target}) {
        value(field) = 0;
        display_.text(field) = valueText(field) = QStringLiteral("0");
    }
    // Unticking runs the consistency check, which has nothing to report once everything is 0.
    limits_.rule8020 = display_.rule8020 = false;
}

void LimitsForm::checkConsistency() {
    const double target = limits_.target;
    if (limits_.rule8020) {
        if (target == 0) {
            tell(Texts::message(Msg::TargetRequiredFor8020, languageIndex_));
            return;
        }
        const double adjusted = eightyPercentOf(target);
        if (adjusted != limits_.minimum) {
            const double old = limits_.minimum;
            limits_.minimum = adjusted;
            display_.minimum = limits_.minimumText = numberText(adjusted);
            tell(Texts::message(Msg::MinLimitAdjustedFrom, languageIndex_) + numberText(old) + u' ' +
                 Texts::message(Msg::AdjustedTo, languageIndex_) + u' ' + numberText(adjusted));
        }
    } else if (target != 0 && (target > limits_.maximum || target < limits_.minimum)) {
        tell(Texts::message(Msg::TargetOutsideLimits, languageIndex_));
    }
    if (limits_.minimum != 0 && limits_.maximum != 0 && limits_.minimum > limits_.maximum)
        tell(Texts::message(Msg::MinimumAboveMaximum, languageIndex_));
}

QString LimitsForm::rule8020Explanation(int languageIndex) {
    const QStringList lines =
        clampLanguage(languageIndex) == 1
            ? QStringList{QStringLiteral("The 80/20 rule according to ISO 19840 :"),
                          QStringLiteral("1) The arithmetic mean value has to be equal or higher than the "
                                         "target Value(NDFT Nominal Dry Film Thickness)"),
                          QStringLiteral("2) Each value has to be minimun 80% of the Target Value, Min Limit "
                                         "= 80% of target Limit"),
                          QStringLiteral("3) Maximum 20 % of all values are allowed to be between Min Limit "
                                         "and Target Value"),
                          QStringLiteral("4) Each value has to be less or equal than Max Limit"),
                          QString(),
                          QStringLiteral(
                              "Appearance in table: value ok = green, value higher max or lower Min "
                              "= red, value between 80 and 100% = orange")}
            : QStringList{
                  QStringLiteral("Die 80/20 Regel nach ISO 19840 :"),
                  QStringLiteral("1) Der Mittelwert aller Meßwerte muß gleich oder größer dem "
                                 "eingegeben Sollwert(NDFT) sein."),
                  QStringLiteral("2) Jeder gemessene Wert muss mindestens 80% des Sollwerts sein. Min "
                                 "Limit = 80% vom Sollwert"),
                  QStringLiteral("3) Maximal 20 % aller Werte dürfen in einem Bereich zwischen "
                                 "MinLimit und Sollwert liegen"),
                  QStringLiteral("4) Jeder Wert muss kleiner oder gleich dem Max Limit sein"),
                  QString(),
                  QStringLiteral("Kennzeichnung in Tabelle:  Wert ok = grün, Wert höher Max oder unter "
                                 "Min = red, Wert zwischen 80 and 100% = orange")};
    return lines.join(QStringLiteral("\r\n"));
}

TypedLimits limitsFromFields(const LimitsDisplay& fields, int languageIndex) {
    TypedLimits typed;
    LimitsForm form(typed.limits, languageIndex,
                    [&typed](const QString& text) { typed.messages.append(text); });
    form.formActivate();
    form.cmdLoeschenClick();
    for (const LimitField field : {LimitField::Minimum, LimitField::Maximum, LimitField::Target}) {
        if (form.validate(field, fields.text(field)) == FieldLeave::Cancelled) {
            typed.refused = true;
            return typed;
        }
    }
    if (fields.rule8020)
        form.chk8020Click(true);
    return typed;
}

} // namespace vexa
