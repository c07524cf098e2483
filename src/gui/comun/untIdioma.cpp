#include "comun/untIdioma.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// Texts that Qt's file dialogs show and its Spanish translation lacks: the
// type of a folder in the file list.  Consulted only after qtbase_es, so a
// translation that Qt comes to ship takes precedence.
class TComplementoQt : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* contexto, const char* texto, const char*, int) const override {
        if (qstrcmp(contexto, "QAbstractFileIconProvider") != 0) return {};
        if (qstrcmp(texto, "Folder") == 0) return QStringLiteral("Carpeta");
        if (qstrcmp(texto, "Drive") == 0) return QStringLiteral("Unidad");
        return {};
    }
};

}  // namespace

bool CargarTraduccionQt(const QString& carpeta) {
    const QString donde = carpeta.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : carpeta;
    // Spanish whatever the system's language; the default locale is left
    // alone, so that numbers keep the period everywhere.
    auto* traductor = new QTranslator(QCoreApplication::instance());
    if (!traductor->load(QLocale(QLocale::Spanish), "qtbase", "_", donde)) {
        delete traductor;
        return false;
    }
    // The last installed is asked first.
    QCoreApplication::installTranslator(new TComplementoQt(QCoreApplication::instance()));
    QCoreApplication::installTranslator(traductor);
    return true;
}
