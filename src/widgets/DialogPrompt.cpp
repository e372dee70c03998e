#include "widgets/DialogPrompt.h"

#include "texts/Program.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

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

// Holds the prompt open for as long as one of its dialogs runs.
class OpenDialog {
public:
    explicit OpenDialog(bool& open)
        : open_(open) {
        open_ = true;
    }
    ~OpenDialog() { open_ = false; }
    OpenDialog(const OpenDialog&) = delete;
    OpenDialog& operator=(const OpenDialog&) = delete;

private:
    bool& open_;
};

} // namespace

QWidget* DialogPrompt::boxParent() const {
    if (QWidget* active = QApplication::activeWindow(); active && active->isVisible())
        return active;
    return parent_;
}

int DialogPrompt::run(QMessageBox& box) {
    // Closing a box activates whatever the window system picks, often the main window: a dialog the user
    // typed in would lose its keystrokes to it. The window the box came over gets them back, with its own
    // focus where it was.
    const QPointer<QWidget> over = box.parentWidget();
    const int result = box.exec();
    if (over && over->isVisible()) {
        over->activateWindow();
        over->raise();
    }
    return result;
}

void DialogPrompt::message(const QString& text, PromptIcon icon) {
    if (open_) {
        const bool known =
            text == openText_ || std::any_of(waiting_.cbegin(), waiting_.cend(),
                                             [&text](const Waiting& w) { return w.text == text; });
        if (!known)
            waiting_.push_back({text, icon});
        return;
    }
    show(text, icon);
    // What arrived meanwhile, one box after the other.
    while (!waiting_.empty()) {
        const Waiting next = waiting_.front();
        waiting_.pop_front();
        show(next.text, next.icon);
    }
}

void DialogPrompt::show(const QString& text, PromptIcon icon) {
    const OpenDialog open(open_);
    openText_ = text;
    QMessageBox box(toIcon(icon), windowTitle(), text, QMessageBox::Ok, boxParent());
    run(box);
    openText_.clear();
}

bool DialogPrompt::question(const QString& text, const QString& yesText, const QString& noText,
                            PromptIcon icon, PromptDefault defaultButton) {
    if (open_)
        return false;
    const OpenDialog open(open_);
    QMessageBox box(toIcon(icon), windowTitle(), text, QMessageBox::NoButton, boxParent());
    QPushButton* yes = box.addButton(yesText, QMessageBox::YesRole);
    QPushButton* no = box.addButton(noText, QMessageBox::NoRole);
    box.setDefaultButton(defaultButton == PromptDefault::No ? no : yes);
    box.setEscapeButton(no);
    run(box);
    return box.clickedButton() == yes;
}

QString DialogPrompt::saveFileName(const QString& start, const QString& filter) {
    if (open_)
        return {};
    const OpenDialog open(open_);
    // A start with a file name opens in its folder with the name filled in.
    return QFileDialog::getSaveFileName(parent_, windowTitle(), start, filter);
}

QString DialogPrompt::openFileName(const QString& folder, const QString& filter) {
    if (open_)
        return {};
    const OpenDialog open(open_);
    return QFileDialog::getOpenFileName(parent_, windowTitle(), folder, filter);
}

std::optional<qsizetype> DialogPrompt::choose(const QString& text, const QStringList& items) {
    if (open_ || items.isEmpty())
        return std::nullopt;
    const OpenDialog open(open_);
    bool chosen = false;
    const QString item = QInputDialog::getItem(boxParent(), windowTitle(), text, items, 0, false, &chosen);
    if (!chosen)
        return std::nullopt;
    return items.indexOf(item);
}

} // namespace vexa
