#pragma once

#include <QString>
#include <QStringList>

// Object names of the main window's controls: the logic addresses them by these names and the window
// gives its widgets the same ones.
namespace vexa::ctl {

#define VEXA_CONTROL(name) inline const QString name = QStringLiteral(#name)

VEXA_CONTROL(frmTransfer); // the window itself: title and icon

// menus
VEXA_CONTROL(mnuDatei);
VEXA_CONTROL(mnuEnd);
VEXA_CONTROL(Language);
VEXA_CONTROL(English);
VEXA_CONTROL(German);
VEXA_CONTROL(mnuTastaturevent);
VEXA_CONTROL(mnuPruefung);
VEXA_CONTROL(mnuSetTime);
VEXA_CONTROL(mnuHelp);
VEXA_CONTROL(mnuInfo);
VEXA_CONTROL(mnuHelp1);
VEXA_CONTROL(mnuDiagnose);

// link and gauge
VEXA_CONTROL(cmdConnect);
VEXA_CONTROL(txtWait);
VEXA_CONTROL(picBth);
VEXA_CONTROL(picBthBlitz);
VEXA_CONTROL(picUsb);
VEXA_CONTROL(BattIcon);
VEXA_CONTROL(lblBatterie);
VEXA_CONTROL(frmPic);
VEXA_CONTROL(picZK);
VEXA_CONTROL(picRahmen);
VEXA_CONTROL(txtSpeicher);

// memories and views
VEXA_CONTROL(FrameWerte);
VEXA_CONTROL(optFE);
VEXA_CONTROL(optOnline);
VEXA_CONTROL(cmbSpeicher);
VEXA_CONTROL(cmdRefresh);
VEXA_CONTROL(cmdLesen);
VEXA_CONTROL(cmdStop);
VEXA_CONTROL(lblSpeicher);

// table and statistics
VEXA_CONTROL(MSFlex);
VEXA_CONTROL(FrameStatistik);
VEXA_CONTROL(lstStat);
VEXA_CONTROL(picVexa);
VEXA_CONTROL(MSChart1);
VEXA_CONTROL(txtMittelwert);
VEXA_CONTROL(cmdMaterial);
VEXA_CONTROL(cmdChart);
VEXA_CONTROL(cmdGross);

// commands
VEXA_CONTROL(FrameBefehle);
VEXA_CONTROL(cmdOpen);
VEXA_CONTROL(cmdSave);
VEXA_CONTROL(cmdEnde);
VEXA_CONTROL(cmdWerte);
VEXA_CONTROL(cmdProjekt);
VEXA_CONTROL(cmdFlexTabelleloeschen);
VEXA_CONTROL(cmdFlexZeileLoeschen);
VEXA_CONTROL(cmdSort);
VEXA_CONTROL(Frame4);
VEXA_CONTROL(cmdprint);
VEXA_CONTROL(cmdWord);
VEXA_CONTROL(cmdClipboard);
VEXA_CONTROL(cmdExcel);
VEXA_CONTROL(cmdPdfReport);

#undef VEXA_CONTROL

// Blocked and unblocked together while nothing may start a second command.
inline const QStringList& commandSet() {
    static const QStringList set{optFE,
                                 optOnline,
                                 cmdOpen,
                                 cmdSave,
                                 cmdprint,
                                 cmdWord,
                                 cmdClipboard,
                                 cmdExcel,
                                 cmdPdfReport,
                                 cmdLesen,
                                 cmdEnde,
                                 cmdWerte,
                                 cmdProjekt,
                                 cmdFlexTabelleloeschen,
                                 cmdFlexZeileLoeschen,
                                 cmdSort,
                                 cmdChart,
                                 cmdGross,
                                 cmdMaterial};
    return set;
}

// Commands that talk to the gauge: disabled while none is connected.
inline const QStringList& gaugeCommands() {
    static const QStringList set{cmdLesen, cmdRefresh};
    return set;
}

// Every command that sends the gauge a request: none may while another window asks it.
inline const QStringList& commandsTalkingToGauge() {
    static const QStringList set{cmdConnect, optFE, optOnline, cmdLesen, cmdRefresh};
    return set;
}

// What the program offers before any gauge was connected.
inline const QStringList& commandsWithoutGauge() {
    static const QStringList set{cmdOpen, cmdEnde};
    return set;
}

} // namespace vexa::ctl
