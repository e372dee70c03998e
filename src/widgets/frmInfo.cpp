#include "widgets/frmInfo.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace vexa {

using namespace infoctl;

namespace {

// The window's rows: label and field names.
const std::pair<QString, QString> Rows[] = {
    {lblGeraet, txtGeraet}, {lblGeraetSoft, txtGeraeteSoft}, {lblPCSoft, txtPCSoft},
    {lblMacAdr, txtMacAdr}, {lblSondentyp, txtSondentyp},    {lblSondenversion, txtSondenversion},
};

} // namespace

FrmInfo::FrmInfo(QWidget* parent)
    : QDialog(parent) {
    setObjectName(frmInfo);
    setModal(false);
    auto* form = new QFormLayout(this);
    for (const auto& [labelName, fieldName] : Rows) {
        auto* label = new QLabel(this);
        label->setObjectName(labelName);
        auto* field = new QLineEdit(this);
        field->setObjectName(fieldName);
        field->setReadOnly(true);
        field->setMinimumWidth(260);
        form->addRow(label, field);
    }
}

void FrmInfo::showTexts(const InformationTexts& texts) {
    setWindowTitle(texts.title);
    const std::pair<QString, QString> shown[] = {
        {texts.deviceLabel, texts.device},         {texts.deviceSoftwareLabel, texts.deviceSoftware},
        {texts.pcSoftwareLabel, texts.pcSoftware}, {texts.macLabel, texts.mac},
        {texts.probeTypeLabel, texts.probeType},   {texts.probeVersionLabel, texts.probeVersion},
    };
    for (size_t i = 0; i < std::size(Rows); ++i) {
        findChild<QLabel*>(Rows[i].first)->setText(shown[i].first);
        findChild<QLineEdit*>(Rows[i].second)->setText(shown[i].second);
    }
}

} // namespace vexa
