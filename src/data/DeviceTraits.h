#pragma once

#include <QString>

namespace vexa {

// Seven one-character traits per gauge model; '\0' while no model is known. The characters are what the
// model table and the exports hold; everything else asks the predicates below.
struct DeviceTraits {
    char generation = 0; // '4' probe memories, '5' memory files, 'X' no memories
    char clock = 0;      // 'L': the gauge clock can be set; 'L' or 'B': the link is Bluetooth
    char keyEvent = 0;   // 'E': online values may be forwarded as key strokes
    char material = 0;   // '2': rows carry a material, '0': none
    char rule8020 = 0;   // '+': the 80/20 rule is offered and values are judged by their magnitude
    char dateHeader = 0; // '-': every row has its own date and time
    char decimals = 0;   // '1', '2' or '3'

    bool isEmpty() const { return generation == 0; }
    // The seven characters in order, blanks for unknown traits.
    QString text() const;

    // The gauge keeps probe memories: a memory table on the storage characteristics.
    bool hasProbeMemories() const { return generation == '4'; }
    // The gauge keeps memory files, read in blocks over the command characteristic.
    bool hasMemoryFiles() const { return generation == '5'; }
    // The gauge keeps no memories at all; it only sends live values.
    bool hasNoMemories() const { return generation == 'X'; }
    // Live values are switched on when the gauge is connected.
    bool startsOnline() const { return hasProbeMemories() || hasMemoryFiles() || hasNoMemories(); }
    bool setsClock() const { return clock == 'L'; }
    bool linksByBluetooth() const { return clock == 'L' || clock == 'B'; }
    // Online rows are numbered one after the other (and may be forwarded as key strokes).
    bool numbersOnlineRows() const { return keyEvent == 'E'; }
    // Live and probe-memory records keep the material they state.
    bool rowsCarryMaterial() const { return material == '2'; }
    // Memory records and measurement files keep a material column.
    bool keepsMaterial() const { return material != '0'; }
    bool offers8020() const { return rule8020 != '-'; }
    // Readings are counted and coloured by their magnitude.
    bool judgesMagnitude() const { return rule8020 == '+'; }
    // The statistics title says the values are absolute ones.
    bool titlesAbsolute() const { return rule8020 == '-'; }
    bool datesEveryRow() const { return dateHeader == '-'; }
    // Decimals of values no unit rule covers: 1 to 3, 2 while unknown.
    int valueDecimals() const { return decimals >= '1' && decimals <= '3' ? decimals - '0' : 2; }
    // Decimals of the statistics' mean and deviation.
    int statisticsDecimals() const { return decimals == '3' ? 3 : 2; }

    bool operator==(const DeviceTraits&) const = default;
};

} // namespace vexa
