#pragma once

#include <QList>
#include <X11/XKBlib.h>
#include <optional>

namespace vexa {

// A key and whether Shift goes with it to give a character.
struct ShiftedKey {
    KeyCode code = 0;
    bool shift = false;
};

// The keyboard as the X server has it set at this moment: the layout in effect (the group a user may
// have switched to) and the locks on (Caps Lock, Num Lock), which decide what a key gives.
class X11Keyboard {
public:
    explicit X11Keyboard(Display* display);
    ~X11Keyboard();
    X11Keyboard(const X11Keyboard&) = delete;
    X11Keyboard& operator=(const X11Keyboard&) = delete;

    // The key that gives `symbol` by itself or with Shift; none where it needs AltGr or no key has it.
    std::optional<ShiftedKey> find(KeySym symbol) const;
    // Keys without any symbol, free to be given one for a while, the highest first.
    QList<KeyCode> spareKeys() const;
    // Presses and releases the keys one after the other, Shift held where a stroke needs it.
    bool press(const QList<ShiftedKey>& strokes) const;

private:
    int groupOf(KeyCode code, int groups) const;

    Display* display_;
    XkbDescPtr xkb_;
    int group_ = 0;
    unsigned int locks_ = 0;
    std::optional<KeyCode> shiftKey_;
};

// The user holds Shift, Ctrl, Alt, AltGr or Super; a lock (Caps Lock, Num Lock) does not count.
bool modifierKeysHeld(Display* display);

} // namespace vexa
