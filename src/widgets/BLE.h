#pragma once

#include <QDialog>

namespace vexa {

class ControlBinder;
class WindowSession;

// The link window: scan, choose a gauge, connect. Shown modally by the main window's connect button; it
// hides itself once the gauge's link is up.
class FrmBLE : public QDialog {
    Q_OBJECT
public:
    FrmBLE(WindowSession& session, QWidget* parent = nullptr);

private:
    WindowSession& session_;
    ControlBinder* binder_;
};

} // namespace vexa
