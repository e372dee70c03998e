#include "widgets/X11Windows.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <memory>

namespace vexa::x11 {

namespace {

struct XFreeDeleter {
    void operator()(void* data) const { XFree(data); }
};

struct Property {
    std::unique_ptr<unsigned char, XFreeDeleter> data;
    unsigned long count = 0;
    int format = 0;
};

Atom atom(Display* display, const char* name) {
    return XInternAtom(display, name, False);
}

std::optional<Property> readProperty(Display* display, Window window, Atom name, Atom type) {
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, name, 0, 65536, False, type, &actualType, &format, &count,
                           &remaining, &data) != Success)
        return std::nullopt;
    Property property{std::unique_ptr<unsigned char, XFreeDeleter>(data), count, format};
    if (actualType != type || !data)
        return std::nullopt;
    return property;
}

// A property of 32-bit items; Xlib hands them over as longs, whatever the width of a long.
QList<unsigned long> longs(Display* display, Window window, Atom name, Atom type) {
    const std::optional<Property> property = readProperty(display, window, name, type);
    if (!property || property->format != 32)
        return {};
    const auto* items = reinterpret_cast<const unsigned long*>(property->data.get());
    return QList<unsigned long>(items, items + property->count);
}

struct TreeLinks {
    Window parent = None;
    QList<Window> children;
};

std::optional<TreeLinks> treeLinks(Display* display, Window window) {
    Window root = None;
    Window parent = None;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count))
        return std::nullopt;
    const std::unique_ptr<Window, XFreeDeleter> owned(children);
    return TreeLinks{parent, QList<Window>(children, children + count)};
}

std::optional<Window> checkWindow(Display* display, Window window) {
    const QList<unsigned long> check =
        longs(display, window, atom(display, "_NET_SUPPORTING_WM_CHECK"), XA_WINDOW);
    return check.size() == 1 ? std::optional<Window>(check.first()) : std::nullopt;
}

bool windowManagerRuns(Display* display) {
    const std::optional<Window> check = checkWindow(display, DefaultRootWindow(display));
    return check && checkWindow(display, *check) == check;
}

bool viewable(Display* display, Window window) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable &&
           !attributes.override_redirect;
}

QList<Window> topLevelWindows(Display* display) {
    const Window root = DefaultRootWindow(display);
    if (windowManagerRuns(display)) {
        const QList<unsigned long> clients =
            longs(display, root, atom(display, "_NET_CLIENT_LIST"), XA_WINDOW);
        if (!clients.isEmpty())
            return clients;
    }
    const std::optional<TreeLinks> links = treeLinks(display, root);
    return links ? links->children : QList<Window>();
}

} // namespace

bool windowManagerSupports(Display* display, const char* atomName) {
    if (!windowManagerRuns(display))
        return false;
    return longs(display, DefaultRootWindow(display), atom(display, "_NET_SUPPORTED"), XA_ATOM)
        .contains(atom(display, atomName));
}

QList<Window> visibleTopLevelWindows(Display* display) {
    QList<Window> windows = topLevelWindows(display);
    windows.removeIf([display](Window window) { return !viewable(display, window); });
    return windows;
}

QString windowTitle(Display* display, Window window) {
    const std::optional<Property> name =
        readProperty(display, window, atom(display, "_NET_WM_NAME"), atom(display, "UTF8_STRING"));
    if (name && name->format == 8)
        return QString::fromUtf8(reinterpret_cast<const char*>(name->data.get()), qsizetype(name->count));
    XTextProperty text;
    if (!XGetWMName(display, window, &text))
        return {};
    const std::unique_ptr<unsigned char, XFreeDeleter> owned(text.value);
    char** lines = nullptr;
    int count = 0;
    if (Xutf8TextPropertyToTextList(display, &text, &lines, &count) < Success || count < 1)
        return QString::fromLatin1(reinterpret_cast<const char*>(text.value), qsizetype(text.nitems));
    const QString title = QString::fromUtf8(lines[0]);
    XFreeStringList(lines);
    return title;
}

std::optional<qint64> windowProcess(Display* display, Window window) {
    const QList<unsigned long> pid = longs(display, window, atom(display, "_NET_WM_PID"), XA_CARDINAL);
    return pid.size() == 1 ? std::optional<qint64>(qint64(pid.first())) : std::nullopt;
}

bool focusWithin(Display* display, Window window) {
    Window focus = None;
    int revertTo = 0;
    XGetInputFocus(display, &focus, &revertTo);
    const Window root = DefaultRootWindow(display);
    while (focus != None && focus != PointerRoot && focus != root) {
        if (focus == window)
            return true;
        const std::optional<TreeLinks> links = treeLinks(display, focus);
        if (!links)
            return false;
        focus = links->parent;
    }
    return false;
}

} // namespace vexa::x11
