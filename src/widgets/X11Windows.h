#pragma once

#include <QList>
#include <QString>
#include <X11/Xlib.h>
#include <optional>

namespace vexa::x11 {

// What the desktop tells of its windows, through the window manager's root properties (EWMH) where one
// runs. Each call may meet windows that are gone by the time it asks: run them inside an X11ErrorTrap.

// A window manager that follows EWMH runs and says it supports `atomName` (in _NET_SUPPORTED). Its
// properties stay on the root window after it ends, so its check window must be alive as well.
bool windowManagerSupports(Display* display, const char* atomName);

// The top-level windows the user sees: the window manager's client list, else the root's children
// (where no window manager frames them, those are the programs' own windows); menus and tooltips,
// which bypass a window manager, are left out.
QList<Window> visibleTopLevelWindows(Display* display);

// The title: _NET_WM_NAME in UTF-8, else WM_NAME.
QString windowTitle(Display* display, Window window);

// The process that says it owns the window (_NET_WM_PID).
std::optional<qint64> windowProcess(Display* display, Window window);

// The keyboard focus is on `window` or on one of its children.
bool focusWithin(Display* display, Window window);

} // namespace vexa::x11
