#include "widgets/ControlBinder.h"

#include "widgets/Picture.h"
#include "widgets/PictureBox.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>

namespace vexa {

namespace {

QColor toColor(const Rgb& rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

void applyCaption(QObject* target, const QString& caption) {
    if (auto* menu = qobject_cast<QMenu*>(target))
        menu->setTitle(caption);
    else if (auto* window = qobject_cast<QWidget*>(target); window && window->isWindow())
        window->setWindowTitle(caption);
    else if (auto* button = qobject_cast<QAbstractButton*>(target))
        button->setText(caption);
    else if (auto* label = qobject_cast<QLabel*>(target))
        label->setText(caption);
    else if (auto* edit = qobject_cast<QLineEdit*>(target)) {
        // The text the user is typing comes back as the caption: setting it anew would move the cursor.
        if (edit->text() != caption)
            edit->setText(caption);
    } else if (auto* group = qobject_cast<QGroupBox*>(target))
        group->setTitle(caption);
    else if (auto* combo = qobject_cast<QComboBox*>(target); combo && combo->isEditable())
        combo->setEditText(caption);
    else if (auto* action = qobject_cast<QAction*>(target))
        action->setText(caption);
}

void applyWidget(QWidget* widget, const ControlProps& props) {
    widget->setHidden(!props.visible);
    widget->setEnabled(props.enabled);
    if (auto* button = qobject_cast<QAbstractButton*>(widget); button && button->isCheckable())
        button->setChecked(props.checked);
    // Places and sizes in twips are not applied: the window's layouts give every control its room.

    QPalette palette = widget->palette();
    if (props.background) {
        widget->setAutoFillBackground(true);
        palette.setColor(QPalette::Window, toColor(*props.background));
        palette.setColor(QPalette::Base, toColor(*props.background));
    }
    // A frame's text colour reaches the controls in it; a disabled one keeps the style's dimmed text, or it
    // would look as usable as the others.
    if (props.foreground) {
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            palette.setColor(group, QPalette::WindowText, toColor(*props.foreground));
            palette.setColor(group, QPalette::Text, toColor(*props.foreground));
            palette.setColor(group, QPalette::ButtonText, toColor(*props.foreground));
        }
    }
    widget->setPalette(palette);

    if (props.fontPoints > 0) {
        QFont font = widget->font();
        font.setPointSize(props.fontPoints);
        widget->setFont(font);
    }
    if (auto* list = qobject_cast<QListWidget*>(widget)) {
        // Quiet: the row set here is the logic's own choice, not the user's to report back. Rebuilt only
        // when the entries differ: a rebuild loses the row the user chose.
        const QSignalBlocker quiet(list);
        QStringList shown;
        for (int i = 0; i < list->count(); ++i)
            shown.append(list->item(i)->text());
        if (shown != props.items) {
            list->clear();
            list->addItems(props.items);
        }
        if (props.currentRow && list->currentRow() != *props.currentRow)
            list->setCurrentRow(*props.currentRow);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        // Rebuilt only when something differs: a rebuild would end the user's typing in the list's field.
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i)
            shown.append(combo->itemText(i));
        if (shown != props.items || (combo->isEditable() && combo->currentText() != props.caption)) {
            const QSignalBlocker quiet(combo);
            combo->clear();
            combo->addItems(props.items);
            combo->setEditText(props.caption);
        }
        // A list to pick from shows the entry the logic holds chosen.
        if (props.currentRow && combo->currentIndex() != *props.currentRow) {
            const QSignalBlocker quiet(combo);
            combo->setCurrentIndex(*props.currentRow);
        }
    }
    if (auto* box = qobject_cast<PictureBox*>(widget))
        box->showFile(props.pictureFile, props.pictureStretched);
}

} // namespace

ControlBinder::ControlBinder(const ControlState& state, QObject* parent)
    : QObject(parent)
    , state_(state) {
    connect(&state_, &ControlState::changed, this, &ControlBinder::apply);
}

void ControlBinder::bind(QObject* target) {
    targets_.insert(target->objectName(), target);
    apply(target->objectName());
}

void ControlBinder::apply(const QString& name) {
    QObject* target = targets_.value(name);
    if (!target)
        return;
    const ControlProps& props = state_[name];
    applyCaption(target, props.caption);
    if (auto* action = qobject_cast<QAction*>(target)) {
        action->setVisible(props.visible);
        action->setEnabled(props.enabled);
        if (action->isCheckable())
            action->setChecked(props.checked);
    } else if (auto* menu = qobject_cast<QMenu*>(target)) {
        menu->menuAction()->setVisible(props.visible);
        menu->setEnabled(props.enabled);
    } else if (auto* window = qobject_cast<QWidget*>(target); window && window->isWindow()) {
        if (!props.pictureFile.isEmpty())
            window->setWindowIcon(loadPicture(props.pictureFile).icon());
    } else if (auto* widget = qobject_cast<QWidget*>(target)) {
        applyWidget(widget, props);
    }
}

} // namespace vexa
