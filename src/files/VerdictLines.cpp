#include "files/VerdictLines.h"

#include "texts/Texts.h"

#include <QLocale>
#include <algorithm>

namespace vexa {

namespace {

// The rounding rule of the statistics' figures.
const QString StatisticsRounding = QStringLiteral("Stat");

// What an inspector calls a criterion's limits, beside their numbers; none where the numbers say it
// (the spots' and areas' limits follow from the parameters line).
struct LimitNames {
    QString lower;
    QString upper;
};

LimitNames limitNames(const QString& ruleKey, const QString& id) {
    struct Entry {
        const char16_t* rule;
        const char16_t* id;
        const char16_t* lower;
        const char16_t* upper;
    };
    static constexpr Entry Names[] = {
        {u"iso19840", u"(a)", u"NDFT", u""},
        {u"iso19840", u"(b)", u"80 % NDFT", u""},
        {u"iso19840", u"(c)", u"80 % NDFT", u"NDFT"},
        {u"iso19840", u"(d)", u"max", u""},
        {u"pspc9010", u"(a)", u"NDFT", u""},
        {u"pspc9010", u"(b)", u"90 % NDFT", u""},
        {u"weld", u"(a)", u"max", u""},
    };
    for (const Entry& entry : Names) {
        if (ruleKey == entry.rule && id == entry.id)
            return {QString::fromUtf16(entry.lower), QString::fromUtf16(entry.upper)};
    }
    return {};
}

class Writer {
public:
    explicit Writer(const VerdictContext& context)
        : c_(context) {}

    QString text(Notice notice) const { return Texts::notice(notice, c_.languageIndex); }

    // The text whose counted noun agrees with `count`: "1 reading", but "0 readings" and "2 readings".
    QString counted(int count, Notice many, Notice one) const { return text(count == 1 ? one : many); }

    // A value in the rule's unit, rounded as the program rounds readings of that unit.
    QString value(double number) const {
        return formatMeasurement(number, c_.parameters.unit, c_.measure).text.trimmed() + u' ' +
               c_.parameters.unit;
    }

    // A mean, with the decimals of the statistics list's mean: rounded like a reading, a mean just below a
    // limit would read as the limit itself.
    QString meanValue(double number) const {
        return formatMeasurement(number, StatisticsRounding, c_.measure).text.trimmed() + u' ' +
               c_.parameters.unit;
    }

    QString optionalValue(const std::optional<double>& number) const {
        return number ? value(*number) : QStringLiteral("–");
    }

    QString limit(const QString& name, const std::optional<double>& number) const {
        return name.isEmpty() ? optionalValue(number) : name + QStringLiteral(" = ") + optionalValue(number);
    }

    QString range(const std::optional<double>& lower, const std::optional<double>& upper) const {
        if (lower && upper)
            return text(Notice::LimitsBetween).arg(value(*lower), value(*upper));
        if (lower)
            return text(Notice::LimitsAtLeast).arg(value(*lower));
        return text(Notice::LimitsAtMost).arg(optionalValue(upper));
    }

    QString parameter(const ParameterSpec& spec) const {
        const double number = c_.parameters[spec.name];
        switch (spec.kind) {
        case ParameterKind::Quantity:
            return spec.name + u' ' + value(number);
        case ParameterKind::Number: {
            QLocale locale;
            locale.setNumberOptions(QLocale::OmitGroupSeparator);
            return spec.name + u' ' + locale.toString(number, 'g', QLocale::FloatingPointShortest) + u' ' +
                   spec.statedUnit;
        }
        case ParameterKind::Whole:
            break;
        }
        return spec.name + u' ' + QString::number(static_cast<long long>(number));
    }

