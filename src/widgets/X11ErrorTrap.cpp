#include "widgets/X11ErrorTrap.h"

namespace vexa {

namespace {

X11ErrorTrap* innermost = nullptr;

} // namespace

X11ErrorTrap::X11ErrorTrap(Display* display)
    : display_(display)
    , outer_(innermost) {
    // Errors of requests sent before belong to whoever sent them.
    XSync(display_, False);
    if (!outer_)
        previous_ = XSetErrorHandler(&X11ErrorTrap::handle);
    innermost = this;
}

X11ErrorTrap::~X11ErrorTrap() {
    XSync(display_, False);
    innermost = outer_;
    if (!outer_)
        XSetErrorHandler(previous_);
}

bool X11ErrorTrap::failed() {
    XSync(display_, False);
    return failed_;
}

int X11ErrorTrap::handle(Display* display, XErrorEvent* error) {
    X11ErrorTrap* outermost = innermost;
    for (X11ErrorTrap* trap = innermost; trap; trap = trap->outer_) {
        if (trap->display_ == display) {
            trap->failed_ = true;
            return 0;
        }
        outermost = trap;
    }
    return outermost && outermost->previous_ ? outermost->previous_(display, error) : 0;
}

} // namespace vexa
