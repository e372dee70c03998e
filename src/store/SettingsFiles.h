#pragma once

#include "store/SettingsState.h"

#include <QString>
#include <QStringView>
#include <functional>

namespace vexa {

class Prompt;
class TransferLog;

// The settings files in the settings folder: limits, key forwarding, language and project data once per
// gauge (named after its device number in safe form), the project labels once for all gauges.
class SettingsFiles {
public:
    // `applyLanguage` runs right after the language file was read, so every window changes at once.
    // The folder must exist; a missing one is reported like any other file failure.
    SettingsFiles(const QString& folder, Prompt& prompt, TransferLog& log,
                  std::function<void(int languageIndex)> applyLanguage = {});

    // Reads or writes the one file the action names: "LL"/"LS" limits, "TL"/"TS" key forwarding,
    // "SL"/"SS" language, "PL"/"PS" project data, "PI" project labels; any other code does nothing.
    // A missing file is created before reading ("SL" with "0", the others empty). Failures are shown
    // with the file's message and logged; the values read before the failure stay.
    void Voreinstellungen(QStringView aktion, const QString& deviceNumber, SettingsState& state);

private:
    QString folder_;
    Prompt& prompt_;
    TransferLog& log_;
    std::function<void(int)> applyLanguage_;
};

} // namespace vexa
