#include "widgets/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace vexa {

QtTranslation::QtTranslation(QObject* parent)
    : QObject(parent)
    , germanLoaded_(german_.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {}

void QtTranslation::setLanguage(int languageIndex) {
    // Every switch retranslates every window, so only a change of language makes one.
    const bool german = languageIndex == 0 && germanLoaded_;
    if (german == installed_)
        return;
    installed_ = german;
    if (german)
        QCoreApplication::installTranslator(&german_);
    else
        QCoreApplication::removeTranslator(&german_);
}

} // namespace vexa
