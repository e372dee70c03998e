#include "window/KeyForwarder.h"

#include "texts/Texts.h"
#include "window/MainModel.h"
#include "window/Prompt.h"

namespace vexa {

KeyForwarder::KeyForwarder(MainModel& main, QObject* parent)
    : QObject(parent)
    , main_(main) {}

namespace {

Notice unavailableNotice(KeysUnavailable why) {
    switch (why) {
    case KeysUnavailable::No:
    case KeysUnavailable::NoSender:
        break;
    case KeysUnavailable::Wayland:
        return Notice::KeysWayland;
    case KeysUnavailable::NoDisplay:
        return Notice::KeysNoDisplay;
    case KeysUnavailable::NoXTest:
        return Notice::KeysNoXTest;
    case KeysUnavailable::NoXkb:
        return Notice::KeysNoXkb;
    }
    return Notice::KeysNoSender;
}

Notice refusalNotice(KeySender::Start::Refusal why) {
    using Refusal = KeySender::Start::Refusal;
    switch (why) {
    case Refusal::None:
    case Refusal::NotStarted:
        break;
    case Refusal::NoProgram:
        return Notice::StartNoProgram;
    case Refusal::WindowsPath:
        return Notice::StartWindowsPath;
    case Refusal::NotFound:
        return Notice::StartNotFound;
    case Refusal::NotExecutable:
        return Notice::StartNotExecutable;
    }
    return Notice::StartNotRun;
}

// The user picks by title, and two windows of one program often share theirs: each gets a number.
QStringList distinctTitles(const QList<TargetWindow>& windows) {
    QStringList titles;
    for (const TargetWindow& window : windows)
        titles.append(window.title);
    QStringList distinct;
    for (qsizetype i = 0; i < titles.size(); ++i) {
        const qsizetype same = titles.count(titles[i]);
        distinct.append(
            same == 1 ? titles[i]
                      : QStringLiteral("%1 (%2)").arg(titles[i]).arg(titles.first(i).count(titles[i]) + 1));
    }
    return distinct;
}

} // namespace

KeysUnavailable KeyForwarder::unavailable() const {
    return sender_ ? sender_->unavailable() : KeysUnavailable::NoSender;
}

QString KeyForwarder::unavailableText(int languageIndex) const {
    const KeysUnavailable why = unavailable();
    if (why == KeysUnavailable::No)
        return {};
    return Texts::notice(Notice::KeysNeedX11, languageIndex)
        .arg(Texts::notice(unavailableNotice(why), languageIndex));
}

QString KeyForwarder::application() const {
    return main_.settings().keys.targetApplication;
}

QCoro::Task<> KeyForwarder::startTarget() {
    const KeyForwarding& keys = main_.settings().keys;
    if (!keys.forwardingOn) {
        queue_.clear();
        co_return;
    }
    if (starting_ || unavailable() != KeysUnavailable::No || keys.targetApplication.trimmed().isEmpty())
        co_return;
    const QString wanted = keys.targetApplication;
    if (wanted == startedApplication_ && target_ && sender_->exists(*target_))
        co_return;
    const int lang = main_.state().languageIndex;
    starting_ = true;
    target_.reset();
    queue_.clear();
    const KeySender::Start started = sender_->start(wanted);
    if (started.refusal != KeySender::Start::Refusal::None) {
        const QString text = Texts::notice(Notice::TargetNotStarted, lang)
                                 .arg(wanted, Texts::notice(refusalNotice(started.refusal), lang));
        main_.log().WriteLog(text);
        main_.prompt().message(text, PromptIcon::Warning);
        starting_ = false;
        co_return;
    }
    startedApplication_ = wanted;
    std::optional<TargetWindow> window = co_await sender_->findWindow(started.pid, WindowSearch);
    // A program that hands its document to an instance already running ends without a window of its own.
    if (!window && !sender_->running(started.pid)) {
        const QList<TargetWindow> open = sender_->windows();
        if (const std::optional<qsizetype> picked = main_.prompt().choose(
                Texts::notice(Notice::TargetWindowPick, lang).arg(wanted), distinctTitles(open)))
            window = open.value(*picked);
    }
    if (!window) {
        const QString text = Texts::notice(Notice::TargetWindowNone, lang).arg(wanted);
        main_.log().WriteLog(text);
        main_.prompt().message(text, PromptIcon::Warning);
    }
    target_ = window;
    lost_ = false;
    notInFrontSaid_ = false;
    starting_ = false;
    if (!queue_.empty() && !typing_)
        typeQueue();
}

void KeyForwarder::resume() {
    lost_ = false;
}

void KeyForwarder::forward(const KeyPlanRow& row) {
    const KeyForwarding& keys = main_.settings().keys;
    if (!keys.forwardingOn || unavailable() != KeysUnavailable::No)
        return;
    const QString value = row.valueText.trimmed();
    if (lost_) {
        logNotTyped(value,
                    Texts::notice(Notice::TargetEnded, main_.state().languageIndex).arg(application()));
        return;
    }
    queue_.push_back({value, keyPlan(row, keys)});
    // Readings that come while the target starts wait for its window.
    if (!typing_ && !starting_)
        typeQueue();
}

QCoro::Task<> KeyForwarder::typeQueue() {
    typing_ = true;
    const int lang = main_.state().languageIndex;
    while (!queue_.empty() && !lost_) {
        const Reading reading = queue_.front();
        queue_.pop_front();
        if (!target_) {
            logNotTyped(reading.value, Texts::notice(Notice::TargetWindowNone, lang).arg(application()));
            continue;
        }
        if (!sender_->exists(*target_)) {
            targetLost(reading.value);
            break;
        }
        // Keys typed while the user holds Ctrl or Alt would become the target's shortcuts.
        const bool free = co_await sender_->modifiersReleased(ModifierWait);
        const bool inFront = free && co_await sender_->activate(*target_, FocusWait);
        if (!inFront) {
            const QString text = Texts::notice(Notice::TargetNotInFront, lang).arg(application());
            logNotTyped(reading.value, text);
            if (!notInFrontSaid_)
                main_.prompt().message(text, PromptIcon::Warning);
            notInFrontSaid_ = true;
            continue;
        }
        if (!co_await typeReading(reading.plan)) {
            logNotTyped(reading.value, Texts::notice(Notice::KeysNotTyped, lang));
            continue;
        }
        notInFrontSaid_ = false;
    }
    typing_ = false;
    emit queueDone();
}

QCoro::Task<bool> KeyForwarder::typeReading(const QList<KeyStroke>& plan) {
    for (const KeyStroke& stroke : plan) {
        const bool typed = stroke.kind == KeyStroke::Kind::Return ? co_await sender_->pressReturn()
                                                                  : co_await sender_->type(stroke.text);
        if (!typed)
            co_return false;
    }
    co_return true;
}

void KeyForwarder::targetLost(const QString& value) {
    const QString text = Texts::notice(Notice::TargetEnded, main_.state().languageIndex).arg(application());
    lost_ = true;
    logNotTyped(value, text);
    for (const Reading& waiting : queue_)
        logNotTyped(waiting.value, text);
    queue_.clear();
    main_.prompt().message(text, PromptIcon::Warning);
}

void KeyForwarder::logNotTyped(const QString& value, const QString& why) {
    main_.log().WriteLog(
        Texts::notice(Notice::KeyReadingNotTyped, main_.state().languageIndex).arg(value, why));
}

} // namespace vexa
