#include "widgets/frmProjekt.h"

#include "widgets/ControlBinder.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace vexa {

using namespace projctl;

namespace {

constexpr int FieldWidth = 260;

template <typename W> W* make(QWidget* parent, const QString& name) {
    auto* widget = new W(parent);
    widget->setObjectName(name);
    return widget;
}

QPushButton* makeButton(QWidget* parent, const QString& name) {
    auto* button = make<QPushButton>(parent, name);
    // Enter in a field must not save the dialog.
    button->setAutoDefault(false);
    return button;
}

} // namespace

FrmProjekt::FrmProjekt(ProjectWindowModel& model, QWidget* parent)
    : QDialog(parent)
    , model_(model)
    , binder_(new ControlBinder(model.controls(), this)) {
    setObjectName(frmProjekt);
    setModal(false);
    buildControls();
    connectControls();
    showValues();
}

void FrmProjekt::buildControls() {
    auto* frame = make<QGroupBox>(this, frmRahmen);
    auto* grid = new QGridLayout(frame);
    for (int k = 0; k < ProjectData::FieldCount; ++k) {
        auto* label = make<QLabel>(frame, lblFelder(k + 1));
        QLineEdit* field = make<QLineEdit>(frame, txtFelder(k + 1));
        field->setMaxLength(ProjectData::FieldLength);
        field->setMinimumWidth(FieldWidth);
        grid->addWidget(label, k, 0);
        grid->addWidget(field, k, 1, 1, 2);
        binder_->bind(label);
        fields_[static_cast<size_t>(k)] = field;
    }
    auto* dateLabel = make<QLabel>(frame, lblDtp);
    date_ = make<QDateEdit>(frame, DTPDate);
    date_->setCalendarPopup(true);
    time_ = make<QTimeEdit>(frame, DTPTime);
    time_->setDisplayFormat(QStringLiteral("HH:mm"));
    grid->addWidget(dateLabel, ProjectData::FieldCount, 0);
    grid->addWidget(date_, ProjectData::FieldCount, 1);
    grid->addWidget(time_, ProjectData::FieldCount, 2);

    auto* commands = make<QGroupBox>(this, Frame1);
    auto* buttons = new QHBoxLayout(commands);
    auto* save = makeButton(commands, cmdSpeichern);
    auto* clear = makeButton(commands, cmdLoeschen);
    buttons->addWidget(save);
    buttons->addWidget(clear);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(commands);
    for (QObject* control :
         {static_cast<QObject*>(this), static_cast<QObject*>(frame), static_cast<QObject*>(dateLabel),
          static_cast<QObject*>(commands), static_cast<QObject*>(save), static_cast<QObject*>(clear)})
        binder_->bind(control);
}

void FrmProjekt::connectControls() {
    for (int k = 0; k < ProjectData::FieldCount; ++k)
        connect(fields_[static_cast<size_t>(k)], &QLineEdit::textEdited, &model_,
                [this, k](const QString& text) { model_.setField(k, text); });
    connect(date_, &QDateEdit::dateChanged, &model_, &ProjectWindowModel::setDate);
    connect(time_, &QTimeEdit::timeChanged, &model_, &ProjectWindowModel::setTime);
    connect(findChild<QPushButton*>(cmdSpeichern), &QPushButton::clicked, &model_,
            &ProjectWindowModel::cmdSpeichern_Click);
    connect(findChild<QPushButton*>(cmdLoeschen), &QPushButton::clicked, &model_,
            &ProjectWindowModel::cmdLoeschen_Click);
    connect(&model_, &ProjectWindowModel::valuesChanged, this, &FrmProjekt::showValues);
    connect(&model_, &ProjectWindowModel::saved, this, &QDialog::accept);
}

void FrmProjekt::showValues() {
    const ProjectData& values = model_.values();
    for (int k = 0; k < ProjectData::FieldCount; ++k)
        fields_[static_cast<size_t>(k)]->setText(values.fields[static_cast<size_t>(k)]);
    // The pickers show the logic's values; only the user's changes go back to it.
    const QSignalBlocker quietDate(date_);
    const QSignalBlocker quietTime(time_);
    date_->setDate(values.date);
    time_->setTime(values.time);
}

} // namespace vexa
