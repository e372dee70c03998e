#pragma once

#include <QString>

namespace vexa {

// Seven one-character traits per gauge model; '\0' while no model is known.
struct DeviceTraits {
    char generation = 0; // '4' probe memories, '5' memory files
    char clock = 0;      // 'L': the gauge clock can be set
    char keyEvent = 0;   // 'E': online values may be forwarded as key strokes
    char material = 0;   // '2': rows carry a material, '0': none
    char rule8020 = 0;   // '+': the 80/20 rule is offered
    char dateHeader = 0; // '-': every row has its own date and time
    char decimals = 0;   // '1', '2' or '3'

    bool isEmpty() const { return generation == 0; }
    // The seven characters in order, blanks for unknown traits.
    QString text() const;
    bool operator==(const DeviceTraits&) const = default;
};

} // namespace vexa
