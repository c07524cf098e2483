// Messages to the user and the general error handler.  Every information
// box of the program goes through MostrarMensaje and every fault through
// Proteger, so that a test can replace the box by a hook and never block.
#pragma once

#include <functional>

#include <QString>

class QWidget;

enum class TTipoMensaje { Informacion, Error };

// Replaces the message box.  An empty function restores the box.
using TGanchoMensajes = std::function<void(QWidget* padre, const QString& texto, TTipoMensaje tipo)>;
void InstalarGanchoMensajes(TGanchoMensajes gancho);

// Information box with one OK button.
void MostrarMensaje(QWidget* padre, const QString& texto);

// The general error handler: shows the text of a fault in a message box.
void MostrarError(QWidget* padre, const QString& texto);

// Runs an action that can fault (floating-point fault, unreadable field
// text); a fault ends the action and its text is shown by MostrarError.
// Returns false when the action faulted.
bool Proteger(QWidget* padre, const std::function<void()>& accion);
