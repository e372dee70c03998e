#include "widgets/frmPruefung.h"

#include "widgets/ControlBinder.h"
#include "window/InspectionWindowModel.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa {

using namespace inspctl;

FrmPruefung::FrmPruefung(InspectionWindowModel& model, QWidget* parent)
    : QDialog(parent)
    , model_(model) {
    setObjectName(frmPruefung);
    setModal(false);
    auto* binder = new ControlBinder(model.controls(), this);
    const auto make = [this, binder](auto* widget, const QString& name) {
        widget->setParent(this);
        widget->setObjectName(name);
        binder->bind(widget);
        return widget;
    };

    auto* form = new QFormLayout;
    auto* rule = make(new QComboBox, cmbRegel);
    form->addRow(make(new QLabel, lblRegel), rule);
    auto* unit = make(new QComboBox, cmbEinheit);
    form->addRow(make(new QLabel, lblEinheit), unit);
    for (size_t row = 0; row < ParameterRows; ++row) {
        auto* value = new QComboBox;
        value->setEditable(true);
        // A typed number stays a text of its own, not an entry added to the choices.
        value->setInsertPolicy(QComboBox::NoInsert);
        form->addRow(make(new QLabel, lblParameter[row]), make(value, cmbParameter[row]));
        connect(value, &QComboBox::currentTextChanged, &model,
                [&model, row](const QString& text) { model.setParameter(static_cast<int>(row), text); });
    }
    auto* errors = make(new QLabel, lblFehler);
    errors->setWordWrap(true);
    auto* verdict = make(new QLabel, lblUrteil);
    QFont bold = verdict->font();
    bold.setBold(true);
    verdict->setFont(bold);
    auto* lines = make(new QListWidget, lstKriterien);
    // Criterion lines are long; wrapped, every one can be read without scrolling sideways.
    lines->setWordWrap(true);
    lines->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lines->setResizeMode(QListView::Adjust);
    lines->setMinimumSize(640, 200);
    auto* progress = make(new QLabel, lblFortschritt);
    progress->setWordWrap(true);
    auto* hint = make(new QLabel, lblHinweis);
    hint->setWordWrap(true);
    auto* close = make(new QPushButton, cmdSchliessen);
    close->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    for (QWidget* widget : std::initializer_list<QWidget*>{errors, verdict, lines, progress, hint})
        layout->addWidget(widget);
    layout->addWidget(close, 0, Qt::AlignRight);
    binder->bind(this);

    connect(rule, &QComboBox::activated, &model, &InspectionWindowModel::cmbRegel_Click);
    connect(unit, &QComboBox::activated, &model, &InspectionWindowModel::cmbEinheit_Click);
    connect(lines, &QListWidget::itemClicked, &model,
            [&model, lines](QListWidgetItem* item) { model.lstKriterien_Click(lines->row(item)); });
    connect(close, &QPushButton::clicked, &model, &InspectionWindowModel::cmdSchliessen_Click);
    connect(&model, &InspectionWindowModel::closeRequested, this, &QDialog::hide);
}

void FrmPruefung::reject() {
    model_.cmdSchliessen_Click();
    QDialog::reject();
}

} // namespace vexa
