#pragma once

#include "data/SettingsState.h"
#include "window/ControlState.h"

#include <QObject>
#include <array>

namespace vexa {

class KeyForwarder;
class MainModel;

// Object names of the key-event dialog.
namespace keyctl {
inline const QString frmTastatur = QStringLiteral("frmTastatur");
inline const QString fraTastatur = QStringLiteral("fraTastatur");
inline const QString lblTE = QStringLiteral("lblTE");
inline const QString chkTastatur = QStringLiteral("chkTastatur");
inline const QString lblAnwendung = QStringLiteral("lblAnwendung");
inline const QString txtAnwendung = QStringLiteral("txtAnwendung");
inline const QString cmdAnwendung = QStringLiteral("cmdAnwendung");
inline const QString lblHinweis = QStringLiteral("lblHinweis");
inline const QString fraWerte = QStringLiteral("fraWerte");
inline const QString chkNr = QStringLiteral("chkNr");
inline const QString chkDatum = QStringLiteral("chkDatum");
inline const QString chkEinheit = QStringLiteral("chkEinheit");
inline const QString chkMaterial = QStringLiteral("chkMaterial");
inline const QString frmZeilenEnde = QStringLiteral("frmZeilenEnde");
inline const QString optKeins = QStringLiteral("optKeins");
inline const QString optEnter = QStringLiteral("optEnter");
inline const QString cmdOk = QStringLiteral("cmdOk");
// The value check boxes in the order of the include flags: number, date, unit, material.
inline const std::array<QString, 4> flagBoxes{chkNr, chkDatum, chkEinheit, chkMaterial};
} // namespace keyctl

// The key-event dialog: whether online readings are typed into another program, which one, and what of
// each reading. It edits a copy of the gauge's forwarding settings; OK stores them.
class KeyboardWindowModel : public QObject {
    Q_OBJECT
public:
    KeyboardWindowModel(MainModel& main, KeyForwarder& forwarder, QObject* parent = nullptr);

    ControlState& controls() { return controls_; }

    // "Tastaturevents": the gauge's settings read anew into the dialog, which is to be shown.
    void mnuTastaturevent_Click();
    // The user's edits.
    void setForwarding(bool on);
    void setApplication(const QString& commandLine);
    void setFlag(int index, bool on);
    void setLineEnd(bool enter);
    // "…": the program picked in a file dialog becomes the application.
    void cmdAnwendung_Click();
    // OK: the settings stored, saved and the target started; the dialog closes. A path with ";" cannot be
    // stored and keeps the dialog open.
    void cmdOk_Click();

signals:
    void windowRequested();
    void closeRequested();

private:
    void applyTexts();
    void showValues();
    // Where keys reach no other program, the dialog says why and forwarding cannot be switched on.
    void showAvailability();

    MainModel& main_;
    KeyForwarder& forwarder_;
    ControlState controls_;
    KeyForwarding edited_;
};

} // namespace vexa
