#pragma once

#include <QList>

// Xlib's macros (None, Bool, Status, ...) break Qt headers that come after them.
#include <X11/Xlib.h>

namespace vexa {

// Gives spare keys symbols that no key of the layout has, until restore() or its end empties them again.
class X11KeyRemapping {
public:
    explicit X11KeyRemapping(Display* display)
        : display_(display) {}
    ~X11KeyRemapping() { restore(); }
    X11KeyRemapping(const X11KeyRemapping&) = delete;
    X11KeyRemapping& operator=(const X11KeyRemapping&) = delete;

    // Gives each symbol a key of its own out of `spareKeys`; false when they are too few or the X server
    // refused (keys given some already are emptied by restore() as the rest).
    bool map(const QList<KeySym>& symbols, const QList<KeyCode>& spareKeys);
    void restore();
    bool isEmpty() const { return keys_.isEmpty(); }

private:
    void setSymbol(KeyCode code, KeySym symbol);

    Display* display_;
    QList<KeyCode> keys_;
};

} // namespace vexa
