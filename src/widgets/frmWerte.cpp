#include "widgets/frmWerte.h"

#include "report/FixedFont.h"
#include "texts/Texts.h"
#include "widgets/Twips.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTimer>

namespace vexa {

namespace {

template <typename W> W* place(QWidget* parent, const QString& name, const QRect& twips) {
    auto* widget = new W(parent);
    widget->setObjectName(name);
    widget->setGeometry(twipsToPixels(twips));
    return widget;
}

QLineEdit* placeField(QWidget* parent, const QString& name, int top) {
    auto* field = place<QLineEdit>(parent, name, QRect(1560, top, 2400, 360));
    field->setFont(fixedFont(10));
    return field;
}

QPushButton* placeButton(QWidget* parent, const QString& name, const QRect& twips) {
    auto* button = place<QPushButton>(parent, name, twips);
    // Enter belongs to the fields; no button may take it as a click.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

} // namespace

FrmWerte::FrmWerte(Limits& limits, Prompt& prompt, QWidget* parent)
    : QDialog(parent)
    , editor_(limits, 0, prompt) {
    setObjectName(QStringLiteral("frmWerte"));
    setModal(false);
    buildControls();
    connectControls();
    applyTexts();
}

void FrmWerte::buildControls() {
    setFixedSize(twipsToPixels(4500), twipsToPixels(3480));
    auto* frame = place<QGroupBox>(this, QStringLiteral("frmLimits"), QRect(120, 120, 4260, 2400));
    place<QLabel>(frame, QStringLiteral("lblMin"), QRect(240, 360, 1215, 300));
    place<QLabel>(frame, QStringLiteral("lblMax"), QRect(240, 840, 1215, 300));
    place<QLabel>(frame, QStringLiteral("lblSoll"), QRect(240, 1320, 1215, 300));
    minimum_ = placeField(frame, QStringLiteral("txtMinLimit"), 330);
    maximum_ = placeField(frame, QStringLiteral("txtMaxLimit"), 810);
    target_ = placeField(frame, QStringLiteral("txtSoll"), 1290);
    rule8020_ = place<QCheckBox>(frame, QStringLiteral("chk8020"), QRect(240, 1860, 1400, 300));
    placeButton(frame, QStringLiteral("cmdInfo"), QRect(2760, 1800, 1200, 420));
    placeButton(this, QStringLiteral("cmdSpeichern"), QRect(120, 2700, 2040, 600));
    placeButton(this, QStringLiteral("cmdLoeschen"), QRect(2340, 2700, 2040, 600));
}

void FrmWerte::connectControls() {
    for (QLineEdit* field : {minimum_, maximum_, target_}) {
        field->installEventFilter(this);
        connect(field, &QLineEdit::returnPressed, this, [this, field] { leaveField(field); });
    }
    connect(rule8020_, &QCheckBox::clicked, this, [this](bool ticked) {
        if (refused_) {
            const QSignalBlocker blocker(rule8020_);
            rule8020_->setChecked(!ticked);
            return;
        }
        editor_.chk8020Click(ticked);
        showDisplay();
        limitsChanged();
    });
    connect(findChild<QPushButton*>(QStringLiteral("cmdInfo")), &QPushButton::clicked, this, [this] {
        if (!refused_)
            editor_.cmdInfoClick();
    });
    connect(findChild<QPushButton*>(QStringLiteral("cmdLoeschen")), &QPushButton::clicked, this, [this] {
        if (refused_)
            return;
        editor_.cmdLoeschenClick();
        showDisplay();
        limitsChanged();
    });
    connect(findChild<QPushButton*>(QStringLiteral("cmdSpeichern")), &QPushButton::clicked, this, [this] {
        if (refused_)
            return;
        if (onSave_)
            onSave_();
        accept();
    });
    connect(this, &QDialog::finished, this, [this] {
        if (onClosed_)
            onClosed_();
    });
}

void FrmWerte::setLanguageIndex(int languageIndex) {
    editor_.setLanguageIndex(languageIndex);
    applyTexts();
}

void FrmWerte::setRule8020Offered(bool offered) {
    for (QWidget* control : {static_cast<QWidget*>(rule8020_),
                             static_cast<QWidget*>(findChild<QPushButton*>(QStringLiteral("cmdInfo")))}) {
        control->setEnabled(offered);
        control->setVisible(offered);
    }
}

void FrmWerte::applyTexts() {
    const int language = editor_.languageIndex();
    setWindowTitle(Texts::message(Msg::WindowTitle, language));
    findChild<QGroupBox*>(QStringLiteral("frmLimits"))->setTitle(Texts::message(Msg::Limits, language));
    findChild<QLabel*>(QStringLiteral("lblMin"))->setText(QStringLiteral("Min Limit:"));
    findChild<QLabel*>(QStringLiteral("lblMax"))->setText(QStringLiteral("Max Limit:"));
    findChild<QLabel*>(QStringLiteral("lblSoll"))->setText(Texts::message(Msg::TargetValue, language));
    rule8020_->setText(QStringLiteral("80/20     "));
    findChild<QPushButton*>(QStringLiteral("cmdInfo"))->setText(QStringLiteral("Info"));
    findChild<QPushButton*>(QStringLiteral("cmdSpeichern"))->setText(Texts::command(Cmd::Save, language));
    findChild<QPushButton*>(QStringLiteral("cmdLoeschen"))->setText(Texts::command(Cmd::Delete, language));
}

void FrmWerte::formActivate() {
    applyTexts();
    editor_.formActivate();
    refused_ = nullptr;
    showDisplay();
    for (QLineEdit* field : {minimum_, maximum_, target_})
        field->setModified(false);
}

void FrmWerte::showEvent(QShowEvent* event) {
    // A window restored by the system keeps what its fields hold.
    if (!event->spontaneous())
        formActivate();
    QDialog::showEvent(event);
}

void FrmWerte::showDisplay() {
    const LimitsDisplay& display = editor_.display();
    for (LimitField field : {LimitField::Minimum, LimitField::Maximum, LimitField::Target}) {
        QLineEdit* edit = editOf(field);
        if (edit->text() != display.text(field))
            edit->setText(display.text(field));
    }
    rule8020_->setChecked(display.rule8020);
}

bool FrmWerte::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // Switching to another window or opening a menu is no leaving of the field.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            leaveField(qobject_cast<QLineEdit*>(watched));
    }
    return QDialog::eventFilter(watched, event);
}

void FrmWerte::leaveField(QLineEdit* field) {
    // An unchanged field has nothing to take; taking it again would only repeat the messages.
    if (!field || !field->isModified())
        return;
    const FieldLeave leave = editor_.validate(fieldOf(field), field->text());
    showDisplay();
    if (leave == FieldLeave::Cancelled) {
        refused_ = field;
        // The focus is already on its way elsewhere; it comes back once that has happened.
        QTimer::singleShot(0, field, [field] { field->setFocus(Qt::OtherFocusReason); });
        return;
    }
    refused_ = nullptr;
    field->setModified(false);
    limitsChanged();
}

void FrmWerte::limitsChanged() {
    if (onLimitsChanged_)
        onLimitsChanged_();
}

LimitField FrmWerte::fieldOf(const QLineEdit* field) const {
    if (field == minimum_)
        return LimitField::Minimum;
    if (field == maximum_)
        return LimitField::Maximum;
    return LimitField::Target;
}

QLineEdit* FrmWerte::editOf(LimitField field) const {
    switch (field) {
    case LimitField::Minimum:
        return minimum_;
    case LimitField::Maximum:
        return maximum_;
    case LimitField::Target:
        break;
    }
    return target_;
}

} // namespace vexa
