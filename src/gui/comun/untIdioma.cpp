#include "comun/untIdioma.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool CargarTraduccionQt(const QString& carpeta) {
    const QString donde = carpeta.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : carpeta;
    // Spanish whatever the system's language; the default locale is left
    // alone, so that numbers keep the period everywhere.
    auto* traductor = new QTranslator(QCoreApplication::instance());
    if (!traductor->load(QLocale(QLocale::Spanish), "qtbase", "_", donde) ||
        !QCoreApplication::installTranslator(traductor)) {
        delete traductor;
        return false;
    }
    return true;
}
