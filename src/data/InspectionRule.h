#pragma once

#include "data/MeasurementRow.h"
#include "data/RuleParameters.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <variant>
#include <vector>

// An inspection rule as data: its parameters and its criteria, each a function of the readings and the
// parameters. Results are typed values; turning them into text is the caller's.
namespace vexa {

// One counted reading in the rule's unit, adjusted as the rule asks (a correction subtracted, a field's
// sign dropped).
struct RuleReading {
    int row = 0; // MeasurementRow::number, as the table shows it
    double value = 0;

    bool operator==(const RuleReading&) const = default;
};

// What a criterion checks, for the text line that says it.
enum class CriterionKind {
    MeanAtLeast,       // the mean is at least `limit`
    NoneBelow,         // no reading below `limit`
    BandShareAtMost,   // at most `allowed` of `outOf` readings in `limit` <= x < `upperLimit`
    NoneAbove,         // no reading above `limit`
    EnoughReadings,    // at least `required` readings
    ShareBelowAtMost,  // at most `allowed` of `outOf` readings below `limit`
    SpotsWithinLimits, // every spot's mean within `limit` ... `upperLimit` (either may be unset)
    AreasWithinLimits, // every area's mean within `limit` ... `upperLimit`
};

// Consecutive readings judged by their mean: a spot, or an area of spots.
struct ReadingGroup {
    std::vector<int> rows; // the rows of its readings
    int members = 0;       // readings of a spot, spots of an area
    double mean = 0;
    bool complete = false; // incomplete groups are listed but not judged
    bool withinLimits = true;

    bool operator==(const ReadingGroup&) const = default;
};

// The numbers behind a criterion; what each means follows from its kind.
struct CriterionFigures {
    std::optional<double> limit;
    std::optional<double> upperLimit;
    std::optional<double> mean;
    std::optional<double> lowest;  // the lowest reading (or group mean) judged
    std::optional<double> highest; // the highest one
    int count = 0;                 // readings or groups against the criterion
    int outOf = 0;                 // readings or groups judged
    std::optional<int> allowed;    // at most this many may be against it
    std::optional<int> required;   // at least this many readings are needed

    bool operator==(const CriterionFigures&) const = default;
};

// What a criterion's check gives.
struct CriterionOutcome {
    bool passed = true;
    CriterionFigures figures;
    // The rows against the criterion: every one for a criterion a single reading fails, and for one that
    // only many fail together (a share, a mean) those that made it fail, none while it passes.
    std::vector<int> failingRows;
    std::vector<ReadingGroup> groups;
};

struct CriterionResult : CriterionOutcome {
    QString id; // "(a)"
    CriterionKind kind = CriterionKind::NoneBelow;
};

enum class RuleNoteKind {
    NominalBelowScope, // the nominal thickness is below `value`, the least the rule is made for
    IncompleteSpot,    // the last `value` readings form no whole spot and are not judged
    IncompleteArea,    // the last `value` spots form no whole area: its mean is not judged
};

struct RuleNote {
    RuleNoteKind kind = RuleNoteKind::NominalBelowScope;
    double value = 0;

    bool operator==(const RuleNote&) const = default;
};

enum class RuleVerdict {
    Passed,
    Failed,
    Incomplete, // nothing failed, but readings are left over that the rule could not judge yet
    NoReadings,
};

struct RuleResult {
    QString ruleKey;
    QString unit;
    int readingCount = 0;
    RuleVerdict verdict = RuleVerdict::NoReadings;
    std::vector<CriterionResult> criteria;
    std::vector<RuleNote> notes;
};

// A reading that cannot be stated in the rule's unit.
struct UnitError {
    QString fromUnit;
    QString toUnit;
    int row = 0;

    bool operator==(const UnitError&) const = default;
};

// Where an online measurement stands.
struct OnlineProgress {
    int readings = 0;
    std::optional<int> required; // readings the rule asks for, where it asks for a number
    std::optional<int> belowNominal;
    // Further readings just below the nominal value that would make the share criterion fail (0: it
    // fails already).
    std::optional<int> furtherLowToFail;

    bool operator==(const OnlineProgress&) const = default;
};

// What a rule's functions are given.
struct RuleInput {
    const std::vector<RuleReading>& readings; // at least one, but for `progress`
    const RuleParameters& parameters;
};

struct CriterionSpec {
    QString id;
    CriterionKind kind;
    // Nothing: the criterion does not apply with these parameters.
    std::optional<CriterionOutcome> (*check)(const RuleInput&);
};

struct RuleDefinition {
    QString key;       // stable, for command lines and settings: "iso19840"
    QString title;     // "ISO 19840"
    QStringList units; // the units its parameters may be stated in; the first is the default
    std::vector<ParameterSpec> parameters;
    std::vector<CriterionSpec> criteria;
    // Applied to every reading once it is in the rule's unit; none: taken as it is.
    double (*adjust)(double value, const RuleParameters&) = nullptr;
    std::vector<RuleNote> (*notes)(const RuleInput&) = nullptr;
    // Fills what the rule knows beyond the count of readings.
    void (*progress)(const RuleInput&, OnlineProgress&) = nullptr;
};

// A rule and the parameters it is to judge with, as the user chose them.
struct RuleChoice {
    const RuleDefinition* rule = nullptr;
    RuleParameters parameters;
};

// The rows' readings as the rule judges them: rows marked "X" left out, the others in the rule's unit and
// adjusted.
std::variant<std::vector<RuleReading>, UnitError> ruleReadings(const RuleDefinition& rule,
                                                               const RuleParameters& parameters,
                                                               const std::vector<MeasurementRow>& rows);

// Every criterion over the rows, and the verdict: failed when a criterion fails, else incomplete when a
// note says readings are left over, else passed.
std::variant<RuleResult, UnitError> evaluateRule(const RuleDefinition& rule, const RuleParameters& parameters,
                                                 const std::vector<MeasurementRow>& rows);

std::variant<OnlineProgress, UnitError> onlineProgress(const RuleDefinition& rule,
                                                       const RuleParameters& parameters,
                                                       const std::vector<MeasurementRow>& rows);

} // namespace vexa
