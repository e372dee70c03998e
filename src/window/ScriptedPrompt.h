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
    bool question(const QString& text, const QString& yesText, const QString& noText, PromptIcon,
                  PromptDefault defaultButton) override {
        shown_.append(text);
        defaultButtons_.append(defaultButton);
        buttonCaptions_.append({yesText, noText});
        return answers_.isEmpty() ? defaultAnswer_ : answers_.takeFirst();
    }
    // The button each question so far kept Enter and Escape to, oldest first.
    const QList<PromptDefault>& defaultButtons() const { return defaultButtons_; }
    // The captions of each question's two buttons so far, oldest first.
    const QList<QStringList>& buttonCaptions() const { return buttonCaptions_; }

    // Names the next file dialogs return, in order; when used up, dialogs are cancelled.
    void setFileNames(QStringList names) { fileNames_ = std::move(names); }
    QString saveFileName(const QString& start, const QString& filter) override {
        return nextFileName(start, filter);
    }
    QString openFileName(const QString& folder, const QString& filter) override {
        return nextFileName(folder, filter);
    }
    // The entries the next choices pick, in order; when used up, choices are cancelled.
    void setChoices(QList<qsizetype> choices) { choices_ = std::move(choices); }
    std::optional<qsizetype> choose(const QString& text, const QStringList& items) override {
        shown_.append(text);
        offered_ = items;
        return choices_.isEmpty() ? std::nullopt : std::optional(choices_.takeFirst());
    }
    // What the last choice offered.
    const QStringList& offered() const { return offered_; }

    // Where the last file dialog started: its folder, and for a save dialog that proposes a name, the name.
    const QString& dialogFolder() const { return dialogFolder_; }
    // The files the last file dialog offered.
    const QString& dialogFilter() const { return dialogFilter_; }

    // Everything shown so far, messages and questions alike, oldest first.
    const QStringList& shown() const { return shown_; }
    void clear() {
        shown_.clear();
        defaultButtons_.clear();
        buttonCaptions_.clear();
    }

private:
    QString nextFileName(const QString& start, const QString& filter) {
        dialogFolder_ = start;
        dialogFilter_ = filter;
        return fileNames_.isEmpty() ? QString() : fileNames_.takeFirst();
    }

    QList<bool> answers_;
    QList<qsizetype> choices_;
    QStringList offered_;
    QStringList fileNames_;
    QString dialogFolder_;
    QString dialogFilter_;
    bool defaultAnswer_ = false;
    QStringList shown_;
    QList<PromptDefault> defaultButtons_;
    QList<QStringList> buttonCaptions_;
};

} // namespace vexa
