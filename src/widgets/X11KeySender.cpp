#include "widgets/X11KeySender.h"

#include "widgets/ProcessTree.h"
#include "widgets/ProgramStart.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QScopeGuard>
#include <algorithm>
#include <iterator>
#include <qcoro/qcorotimer.h>

// Xlib's macros (None, Bool, Status, ...) break Qt headers that come after them.
#include "widgets/X11ErrorTrap.h"
#include "widgets/X11KeyRemapping.h"
#include "widgets/X11Keyboard.h"
#include "widgets/X11Windows.h"

#include <X11/Xatom.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace vexa {

namespace {

using namespace std::chrono_literals;

// How often a window, the focus and the user's fingers on the modifier keys are looked at again; awaited,
// so the program's own windows go on meanwhile.
constexpr auto WindowPoll = 100ms;
constexpr auto FocusPoll = 10ms;
// A changed layout reaches a program as a notice among its other events, and the program reads the
// layout when it gets to it, as the layout is by then. So a key comes a moment after it was given its
// symbol, and keeps the symbol for a while after its text was typed (see X11KeySender.h).
constexpr auto LayoutRead = 50ms;
constexpr auto KeepRemapped = 5s;

// Xlib's keysym for a character: Latin-1 has its own, everything else the Unicode range.
KeySym symbolOf(uint character) {
    return character <= 0xff ? KeySym(character) : KeySym(0x01000000 | character);
}

bool isControl(uint character) {
    return character < 0x20 || (character >= 0x7f && character < 0xa0);
}

} // namespace

X11KeySender::X11KeySender() {
    unavailable_ = openDisplay();
    // Started anew by every text typed: when it runs out, no key has been pressed for that long.
    restoreKeys_.setSingleShot(true);
    restoreKeys_.setTimerType(Qt::PreciseTimer);
    restoreKeys_.setInterval(KeepRemapped);
    restoreKeys_.callOnTimeout([this] { remapping_->restore(); });
}

X11KeySender::~X11KeySender() {
    if (!display_)
        return;
    remapping_.reset();
    XDestroyWindow(display_, clockWindow_);
    XCloseDisplay(display_);
}

KeysUnavailable X11KeySender::openDisplay() {
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return KeysUnavailable::Wayland;
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return KeysUnavailable::NoDisplay;
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return KeysUnavailable::NoDisplay;
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(display, &event, &error, &major, &minor)) {
        XCloseDisplay(display);
        return KeysUnavailable::NoXTest;
    }
    int opcode = 0;
    major = XkbMajorVersion;
    minor = XkbMinorVersion;
    if (!XkbQueryExtension(display, &opcode, &event, &error, &major, &minor)) {
        XCloseDisplay(display);
        return KeysUnavailable::NoXkb;
    }
    display_ = display;
    remapping_ = std::make_unique<X11KeyRemapping>(display_, KeepRemapped);
    XSetWindowAttributes attributes;
    attributes.event_mask = PropertyChangeMask;
    clockWindow_ = XCreateWindow(display_, DefaultRootWindow(display_), -1, -1, 1, 1, 0, 0, InputOnly,
                                 CopyFromParent, CWEventMask, &attributes);
    return KeysUnavailable::No;
}

KeySender::Start X11KeySender::start(const QString& commandLine) {
    return startProgram(commandLine);
}

bool X11KeySender::running(qint64 pid) const {
    return processRunning(pid);
}

QCoro::Task<std::optional<TargetWindow>> X11KeySender::findWindow(qint64 pid,
                                                                  std::chrono::milliseconds within) {
    const QDeadlineTimer deadline(within);
    while (display_) {
        if (std::optional<TargetWindow> window = windowOf(pid))
            co_return window;
        if (!running(pid) || deadline.hasExpired())
            break;
        co_await QCoro::sleepFor(WindowPoll);
    }
    co_return std::nullopt;
}

std::optional<TargetWindow> X11KeySender::windowOf(qint64 pid) const {
    const QSet<qint64> family = processFamily(pid);
    X11ErrorTrap trap(display_);
    for (const Window window : x11::visibleTopLevelWindows(display_)) {
        const std::optional<qint64> owner = x11::windowProcess(display_, window);
        if (owner && family.contains(*owner))
            return TargetWindow{window, x11::windowTitle(display_, window), *owner};
    }
    return std::nullopt;
}

QList<TargetWindow> X11KeySender::windows() const {
    QList<TargetWindow> windows;
    if (!display_)
        return windows;
    X11ErrorTrap trap(display_);
    // This program's own windows are no place for its readings.
    const qint64 self = QCoreApplication::applicationPid();
    for (const Window window : x11::visibleTopLevelWindows(display_)) {
        const qint64 owner = x11::windowProcess(display_, window).value_or(0);
        if (owner != self)
            windows.append({window, x11::windowTitle(display_, window), owner});
    }
    return windows;
}

bool X11KeySender::exists(const TargetWindow& window) const {
    if (!display_ || window.id == 0)
        return false;
    X11ErrorTrap trap(display_);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display_, window.id, &attributes) || trap.failed())
        return false;
    return window.owner == 0 || x11::windowProcess(display_, window.id) == window.owner;
}

