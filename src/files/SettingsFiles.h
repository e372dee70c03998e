#pragma once

#include "data/SettingsState.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <optional>

namespace vexa {

class TransferLog;

// The settings files in the settings folder: limits, key forwarding, language and project data once per
// gauge (named after its device number in safe form), the project labels once for all gauges.
class SettingsFiles {
public:
    // `applyLanguage` runs right after the language file was read, so every window changes at once.
    // The folder must exist; a missing one is reported like any other file failure.
    SettingsFiles(const QString& folder, TransferLog& log,
                  std::function<void(int languageIndex)> applyLanguage = {});

    // Reads or writes the one file the action names: "LL"/"LS" limits, "TL"/"TS" key forwarding,
    // "SL"/"SS" language, "PL"/"PS" project data, "PI" project labels, "IL"/"IS" the inspection rule; any
    // other code does nothing. A missing file is created before reading ("SL" with the language in effect,
    // the others empty); limits, key forwarding and project data a file leaves open are none, not the
    // previous gauge's, and a project file that cannot be read leaves no project. A failure is logged with
    // the file's message and returned as the text to show (the system's description, then that message); the
    // values read before the failure stay.
    [[nodiscard]] std::optional<QString> Voreinstellungen(QStringView aktion, const QString& deviceNumber,
                                                          SettingsState& state);

    // The project labels and data read anew, as every report takes them; a date or time the file leaves
    // open is now. Returns the failures to show.
    [[nodiscard]] QStringList reloadProjectData(const QString& deviceNumber, SettingsState& state);

    // "Program.ini": what belongs to no gauge. A missing or unreadable file gives the defaults.
    ProgramSettings readProgramSettings() const;
    // Written whole or not at all; a failure is logged and returned as the text to show.
    [[nodiscard]] std::optional<QString> writeProgramSettings(const ProgramSettings& settings,
                                                              int languageIndex);

private:
    QString folder_;
    TransferLog& log_;
    std::function<void(int)> applyLanguage_;
};

} // namespace vexa
