#include "widgets/X11KeyRemapping.h"

#include "widgets/X11ErrorTrap.h"

namespace vexa {

bool X11KeyRemapping::map(const QList<KeySym>& symbols, const QList<KeyCode>& spareKeys) {
    if (symbols.size() > spareKeys.size())
        return false;
    X11ErrorTrap trap(display_);
    for (qsizetype i = 0; i < symbols.size(); ++i) {
        setSymbol(spareKeys[i], symbols[i]);
        keys_.append(spareKeys[i]);
    }
    return !trap.failed();
}

void X11KeyRemapping::restore() {
    if (keys_.isEmpty())
        return;
    X11ErrorTrap trap(display_);
    for (const KeyCode code : std::as_const(keys_))
        setSymbol(code, NoSymbol);
    keys_.clear();
}

// The symbol goes to both levels: a single one the X server would take for the lower case of a
// letter and give its upper case with Shift or Caps Lock.
void X11KeyRemapping::setSymbol(KeyCode code, KeySym symbol) {
    KeySym levels[] = {symbol, symbol};
    XChangeKeyboardMapping(display_, code, 2, levels, 1);
}

} // namespace vexa
