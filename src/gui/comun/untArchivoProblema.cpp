#include "comun/untArchivoProblema.h"

#include <filesystem>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include "comun/untMensajes.h"
#include "turmado.h"

namespace {

QString& CarpetaFijada() {
    static QString carpeta;
    return carpeta;
}

QString& RecuperacionFijada() {
    static QString carpeta;
    return carpeta;
}

const QString kFiltro = QStringLiteral("Problemas turmado (*%1);;Todos los archivos (*)").arg(kExtensionProblema);

// A file dialog of Qt's own (the same on every desktop, and one that tests
// can drive as a modal window).
QString Dialogo(QWidget* padre, QFileDialog::AcceptMode modo, const QString& titulo) {
    QFileDialog d(padre, titulo, CarpetaProblemas(), kFiltro);
    d.setOption(QFileDialog::DontUseNativeDialog);
    d.setAcceptMode(modo);
    d.setFileMode(modo == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    d.setDefaultSuffix(QString(kExtensionProblema).mid(1));
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return {};
    return d.selectedFiles().constFirst();
}

}  // namespace

QString CarpetaProblemas() {
    if (!CarpetaFijada().isEmpty()) return CarpetaFijada();
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath("Problemas turmado");
}

void FijarCarpetaProblemas(const QString& carpeta) { CarpetaFijada() = carpeta; }

QString CarpetaRecuperacion() {
    if (!RecuperacionFijada().isEmpty()) return RecuperacionFijada();
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath("recuperacion");
}

void FijarCarpetaRecuperacion(const QString& carpeta) { RecuperacionFijada() = carpeta; }

QString NuevaRutaRecuperacion() {
    static const long pid = ProcesoPropio().pid;
    static int ventanas = 0;
    // A name something already holds is skipped: a copy left by an earlier
    // program with this id, or a link that a save would write through.
    const std::filesystem::path carpeta = QFile::encodeName(CarpetaRecuperacion()).toStdString();
    std::filesystem::path ruta;
    std::error_code ec;
    do
        ruta = RutaRecuperacion(carpeta, pid, ++ventanas);
    while (std::filesystem::exists(std::filesystem::symlink_status(ruta, ec)));
    return QFile::decodeName(ruta.c_str());
}

QString ElegirArchivoGuardar(QWidget* padre) {
    QDir().mkpath(CarpetaProblemas());
    return Dialogo(padre, QFileDialog::AcceptSave, "Guardar problema");
}

QString ElegirArchivoAbrir(QWidget* padre) { return Dialogo(padre, QFileDialog::AcceptOpen, "Abrir problema"); }

QString EscribirEnUnPaso(const QString& ruta, const std::string& texto) {
    QSaveFile archivo(ruta);
    const bool escrito = archivo.open(QIODevice::WriteOnly) &&
                         archivo.write(texto.data(), qint64(texto.size())) == qint64(texto.size()) &&
                         archivo.commit();
    if (escrito) return {};
    return archivo.errorString().isEmpty() ? QString("error desconocido") : archivo.errorString();
}

bool EscribirArchivoProblema(QWidget* padre, const QString& ruta, const std::string& texto) {
    const QString error = EscribirEnUnPaso(ruta, texto);
    if (!error.isEmpty())
        MostrarError(padre, QString("No se pudo guardar el problema en «%1»: %2. El archivo anterior, si lo había, "
                                    "no cambió.")
                                .arg(QDir::toNativeSeparators(ruta), error));
    return error.isEmpty();
}

std::optional<TArchivoProblema> LeerArchivoProblema(QWidget* padre, const QString& ruta) {
    try {
        return CargarArchivoProblema(QFile::encodeName(ruta).toStdString());
    } catch (const ErrorArchivo& e) {
        MostrarError(padre, QString("No se puede abrir «%1»: %2.")
                                .arg(QDir::toNativeSeparators(ruta), QString::fromUtf8(e.what())));
        return std::nullopt;
    }
}
