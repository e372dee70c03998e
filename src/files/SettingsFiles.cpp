#include "files/SettingsFiles.h"

#include "files/SafeFileName.h"
#include "files/SettingsFormats.h"
#include "files/TextFile.h"
#include "files/TransferLog.h"
#include "texts/Texts.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <iterator>
#include <optional>

namespace vexa {

namespace {

enum class FileKind { Limits, Keyboard, Language, ProjectData, ProjectLabels, Inspection };

struct Action {
    QStringView code;
    FileKind kind;
    bool writes;
    // Shown after the error description and logged; the keyboard actions have none.
    QStringView germanMessage;
    QStringView englishMessage;
};

constexpr Action actions[] = {
    {u"LL", FileKind::Limits, false, u"Probleme beim Lesen Datei Limit.ini: ",
     u"problems reading file  Limit.ini: "},
    {u"LS", FileKind::Limits, true, u"Probleme beim Schreiben Datei Limit.ini: ",
     u"problems writing file  Limit.ini: "},
    {u"TL", FileKind::Keyboard, false, u"", u""},
    {u"TS", FileKind::Keyboard, true, u"", u""},
    {u"SL", FileKind::Language, false, u"Probleme beim Lesen Datei & Language.ini: ",
     u"problems reading file Language.ini:"},
    {u"SS", FileKind::Language, true, u"Probleme beim Schreiben Datei Language.ini: ",
     u"problems writing file Language.ini: "},
    {u"PL", FileKind::ProjectData, false, u"Probleme beim Lesen Datei Projektdaten.ini: ",
     u"problems reading file  Projektdaten.ini: "},
    {u"PS", FileKind::ProjectData, true, u"Probleme beim Schreiben Datei Projektdaten.ini: ",
     u"problems writing file  Datei Projektdaten.ini: "},
    {u"PI", FileKind::ProjectLabels, false, u"Probleme beim Lesen Datei Projekt.ini: ",
     u"problems reading file  Datei Projekt.ini: "},
    {u"IL", FileKind::Inspection, false, u"Probleme beim Lesen Datei Pruefung.ini: ",
     u"problems reading file Pruefung.ini: "},
    {u"IS", FileKind::Inspection, true, u"Probleme beim Schreiben Datei Pruefung.ini: ",
     u"problems writing file Pruefung.ini: "},
};

QString fileName(FileKind kind, const QString& deviceNumber) {
    const QString device = safeFileName(deviceNumber);
    switch (kind) {
    case FileKind::Limits:
        return QStringLiteral("Limit_") + device + QStringLiteral(".ini");
    case FileKind::Keyboard:
        return QStringLiteral("Tastatur_") + device + QStringLiteral(".ini");
    case FileKind::Language:
        return QStringLiteral("Language_") + device + QStringLiteral(".ini");
    case FileKind::ProjectData:
        return QStringLiteral("Projektdaten._") + device + QStringLiteral(".ini");
    case FileKind::ProjectLabels:
        return QStringLiteral("Projekt.ini");
    case FileKind::Inspection:
        return QStringLiteral("Pruefung_") + device + QStringLiteral(".ini");
    }
    return {};
}

// A new language file holds the language in effect, so connecting a new gauge does not switch it.
QStringList newFileLines(FileKind kind, const SettingsState& state) {
    return kind == FileKind::Language ? languageFileLines(state.languageIndex) : QStringList();
}

QStringList fileLines(FileKind kind, const SettingsState& state) {
    switch (kind) {
    case FileKind::Limits:
        return limitsFileLines(state.limits);
    case FileKind::Keyboard:
        return keyboardFileLines(state.keys);
    case FileKind::Language:
        return languageFileLines(state.languageIndex);
    case FileKind::ProjectData:
        return projectDataFileLines(state.project);
    case FileKind::Inspection:
        return inspectionFileLines(state.inspection);
    case FileKind::ProjectLabels:
        break;
    }
    return {};
}

template <typename T> std::optional<QString> take(SettingsRead<T> parsed, T& target) {
    target = std::move(parsed.values);
    return parsed.error;
}

std::optional<QString> readFile(FileKind kind, const QString& path, SettingsState& state,
                                const std::function<void(int)>& applyLanguage) {
    // The project and the rule belong to one gauge: a file that cannot be read leaves none, not the previous
    // gauge's.
    if (kind == FileKind::ProjectData)
        state.project = ProjectData();
    if (kind == FileKind::Inspection)
        state.inspection = InspectionSettings();
    if (!QFile::exists(path)) {
        if (auto createError = writeTextFile(path, newFileLines(kind, state)))
            return createError;
    }
    const FileContent content = readFileBytes(path);
    if (content.error)
        return content.error;
    switch (kind) {
    // Limits and key forwarding belong to one gauge: what the file leaves open is not the previous gauge's.
    case FileKind::Limits:
        return take(parseLimitsFile(content.bytes, Limits()), state.limits);
    case FileKind::Keyboard:
        return take(parseKeyboardFile(content.bytes, KeyForwarding()), state.keys);
    case FileKind::Language:
        if (auto languageError =
                take(parseLanguageFile(content.bytes, state.languageIndex), state.languageIndex))
            return languageError;
        if (applyLanguage)
            applyLanguage(state.languageIndex);
        return std::nullopt;
    case FileKind::ProjectData:
        state.project = parseProjectDataFile(content.bytes);
        return std::nullopt;
    case FileKind::ProjectLabels:
        state.labels = parseProjectLabelFile(content.bytes);
        return std::nullopt;
    case FileKind::Inspection:
        state.inspection = parseInspectionFile(content.bytes);
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

SettingsFiles::SettingsFiles(const QString& folder, TransferLog& log, std::function<void(int)> applyLanguage)
    : folder_(folder)
    , log_(log)
    , applyLanguage_(std::move(applyLanguage)) {}

std::optional<QString> SettingsFiles::Voreinstellungen(QStringView aktion, const QString& deviceNumber,
                                                       SettingsState& state) {
    const auto action = std::find_if(std::begin(actions), std::end(actions),
                                     [aktion](const Action& a) { return a.code == aktion; });
    if (action == std::end(actions))
        return std::nullopt;

    const QString path = QDir(folder_).filePath(fileName(action->kind, deviceNumber));
    const std::optional<QString> error = action->writes ? writeTextFile(path, fileLines(action->kind, state))
                                                        : readFile(action->kind, path, state, applyLanguage_);
    if (!error)
        return std::nullopt;

    const QString fileMessage =
        (clampLanguage(state.languageIndex) == 0 ? action->germanMessage : action->englishMessage).toString();
    log_.WriteLog(fileMessage);
    return *error + fileMessage;
}

namespace {

const QString ProgramFile = QStringLiteral("Program.ini");

} // namespace

ProgramSettings SettingsFiles::readProgramSettings() const {
    const FileContent content = readFileBytes(QDir(folder_).filePath(ProgramFile));
    if (content.error)
        return {};
    return parseProgramFile(content.bytes);
}

std::optional<QString> SettingsFiles::writeProgramSettings(const ProgramSettings& settings,
                                                           int languageIndex) {
    const std::optional<QString> error =
        writeTextFile(QDir(folder_).filePath(ProgramFile), programFileLines(settings));
    if (!error)
        return std::nullopt;
    const QString fileMessage = Texts::notice(Notice::ProgramFileNotWritten, languageIndex);
    log_.WriteLog(fileMessage);
    return *error + fileMessage;
}

QStringList SettingsFiles::reloadProjectData(const QString& deviceNumber, SettingsState& state) {
    QStringList failures;
    for (const QStringView action : {u"PI", u"PL"})
        if (const std::optional<QString> failure = Voreinstellungen(action, deviceNumber, state))
            failures.append(*failure);
    ProjectData& project = state.project;
    if (!project.date.isValid())
        project.date = QDate::currentDate();
    if (!project.time.isValid())
        project.time = QTime::currentTime();
    return failures;
}

} // namespace vexa
