// "Datos de Estructura": the dimensions of the structure of the current
// second-level code, and "Continuar" with the protection check.
#pragma once

#include <map>
#include <string_view>

#include <QWidget>

#include "comun/untUbicar.h"

class QPushButton;
class IVentanaProblema;

class TPaginaEstructura : public QWidget {
    Q_OBJECT
public:
    explicit TPaginaEstructura(IVentanaProblema& ventana);

    QLabel* lblNiv2Estr;  // "ESTRUCTURA"
    QPushButton* btnN2;   // "Continuar"
    const TFilaCampo& Fila(std::string_view campo) const { return filas_.at(campo); }

    // Show event: code at level 2, every control hidden, then the headers,
    // "Continuar" and the rows of the code.
    void tbshNivel2Show();
    // "Continuar": stores the structure fields, checks the protection and
    // moves on to the complementary page, the jet question or "Calcular".
    void btnN2Click();

private:
    IVentanaProblema& ventana_;
    std::map<std::string_view, TFilaCampo> filas_;
};
