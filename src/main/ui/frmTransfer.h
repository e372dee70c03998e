#pragma once

#include <QMainWindow>

namespace vexa {

class ControlBinder;
class FrmWerte;
class MainModel;

// The main window: every control carries the object name the logic addresses it by.
class FrmTransfer : public QMainWindow {
    Q_OBJECT
public:
    explicit FrmTransfer(MainModel& model, QWidget* parent = nullptr);

private:
    void buildMenus();
    void buildControls();
    void connectActions();
    void showLimits();
    template <typename W> W* place(QWidget* parent, const QString& name, const QRect& pixels);

    MainModel& model_;
    ControlBinder* binder_;
    FrmWerte* limits_ = nullptr;
};

} // namespace vexa
