#pragma once

#include <QList>
#include <QString>
#include <chrono>
#include <optional>
#include <qcoro/qcorotask.h>

namespace vexa {

// A top-level window of the desktop.
struct TargetWindow {
    quint64 id = 0;
    QString title;
    // The process that says it owns the window; 0 when it does not say. The desktop hands a closed window's
    // id to the next window made, so the id alone may name another program's window later.
    qint64 owner = 0;
    bool operator==(const TargetWindow&) const = default;
};

// Why keys cannot reach other programs here.
enum class KeysUnavailable {
    No,        // they can
    NoSender,  // this build has no way to send keys
    Wayland,   // a Wayland session: its programs take no key events from X
    NoDisplay, // no X server to talk to
    NoXTest,   // the X server does not take key events from programs
    NoXkb,     // the X server does not tell its keyboard layout
};

// Types into another program's window as if from the keyboard. The program's logic decides what is typed
// where and when; a sender only says whether it could.
class KeySender {
public:
    virtual ~KeySender() = default;

    virtual KeysUnavailable unavailable() const = 0;

    struct Start {
        enum class Refusal {
            None,
            NoProgram,     // the command line names none
            WindowsPath,   // "C:\..." carried over from a Windows PC
            NotFound,      // no such file, nor a program of that name on PATH
            NotExecutable, // a folder, or no execute permission
            NotStarted,    // the system did not run it
        };
        qint64 pid = 0;
        Refusal refusal = Refusal::None;
    };
    // Starts `commandLine`, split into program and arguments as a shell would split it but never run by
    // one, detached from this program.
    virtual Start start(const QString& commandLine) = 0;
    // The process runs.
    virtual bool running(qint64 pid) const = 0;
    // The visible window of process `pid` or of one of its descendants, looked for up to `within`; none
    // when the process ended first or no window appeared.
    virtual QCoro::Task<std::optional<TargetWindow>> findWindow(qint64 pid,
                                                                std::chrono::milliseconds within) = 0;
    // The visible top-level windows of other programs with their titles, for the user to pick one.
    virtual QList<TargetWindow> windows() const = 0;
    // The window is still there, and still the same program's.
    virtual bool exists(const TargetWindow& window) const = 0;
    // Brings `window` to the front and waits up to `within` until it or one of its children has the
    // keyboard focus; false when it has not by then.
    virtual QCoro::Task<bool> activate(TargetWindow window, std::chrono::milliseconds within) = 0;
    // Waits up to `within` until the user holds no modifier key (Shift, Ctrl, Alt, AltGr, Super); false
    // when one is still held.
    virtual QCoro::Task<bool> modifiersReleased(std::chrono::milliseconds within) = 0;
    // Types `text` literally, one character after the other, into the window that has the focus; false when
    // a character could not be typed.
    virtual QCoro::Task<bool> type(QString text) = 0;
    // The Return key.
    virtual QCoro::Task<bool> pressReturn() = 0;
};

} // namespace vexa
