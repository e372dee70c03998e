#pragma once

#include "window/Prompt.h"

#include <QMessageBox>
#include <QPointer>
#include <QWidget>
#include <deque>

namespace vexa {

// Message boxes of the program, titled with the window title. One box at a time: a box runs an event
// loop of its own, and a message arriving there (a live value, a timer) would open the next box inside
// it, and so on until the stack is full. A message while a box is open waits until it is closed, a text
// already open or waiting is not shown twice, and a question or file dialog asked meanwhile counts as
// declined.
class DialogPrompt final : public Prompt {
public:
    void setParentWindow(QWidget* parent) { parent_ = parent; }

    void message(const QString& text, PromptIcon icon) override;
    bool question(const QString& text, const QString& yesText, const QString& noText, PromptIcon icon,
                  PromptDefault defaultButton) override;
    QString saveFileName(const QString& start, const QString& filter) override;
    QString openFileName(const QString& folder, const QString& filter) override;
    std::optional<qsizetype> choose(const QString& text, const QStringList& items) override;

    // A box or dialog of this prompt is open.
    bool isOpen() const { return open_; }

private:
    struct Waiting {
        QString text;
        PromptIcon icon;
    };
    void show(const QString& text, PromptIcon icon);
    // The window the user works in, so that a box comes over it; else the main window.
    QWidget* boxParent() const;
    static int run(QMessageBox& box);

    QPointer<QWidget> parent_;
    bool open_ = false;
    QString openText_;
    std::deque<Waiting> waiting_;
};

} // namespace vexa
