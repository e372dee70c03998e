#pragma once

#include <QObject>
#include <QTranslator>

namespace vexa {

// Qt's own texts (standard buttons, file dialogs) in the program's language. English is Qt's own; for
// German Qt's translation is loaded from the system, and where it is missing Qt stays English.
class QtTranslation : public QObject {
    Q_OBJECT
public:
    explicit QtTranslation(QObject* parent = nullptr);

    // 0 German, 1 English, as the program's language index.
    void setLanguage(int languageIndex);

private:
    QTranslator german_;
    bool germanLoaded_ = false;
    bool installed_ = false;
};

} // namespace vexa
