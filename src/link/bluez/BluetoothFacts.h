#pragma once

#include <QList>
#include <QString>
#include <optional>

// What this machine's Bluetooth looks like to the program: the daemon, the adapters, the radio switches and
// the user's rights. Values only; the texts that explain them are made above the link.
namespace vexa::bluez {

// How org.bluez answered on the system bus.
enum class BusAnswer {
    Answers,
    NoSystemBus, // no system D-Bus to reach
    NotRunning,  // nobody owns org.bluez: the daemon is not installed or not started
    Refused,     // the bus's policy does not let this user call BlueZ
    Silent,      // no answer within the deadline: the daemon hangs
    Failed,      // any other error
};

// An adapter's radio as rfkill switches it.
enum class RadioBlock {
    Unknown, // no rfkill entry for the adapter
    Free,
    SoftBlocked, // switched off by software: `rfkill unblock` switches it on
    HardBlocked, // switched off by a switch or key of the computer
};

struct AdapterFacts {
    QString name;    // hci0, hci1, ...
    QString address; // "00:1B:DC:0F:8A:31"; empty when BlueZ did not say
    std::optional<bool> powered;
    std::optional<bool> discoverable;
    RadioBlock radio = RadioBlock::Unknown;
};

// Where the user stands with the group whose members Debian's BlueZ policy lets call org.bluez.
enum class GroupStanding {
    Member,
    MemberFromNextLogin, // listed in the group, but this session started before
    NotMember,
    NoGroup,   // the group does not exist (BlueZ's package makes it)
    Superuser, // root needs no group
};

// The BlueZ daemon's version, as its program says it when asked.
struct DaemonVersion {
    enum class State {
        Known,
        NotInstalled, // none of the usual paths holds the program
        DidNotRun,    // the system did not start it (no rights, a container)
        NoAnswer,     // it did not answer in time or said nothing
    };
    State state = State::NotInstalled;
    QString program; // the program asked, or the usual path when none is there
    QString version; // "5.66"
};

struct BluetoothFacts {
    BusAnswer bluez = BusAnswer::NoSystemBus;
    QString bluezError; // D-Bus's error name and text, when BlueZ did not answer
    DaemonVersion daemon;
    // BlueZ's adapters and those only the kernel knows, by name; the first is the system's default.
    QList<AdapterFacts> adapters;
    QString userName;
    GroupStanding group = GroupStanding::NotMember;
};

inline const QString BluetoothGroup = QStringLiteral("bluetooth");

} // namespace vexa::bluez
