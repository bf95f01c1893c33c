#include "app/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void LoadTranslations() {
    const QLocale locale;
    auto* own = new QTranslator(QCoreApplication::instance());
    if (own->load(locale, "vellion", "_", ":/i18n"))
        QCoreApplication::installTranslator(own);
    else
        delete own;
    // The toolkit's own texts: the buttons of message boxes and dialogs.
    auto* toolkit = new QTranslator(QCoreApplication::instance());
    if (toolkit->load(locale, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(toolkit);
    else
        delete toolkit;
}