    QString found(const CriterionResult& criterion) const {
        const CriterionFigures& f = criterion.figures;
        const LimitNames names = limitNames(c_.rule.key, criterion.id);
        const QString count = QString::number(f.count);
        const QString outOf = QString::number(f.outOf);
        const QString allowed = QString::number(f.allowed.value_or(0));
        switch (criterion.kind) {
        case CriterionKind::MeanAtLeast:
            return counted(f.outOf, Notice::FoundMean, Notice::FoundMeanOne)
                .arg(f.mean ? meanValue(*f.mean) : optionalValue(f.mean), outOf, limit(names.lower, f.limit));
        case CriterionKind::NoneBelow:
            return counted(f.outOf, Notice::FoundNoneBelow, Notice::FoundNoneBelowOne)
                .arg(count, outOf, limit(names.lower, f.limit), optionalValue(f.lowest));
        case CriterionKind::NoneAbove:
            return counted(f.outOf, Notice::FoundNoneAbove, Notice::FoundNoneAboveOne)
                .arg(count, outOf, limit(names.lower, f.limit), optionalValue(f.highest));
        case CriterionKind::BandShareAtMost:
            return counted(f.outOf, Notice::FoundBandShare, Notice::FoundBandShareOne)
                .arg(count, outOf, limit(names.lower, f.limit), limit(names.upper, f.upperLimit), allowed);
        case CriterionKind::ShareBelowAtMost:
            return counted(f.outOf, Notice::FoundShareBelow, Notice::FoundShareBelowOne)
                .arg(count, outOf, limit(names.lower, f.limit), allowed);
        case CriterionKind::EnoughReadings:
            return counted(f.count, Notice::FoundReadings, Notice::FoundReadingsOne)
                .arg(count, QString::number(f.required.value_or(0)));
        case CriterionKind::SpotsWithinLimits:
            return groupsFound(counted(f.outOf, Notice::FoundSpots, Notice::FoundSpotsOne),
                               counted(f.outOf, Notice::SpotMeans, Notice::SpotMean), f);
        case CriterionKind::AreasWithinLimits:
            return groupsFound(counted(f.outOf, Notice::FoundAreas, Notice::FoundAreasOne),
                               counted(f.outOf, Notice::AreaMeans, Notice::AreaMean), f);
        }
        return {};
    }

    QString criterionLine(const CriterionResult& criterion) const {
        QString line =
            text(Notice::CriterionLine)
                .arg(criterion.id, text(criterion.passed ? Notice::CriterionPassed : Notice::CriterionFailed),
                     found(criterion));
        if (!criterion.failingRows.empty())
            line += QStringLiteral("; ") + rowsText(criterion.failingRows, c_.languageIndex);
        return line;
    }

    QString groupLine(const ReadingGroup& group, int number, bool area) const {
        const QString name = text(area ? Notice::AreaName : Notice::SpotName).arg(number);
        const QString rows =
            group.rows.size() == 1
                ? text(Notice::RowListed).arg(group.rows.front())
                : text(Notice::RowsListed)
                      .arg(QStringLiteral("%1–%2").arg(group.rows.front()).arg(group.rows.back()));
        const Notice state = !group.complete      ? Notice::GroupIncomplete
                             : group.withinLimits ? Notice::GroupWithin
                                                  : Notice::GroupOutside;
        return text(Notice::GroupLine).arg(name, rows, meanValue(group.mean), text(state));
    }

    QString noteLine(const RuleNote& note) const {
        const int left = static_cast<int>(note.value);
        switch (note.kind) {
        case RuleNoteKind::NominalBelowScope:
            return text(Notice::NoteBelowScope)
                .arg(value(c_.parameters[QStringLiteral("ndft")]), value(note.value));
        case RuleNoteKind::IncompleteSpot:
            return left == 1 ? text(Notice::NoteIncompleteSpotOne)
                             : text(Notice::NoteIncompleteSpot).arg(left);
        case RuleNoteKind::IncompleteArea:
            if (left == 0)
                return text(Notice::NoteNoWholeSpot);
            return left == 1 ? text(Notice::NoteIncompleteAreaOne)
                             : text(Notice::NoteIncompleteArea).arg(left);
        }
        return {};
    }

    QString title() const { return ruleTitle(c_.rule, c_.languageIndex); }

    QString verdict(RuleVerdict verdict) const { return verdictText(verdict, c_.languageIndex); }

private:
    // `means` names the lowest and the highest group mean, or the only one.
    QString groupsFound(const QString& found, const QString& means, const CriterionFigures& f) const {
        QString line =
            found.arg(QString::number(f.count), QString::number(f.outOf), range(f.limit, f.upperLimit));
        if (f.lowest && f.highest)
            line += QStringLiteral(" (") +
                    (f.outOf == 1 ? means.arg(meanValue(*f.lowest))
                                  : means.arg(meanValue(*f.lowest), meanValue(*f.highest))) +
                    u')';
        return line;
    }

