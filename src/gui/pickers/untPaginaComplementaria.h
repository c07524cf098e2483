// "Datos Complementarios": the data that only some problem types need, the
// rows of the current code with their coefficient pickers, the panel
// "Fórmulas activas" kept in step with which fields hold text, the
// highlight of the fields a formula needs, the range windows, and
// "Calcular".
#pragma once

#include <map>
#include <memory>
#include <string_view>

#include <QWidget>

#include "turmado.h"

#include "comun/untUbicar.h"

class QPushButton;
class TDialogoCoef;
class QTimer;
class IVentanaProblema;
class TPanelFormActi;

class TPaginaComplementaria : public QWidget {
    Q_OBJECT
public:
    explicit TPaginaComplementaria(IVentanaProblema& ventana);

    QPushButton* btnN3;  // "Calcular"
    QLabel* lblNiv3Cauc;  // "CAUCE"
    QLabel* lblNiv3Estr;  // "ESTRUCTURA"
    QLabel* lblNiv3Sedi;  // "SEDIMENTO"
    QLabel* lblNiv3Fluj;  // "FLUJO"
    TPanelFormActi* pnlFormActi;
    QTimer* Timer;  // ends the highlight, 1000 ms

    const TFilaCampo& Fila(std::string_view campo) const { return filas_.at(campo); }
    // Picker button bbtn<field> of a field, or nullptr.
    QPushButton* Selector(std::string_view campo) const;

    // Show event: code at level 3, every control hidden, then the headers,
    // "Calcular", the rows of the code and the panel with the activation
    // from the field texts.
    void tbshNivel3Show();
    void btnN3Click();

    // Change event of a field: the activation rule that the change applies
    // (by the field and the current code), drawn at once.
    void CampoCambiado(std::string_view campo);
    // Picker click: the field's dialog, modal; after OK its value.
    void bbtnSelectorClick(std::string_view campo);
    // A picker's value replaces the field's text (change event), then the
    // field's exit runs as if the user had left it.
    void PonerValorElegido(std::string_view campo, const QString& valor);

    // Click of formula entry k: the captions of the fields it needs turn
    // red until the timer ends them; the slot's state does not change.
    void btnClick(int k);
    void TimerTimer();
    // Range button of slot k: the slot's range window, or the message that
    // it has none.
    void bbtnRangoClick(int k);

private:
    QLabel* Categoria(std::string_view texto) const;

    IVentanaProblema& ventana_;
    std::map<std::string_view, TFilaCampo> filas_;
    std::map<std::string_view, QPushButton*> selectores_;
};

// The picker of a field of the complementary page (by field name without
// "edt") for the problem code, with the calculation window as owner;
// nullptr for a field without picker.
std::unique_ptr<TDialogoCoef> CrearSelector(std::string_view campo, QWidget* dueno, ProblemCode codigo = 0);
