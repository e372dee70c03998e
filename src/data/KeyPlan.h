#pragma once

#include "data/SettingsState.h"

#include <QList>
#include <QString>

namespace vexa {

// One step of typing a reading: a text typed character by character, or the Return key.
struct KeyStroke {
    enum class Kind { Text, Return };
    Kind kind = Kind::Text;
    QString text;

    static KeyStroke typed(QString text) { return {Kind::Text, std::move(text)}; }
    static KeyStroke returnKey() { return {Kind::Return, {}}; }
    bool operator==(const KeyStroke&) const = default;
};

// An online row as the table shows it.
struct KeyPlanRow {
    int number = 0;
    QString dateText;
    QString valueText; // the 11-character value text, leading blanks included
    QString unit;
    QString material;
};

// What typing a reading into another program takes, by the forwarding settings: the number right-aligned
// to 7 characters, the date and a blank, the value text always, the unit and a blank, the material and a
// blank (each by its flag), then Return when the line end is "ENTER". Every character is typed as it is,
// "%" and "+" included; the gauge's texts lose their control characters.
QList<KeyStroke> keyPlan(const KeyPlanRow& row, const KeyForwarding& settings);

} // namespace vexa
