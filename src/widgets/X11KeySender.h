#pragma once

#include "window/KeySender.h"

#include <QTimer>
#include <memory>

struct _XDisplay;

namespace vexa {

class X11KeyRemapping;

// Types into other programs' windows on an X11 desktop: keys through the XTEST extension, windows found
// and brought to the front through the window manager (EWMH) where one runs.
//
// It keeps an X connection of its own rather than borrowing Qt's: Qt reads the events and errors of its
// connection itself, so Xlib's error handler would never hear of a window that went away, and a
// connection of its own works whatever Qt's platform is.
//
// A character that no key of the layout gives by itself or with Shift ("µ" on a US keyboard, "€", an
// AltGr character) goes for a while to a key that has no symbol. Such keys stay until no text has been
// typed for a few seconds, so that a series of readings with "µm" changes the layout once: every change
// makes each program on the desktop read the layout anew, and one that reads it only after the key was
// emptied again would lose the character. A keyboard has some ten or twenty keys without a symbol: when
// they are all taken, a text waits until keys of texts before have been unused for that while, and one
// that needs more such characters than there are keys is not typed at all.
class X11KeySender final : public KeySender {
public:
    X11KeySender();
    ~X11KeySender() override;
    X11KeySender(const X11KeySender&) = delete;
    X11KeySender& operator=(const X11KeySender&) = delete;

    KeysUnavailable unavailable() const override { return unavailable_; }
    Start start(const QString& commandLine) override;
    bool running(qint64 pid) const override;
    QCoro::Task<std::optional<TargetWindow>> findWindow(qint64 pid,
                                                        std::chrono::milliseconds within) override;
    QList<TargetWindow> windows() const override;
    bool exists(const TargetWindow& window) const override;
    QCoro::Task<bool> activate(TargetWindow window, std::chrono::milliseconds within) override;
    QCoro::Task<bool> modifiersReleased(std::chrono::milliseconds within) override;
    QCoro::Task<bool> type(QString text) override;
    QCoro::Task<bool> pressReturn() override;

private:
    KeysUnavailable openDisplay();
    std::optional<TargetWindow> windowOf(qint64 pid) const;
    // Gives the symbols that no key has keys of their own; false when the keyboard has too few spare.
    QCoro::Task<bool> giveKeys(QList<unsigned long> symbols);
    QList<unsigned long> missingSymbols(const QList<unsigned long>& symbols) const;
    bool requestActivation(unsigned long window);
    unsigned long serverTime();
    void discardEvents();

    _XDisplay* display_ = nullptr;
    // An unmapped window of this program, whose property changes the X server stamps with its time.
    unsigned long clockWindow_ = 0;
    KeysUnavailable unavailable_ = KeysUnavailable::NoDisplay;
    std::unique_ptr<X11KeyRemapping> remapping_;
    QTimer restoreKeys_;
};

} // namespace vexa
