#pragma once

#include "data/KeyPlan.h"
#include "window/KeySender.h"

#include <QObject>
#include <chrono>
#include <deque>
#include <optional>
#include <qcoro/qcorotask.h>

namespace vexa {

class MainModel;

// Types the online readings into the program the forwarding settings name. The program is started once
// and started anew when the settings name another one or its window has gone. Readings queue up and are
// typed one after the other, so that live values never wait for the keys; each reading first waits for
// the user's modifier keys to be let go and checks that the target has the focus, and types nothing
// where it does not.
class KeyForwarder : public QObject {
    Q_OBJECT
public:
    // How long the target's window is looked for after its start, and how long it may take to come to the
    // front before a reading.
    static constexpr std::chrono::milliseconds WindowSearch{5000};
    static constexpr std::chrono::milliseconds FocusWait{1000};
    static constexpr std::chrono::milliseconds ModifierWait{2000};

    explicit KeyForwarder(MainModel& main, QObject* parent = nullptr);

    // The desktop's side; none where keys reach no other program.
    void setSender(KeySender* sender) { sender_ = sender; }
    KeysUnavailable unavailable() const;
    // Why keys reach no other program here, in language `languageIndex`; empty when they do.
    QString unavailableText(int languageIndex) const;

    // The program in the settings, started unless it runs already with its window; with forwarding off,
    // readings waiting are dropped.
    QCoro::Task<> startTarget();
    // An online row appended while forwarding is on: queued for typing.
    void forward(const KeyPlanRow& row);
    // Forwarding went on again in the dialog after the target was lost.
    void resume();

    bool typing() const { return typing_; }
    std::optional<TargetWindow> target() const { return target_; }

signals:
    // Every reading queued so far was typed or given up.
    void queueDone();

private:
    QCoro::Task<> typeQueue();
    QCoro::Task<bool> typeReading(const QList<KeyStroke>& plan);
    // The target's window has gone: said once, and the readings waiting are logged and dropped.
    void targetLost(const QString& value);
    void logNotTyped(const QString& value, const QString& why);
    QString application() const;

    MainModel& main_;
    KeySender* sender_ = nullptr;
    QString startedApplication_; // the program started in this run; empty before
    std::optional<TargetWindow> target_;
    struct Reading {
        QString value;
        QList<KeyStroke> plan;
    };
    std::deque<Reading> queue_;
    bool typing_ = false;
    bool starting_ = false;
    bool lost_ = false;           // the target went; forwarding waits for OK in the dialog
    bool notInFrontSaid_ = false; // said once until a reading is typed again
};

} // namespace vexa
