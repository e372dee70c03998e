#include "widgets/X11Keyboard.h"

#include "widgets/X11ErrorTrap.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace vexa {

namespace {

// The level a key of `type` gives while the modifiers `mods` are in effect.
int levelOf(const XkbKeyTypeRec& type, unsigned int mods) {
    mods &= type.mods.mask;
    for (int i = 0; i < type.map_count; ++i) {
        const XkbKTMapEntryRec& entry = type.map[i];
        if (entry.active && entry.mods.mask == mods)
            return entry.level;
    }
    return 0;
}

} // namespace

X11Keyboard::X11Keyboard(Display* display)
    : display_(display)
    , xkb_(XkbGetMap(display, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd)) {
    XkbStateRec state;
    if (XkbGetState(display, XkbUseCoreKbd, &state) == Success) {
        group_ = state.group;
        locks_ = state.locked_mods;
    }
    const std::optional<ShiftedKey> shift = find(XK_Shift_L);
    if (shift && !shift->shift)
        shiftKey_ = shift->code;
}

X11Keyboard::~X11Keyboard() {
    if (xkb_)
        XkbFreeKeyboard(xkb_, 0, True);
}

std::optional<ShiftedKey> X11Keyboard::find(KeySym symbol) const {
    if (!xkb_ || !xkb_->map)
        return std::nullopt;
    for (int code = xkb_->min_key_code; code <= xkb_->max_key_code; ++code) {
        const int groups = XkbKeyNumGroups(xkb_, code);
        if (groups == 0)
            continue;
        const int group = groupOf(KeyCode(code), groups);
        const XkbKeyTypeRec& type = *XkbKeyKeyType(xkb_, code, group);
        for (const bool shift : {false, true}) {
            if (shift && !shiftKey_)
                break;
            const int level = levelOf(type, locks_ | (shift ? ShiftMask : 0));
            if (level < XkbKeyGroupWidth(xkb_, code, group) &&
                XkbKeySymEntry(xkb_, code, level, group) == symbol)
                return ShiftedKey{KeyCode(code), shift};
        }
    }
    return std::nullopt;
}

// A key with fewer groups than the one in effect falls back as its group information says.
int X11Keyboard::groupOf(KeyCode code, int groups) const {
    if (group_ < groups)
        return group_;
    const unsigned char info = XkbKeyGroupInfo(xkb_, code);
    switch (XkbOutOfRangeGroupAction(info)) {
    case XkbRedirectIntoRange: {
        const int redirected = XkbOutOfRangeGroupNumber(info);
        return redirected < groups ? redirected : 0;
    }
    case XkbClampIntoRange:
        return groups - 1;
    default:
        return group_ % groups;
    }
}

QList<KeyCode> X11Keyboard::spareKeys() const {
    QList<KeyCode> spare;
    if (!xkb_ || !xkb_->map)
        return spare;
    for (int code = xkb_->max_key_code; code >= xkb_->min_key_code; --code) {
        if (XkbKeyNumSyms(xkb_, code) == 0)
            spare.append(KeyCode(code));
    }
    return spare;
}

bool X11Keyboard::press(const QList<ShiftedKey>& strokes) const {
    X11ErrorTrap trap(display_);
    bool sent = true;
    for (const ShiftedKey& stroke : strokes) {
        if (stroke.shift)
            sent = XTestFakeKeyEvent(display_, *shiftKey_, True, CurrentTime) && sent;
        sent = XTestFakeKeyEvent(display_, stroke.code, True, CurrentTime) && sent;
        sent = XTestFakeKeyEvent(display_, stroke.code, False, CurrentTime) && sent;
        if (stroke.shift)
            sent = XTestFakeKeyEvent(display_, *shiftKey_, False, CurrentTime) && sent;
    }
    return sent && !trap.failed();
}

bool modifierKeysHeld(Display* display) {
    constexpr unsigned int Modifiers = ShiftMask | ControlMask | Mod1Mask | Mod4Mask | Mod5Mask;
    XkbStateRec state;
    if (XkbGetState(display, XkbUseCoreKbd, &state) != Success)
        return true;
    return ((state.base_mods | state.latched_mods) & Modifiers) != 0;
}

} // namespace vexa
