#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <limits>
#include <optional>
#include <variant>
#include <vector>

// The parameters of an inspection rule: what a rule asks for, and the values a user gave, as typed
// values or typed errors. The texts are "NAME=VALUE", as `--param NAME=VALUE` gives them.
namespace vexa {

// How a parameter's number is read.
enum class ParameterKind {
    Quantity, // in the rule's unit; its default and choices are stated in `statedUnit` and converted
    Number,   // in `statedUnit`, whatever the rule's unit (an area in m²)
    Whole,    // a whole number (a count, a level)
};

// A value with a name of its own, offered beside typed numbers (a roughness class, a welding process).
struct ParameterChoice {
    QString name;
    double value = 0; // in the parameter's stated unit
};

// This parameter's default is `factor` times another parameter's value (the maximum thickness of three
// times the nominal one).
struct DerivedDefault {
    QString from;
    double factor = 1;
};

struct ParameterSpec {
    QString name{}; // as written before "=" on a command line
    ParameterKind kind = ParameterKind::Quantity;
    QString statedUnit{};                 // see ParameterKind
    std::optional<double> defaultValue{}; // in `statedUnit`
    std::optional<DerivedDefault> derivedDefault{};
    // A parameter with neither default may stay unset when optional; otherwise it must be given.
    bool optional = false;
    // Accepted values. Bounds of 0 and infinity keep their meaning in every unit, which quantities rely
    // on: their bounds are not converted.
    double minimum = 0;
    bool minimumIncluded = false;
    double maximum = std::numeric_limits<double>::infinity();
    std::vector<ParameterChoice> choices{};
    QString atMost{}; // the named parameter's value is an upper bound of this one's
};

// The parameter that chooses the rule's unit, accepted by every rule.
inline const QString UnitParameterName = QStringLiteral("unit");

// The values a rule is evaluated with; quantities are in `unit`.
struct RuleParameters {
    QString unit;
    QHash<QString, double> values; // the parameters with a value; an optional one left unset is absent

    bool has(const QString& name) const { return values.contains(name); }
    double operator[](const QString& name) const { return values.value(name); }
    bool operator==(const RuleParameters&) const = default;
};

enum class ParameterErrorKind {
    NotNameValue, // no "=" or no name before it
    UnknownName,  // the rule has no parameter of this name
    Repeated,     // the same name given twice
    NotANumber,   // neither a number nor one of the parameter's choices
    NotWhole,     // a whole number was asked for
    OutOfRange,   // outside the parameter's accepted values
    UnknownUnit,  // a unit the rule is not stated in
    Missing,      // a parameter without default not given
    AboveBound,   // above the parameter its `atMost` names, whose name is the error's text
    NoUnitFactor, // a default or choice that cannot be stated in the chosen unit
};

struct ParameterError {
    ParameterErrorKind kind = ParameterErrorKind::NotNameValue;
    QString name;
    QString text; // the value text given, or the whole text where it held no "="

    bool operator==(const ParameterError&) const = default;
};

struct ParameterText {
    QString name;
    QString value;
};

struct RuleDefinition;

// "NAME=VALUE" split at its first "="; blanks around either side are dropped.
std::variant<ParameterText, ParameterError> splitParameterText(const QString& text);

// The rule's parameters from texts: given values, then defaults. Every error is reported: those of names
// and of the unit, then those of values, each in the order of the texts; then missing and bounded
// parameters, in the order of the rule's parameters.
std::variant<RuleParameters, std::vector<ParameterError>> resolveParameters(const RuleDefinition& rule,
                                                                            const QStringList& texts);

} // namespace vexa
