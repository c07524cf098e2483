// Enter and exit events of the numeric fields of a calculation window.
//
// A field is entered when the focus moves onto it from another control of
// the same window, and left when the focus moves from it to another control
// of the same window.  Focus taken by a message box, a popup or another
// window is neither: when the focus comes back to the same field nothing
// happens, and when it comes back to a different control of the window the
// field left behind is left then.
//
// A rejection keeps the field: until the user acts again (a key or a mouse
// button pressed once no message is showing), wherever closing the message,
// the window system or the multiple-document area hands the focus, it goes
// back to the rejected field, as neither an exit nor an enter.  A field
// hidden by a page change is left once the change is over, with the focus
// on the tab bar, so that the exit's message or page activation never cuts
// into the change.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string_view>

#include <QObject>
#include <QPointer>

#include "turmado.h"

class QLineEdit;
class QWidget;

class TControlCampos : public QObject {
    Q_OBJECT
public:
    // The reaction to a value accepted on leaving a field, with the value
    // saved on entering it; empty when the field's entry was not recorded
    // or its text could not be read (InvalidarResultados or
    // InvalidarPosteriores).
    using TReaccionar = std::function<void(QLineEdit* edit, const TCampo& campo, std::optional<double> guardado)>;

    TControlCampos(QWidget* ventana, TDatosProblema& datos, TReaccionar reaccionar);

    void Registrar(QLineEdit* edit, const TCampo& campo);
    QLineEdit* Edit(std::string_view nombre) const;

    // The texts of the registered fields over the given ones.
    void LeerTextos(TTextosCampos& textos) const;

    // Enter event: ValoEntr := the value of the text (blank reads 0, a text
    // that is not a number NaN, so that any value left counts as a change),
    // and the field is recorded as the one entered.
    void Entrar(QLineEdit* edit);
    // Exit event: check the text against the field's bounds; reject it, or
    // react to the value against the one saved on entering the field (none
    // when another field was entered last: a change) and store it in the
    // record.
    void Salir(QLineEdit* edit);
    // The same after the program changed the text (a picker), against the
    // value the field held before.
    void Salir(QLineEdit* edit, double anterior);
    // True while the window's field holds a value typed since it was
    // entered and not yet checked by leaving it (the focus may be in
    // another window meanwhile), one that leaving it would accept: a text
    // it would refuse is no change, leaving would empty it.
    bool EdicionPendiente() const;
    // Brings the field's page forward, empties the field, gives it the focus
    // again and shows the message once.
    void RechazarValor(QLineEdit* edit, const QString& mensaje);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void FocoCambiado(QWidget* antes, QWidget* ahora);
    void SalirOculto(QPointer<QLineEdit> edit, std::optional<double> guardado);
    void SalirCon(QLineEdit* edit, std::optional<double> guardado);
    void Retener(QLineEdit* edit);
    void Soltar();
    const TCampo* CampoDe(QWidget* w) const;

    QWidget* ventana_;
    TDatosProblema& datos_;
    TReaccionar reaccionar_;
    std::map<QLineEdit*, const TCampo*> campos_;
    QPointer<QWidget> activo_;     // the window's focused control, kept while the focus is elsewhere
    QPointer<QLineEdit> entrado_;  // the field whose entry value ValoEntr holds
    QPointer<QLineEdit> retenido_;  // a rejected field that keeps the focus until the user acts
};