    const VerdictContext& c_;
};

} // namespace

QString verdictText(RuleVerdict verdict, int languageIndex) {
    switch (verdict) {
    case RuleVerdict::Passed:
        return Texts::notice(Notice::VerdictPassed, languageIndex);
    case RuleVerdict::Failed:
        return Texts::notice(Notice::VerdictFailed, languageIndex);
    case RuleVerdict::Incomplete:
        return Texts::notice(Notice::VerdictIncomplete, languageIndex);
    case RuleVerdict::NoReadings:
        break;
    }
    return Texts::notice(Notice::VerdictNoReadings, languageIndex);
}

QString ruleTitle(const RuleDefinition& rule, int languageIndex) {
    return rule.key == u"weld" ? Texts::notice(Notice::RuleWeldTitle, languageIndex) : rule.title;
}

QString rowsText(const std::vector<int>& rows, int languageIndex) {
    if (rows.empty())
        return {};
    if (rows.size() == 1)
        return Texts::notice(Notice::RowListed, languageIndex).arg(rows.front());
    QStringList numbers;
    const size_t listed = std::min(rows.size(), static_cast<size_t>(ListedRows));
    for (size_t i = 0; i < listed; ++i)
        numbers.append(QString::number(rows[i]));
    QString text = Texts::notice(Notice::RowsListed, languageIndex).arg(numbers.join(QStringLiteral(", ")));
    if (rows.size() > listed)
        text += u' ' + Texts::notice(Notice::RowsMore, languageIndex).arg(rows.size() - listed);
    return text;
}

QStringList verdictLines(const VerdictContext& context, const RuleResult& result, const QString& material) {
    const Writer writer(context);
    const QString title =
        material.isEmpty() ? writer.title() : writer.title() + QStringLiteral(" – ") + material;
    QStringList lines{
        writer.counted(result.readingCount, Notice::VerdictLine, Notice::VerdictLineOne)
            .arg(title, writer.verdict(result.verdict), QString::number(result.readingCount), result.unit)};
    QStringList parameters;
    for (const ParameterSpec& spec : context.rule.parameters) {
        if (context.parameters.has(spec.name))
            parameters.append(writer.parameter(spec));
    }
    lines.append(writer.text(Notice::ParametersLine).arg(parameters.join(QStringLiteral(", "))));
    for (const CriterionResult& criterion : result.criteria)
        lines.append(writer.criterionLine(criterion));
    for (const CriterionResult& criterion : result.criteria) {
        const bool area = criterion.kind == CriterionKind::AreasWithinLimits;
        for (size_t i = 0; i < criterion.groups.size(); ++i)
            lines.append(writer.groupLine(criterion.groups[i], static_cast<int>(i) + 1, area));
    }
    for (const RuleNote& note : result.notes)
        lines.append(writer.noteLine(note));
    return lines;
}

std::vector<std::vector<int>> verdictLineRows(const RuleResult& result) {
    // In the order verdictLines() writes: the verdict and the parameters, a line per criterion, the spots
    // and areas, then the notes.
    std::vector<std::vector<int>> rows(2);
    for (const CriterionResult& criterion : result.criteria)
        rows.push_back(criterion.failingRows);
    for (const CriterionResult& criterion : result.criteria)
        for (const ReadingGroup& group : criterion.groups)
            rows.push_back(group.rows);
    rows.resize(rows.size() + result.notes.size());
    return rows;
}

QString progressLine(const VerdictContext& context, const OnlineProgress& progress) {
    const Writer writer(context);
    QStringList parts{
        progress.required
            ? writer.counted(*progress.required, Notice::ProgressReadingsOf, Notice::ProgressOfOneReading)
                  .arg(progress.readings)
                  .arg(*progress.required)
            : writer.counted(progress.readings, Notice::ProgressReadings, Notice::ProgressReadingsOne)
                  .arg(progress.readings)};
    if (progress.belowNominal)
        parts.append(writer.text(Notice::ProgressBelowNominal).arg(*progress.belowNominal));
    const auto share =
        std::find_if(context.rule.criteria.begin(), context.rule.criteria.end(), [](const CriterionSpec& c) {
            return c.kind == CriterionKind::BandShareAtMost || c.kind == CriterionKind::ShareBelowAtMost;
        });
    if (progress.furtherLowToFail && share != context.rule.criteria.end()) {
        const int further = *progress.furtherLowToFail;
        parts.append(further == 0   ? writer.text(Notice::ProgressFailsAlready).arg(share->id)
                     : further == 1 ? writer.text(Notice::ProgressOneMoreFails).arg(share->id)
                                    : writer.text(Notice::ProgressMoreFail).arg(further).arg(share->id));
    }
    return parts.join(QStringLiteral("; "));
}

} // namespace vexa
