#pragma once

#include "widgets/ManualOpener.h"

#include <QMainWindow>
#include <QPointer>
#include <qcoro/qcorotask.h>

namespace vexa {

class ControlBinder;
class QtTranslation;
class WindowSession;
class FrmInfo;
class FrmProjekt;
class FrmPruefung;
class FrmTastatur;
class FrmTime;
class FrmWerte;
class MainModel;

// The main window: every control carries the object name the logic addresses it by.
class FrmTransfer : public QMainWindow {
    Q_OBJECT
public:
    // Without a session (no gauge link) the window still shows and edits tables.
    explicit FrmTransfer(MainModel& model, WindowSession* session = nullptr, QWidget* parent = nullptr);

    // The manual and a saved Excel workbook are shown with the desktop's program for them unless another
    // viewer is put in here.
    void setDocumentViewer(DocumentViewer view) { viewDocument_ = std::move(view); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildControls();
    QWidget* buildHead(QWidget* parent);
    QWidget* buildTableSide(QWidget* parent);
    QWidget* buildPanels(QWidget* parent);
    QWidget* buildViews(QWidget* parent);
    QWidget* buildStatistics(QWidget* parent);
    QWidget* buildCommands(QWidget* parent);
    QWidget* buildCopyCommands(QWidget* parent);
    void connectActions();
    void showLimits();
    void showChartWindow();
    void showInformation();
    void showProject();
    // "Drucken" / "Print": the printer dialog, then the report; a cancelled dialog prints nothing.
    void printReport();
    void connectSession();
    QCoro::Task<> endProgram();
    // A control of the logic's name, bound to its state; its layout places it.
    template <typename W> W* make(QWidget* parent, const QString& name);

    MainModel& model_;
    WindowSession* session_;
    bool ending_ = false;
    ControlBinder* binder_;
    QtTranslation* qtTranslation_;
    FrmWerte* limits_ = nullptr;
    FrmInfo* information_ = nullptr;
    FrmProjekt* project_ = nullptr;
    FrmTastatur* keyEvents_ = nullptr;
    FrmPruefung* inspection_ = nullptr;
    // Gone once closed: the clock logic outlives it.
    QPointer<FrmTime> clockWindow_;
    DocumentViewer viewDocument_;
};

} // namespace vexa
