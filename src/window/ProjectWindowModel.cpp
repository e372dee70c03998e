#include "window/ProjectWindowModel.h"

#include "texts/Program.h"
#include "texts/Texts.h"
#include "window/MainModel.h"

namespace vexa {

using namespace projctl;

namespace {

// The pickers show hours and minutes, and the file keeps no more.
QTime toTheMinute(const QTime& time) {
    return QTime(time.hour(), time.minute());
}

} // namespace

ProjectWindowModel::ProjectWindowModel(MainModel& main, QObject* parent)
    : QObject(parent)
    , main_(main) {
    connect(&main_, &MainModel::textsApplied, this, &ProjectWindowModel::applyTexts);
}

void ProjectWindowModel::open() {
    values_ = main_.settings().project;
    values_.time = toTheMinute(values_.time);
    applyTexts();
    emit valuesChanged();
}

void ProjectWindowModel::applyTexts() {
    const int lang = main_.state().languageIndex;
    controls_.setCaption(frmProjekt, windowTitle());
    controls_.setCaption(cmdSpeichern, Texts::command(Cmd::Save, lang));
    controls_.setCaption(cmdLoeschen, Texts::command(Cmd::Delete, lang));
    controls_.setCaption(frmRahmen, Texts::message(Msg::ProjectData, lang));
    controls_.setCaption(lblDtp, Texts::message(Msg::DateTimeLabel, lang));
    controls_.setCaption(Frame1, Texts::message(Msg::CommandsFrame, lang));
    const ProjectLabels& labels = main_.settings().labels;
    for (int k = 0; k < ProjectData::FieldCount; ++k)
        controls_.setCaption(lblFelder(k + 1), labels.label(k, lang));
}

void ProjectWindowModel::setField(int index, const QString& text) {
    if (index >= 0 && index < ProjectData::FieldCount)
        values_.fields[static_cast<size_t>(index)] = text;
}

void ProjectWindowModel::setDate(const QDate& date) {
    values_.date = date;
}

void ProjectWindowModel::setTime(const QTime& time) {
    values_.time = toTheMinute(time);
}

void ProjectWindowModel::cmdLoeschen_Click() {
    values_.fields = {};
    values_.date = QDate::currentDate();
    values_.time = QTime(0, 0);
    emit valuesChanged();
}

void ProjectWindowModel::cmdSpeichern_Click() {
    main_.settings().project = values_;
    if (main_.Voreinstellungen(u"PS"))
        emit saved();
}

} // namespace vexa
