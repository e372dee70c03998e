#include "data/Statistics.h"

#include "data/TextAlign.h"
#include "texts/Texts.h"

#include <QStringView>
#include <algorithm>
#include <cmath>

namespace vexa {

namespace {

const QString Fe = QStringLiteral("FE");
const QString Nf = QStringLiteral("NF");
const QString Nfe = QStringLiteral("NFE");

// The first row of a statistics decides which material a hidden button offers: the other one.
void noteFirstMaterial(StatisticsState& state, const QString& material, MaterialButton& button) {
    state.firstMaterial = material;
    if (state.firstMaterial.contains(Nf)) {
        state.firstMaterial = Nf;
        if (!button.visible)
            button.caption = Fe;
    }
    if (state.firstMaterial.contains(Fe)) {
        state.firstMaterial = Fe;
        if (!button.visible)
            button.caption = Nf;
    }
}

bool filterOff(const QString& memoryListText) {
    const QStringView start = QStringView(memoryListText).left(2);
    return start.contains(u's') || start.contains(u't');
}

QString resultText(double value, const QString& unitOrDecimals, const MeasureContext& context) {
    return formatMeasurement(value, unitOrDecimals, context).text.trimmed();
}

constexpr int LabelWidth = 13;
constexpr int NumberWidth = 8;
constexpr int UnitGap = 4;

int decimalsOf(const QString& text, QChar separator) {
    const qsizetype at = text.indexOf(separator);
    return at < 0 ? 0 : static_cast<int>(text.size() - at - 1);
}

QString blanks(int count) {
    return QString(std::max(count, 0), u' ');
}

} // namespace

void Statistics::reset() {
    const bool absoluteValues = state_.absoluteValues;
    state_ = StatisticsState{};
    state_.absoluteValues = absoluteValues;
    spreadMean_ = 0;
    squaredDeviations_ = 0;
}

AddResult Statistics::addRow(const StatisticsRow& row, const StatisticsContext& context,
                             MaterialButton& button) {
    StatisticsState& s = state_;
    const MeasureContext& measure = context.measure;
    const bool twoMaterials = measure.measureMode == u"SM";

    s.absoluteValues = true;
    if (s.count == 0)
        noteFirstMaterial(s, row.material, button);
    if (twoMaterials) {
        button.visible = true;
        s.materialLabel = button.caption == Fe ? Nfe : Fe;
    }
    if (filterOff(context.memoryListText))
        button.visible = false;
    if (button.visible && twoMaterials && row.material.left(2).contains(button.caption.left(2)))
        return {};

    ++s.count;
    s.absoluteTitle = measure.traits.titlesAbsolute();
    s.rule8020Shown = context.limits.rule8020;

    const double x = measure.traits.judgesMagnitude() ? std::fabs(row.value) : row.value;
    const double magnitude = std::fabs(x);
    if (s.referenceUnit.isEmpty())
        s.referenceUnit = row.unit;
    if (row.unit != s.referenceUnit)
        s.mixedUnits = true;

    s.sum += x;
    s.absoluteSum += magnitude;
    s.minimum = std::min(s.minimum, x);
    s.maximum = std::max(s.maximum, x);
    s.absoluteMinimum = std::min(s.absoluteMinimum, magnitude);
    s.absoluteMaximum = std::max(s.absoluteMaximum, magnitude);
    s.mean = s.sum / s.count;
    s.absoluteMean = s.absoluteSum / s.count;

    const double delta = magnitude - spreadMean_;
    spreadMean_ += delta / s.count;
    squaredDeviations_ += delta * (magnitude - spreadMean_);
    if (s.count > 1)
        s.standardDeviation = std::sqrt(std::max(0.0, squaredDeviations_ / (s.count - 1)));

    const QString stat = QStringLiteral("Stat");
    s.minimumText = resultText(s.absoluteMinimum, row.unit, measure);
    s.maximumText = resultText(s.absoluteMaximum, row.unit, measure);
    s.meanText = resultText(s.absoluteMean, stat, measure);
    s.standardDeviationText = resultText(s.standardDeviation, stat, measure);

    if (context.limits.rule8020) {
        const Limits& limits = context.limits;
        const double target = limits.target;
        const double bandStart = target - target * 20 / 100;
        s.meanBelowTarget = s.mean < target;
        // Unlike the cell colouring, the rule takes a limit of 0 at its word: a maximum of 0 fails every
        // positive value.
        if ((limits.minimum >= 0 && x < limits.minimum) || (limits.maximum >= 0 && x > limits.maximum))
            s.limitViolated = true;
        if (bandStart <= x && x < target)
            ++s.bandCount;
        s.bandShare = static_cast<double>(s.bandCount) / s.count * 100;
        s.bandShareExceeded = s.bandShare > 20;
    }

    s.rowCount = s.count;
    return {true, s.count > 1};
}

int Statistics::recount(const RowStore& rows, const StatisticsContext& context, MaterialButton& button) {
    reset();
    int read = 0;
    for (int i = 1; i <= RowStore::Capacity && rows[i].isPresent(); ++i) {
        ++read;
        if (!rows[i].isMarkedX())
            addRow({rows[i].value, rows[i].unit, rows[i].material}, context, button);
    }
    return read;
}

int Statistics::recompute(const RowStore& rows, const StatisticsContext& context, MaterialButton& button) {
    button.visible = false;
    return recount(rows, context, button);
}

int Statistics::switchMaterial(const RowStore& rows, const StatisticsContext& context,
                               MaterialButton& button) {
    if (button.caption != Fe)
        button.caption = Fe;
    else
        button.caption = context.measure.traits.hasMemoryFiles() ? Nf : Nfe;
    return recount(rows, context, button);
}

QStringList Statistics::lines(const StatisticsListHeader& header) const {
    if (state_.count == 0)
        return {};
    const QString blank = blanks(1);
    QStringList list;
    if (header.view == View::Memory)
        list << header.memoryCaption << blank;
    else if (header.view == View::Online)
        list << Texts::message(Msg::Online, header.languageIndex) << blank;
    return list + body(header.languageIndex, header.decimalSeparator);
}

QStringList Statistics::body(int language, QChar separator) const {
    const StatisticsState& s = state_;
    if (s.count == 0)
        return {};
    const auto label = [language](Stat slot) { return Texts::statistics(slot, language); };
    const QString blank = blanks(1);

    QStringList list;

    QString title = s.materialLabel.isEmpty() ? QString() : s.materialLabel + u' ';
    title += label(Stat::Heading);
    if (s.absoluteTitle)
        title += label(Stat::Absolute);
    list << title << blank;

    if (s.mixedUnits)
        return list << label(Stat::NotPossible) << label(Stat::CauseOfDifferent)
                    << label(Stat::MeasurementUnits);

    // The mean and the standard deviation carry more decimals than the extremes; the shift moves them
    // so that all decimal separators stand in one column.
    const int shift = decimalsOf(s.meanText, separator) - decimalsOf(s.minimumText, separator) +
                      (s.minimumText.contains(separator) ? 0 : 1);
    const auto valueLine = [&](Stat slot, int shiftBy, const QString& text) {
        return padRight(label(slot), LabelWidth + shiftBy) + ausrichten(NumberWidth, text) +
               blanks(UnitGap - shiftBy) + s.referenceUnit;
    };

    list << padRight(label(Stat::Count), LabelWidth) + ausrichten(NumberWidth, QString::number(s.count));
    list << valueLine(Stat::Minimum, 0, s.minimumText);
    list << valueLine(Stat::Maximum, 0, s.maximumText);
    if (s.count >= 2) {
        list << valueLine(Stat::Average, shift, s.meanText);
        list << valueLine(Stat::StdDev, shift, s.standardDeviationText);
    }
    if (s.rule8020Shown)
        list << label(Stat::Rule8020Ok) + blank + rule8020Verdict(language);
    return list;
}

QString Statistics::rule8020Verdict(int language) const {
    const QString result = Texts::message(state_.rule8020Holds() ? Msg::YesText : Msg::NoText, language);
    const QString share = QString::number(roundHalfEven(state_.bandShare, 0), 'f', 0);
    return result + u' ' + share + QStringLiteral(" %");
}

QString memoryCaption(const DeviceTraits& traits, int languageIndex, int selectedMemoryNumber,
                      const QString& memoryListText, const QString& memoryName) {
    const QString word = Texts::message(Msg::Memory, languageIndex);
    if (traits.hasProbeMemories())
        return word + u' ' + QString::number(selectedMemoryNumber);
    if (traits.hasMemoryFiles())
        return word + u' ' + memoryListText.trimmed() + QStringLiteral(" (") + memoryName + u')';
    return {};
}

} // namespace vexa
