#pragma once

#include <QLabel>

namespace vexa {

// Draws the battery state the logic names by a letter: "J" good, "K" medium, "L" bad, in the text
// colour; a full, a half and an almost empty battery.
class BatteryIcon : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace vexa
