// Enter and exit events of the numeric fields of a calculation window.
//
// A field is entered when the focus moves onto it from another control of
// the same window, and left when the focus moves from it to another control
// of the same window.  Focus taken by a message box, a popup or another
// window is neither: when the focus comes back to the same field nothing
// happens, and when it comes back to a different control of the window the
// field left behind is left then.
#pragma once

#include <functional>
#include <map>
#include <string_view>

#include <QObject>
#include <QPointer>

#include "problem/untCampos.h"

class QLineEdit;
class QWidget;

class TControlCampos : public QObject {
    Q_OBJECT
public:
    // The reaction to a value accepted on leaving a field, with the value
    // saved on entering it (InvalidarResultados or InvalidarPosteriores).
    using TReaccionar = std::function<void(QLineEdit* edit, const TCampo& campo, double guardado)>;

    TControlCampos(QWidget* ventana, TDatosProblema& datos, TReaccionar reaccionar);

    void Registrar(QLineEdit* edit, const TCampo& campo);
    QLineEdit* Edit(std::string_view nombre) const;

    // The texts of the registered fields over the given ones.
    void LeerTextos(TTextosCampos& textos) const;

    // Enter event: ValoEntr := the value of the text (blank reads 0).
    void Entrar(QLineEdit* edit);
    // Exit event: check the text against the field's bounds; reject it, or
    // react and store the value in the record.
    void Salir(QLineEdit* edit);
    // Empties the field, gives it the focus again and shows the message.
    void RechazarValor(QLineEdit* edit, const QString& mensaje);

private:
    void FocoCambiado(QWidget* antes, QWidget* ahora);
    const TCampo* CampoDe(QWidget* w) const;

    QWidget* ventana_;
    TDatosProblema& datos_;
    TReaccionar reaccionar_;
    std::map<QLineEdit*, const TCampo*> campos_;
    QPointer<QWidget> activo_;  // the window's focused control, kept while the focus is elsewhere
};
