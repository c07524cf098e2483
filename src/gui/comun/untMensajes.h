// Messages to the user and the general error handler.  Every information
// box of the program goes through MostrarMensaje and every fault through
// Proteger, so that a test can replace the box by a hook and never block.
#pragma once

#include <functional>

#include <QList>
#include <QString>

class QObject;
class QWidget;

enum class TTipoMensaje { Informacion, Error };

// Replaces the message box.  An empty function restores the box.
using TGanchoMensajes = std::function<void(QWidget* padre, const QString& texto, TTipoMensaje tipo)>;
void InstalarGanchoMensajes(TGanchoMensajes gancho);

// Information box with one OK button.
void MostrarMensaje(QWidget* padre, const QString& texto);

// The general error handler: shows the text of a fault in a message box.
void MostrarError(QWidget* padre, const QString& texto);

// A question with its own buttons: caption, object name, and whether it is
// the default (Enter) and the escape (Esc, the title bar's close) button.
// Any other button is one that throws something away.
struct TBotonPregunta {
    QString texto;
    QString nombre;
    bool porDefecto = false;
    bool escape = false;
};
// Shows the question box (a real box: questions are never hooked) and
// returns the index of the button pressed, or -1 when the box went away
// otherwise.  It counts among the open message boxes.
int Preguntar(QWidget* padre, const QString& texto, const QString& detalle, const QList<TBotonPregunta>& botones);

// "¿Guardar los cambios del problema?" about the problem `nombre` (its file
// or its title): "Guardar", "No guardar" or "Cancelar".
enum class TRespuestaCambios { Guardar, NoGuardar, Cancelar };
TRespuestaCambios PreguntarGuardarCambios(QWidget* padre, const QString& nombre);

// Number of message boxes showing now (nested ones counted).
int MensajesAbiertos();

// Runs `accion` once no message box is showing: at once when none is, else
// after the last one has closed (unless `contexto` is gone by then).  A
// window that must not be destroyed under a box it opened closes this way.
void DespuesDeLosMensajes(QObject* contexto, std::function<void()> accion);

// Runs an action that can fault (floating-point fault, unreadable field
// text); a fault ends the action and its text is shown by MostrarError.
// Returns false when the action faulted.
bool Proteger(QWidget* padre, const std::function<void()>& accion);
