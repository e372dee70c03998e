#pragma once

#include "window/Prompt.h"

#include <QPointer>
#include <QWidget>

namespace vexa {

// Message boxes of the program, titled with the window title.
class DialogPrompt final : public Prompt {
public:
    void setParentWindow(QWidget* parent) { parent_ = parent; }

    void message(const QString& text, PromptIcon icon) override;
    bool question(const QString& text, const QString& yesText, const QString& noText,
                  PromptIcon icon) override;
    QString saveFileName(const QString& folder, const QString& filter) override;
    QString openFileName(const QString& folder, const QString& filter) override;

private:
    QPointer<QWidget> parent_;
};

} // namespace vexa
