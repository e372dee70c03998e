#include "widgets/frmTastatur.h"

#include "widgets/ControlBinder.h"
#include "window/KeyboardWindowModel.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vexa {

using namespace keyctl;

FrmTastatur::FrmTastatur(KeyboardWindowModel& model, QWidget* parent)
    : QDialog(parent) {
    setObjectName(frmTastatur);
    setModal(false);
    auto* binder = new ControlBinder(model.controls(), this);
    const auto make = [binder](auto* widget, const QString& name) {
        widget->setObjectName(name);
        binder->bind(widget);
        return widget;
    };

    auto* frame = make(new QGroupBox(this), fraTastatur);
    auto* explanation = make(new QLabel(frame), lblTE);
    explanation->setWordWrap(true);
    auto* forwarding = make(new QCheckBox(frame), chkTastatur);
    auto* applicationLabel = make(new QLabel(frame), lblAnwendung);
    auto* application = make(new QLineEdit(frame), txtAnwendung);
    application->setMinimumWidth(320);
    auto* browse = make(new QPushButton(frame), cmdAnwendung);
    browse->setAutoDefault(false);
    auto* notice = make(new QLabel(frame), lblHinweis);
    notice->setWordWrap(true);

    auto* values = make(new QGroupBox(frame), fraWerte);
    auto* valueRow = new QHBoxLayout(values);
    for (size_t i = 0; i < flagBoxes.size(); ++i) {
        auto* box = make(new QCheckBox(values), flagBoxes[i]);
        valueRow->addWidget(box);
        connect(box, &QCheckBox::clicked, &model, [&model, i](bool on) { model.setFlag(int(i), on); });
    }
    auto* lineEnd = make(new QGroupBox(frame), frmZeilenEnde);
    auto* lineEndRow = new QHBoxLayout(lineEnd);
    auto* none = make(new QRadioButton(lineEnd), optKeins);
    auto* enter = make(new QRadioButton(lineEnd), optEnter);
    lineEndRow->addWidget(none);
    lineEndRow->addWidget(enter);
    auto* ok = make(new QPushButton(this), cmdOk);

    auto* applicationRow = new QHBoxLayout;
    applicationRow->addWidget(application, 1);
    applicationRow->addWidget(browse);
    auto* inner = new QVBoxLayout(frame);
    for (QWidget* widget : std::initializer_list<QWidget*>{explanation, forwarding, applicationLabel})
        inner->addWidget(widget);
    inner->addLayout(applicationRow);
    for (QWidget* widget : std::initializer_list<QWidget*>{notice, values, lineEnd})
        inner->addWidget(widget);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(ok, 0, Qt::AlignRight);
    binder->bind(this);

    connect(forwarding, &QCheckBox::clicked, &model, &KeyboardWindowModel::setForwarding);
    connect(application, &QLineEdit::textEdited, &model, &KeyboardWindowModel::setApplication);
    connect(browse, &QPushButton::clicked, &model, &KeyboardWindowModel::cmdAnwendung_Click);
    connect(none, &QRadioButton::clicked, &model, [&model] { model.setLineEnd(false); });
    connect(enter, &QRadioButton::clicked, &model, [&model] { model.setLineEnd(true); });
    connect(ok, &QPushButton::clicked, &model, &KeyboardWindowModel::cmdOk_Click);
    connect(&model, &KeyboardWindowModel::closeRequested, this, &QDialog::hide);
}

} // namespace vexa
