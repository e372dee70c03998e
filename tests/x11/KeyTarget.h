#pragma once

// A vexa-key-target window started through a key sender, as the program starts the user's target
// program; what reached it is read back from its file.
#include "widgets/ProcessTree.h"
#include "window/KeySender.h"

#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <csignal>

namespace vexa {

struct KeyTarget {
    // `launch` is the command line, with %1 for the target's executable, %2 for its file and %3 for
    // `title`; by default the target itself.
    KeyTarget(KeySender& sender, const QString& windowTitle,
              const QString& launch = QStringLiteral(R"("%1" "%2" "%3")"))
        : title(windowTitle)
        , started(sender.start(launch.arg(QStringLiteral(VEXA_KEY_TARGET), file(), windowTitle))) {
        using namespace std::chrono_literals;
        if (started.pid)
            window = QCoro::waitFor(sender.findWindow(started.pid, 20s));
    }
    ~KeyTarget() { close(); }
    KeyTarget(const KeyTarget&) = delete;
    KeyTarget& operator=(const KeyTarget&) = delete;

    QString file() const { return folder.filePath(QStringLiteral("received")); }

    QString received() const {
        QFile in(file());
        return in.open(QIODevice::ReadOnly) ? QString::fromUtf8(in.readAll()) : QString();
    }

    // Ends the target and the launcher it was started through.
    void close() {
        if (started.pid <= 0)
            return;
        for (const qint64 pid : processFamily(started.pid))
            ::kill(pid_t(pid), SIGTERM);
    }

    QTemporaryDir folder; // first: the command line names the file in it
    QString title;
    KeySender::Start started;
    std::optional<TargetWindow> window;
};

} // namespace vexa
