// Pixel layout of the data pages: the four columns "Categoría", "Parámetro",
// "Valor", "Unidades", the header row, and the rows placed by UbicarFila.
#pragma once

#include <initializer_list>
#include <span>

#include <QString>

class QLabel;
class QLineEdit;
class QWidget;
struct TCampo;

namespace columnas {
// Left edge and width of each column, pixels from the page's left edge.
inline constexpr int kCategoriaX = 8, kCategoriaAncho = 92;
inline constexpr int kParametroX = 104, kParametroAncho = 176;
inline constexpr int kValorX = 284, kValorAncho = 96;
inline constexpr int kUnidadX = 392, kUnidadAncho = 92;
inline constexpr int kCabeceraY = 12;   // top of the header row
inline constexpr int kAltoEtiqueta = 16;
inline constexpr int kAltoEdit = 22;
}  // namespace columnas

// Top edge of a control of row `fila` in group `grupo` (both from 1): labels
// at 40 + 24 (fila - 1) + 8 (grupo - 1), other controls 4 pixels higher.
int TopeFila(int fila, int grupo, bool esEtiqueta);

// Makes the control visible and sets its top edge by TopeFila; the left edge
// stays where it is.
void UbicarControl(QWidget* control, int fila, int grupo);
void UbicarFila(QLabel* etiqueta, QLineEdit* edit, QLabel* unidad, int fila, int grupo);

// Tab and Shift+Tab visit the controls in the given order (the rows top to
// bottom, then the page's button); hidden and disabled ones are skipped.
void OrdenTabulacion(std::span<QWidget* const> controles);
void OrdenTabulacion(std::initializer_list<QWidget*> controles);

// The three controls of a field's row, named lbl<name>, edt<name> and
// lbl<name>Unid, with the catalogue's caption, default text and unit, at the
// columns' left edges (tops are set by UbicarFila or by the page).
struct TFilaCampo {
    QLabel* etiqueta = nullptr;
    QLineEdit* edit = nullptr;
    QLabel* unidad = nullptr;
};
TFilaCampo CrearFila(QWidget* pagina, const TCampo& campo);

// A bold header or plain category label in a column.
QLabel* CrearEtiqueta(QWidget* pagina, const QString& nombre, const QString& texto, int x, int ancho,
                      bool negrita);

// The four bold headers of a page, on the header row.
void CrearCabeceras(QWidget* pagina, const QString& prefijo);
