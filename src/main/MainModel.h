#pragma once

#include "data/MeasurementRow.h"
#include "main/AppState.h"
#include "main/ControlState.h"
#include "main/Initialisation.h"

#include <QObject>

namespace vexa {

class Prompt;

// The main window's logic: its shared state, the row stores and what every control shows. The window
// mirrors `controls()` and forwards the user's actions to the operations here; the command-line tool
// drives the same operations.
class MainModel : public QObject {
    Q_OBJECT
public:
    struct StartPaths {
        QString programFolder;
        QString appDataPath;
        QString messDataPath;
    };

    explicit MainModel(Prompt& prompt, QObject* parent = nullptr);

    AppState& state() { return state_; }
    const AppState& state() const { return state_; }
    ControlState& controls() { return controls_; }
    const ControlState& controls() const { return controls_; }
    RowStores& stores() { return stores_; }

    // The program start, once, after the single-instance check.
    void programStart(const StartPaths& paths);

    // Every language-dependent caption of the main window from the text tables.
    void applyTexts();

    void englishClick() { switchLanguage(1); }
    void germanClick() { switchLanguage(0); }

    void blockButtons();
    void unblockButtons();

    // The window dressing of the device initialisation, once the gauge's identity is known.
    void applyInitialisation(const Initialisation& init);
    void showBattery(double volts);

private:
    void applyDesign();
    void switchLanguage(int languageIndex);
    void checkLanguageMenu();
    QString pictureFile(const QString& fileName) const;

    Prompt& prompt_;
    AppState state_;
    ControlState controls_;
    RowStores stores_;
};

} // namespace vexa
