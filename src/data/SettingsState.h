#pragma once

#include <QDate>
#include <QMap>
#include <QString>
#include <QTime>
#include <array>
#include <optional>

// The values the settings files hold while the program runs.
namespace vexa {

struct Limits {
    double minimum = 0; // 0: not set
    double maximum = 0; // 0: not set
    double target = 0;  // 0: not set
    // The texts the values were entered or read as; the text report prints these.
    QString minimumText;
    QString maximumText;
    QString targetText;
    bool rule8020 = false;

    bool operator==(const Limits&) const = default;
};

struct KeyForwarding {
    bool forwardingOn = false;
    QString targetApplication;
    // Four characters "0"/"1": send the number, the date, the unit, the material.
    QString includeFlags = QStringLiteral("0000");
    QString lineEndToken; // "ENTER" ends every reading with the Enter key

    bool operator==(const KeyForwarding&) const = default;
};

struct ProjectData {
    static constexpr int FieldCount = 6;
    // What the dialog lets a user type into a field, and what a file's field is cut to.
    static constexpr int FieldLength = 30;
    std::array<QString, FieldCount> fields;
    // Invalid when the file does not store them; the dialog and the reports show now in their place.
    QDate date;
    QTime time; // hours and minutes

    bool operator==(const ProjectData&) const = default;
};

// The project field labels, one line "German;English;" per label, shared by all gauges.
struct ProjectLabels {
    static constexpr int LabelCount = 6;
    static constexpr int StoredLength = 60;
    std::array<QString, LabelCount> lines;

    // The caption of label `index` (0..5) in the language; empty outside 0..5.
    QString label(int index, int languageIndex) const;

    bool operator==(const ProjectLabels&) const = default;
};

// The inspection rule chosen for a gauge, and what was entered for each rule's parameters, so that a
// rule chosen again comes back as it was left.
struct InspectionSettings {
    QString ruleKey;                       // empty: none chosen yet
    QMap<QString, QStringList> parameters; // per rule key: "NAME=VALUE" texts

    bool operator==(const InspectionSettings&) const = default;
};

// The gauge connected last, remembered from one run to the next.
struct LastGauge {
    QString name;    // as the device list gave it
    QString address; // its Bluetooth address
    QString model;   // the model the program took it for
    QString firmware;

    bool operator==(const LastGauge&) const = default;
};

// What belongs to no gauge: the language chosen last and the gauge connected last.
struct ProgramSettings {
    int languageIndex = 0; // 0 German, 1 English
    std::optional<LastGauge> lastGauge;

    bool operator==(const ProgramSettings&) const = default;
};

struct SettingsState {
    Limits limits;
    KeyForwarding keys;
    int languageIndex = 0; // 0 German, 1 English
    ProjectData project;
    ProjectLabels labels;
    InspectionSettings inspection;
};

} // namespace vexa
