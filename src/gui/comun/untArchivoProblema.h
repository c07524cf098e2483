// Where the window keeps problem files and how it moves them to and from
// the disk: the problems folder, the file dialogs, the atomic save and the
// error boxes.  The format and its checks are the core's (untArchivo).
#pragma once

#include <optional>
#include <string>

#include <QString>

#include "turmado.h"

class QWidget;

// "<Documents>/Problemas turmado", or the folder set with
// FijarCarpetaProblemas (tests, scripted runs).  Not created here.
QString CarpetaProblemas();
void FijarCarpetaProblemas(const QString& carpeta);

// "<AppDataLocation>/recuperacion", where changed problems are copied for
// the case of a crash, or the folder set with FijarCarpetaRecuperacion.
QString CarpetaRecuperacion();
void FijarCarpetaRecuperacion(const QString& carpeta);
// A new recovery file of this program in that folder, one per window, under
// a name nothing holds yet.
QString NuevaRutaRecuperacion();

// The save dialog in the problems folder (created when missing); the path
// chosen, the extension added when left out, or empty when cancelled.
QString ElegirArchivoGuardar(QWidget* padre);
// The open dialog, starting in the problems folder; empty when cancelled.
QString ElegirArchivoAbrir(QWidget* padre);

// Replaces the file with the text in one step (QSaveFile): a failure
// leaves the old file as it was and says so in an error box.
bool EscribirArchivoProblema(QWidget* padre, const QString& ruta, const std::string& texto);
// The same without a box: what went wrong, or empty when the file was written.
QString EscribirEnUnPaso(const QString& ruta, const std::string& texto);

// Reads and checks a problem file; a file that cannot be opened gets an
// error box with its name and what is wrong, and nothing comes back.
std::optional<TArchivoProblema> LeerArchivoProblema(QWidget* padre, const QString& ruta);
