#pragma once

#include "window/ProjectWindowModel.h"

#include <QDialog>
#include <array>

class QDateEdit;
class QLineEdit;
class QTimeEdit;

namespace vexa {

class ControlBinder;

// The project dialog beside the main window: six fields under the project labels, the date and the time.
class FrmProjekt : public QDialog {
    Q_OBJECT
public:
    explicit FrmProjekt(ProjectWindowModel& model, QWidget* parent = nullptr);

private:
    void buildControls();
    void connectControls();
    void showValues();

    ProjectWindowModel& model_;
    ControlBinder* binder_;
    std::array<QLineEdit*, ProjectData::FieldCount> fields_{};
    QDateEdit* date_ = nullptr;
    QTimeEdit* time_ = nullptr;
};

} // namespace vexa
