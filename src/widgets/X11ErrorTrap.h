#pragma once

#include <X11/Xlib.h>

namespace vexa {

// Catches the X errors of one display's requests while it lives, so that a window gone meanwhile
// (BadWindow) or a focus refused (BadMatch) makes a call fail instead of ending the program, as Xlib's
// own handler would. Errors of other displays go on to the handler that was there before. Lives only
// within synchronous code: an await in between would leave the process-wide handler to whoever runs
// meanwhile. Traps nest; the outermost one owns the handler.
class X11ErrorTrap {
public:
    explicit X11ErrorTrap(Display* display);
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

    // Whether any request sent so far failed; waits for the server's answers to all of them.
    bool failed();

private:
    static int handle(Display* display, XErrorEvent* error);

    Display* display_;
    X11ErrorTrap* outer_;
    XErrorHandler previous_ = nullptr;
    bool failed_ = false;
};

} // namespace vexa
