#include "cli/CliRuleOptions.h"

#include "data/InspectionRules.h"

namespace vexa::cli {

namespace {

QStringList ruleKeys() {
    QStringList keys;
    for (const RuleDefinition* rule : inspectionRules())
        keys.append(rule->key);
    return keys;
}

QString parameterNames(const RuleDefinition& rule) {
    QStringList names;
    for (const ParameterSpec& spec : rule.parameters)
        names.append(spec.name);
    names.append(UnitParameterName);
    return names.join(QStringLiteral(", "));
}

QString choiceNames(const RuleDefinition& rule, const QString& name) {
    for (const ParameterSpec& spec : rule.parameters) {
        if (spec.name != name || spec.choices.empty())
            continue;
        QStringList names;
        for (const ParameterChoice& choice : spec.choices)
            names.append(choice.name);
        return QStringLiteral(" or one of ") + names.join(QStringLiteral(", "));
    }
    return {};
}

QString errorText(const RuleDefinition& rule, const ParameterError& error) {
    switch (error.kind) {
    case ParameterErrorKind::NotNameValue:
        return QStringLiteral("--param takes NAME=VALUE, not \"%1\"").arg(error.text);
    case ParameterErrorKind::UnknownName:
        return QStringLiteral("%1 has no parameter \"%2\" (it has %3)")
            .arg(rule.key, error.name, parameterNames(rule));
    case ParameterErrorKind::Repeated:
        return QStringLiteral("parameter %1 given twice").arg(error.name);
    case ParameterErrorKind::NotANumber:
        return QStringLiteral("%1 takes a number%2, not \"%3\"")
            .arg(error.name, choiceNames(rule, error.name), error.text);
    case ParameterErrorKind::NotWhole:
        return QStringLiteral("%1 takes a whole number, not \"%2\"").arg(error.name, error.text);
    case ParameterErrorKind::OutOfRange:
        return QStringLiteral("%1 is out of range: \"%2\"").arg(error.name, error.text);
    case ParameterErrorKind::UnknownUnit:
        return QStringLiteral("unit takes %1, not \"%2\"")
            .arg(rule.units.join(QStringLiteral(", ")), error.text);
    case ParameterErrorKind::Missing:
        return QStringLiteral("%1 needs --param %2=VALUE").arg(rule.key, error.name);
    case ParameterErrorKind::AboveBound:
        return QStringLiteral("%1 is above %2").arg(error.name, error.text);
    case ParameterErrorKind::NoUnitFactor:
        break;
    }
    return QStringLiteral("%1 has no value in the unit chosen").arg(error.name);
}

} // namespace

std::variant<RuleChoice, QString> chooseRule(const QString& key, const QStringList& parameterTexts) {
    const RuleDefinition* rule = findInspectionRule(key);
    if (!rule)
        return QStringLiteral("--rule takes %1, not \"%2\"").arg(ruleKeys().join(QStringLiteral(", ")), key);
    auto resolved = resolveParameters(*rule, parameterTexts);
    if (auto* parameters = std::get_if<RuleParameters>(&resolved))
        return RuleChoice{rule, std::move(*parameters)};
    QStringList errors;
    for (const ParameterError& error : std::get<std::vector<ParameterError>>(resolved))
        errors.append(errorText(*rule, error));
    return QStringLiteral("--param: ") + errors.join(QStringLiteral("; "));
}

} // namespace vexa::cli
