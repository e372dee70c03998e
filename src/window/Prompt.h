#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace vexa {

enum class PromptIcon { None, Information, Question, Warning, Critical };

// The button Enter and Escape keep to: a question whose yes destroys something defaults to no.
enum class PromptDefault { Yes, No };

// Every message box and yes/no question of the program goes through this interface: real dialogs in
// the windows, a scripted one in the tests and the command-line tool.
class Prompt {
public:
    virtual ~Prompt() = default;

    // A message with an OK button.
    virtual void message(const QString& text, PromptIcon icon = PromptIcon::None) = 0;

    // A question with two buttons captioned `yesText` and `noText`; true when the first was chosen.
    virtual bool question(const QString& text, const QString& yesText, const QString& noText, PromptIcon icon,
                          PromptDefault defaultButton) = 0;

    // The file chosen in a save or open dialog that offers `filter`; empty when the dialog was cancelled.
    // Where no one can choose, every dialog counts as cancelled. A save dialog starts at `start`: a
    // folder, or a folder and the file name it proposes; an open dialog starts in `folder`.
    virtual QString saveFileName(const QString& start, const QString& filter) {
        Q_UNUSED(start)
        Q_UNUSED(filter)
        return {};
    }
    virtual QString openFileName(const QString& folder, const QString& filter) {
        Q_UNUSED(folder)
        Q_UNUSED(filter)
        return {};
    }

    // The entry of `items` the user picks after `text`; none when the choice was cancelled, or where no one
    // can choose.
    virtual std::optional<qsizetype> choose(const QString& text, const QStringList& items) {
        Q_UNUSED(text)
        Q_UNUSED(items)
        return std::nullopt;
    }
};

} // namespace vexa
