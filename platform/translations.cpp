// Qt's own texts in the program's language.
#include "platform/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool InstallQtTranslations(QTranslator& translator) {
    const QString directory = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                         QStringLiteral("_"), directory)) {
        return false;
    }
    return QCoreApplication::installTranslator(&translator);
}
