#pragma once

#include "window/KeySender.h"

#include <QStringList>
#include <QTimer>
#include <qcoro/qcorotimer.h>

namespace vexa {

// A desktop that records what would be typed where, with the answers a test sets.
class RecordingKeySender : public KeySender {
public:
    KeysUnavailable why = KeysUnavailable::No;
    Start::Refusal refusal = Start::Refusal::None; // a start fails for it
    qint64 nextPid = 4242;
    bool processRuns = true; // the started process still runs after the window search
    std::optional<TargetWindow> startedWindow = TargetWindow{7, QStringLiteral("Target")};
    QList<TargetWindow> openWindows; // what windows() lists
    QList<quint64> goneWindows;      // windows closed since
    bool activationWorks = true;
    bool modifiersFree = true;
    std::chrono::milliseconds typingTime{0}; // each text takes this long to type

    QStringList started;      // the command lines started
    QList<quint64> activated; // the windows brought to the front
    QStringList typed;        // every text typed, "<Return>" for the Return key

    KeysUnavailable unavailable() const override { return why; }
    Start start(const QString& commandLine) override {
        if (refusal != Start::Refusal::None)
            return {0, refusal};
        started.append(commandLine);
        return {nextPid++, Start::Refusal::None};
    }
    bool running(qint64) const override { return processRuns; }
    QCoro::Task<std::optional<TargetWindow>> findWindow(qint64, std::chrono::milliseconds) override {
        co_return startedWindow;
    }
    QList<TargetWindow> windows() const override { return openWindows; }
    bool exists(const TargetWindow& window) const override { return !goneWindows.contains(window.id); }
    QCoro::Task<bool> activate(TargetWindow window, std::chrono::milliseconds) override {
        if (activationWorks)
            activated.append(window.id);
        co_return activationWorks;
    }
    QCoro::Task<bool> modifiersReleased(std::chrono::milliseconds) override { co_return modifiersFree; }
    QCoro::Task<bool> type(QString text) override {
        if (typingTime.count() > 0) {
            QTimer timer;
            timer.setSingleShot(true);
            timer.start(typingTime);
            co_await timer;
        }
        typed.append(text);
        co_return true;
    }
    QCoro::Task<bool> pressReturn() override {
        typed.append(QStringLiteral("<Return>"));
        co_return true;
    }
};

} // namespace vexa
