#include "widgets/X11KeyRemapping.h"

#include <algorithm>
#include <utility>

// Xlib's macros (None, Bool, Status, ...) break Qt headers that come after them.
#include "widgets/X11ErrorTrap.h"

namespace vexa {

namespace {

// The symbol goes to both levels: a single one the X server would take for the lower case of a letter
// and give its upper case with Shift or Caps Lock.
void setSymbol(Display* display, KeyCode code, KeySym symbol) {
    KeySym levels[] = {symbol, symbol};
    XChangeKeyboardMapping(display, code, 2, levels, 1);
}

} // namespace

bool X11KeyRemapping::map(const QList<KeySym>& symbols, const QList<KeyCode>& spareKeys) {
    if (symbols.size() > spareKeys.size())
        return false;
    X11ErrorTrap trap(display_);
    for (qsizetype i = 0; i < symbols.size(); ++i) {
        setSymbol(display_, spareKeys[i], symbols[i]);
        keys_.append({spareKeys[i], symbols[i], Clock::now()});
    }
    return !trap.failed();
}

void X11KeyRemapping::use(const QList<KeySym>& symbols) {
    const Clock::time_point now = Clock::now();
    for (Key& key : keys_) {
        if (symbols.contains(key.symbol))
            key.used = now;
    }
}

std::optional<std::chrono::milliseconds> X11KeyRemapping::untilIdle(qsizetype count) const {
    if (count > keys_.size())
        return std::nullopt;
    if (count <= 0)
        return std::chrono::milliseconds(0);
    QList<Clock::time_point> used;
    for (const Key& key : keys_)
        used.append(key.used);
    std::nth_element(used.begin(), used.begin() + (count - 1), used.end());
    const auto wait = used[count - 1] + idle_ - Clock::now();
    return std::max(std::chrono::milliseconds(0), std::chrono::ceil<std::chrono::milliseconds>(wait));
}

void X11KeyRemapping::restoreIdle() {
    const Clock::time_point idleSince = Clock::now() - idle_;
    QList<Key> idle;
    keys_.removeIf([&](const Key& key) {
        if (key.used > idleSince)
            return false;
        idle.append(key);
        return true;
    });
    empty(idle);
}

void X11KeyRemapping::restore() {
    empty(std::exchange(keys_, {}));
}

void X11KeyRemapping::empty(const QList<Key>& keys) {
    if (keys.isEmpty())
        return;
    X11ErrorTrap trap(display_);
    for (const Key& key : keys)
        setSymbol(display_, key.code, NoSymbol);
}

} // namespace vexa
