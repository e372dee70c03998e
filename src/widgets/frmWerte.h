#pragma once

#include "window/LimitsEditor.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QLineEdit;

namespace vexa {

// The limits dialog, shown without blocking the main window. A field is taken when it is left or Enter is
// pressed in it; a field holding no number keeps the focus until it is corrected or emptied.
class FrmWerte : public QDialog {
    Q_OBJECT
public:
    FrmWerte(Limits& limits, Prompt& prompt, QWidget* parent = nullptr);

    // Captions follow at once, also while the dialog is open.
    void setLanguageIndex(int languageIndex);

    // False for gauges whose Rule8020Trait is "-": the 80/20 box and its explanation are disabled and
    // hidden.
    void setRule8020Offered(bool offered);

    // "Speichern" runs this (the main window refreshes its table and writes the limits) and closes the
    // dialog.
    void setOnSave(std::function<void()> onSave) { onSave_ = std::move(onSave); }

    // Runs whenever a field, the 80/20 box or "Löschen" has changed the limits in effect.
    void setOnLimitsChanged(std::function<void()> onChanged) { onLimitsChanged_ = std::move(onChanged); }

    // Runs whenever the dialog closes, after a save too; the values stay in effect either way.
    void setOnClosed(std::function<void()> onClosed) { onClosed_ = std::move(onClosed); }

    // Captions and field texts from the current language and values; runs whenever the program shows the
    // dialog.
    void formActivate();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void connectControls();
    void applyTexts();
    void showDisplay();
    void leaveField(QLineEdit* field);
    void limitsChanged();
    LimitField fieldOf(const QLineEdit* field) const;
    QLineEdit* editOf(LimitField field) const;

    LimitsEditor editor_;
    QLineEdit* minimum_ = nullptr;
    QLineEdit* maximum_ = nullptr;
    QLineEdit* target_ = nullptr;
    QCheckBox* rule8020_ = nullptr;
    // The field whose text was refused; until it is corrected the buttons and the box do nothing.
    QLineEdit* refused_ = nullptr;
    std::function<void()> onSave_;
    std::function<void()> onClosed_;
    std::function<void()> onLimitsChanged_;
};

} // namespace vexa
