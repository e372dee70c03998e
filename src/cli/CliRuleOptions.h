#pragma once

#include "data/InspectionRule.h"

#include <QString>
#include <QStringList>
#include <variant>

namespace vexa::cli {

// The rule of that key with its parameters resolved, or the one line that says what is wrong: an unknown
// rule, or every parameter error, joined.
std::variant<RuleChoice, QString> chooseRule(const QString& key, const QStringList& parameterTexts);

} // namespace vexa::cli
