#include "widgets/frmTime.h"

#include "widgets/ControlBinder.h"
#include "window/ClockWindowModel.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa {

using namespace timectl;

FrmTime::FrmTime(ClockWindowModel& model, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , model_(model) {
    setObjectName(frmTime);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* binder = new ControlBinder(model.controls(), this);

    auto* frame = new QGroupBox(this);
    frame->setObjectName(fraSetTime);
    auto* time = new QLineEdit(frame);
    time->setObjectName(txtDateTime);
    time->setReadOnly(true);
    time->setMinimumWidth(220);
    auto* confirmation = new QLabel(frame);
    confirmation->setObjectName(lblDatelog);
    confirmation->setTextFormat(Qt::PlainText);
    auto* set = new QPushButton(frame);
    set->setObjectName(cmdAkt);
    set->setAutoDefault(false);

    auto* inner = new QVBoxLayout(frame);
    inner->addWidget(time);
    inner->addWidget(confirmation);
    inner->addWidget(set, 0, Qt::AlignLeft);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    for (QObject* control : std::initializer_list<QObject*>{this, frame, time, confirmation, set})
        binder->bind(control);

    connect(set, &QPushButton::clicked, &model_, [this] { model_.cmdAkt_Click(); });
    connect(&model_, &ClockWindowModel::closeRequested, this, &QWidget::close);
}

void FrmTime::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        model_.stopDisplay();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FrmTime::closeEvent(QCloseEvent* event) {
    model_.windowClosed();
    QWidget::closeEvent(event);
}

} // namespace vexa