QCoro::Task<bool> X11KeySender::activate(TargetWindow window, std::chrono::milliseconds within) {
    if (!exists(window) || !requestActivation(window.id))
        co_return false;
    const QDeadlineTimer deadline(within);
    while (true) {
        bool focused = false;
        {
            X11ErrorTrap trap(display_);
            focused = x11::focusWithin(display_, window.id) && !trap.failed();
        }
        if (focused)
            co_return true;
        if (deadline.hasExpired())
            co_return false;
        co_await QCoro::sleepFor(FocusPoll);
    }
}

// A window manager decides which window is active and may refuse a program that simply takes the focus;
// asked the EWMH way, as a task bar asks on the user's click (source 2), it brings the window over from
// another desktop or out of the task bar too. Without one, the window takes the focus itself.
bool X11KeySender::requestActivation(unsigned long window) {
    X11ErrorTrap trap(display_);
    if (x11::windowManagerSupports(display_, "_NET_ACTIVE_WINDOW")) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(display_, "_NET_ACTIVE_WINDOW", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = 2;
        event.xclient.data.l[1] = long(serverTime());
        XSendEvent(display_, DefaultRootWindow(display_), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &event);
    } else {
        XRaiseWindow(display_, window);
        XSetInputFocus(display_, window, RevertToParent, CurrentTime);
    }
    return !trap.failed();
}

// The X server's time now: it stamps the notice of an empty append to a property of this program's window.
unsigned long X11KeySender::serverTime() {
    const Atom stamp = XInternAtom(display_, "_VEXA_SERVER_TIME", False);
    XChangeProperty(display_, clockWindow_, stamp, XA_STRING, 8, PropModeAppend, nullptr, 0);
    XEvent event;
    XWindowEvent(display_, clockWindow_, PropertyChangeMask, &event);
    return event.xproperty.time;
}

QCoro::Task<bool> X11KeySender::modifiersReleased(std::chrono::milliseconds within) {
    const QDeadlineTimer deadline(within);
    while (display_) {
        if (!modifierKeysHeld(display_))
            co_return true;
        if (deadline.hasExpired())
            break;
        co_await QCoro::sleepFor(FocusPoll);
    }
    co_return false;
}

QCoro::Task<bool> X11KeySender::type(QString text) {
    const QList<uint> characters = text.toUcs4();
    if (!display_ || std::any_of(characters.cbegin(), characters.cend(), isControl))
        co_return false;
    discardEvents();
    restoreKeys_.stop();
    const auto keepKeys = qScopeGuard([this] {
        if (!remapping_->isEmpty())
            restoreKeys_.start();
    });
    QList<KeySym> symbols;
    std::transform(characters.cbegin(), characters.cend(), std::back_inserter(symbols), symbolOf);
    if (!co_await giveKeys(symbols))
        co_return false;
    // Read anew: the keys given just now, and the user may have switched the layout meanwhile.
    const X11Keyboard keyboard(display_);
    QList<ShiftedKey> strokes;
    for (const KeySym symbol : std::as_const(symbols)) {
        const std::optional<ShiftedKey> stroke = keyboard.find(symbol);
        if (!stroke)
            co_return false;
        strokes.append(*stroke);
    }
    const bool pressed = keyboard.press(strokes);
    remapping_->use(symbols);
    co_return pressed;
}

// When too few spare keys are left, keys given before make room once unused for long enough, waited for
// if need be.
QCoro::Task<bool> X11KeySender::giveKeys(QList<KeySym> symbols) {
    QList<KeySym> missing = missingSymbols(symbols);
    if (missing.isEmpty())
        co_return true;
    while (true) {
        const qsizetype lacking = missing.size() - X11Keyboard(display_).spareKeys().size();
        if (lacking <= 0)
            break;
        // Again after the wait: a timer may run out a little early, before the keys are unused for long
        // enough.
        const std::optional<std::chrono::milliseconds> wait = remapping_->untilIdle(lacking);
        if (!wait)
            co_return false;
        co_await QCoro::sleepFor(*wait);
        remapping_->restoreIdle();
        missing = missingSymbols(symbols);
    }
    if (!remapping_->map(missing, X11Keyboard(display_).spareKeys()))
        co_return false;
    co_await QCoro::sleepFor(LayoutRead);
    co_return true;
}

// The symbols no key gives now, each once.
QList<KeySym> X11KeySender::missingSymbols(const QList<KeySym>& symbols) const {
    const X11Keyboard keyboard(display_);
    QList<KeySym> missing;
    for (const KeySym symbol : symbols) {
        if (!keyboard.find(symbol) && !missing.contains(symbol))
            missing.append(symbol);
    }
    return missing;
}

QCoro::Task<bool> X11KeySender::pressReturn() {
    if (!display_)
        co_return false;
    const X11Keyboard keyboard(display_);
    const std::optional<ShiftedKey> stroke = keyboard.find(XK_Return);
    if (!stroke)
        co_return false;
    co_return keyboard.press({*stroke});
}

// The notices of changed keyboard layouts this connection gets, its own changes included, are of no use
// to it; they would only pile up.
void X11KeySender::discardEvents() {
    XEvent event;
    while (XPending(display_))
        XNextEvent(display_, &event);
}

} // namespace vexa
