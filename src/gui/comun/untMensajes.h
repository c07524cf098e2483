// Messages to the user and the general error handler.  Every information
// box of the program goes through MostrarMensaje and every fault through
// Proteger, so that a test can replace the box by a hook and never block.
#pragma once

#include <functional>

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
