#pragma once

#include "window/Prompt.h"

#include <QList>
#include <QStringList>

namespace vexa {

// Answers questions from a script and records everything it was shown; used where no one can click.
class ScriptedPrompt final : public Prompt {
public:
    // Answers given to the next questions, in order; when the script is used up, `defaultAnswer` is given.
    void setAnswers(QList<bool> answers) { answers_ = std::move(answers); }
    void setDefaultAnswer(bool answer) { defaultAnswer_ = answer; }

    void message(const QString& text, PromptIcon) override { shown_.append(text); }
    bool question(const QString& text, const QString&, const QString&, PromptIcon,
                  PromptDefault defaultButton) override {
        shown_.append(text);
        defaultButtons_.append(defaultButton);
        return answers_.isEmpty() ? defaultAnswer_ : answers_.takeFirst();
    }
    // The button each question so far kept Enter and Escape to, oldest first.
    const QList<PromptDefault>& defaultButtons() const { return defaultButtons_; }

    // Names the next file dialogs return, in order; when used up, dialogs are cancelled.
    void setFileNames(QStringList names) { fileNames_ = std::move(names); }
    QString saveFileName(const QString& folder, const QString&) override { return nextFileName(folder); }
    QString openFileName(const QString& folder, const QString&) override { return nextFileName(folder); }
    // The folder the last file dialog started in.
    const QString& dialogFolder() const { return dialogFolder_; }

    // Everything shown so far, messages and questions alike, oldest first.
    const QStringList& shown() const { return shown_; }
    void clear() {
        shown_.clear();
        defaultButtons_.clear();
    }

private:
    QString nextFileName(const QString& folder) {
        dialogFolder_ = folder;
        return fileNames_.isEmpty() ? QString() : fileNames_.takeFirst();
    }

    QList<bool> answers_;
    QStringList fileNames_;
    QString dialogFolder_;
    bool defaultAnswer_ = false;
    QStringList shown_;
    QList<PromptDefault> defaultButtons_;
};

} // namespace vexa
