#include "files/SettingsFormats.h"

#include "data/LocaleTexts.h"
#include "files/TextEncoding.h"
#include "texts/Texts.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <cmath>

namespace vexa {

namespace {

constexpr qsizetype DateTextLength = 20;
constexpr int ProjectDateLine = ProjectData::FieldCount;
constexpr int ProjectTimeLine = ProjectData::FieldCount + 1;
const QString ProjectTimeFormat = QStringLiteral("hh:mm");
constexpr qsizetype IncludeFlagCount = 4;

QStringList fileLines(const QByteArray& content) {
    return splitLines(decodeFileText(content));
}

QString missingSeparator(int field, const QString& line) {
    return QStringLiteral("Field %1 is not ended by \";\" in \"%2\"").arg(field).arg(line);
}

QString notANumber(const QString& text) {
    return QStringLiteral("Not a number: \"%1\"").arg(text);
}

// Exactly four characters "0"/"1"; anything else counts as "0" so every flag can be looked up.
QString normalisedFlags(const QString& text) {
    QString flags(IncludeFlagCount, u'0');
    for (qsizetype i = 0; i < flags.size() && i < text.size(); ++i) {
        if (text[i] == u'1')
            flags[i] = u'1';
    }
    return flags;
}

struct LimitField {
    double& value;
    QString& text;
};

// Field `index` of a limit line, which must be ended by ";".
std::optional<QString> readLimitField(const QStringList& fields, int index, const QString& line,
                                      const LimitField& limit) {
    if (fields.size() <= index + 1)
        return missingSeparator(index + 1, line);
    const QString field = fields[index].trimmed();
    const std::optional<double> number = readNumber(field);
    if (!number)
        return notANumber(field);
    limit.value = *number;
    limit.text = field;
    return std::nullopt;
}

// Line breaks would shift every following line of the file.
QString singleLine(QString text) {
    return text.replace(u'\r', u' ').replace(u'\n', u' ');
}

// What follows line `index`'s two-letter tag and its blank; nothing when the line is missing or tagged
// otherwise.
std::optional<QString> taggedLine(const QStringList& lines, int index, QStringView tag) {
    if (index >= lines.size() || !lines[index].startsWith(tag))
        return std::nullopt;
    return lines[index].mid(tag.size() + 1);
}

} // namespace

SettingsRead<Limits> parseLimitsFile(const QByteArray& content, Limits current) {
    SettingsRead<Limits> result{std::move(current), std::nullopt};
    Limits& limits = result.values;
    const std::array<LimitField, 3> limitFields = {{
        {limits.minimum, limits.minimumText},
        {limits.maximum, limits.maximumText},
        {limits.target, limits.targetText},
    }};
    for (const QString& rawLine : fileLines(content)) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty())
            continue;
        const QStringList fields = line.split(u';');
        for (int index = 0; index < 3; ++index) {
            result.error = readLimitField(fields, index, line, limitFields[static_cast<size_t>(index)]);
            if (result.error)
                return result;
        }
        if (fields.size() <= 4) {
            limits.rule8020 = false;
            continue;
        }
        const QString switchText = fields[3].trimmed();
        const std::optional<double> switchValue = readNumber(switchText);
        if (!switchValue) {
            result.error = notANumber(switchText);
            return result;
        }
        limits.rule8020 = *switchValue != 0;
    }
    return result;
}

QStringList limitsFileLines(const Limits& limits) {
    return {numberText(limits.minimum) + u';' + numberText(limits.maximum) + u';' +
            numberText(limits.target) + u';' + (limits.rule8020 ? u'1' : u'0') + u';'};
}

SettingsRead<KeyForwarding> parseKeyboardFile(const QByteArray& content, KeyForwarding current) {
    SettingsRead<KeyForwarding> result{std::move(current), std::nullopt};
    const QStringList lines = fileLines(content);
    if (lines.isEmpty() || lines.first().trimmed().isEmpty())
        return result;
    const QString& line = lines.first();
    KeyForwarding& keys = result.values;
    const QStringList fields = line.split(u';');

    if (fields.size() < 2) {
        result.error = missingSeparator(1, line);
        return result;
    }
    bool ok = false;
    const QString onText = fields[0].trimmed();
    const int on = onText.toInt(&ok);
    if (!ok) {
        result.error = notANumber(onText);
        return result;
    }
    keys.forwardingOn = on != 0;

    if (fields.size() < 3) {
        result.error = missingSeparator(2, line);
        return result;
    }
    keys.targetApplication = fields[1];

    if (fields.size() < 4) {
        result.error = missingSeparator(3, line);
        return result;
    }
    keys.includeFlags = normalisedFlags(fields[2]);
    keys.lineEndToken = line.section(u';', 3);
    return result;
}

