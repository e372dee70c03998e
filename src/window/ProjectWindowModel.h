#pragma once

#include "data/SettingsState.h"
#include "window/ControlState.h"

#include <QObject>

namespace vexa {

class MainModel;

// Object names of the project dialog. Its six labels and fields are numbered 1 to 6.
namespace projctl {
inline const QString frmProjekt = QStringLiteral("frmProjekt");
inline const QString frmRahmen = QStringLiteral("frmRahmen");
inline const QString lblDtp = QStringLiteral("lblDtp");
inline const QString DTPDate = QStringLiteral("DTPDate");
inline const QString DTPTime = QStringLiteral("DTPTime");
inline const QString Frame1 = QStringLiteral("Frame1");
inline const QString cmdSpeichern = QStringLiteral("cmdSpeichern");
inline const QString cmdLoeschen = QStringLiteral("cmdLoeschen");
inline QString lblFelder(int number) {
    return QStringLiteral("lblFelder_%1").arg(number);
}
inline QString txtFelder(int number) {
    return QStringLiteral("txtFelder_%1").arg(number);
}
} // namespace projctl

// The project dialog: the connected gauge's project data under the labels of the label file, edited and
// saved into the gauge's project data file. The dialog holds what the user typed until it is saved or
// opened anew; only a save reaches the file.
class ProjectWindowModel : public QObject {
    Q_OBJECT
public:
    explicit ProjectWindowModel(MainModel& main, QObject* parent = nullptr);

    ControlState& controls() { return controls_; }
    // What the fields and the date and time pickers show.
    const ProjectData& values() const { return values_; }

    // The project data and labels the main window has just read anew, with now for a date or time the
    // file does not store.
    void open();
    // Captions in the main window's language; the labels from the label file.
    void applyTexts();

    // The user's edits; `index` 0..5.
    void setField(int index, const QString& text);
    void setDate(const QDate& date);
    void setTime(const QTime& time);

    // "Löschen": empty fields, today at midnight; the file stays as it is until a save.
    void cmdLoeschen_Click();
    // "Speichern": the values into the file. Saved, the dialog goes; a failed save is shown and the dialog
    // stays with what the user typed.
    void cmdSpeichern_Click();

signals:
    // The fields and pickers are to show values() anew.
    void valuesChanged();
    // Saved: the dialog goes.
    void saved();

private:
    MainModel& main_;
    ControlState controls_;
    ProjectData values_;
};

} // namespace vexa
