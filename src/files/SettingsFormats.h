#pragma once

#include "data/SettingsState.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The settings file kinds as text: readers are pure functions over the file's bytes (UTF-8, or
// Windows-1252 from older installations), writers give the lines to store. Numbers and dates use the
// default locale.
namespace vexa {

template <typename T> struct SettingsRead {
    T values;
    std::optional<QString> error; // why the file could not be read to the end; the values read before stay
};

// One line "minimum;maximum;target;switch;". Every non-empty line is read and the last one wins; a line
// without the fourth ";" switches the 80/20 rule off.
SettingsRead<Limits> parseLimitsFile(const QByteArray& content, Limits current);
QStringList limitsFileLines(const Limits& limits);

// One line "on;application;flags;line end token", where the token is everything after the third ";".
SettingsRead<KeyForwarding> parseKeyboardFile(const QByteArray& content, KeyForwarding current);
QStringList keyboardFileLines(const KeyForwarding& keys);

// The language index on the first line, pulled into 0..1; an empty file or line gives 0.
SettingsRead<int> parseLanguageFile(const QByteArray& content, int current);
QStringList languageFileLines(int languageIndex);

// Six field lines, then "DT " and the short date, then "TM " and the time "hh:mm". A read starts from
// nothing: what the file leaves out is empty or not stored, never what an earlier read gave. Only the
// seventh line can be the date line and only the eighth the time line; a date or time that does not exist
// is not stored. Files of older versions end after the date line.
ProjectData parseProjectDataFile(const QByteArray& content);
QStringList projectDataFileLines(const ProjectData& project);

// Lines "German;English;"; empty lines and lines starting with "#" are comments. The first six label
// lines are used, the labels not given become empty.
ProjectLabels parseProjectLabelFile(const QByteArray& content);

// The rule chosen on the first line, then a line "rule;NAME=VALUE;NAME=VALUE;" per rule that parameters
// were entered for. Empty fields and lines are skipped and the last line of a rule wins: the texts are
// judged when a rule takes them, not here.
InspectionSettings parseInspectionFile(const QByteArray& content);
QStringList inspectionFileLines(const InspectionSettings& settings);

// The language index on the first line ("0" or "1"), then the last gauge's name, address, model and
// firmware, a line each. A file that does not read so (another number, a gauge without name or address,
// missing lines) gives German and no last gauge.
ProgramSettings parseProgramFile(const QByteArray& content);
QStringList programFileLines(const ProgramSettings& settings);

} // namespace vexa
