#include "window/KeyboardWindowModel.h"

#include "texts/Program.h"
#include "texts/Texts.h"
#include "window/KeyForwarder.h"
#include "window/MainModel.h"
#include "window/Prompt.h"

namespace vexa {

using namespace keyctl;

namespace {

const QString EnterToken = QStringLiteral("ENTER");
const QString KeinsToken = QStringLiteral("KEINS");

} // namespace

KeyboardWindowModel::KeyboardWindowModel(MainModel& main, KeyForwarder& forwarder, QObject* parent)
    : QObject(parent)
    , main_(main)
    , forwarder_(forwarder) {
    controls_.setCaption(frmTastatur, windowTitle());
    controls_.setCaption(optEnter, QStringLiteral("Enter"));
    controls_.setCaption(chkMaterial, QStringLiteral("Material"));
    controls_.setCaption(cmdAnwendung, QStringLiteral("…"));
    controls_.setCaption(cmdOk, QStringLiteral("OK"));
    applyTexts();
    connect(&main_, &MainModel::textsApplied, this, &KeyboardWindowModel::applyTexts);
}

void KeyboardWindowModel::applyTexts() {
    const int lang = main_.state().languageIndex;
    const auto message = [lang](Msg slot) { return Texts::message(slot, lang); };
    controls_.setCaption(fraTastatur, message(Msg::SendKeyEvents));
    controls_.setCaption(lblTE, message(Msg::KeyEventsExplanation));
    controls_.setCaption(chkTastatur, message(Msg::ActivateFunction));
    controls_.setCaption(lblAnwendung, message(Msg::TargetApplicationLabel));
    controls_.setCaption(fraWerte, message(Msg::ValuesIncluding));
    controls_.setCaption(chkNr, message(Msg::NumberShort));
    controls_.setCaption(chkDatum, message(Msg::Date));
    controls_.setCaption(chkEinheit, message(Msg::UnitHeader));
    controls_.setCaption(frmZeilenEnde, message(Msg::LineEndChar));
    controls_.setCaption(optKeins, message(Msg::None));
    showAvailability();
}

void KeyboardWindowModel::showAvailability() {
    const QString reason = forwarder_.unavailableText(main_.state().languageIndex);
    controls_.setEnabled(chkTastatur, reason.isEmpty());
    controls_.setVisible(lblHinweis, !reason.isEmpty());
    controls_.setCaption(lblHinweis, reason);
}

void KeyboardWindowModel::mnuTastaturevent_Click() {
    main_.Voreinstellungen(u"TL");
    edited_ = main_.settings().keys;
    if (edited_.includeFlags.isEmpty())
        edited_.includeFlags = QStringLiteral("0000");
    showValues();
    emit windowRequested();
}

void KeyboardWindowModel::showValues() {
    showAvailability();
    controls_.setChecked(chkTastatur,
                         forwarder_.unavailable() == KeysUnavailable::No && edited_.forwardingOn);
    controls_.setCaption(txtAnwendung, edited_.targetApplication);
    for (size_t i = 0; i < flagBoxes.size(); ++i)
        controls_.setChecked(flagBoxes[i], edited_.includeFlags.mid(qsizetype(i), 1) == u"1");
    // Both "no end key" forms select "Keins": the empty text OK writes and the "KEINS" older files hold. Any
    // other token leaves both options off.
    const QString& token = edited_.lineEndToken;
    controls_.setChecked(optEnter, token == EnterToken);
    controls_.setChecked(optKeins, token.isEmpty() || token == KeinsToken);
}

void KeyboardWindowModel::setForwarding(bool on) {
    edited_.forwardingOn = on;
    controls_.setChecked(chkTastatur, on);
}

void KeyboardWindowModel::setApplication(const QString& commandLine) {
    edited_.targetApplication = commandLine;
    controls_.setCaption(txtAnwendung, commandLine);
}

void KeyboardWindowModel::setFlag(int index, bool on) {
    if (index < 0 || index >= int(flagBoxes.size()))
        return;
    edited_.includeFlags = edited_.includeFlags.leftJustified(int(flagBoxes.size()), u'0', true);
    edited_.includeFlags[index] = on ? u'1' : u'0';
    controls_.setChecked(flagBoxes[size_t(index)], on);
}

void KeyboardWindowModel::setLineEnd(bool enter) {
    edited_.lineEndToken = enter ? EnterToken : QString();
    controls_.setChecked(optEnter, enter);
    controls_.setChecked(optKeins, !enter);
}

void KeyboardWindowModel::cmdAnwendung_Click() {
    const QString chosen = main_.prompt().openFileName(QStringLiteral("/usr/bin"), QString());
    if (!chosen.isEmpty())
        setApplication(chosen);
}

void KeyboardWindowModel::cmdOk_Click() {
    // The settings file separates its fields by ";": a path holding one would be cut when read back.
    if (edited_.targetApplication.contains(u';')) {
        main_.prompt().message(Texts::notice(Notice::ApplicationWithSemicolon, main_.state().languageIndex),
                               PromptIcon::Warning);
        return;
    }
    // "Keins" is written as the empty token, also where it showed a stored "KEINS".
    if (edited_.lineEndToken == KeinsToken)
        edited_.lineEndToken.clear();
    if (edited_.forwardingOn && edited_.targetApplication.trimmed().isEmpty())
        setForwarding(false);
    main_.settings().keys = edited_;
    main_.Voreinstellungen(u"TS");
    forwarder_.resume();
    forwarder_.startTarget();
    emit closeRequested();
}

} // namespace vexa
