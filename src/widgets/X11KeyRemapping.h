#pragma once

#include <QList>
#include <chrono>
#include <optional>

// Xlib's macros (None, Bool, Status, ...) break Qt headers that come after them.
#include <X11/Xlib.h>

namespace vexa {

// Gives spare keys symbols that no key of the layout has, and empties them again. A key that was pressed
// lately may still wait among a window's events behind the notice of its new symbol, and the window
// reads the layout only when it gets to that notice: so restoreIdle() empties only keys unused for
// `idle`; restore() and the end empty them all.
class X11KeyRemapping {
public:
    X11KeyRemapping(Display* display, std::chrono::milliseconds idle)
        : display_(display)
        , idle_(idle) {}
    ~X11KeyRemapping() { restore(); }
    X11KeyRemapping(const X11KeyRemapping&) = delete;
    X11KeyRemapping& operator=(const X11KeyRemapping&) = delete;

    // Gives each symbol a key of its own out of `spareKeys`; false when they are too few or the X server
    // refused.
    bool map(const QList<KeySym>& symbols, const QList<KeyCode>& spareKeys);
    // The keys that give any of `symbols` were pressed just now.
    void use(const QList<KeySym>& symbols);
    // How long until `count` keys have been unused for the idle time; none when there are fewer keys.
    std::optional<std::chrono::milliseconds> untilIdle(qsizetype count) const;
    void restoreIdle();
    void restore();
    bool isEmpty() const { return keys_.isEmpty(); }

private:
    using Clock = std::chrono::steady_clock;
    struct Key {
        KeyCode code;
        KeySym symbol;
        Clock::time_point used;
    };
    void empty(const QList<Key>& keys);

    Display* display_;
    std::chrono::milliseconds idle_;
    QList<Key> keys_;
};

} // namespace vexa
