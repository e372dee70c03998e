#include "widgets/DialogPrompt.h"

#include "texts/Program.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace vexa {

namespace {

QMessageBox::Icon toIcon(PromptIcon icon) {
    switch (icon) {
    case PromptIcon::Information:
        return QMessageBox::Information;
    case PromptIcon::Question:
        return QMessageBox::Question;
    case PromptIcon::Warning:
        return QMessageBox::Warning;
    case PromptIcon::Critical:
        return QMessageBox::Critical;
    case PromptIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void DialogPrompt::message(const QString& text, PromptIcon icon) {
    QMessageBox box(toIcon(icon), windowTitle(), text, QMessageBox::Ok, parent_);
    box.exec();
}

bool DialogPrompt::question(const QString& text, const QString& yesText, const QString& noText,
                            PromptIcon icon) {
    QMessageBox box(toIcon(icon), windowTitle(), text, QMessageBox::NoButton, parent_);
    QPushButton* yes = box.addButton(yesText, QMessageBox::YesRole);
    box.addButton(noText, QMessageBox::NoRole);
    box.exec();
    return box.clickedButton() == yes;
}

QString DialogPrompt::saveFileName(const QString& folder, const QString& filter) {
    return QFileDialog::getSaveFileName(parent_, windowTitle(), folder, filter);
}

QString DialogPrompt::openFileName(const QString& folder, const QString& filter) {
    return QFileDialog::getOpenFileName(parent_, windowTitle(), folder, filter);
}

} // namespace vexa
