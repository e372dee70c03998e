#include "files/VerdictJson.h"

#include "data/ValueFormat.h"

#include <QJsonArray>

namespace vexa {

namespace {

// The grid the rules compare on (data/RuleChecks).
double onGrid(double value) {
    return roundHalfEven(value, 6);
}

QString kindName(CriterionKind kind) {
    switch (kind) {
    case CriterionKind::MeanAtLeast:
        return QStringLiteral("meanAtLeast");
    case CriterionKind::NoneBelow:
        return QStringLiteral("noneBelow");
    case CriterionKind::BandShareAtMost:
        return QStringLiteral("bandShareAtMost");
    case CriterionKind::NoneAbove:
        return QStringLiteral("noneAbove");
    case CriterionKind::EnoughReadings:
        return QStringLiteral("enoughReadings");
    case CriterionKind::ShareBelowAtMost:
        return QStringLiteral("shareBelowAtMost");
    case CriterionKind::SpotsWithinLimits:
        return QStringLiteral("spotsWithinLimits");
    case CriterionKind::AreasWithinLimits:
        break;
    }
    return QStringLiteral("areasWithinLimits");
}

QString verdictName(RuleVerdict verdict) {
    switch (verdict) {
    case RuleVerdict::Passed:
        return QStringLiteral("passed");
    case RuleVerdict::Failed:
        return QStringLiteral("failed");
    case RuleVerdict::Incomplete:
        return QStringLiteral("incomplete");
    case RuleVerdict::NoReadings:
        break;
    }
    return QStringLiteral("noReadings");
}

QString noteName(RuleNoteKind kind) {
    switch (kind) {
    case RuleNoteKind::NominalBelowScope:
        return QStringLiteral("nominalBelowScope");
    case RuleNoteKind::IncompleteSpot:
        return QStringLiteral("incompleteSpot");
    case RuleNoteKind::IncompleteArea:
        break;
    }
    return QStringLiteral("incompleteArea");
}

QJsonArray rowArray(const std::vector<int>& rows) {
    QJsonArray array;
    for (const int row : rows)
        array.append(row);
    return array;
}

void addIfSet(OrderedJson& object, QStringView key, const std::optional<double>& value) {
    if (value)
        object.add(key, onGrid(*value));
}

void addIfSet(OrderedJson& object, QStringView key, const std::optional<int>& value) {
    if (value)
        object.add(key, *value);
}

OrderedJson criterionObject(const CriterionResult& criterion) {
    const CriterionFigures& f = criterion.figures;
    OrderedJson object;
    object.add(u"id", criterion.id).add(u"passed", criterion.passed).add(u"kind", kindName(criterion.kind));
    addIfSet(object, u"limit", f.limit);
    addIfSet(object, u"upperLimit", f.upperLimit);
    addIfSet(object, u"mean", f.mean);
    addIfSet(object, u"lowest", f.lowest);
    addIfSet(object, u"highest", f.highest);
    object.add(u"count", f.count).add(u"outOf", f.outOf);
    addIfSet(object, u"allowed", f.allowed);
    addIfSet(object, u"required", f.required);
    object.add(u"failingRows", rowArray(criterion.failingRows));
    return object;
}

OrderedJson groupObject(const QString& criterion, const ReadingGroup& group, int number) {
    OrderedJson object;
    object.add(u"criterion", criterion)
        .add(u"number", number)
        .add(u"rows", rowArray(group.rows))
        .add(u"members", group.members)
        .add(u"mean", onGrid(group.mean))
        .add(u"complete", group.complete)
        .add(u"withinLimits", group.withinLimits);
    return object;
}

} // namespace

OrderedJson verdictJson(const RuleDefinition& rule, const RuleParameters& parameters,
                        const RuleResult& result, const QString& material) {
    OrderedJson object;
    if (!material.isEmpty())
        object.add(u"material", material);
    object.add(u"rule", rule.key).add(u"unit", parameters.unit);
    OrderedJson values;
    for (const ParameterSpec& spec : rule.parameters) {
        if (parameters.has(spec.name))
            values.add(spec.name, onGrid(parameters[spec.name]));
    }
    object.add(u"parameters", values)
        .add(u"verdict", verdictName(result.verdict))
        .add(u"readings", result.readingCount);

    QList<OrderedJson> criteria;
    QList<OrderedJson> groups;
    for (const CriterionResult& criterion : result.criteria) {
        criteria.append(criterionObject(criterion));
        for (size_t i = 0; i < criterion.groups.size(); ++i)
            groups.append(groupObject(criterion.id, criterion.groups[i], static_cast<int>(i) + 1));
    }
    QList<OrderedJson> notes;
    for (const RuleNote& note : result.notes)
        notes.append(OrderedJson().add(u"kind", noteName(note.kind)).add(u"value", onGrid(note.value)));
    object.add(u"criteria", criteria).add(u"notes", notes).add(u"groups", groups);
    return object;
}

} // namespace vexa
