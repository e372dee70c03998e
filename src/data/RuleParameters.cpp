#include "data/RuleParameters.h"

#include "data/InspectionRule.h"
#include "data/UnitConversion.h"

#include <QLocale>
#include <QSet>
#include <cmath>

namespace vexa {

namespace {

const ParameterSpec* findSpec(const RuleDefinition& rule, const QString& name) {
    for (const ParameterSpec& spec : rule.parameters) {
        if (spec.name == name)
            return &spec;
    }
    return nullptr;
}

// A decimal point or, as German users write it, a decimal comma; no digit grouping.
std::optional<double> parseNumber(QString text) {
    text.replace(u',', u'.');
    bool ok = false;
    const double value = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// A default or a choice, stated in the parameter's unit, in the unit the rule is evaluated in.
std::optional<double> inRuleUnit(const ParameterSpec& spec, double stated, const QString& unit) {
    if (spec.kind != ParameterKind::Quantity)
        return stated;
    return convertUnit(stated, spec.statedUnit, unit);
}

bool inRange(const ParameterSpec& spec, double value) {
    const bool aboveMinimum = spec.minimumIncluded ? value >= spec.minimum : value > spec.minimum;
    return aboveMinimum && value <= spec.maximum;
}

// The value of one "NAME=VALUE" for `spec`: a choice's name (any case) or a number.
std::variant<double, ParameterErrorKind> valueOf(const ParameterSpec& spec, const QString& text,
                                                 const QString& unit) {
    for (const ParameterChoice& choice : spec.choices) {
        if (choice.name.compare(text, Qt::CaseInsensitive) == 0) {
            const std::optional<double> value = inRuleUnit(spec, choice.value, unit);
            if (!value)
                return ParameterErrorKind::NoUnitFactor;
            return *value;
        }
    }
    const std::optional<double> number = parseNumber(text);
    if (!number)
        return ParameterErrorKind::NotANumber;
    if (spec.kind == ParameterKind::Whole && *number != std::floor(*number))
        return ParameterErrorKind::NotWhole;
    if (!inRange(spec, *number))
        return ParameterErrorKind::OutOfRange;
    return *number;
}

} // namespace

std::variant<ParameterText, ParameterError> splitParameterText(const QString& text) {
    const qsizetype at = text.indexOf(u'=');
    const QString name = text.left(at).trimmed();
    if (at < 0 || name.isEmpty())
        return ParameterError{ParameterErrorKind::NotNameValue, QString(), text};
    return ParameterText{name, text.mid(at + 1).trimmed()};
}

std::variant<RuleParameters, std::vector<ParameterError>> resolveParameters(const RuleDefinition& rule,
                                                                            const QStringList& texts) {
    std::vector<ParameterError> errors;
    std::vector<ParameterText> given;
    QSet<QString> seen;
    RuleParameters parameters;
    parameters.unit = rule.units.value(0);

    for (const QString& text : texts) {
        auto split = splitParameterText(text);
        if (auto* error = std::get_if<ParameterError>(&split)) {
            errors.push_back(*error);
            continue;
        }
        const ParameterText& entry = std::get<ParameterText>(split);
        if (seen.contains(entry.name)) {
            errors.push_back({ParameterErrorKind::Repeated, entry.name, entry.value});
            continue;
        }
        seen.insert(entry.name);
        if (entry.name == UnitParameterName) {
            if (rule.units.contains(entry.value))
                parameters.unit = entry.value;
            else
                errors.push_back({ParameterErrorKind::UnknownUnit, entry.name, entry.value});
        } else if (!findSpec(rule, entry.name)) {
            errors.push_back({ParameterErrorKind::UnknownName, entry.name, entry.value});
        } else {
            given.push_back(entry);
        }
    }

    // The unit first: every quantity's default and choices are read in it.
    for (const ParameterText& entry : given) {
        const auto value = valueOf(*findSpec(rule, entry.name), entry.value, parameters.unit);
        if (const auto* kind = std::get_if<ParameterErrorKind>(&value))
            errors.push_back({*kind, entry.name, entry.value});
        else
            parameters.values.insert(entry.name, std::get<double>(value));
    }

    // Defaults after the given values, since a derived one reads the value it derives from.
    for (const ParameterSpec& spec : rule.parameters) {
        if (parameters.has(spec.name) || seen.contains(spec.name))
            continue;
        if (spec.derivedDefault) {
            // Without the value it derives from, that value's own error says what is missing.
            if (parameters.has(spec.derivedDefault->from))
                parameters.values.insert(spec.name,
                                         spec.derivedDefault->factor * parameters[spec.derivedDefault->from]);
        } else if (spec.defaultValue) {
            if (const std::optional<double> value = inRuleUnit(spec, *spec.defaultValue, parameters.unit))
                parameters.values.insert(spec.name, *value);
            else
                errors.push_back({ParameterErrorKind::NoUnitFactor, spec.name, QString()});
        } else if (!spec.optional) {
            errors.push_back({ParameterErrorKind::Missing, spec.name, QString()});
        }
    }

    for (const ParameterSpec& spec : rule.parameters) {
        if (!spec.atMost.isEmpty() && parameters.has(spec.name) && parameters.has(spec.atMost) &&
            parameters[spec.name] > parameters[spec.atMost])
            errors.push_back({ParameterErrorKind::AboveBound, spec.name, spec.atMost});
    }

    if (!errors.empty())
        return errors;
    return parameters;
}

} // namespace vexa