QStringList keyboardFileLines(const KeyForwarding& keys) {
    return {QString(keys.forwardingOn ? u'1' : u'0') + u';' + singleLine(keys.targetApplication) + u';' +
            normalisedFlags(keys.includeFlags) + u';' + singleLine(keys.lineEndToken)};
}

SettingsRead<int> parseLanguageFile(const QByteArray& content, int current) {
    const QStringList lines = fileLines(content);
    const QString text = lines.isEmpty() ? QString() : lines.first().trimmed();
    if (text.isEmpty())
        return {0, std::nullopt};
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok)
        return {clampLanguage(current), notANumber(text)};
    return {static_cast<int>(std::clamp<qlonglong>(value, 0, 1)), std::nullopt};
}

QStringList languageFileLines(int languageIndex) {
    return {QString::number(clampLanguage(languageIndex))};
}

InspectionSettings parseInspectionFile(const QByteArray& content) {
    const QStringList lines = fileLines(content);
    InspectionSettings settings;
    if (lines.isEmpty())
        return settings;
    settings.ruleKey = lines.first().trimmed();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        QStringList fields = lines[i].split(u';');
        const QString rule = fields.takeFirst().trimmed();
        if (rule.isEmpty())
            continue;
        QStringList texts;
        for (const QString& field : fields)
            if (!field.trimmed().isEmpty())
                texts.append(field.trimmed());
        settings.parameters.insert(rule, texts);
    }
    return settings;
}

QStringList inspectionFileLines(const InspectionSettings& settings) {
    QStringList lines{singleLine(settings.ruleKey)};
    for (auto rule = settings.parameters.cbegin(); rule != settings.parameters.cend(); ++rule) {
        QString line = singleLine(rule.key()) + u';';
        // A ";" in a text would split it into two on reading; no value a rule takes holds one.
        for (const QString& text : rule.value())
            line += singleLine(text).remove(u';') + u';';
        lines.append(line);
    }
    return lines;
}

ProjectData parseProjectDataFile(const QByteArray& content) {
    const QStringList lines = fileLines(content);
    ProjectData project;
    for (int k = 0; k < ProjectData::FieldCount && k < lines.size(); ++k)
        project.fields[static_cast<size_t>(k)] = lines[k].left(ProjectData::FieldLength);
    if (const std::optional<QString> date = taggedLine(lines, ProjectDateLine, u"DT"))
        project.date = QLocale().toDate(date->left(DateTextLength).trimmed(), shortDateFormat());
    if (const std::optional<QString> time = taggedLine(lines, ProjectTimeLine, u"TM"))
        project.time = QTime::fromString(time->trimmed(), ProjectTimeFormat);
    return project;
}

QStringList projectDataFileLines(const ProjectData& project) {
    QStringList lines;
    for (const QString& field : project.fields)
        lines.append(singleLine(field));
    lines.append(QStringLiteral("DT ") + shortDateText(project.date));
    lines.append(QStringLiteral("TM ") + project.time.toString(ProjectTimeFormat));
    return lines;
}

ProjectLabels parseProjectLabelFile(const QByteArray& content) {
    ProjectLabels labels;
    size_t next = 0;
    for (const QString& line : fileLines(content)) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#'))
            continue;
        labels.lines[next++] = line.left(ProjectLabels::StoredLength);
        if (next == labels.lines.size())
            break;
    }
    return labels;
}

ProgramSettings parseProgramFile(const QByteArray& content) {
    QStringList lines = fileLines(content);
    // Empty model and firmware lines are the gauge's own; only empty lines past them are left over.
    while (lines.size() > 5 && lines.last().trimmed().isEmpty())
        lines.removeLast();
    if (std::all_of(lines.begin() + std::min<qsizetype>(1, lines.size()), lines.end(),
                    [](const QString& line) { return line.trimmed().isEmpty(); }))
        lines = lines.mid(0, 1);
    if (lines.isEmpty() || (lines.size() != 1 && lines.size() != 5))
        return {};
    const QString language = lines[0].trimmed();
    if (language != u"0" && language != u"1")
        return {};
    ProgramSettings settings;
    settings.languageIndex = language.toInt();
    if (lines.size() == 1)
        return settings;
    LastGauge gauge{lines[1], lines[2].trimmed(), lines[3].trimmed(), lines[4].trimmed()};
    if (gauge.name.trimmed().isEmpty() || gauge.address.isEmpty())
        return {};
    settings.lastGauge = std::move(gauge);
    return settings;
}

QStringList programFileLines(const ProgramSettings& settings) {
    QStringList lines{QString::number(settings.languageIndex == 0 ? 0 : 1)};
    if (const std::optional<LastGauge>& gauge = settings.lastGauge)
        lines << singleLine(gauge->name) << singleLine(gauge->address) << singleLine(gauge->model)
              << singleLine(gauge->firmware);
    return lines;
}

} // namespace vexa
