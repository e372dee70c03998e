#pragma once

#include <QDialog>

namespace vexa {

class InspectionWindowModel;

// The inspection window beside the main window; it mirrors its logic and hands every choice to it.
class FrmPruefung : public QDialog {
    Q_OBJECT
public:
    explicit FrmPruefung(InspectionWindowModel& model, QWidget* parent = nullptr);

    // Closed by its frame or Escape as by its button: the choices are stored.
    void reject() override;

private:
    InspectionWindowModel& model_;
};

} // namespace vexa
