// The report on paper: the core's layout painted on A4 portrait pages with
// 10 mm margins, one layout unit = 1/96 inch from the top-left corner of the
// margins: the one page of inputs and results and, when the problem has
// something to warn about or curves, the second page "Avisos y gráfico" with
// the evolution chart drawn as vectors, and, when the user asks, the page
// "Estudio de incertidumbre" and the pages "Detalle del cálculo".  The print preview, the printer and
// the PDF file share the one paint function.
#pragma once

#include <vector>

#include <QFont>
#include <QPrintPreviewDialog>
#include <QString>

#include "turmado.h"

class QAction;
class QCPPainter;
class QPagedPaintDevice;
class QPainter;

// Font of an item: Arial 10 pt (Liberation Sans where Arial is missing),
// headings bold; the title in Arial Black 16 pt where the machine has it,
// otherwise the black weight of the same sans family, never a serif.
QFont FuenteReporte(TFuenteReporte rol);

// A4 portrait, 10 mm margins on every side.
void PrepararPagina(QPagedPaintDevice& dispositivo);

// Paints the items on the painter's page.  The painter's origin is the
// top-left corner of the margins, in device pixels; fonts are sized for the
// device.  Right-aligned items end at their x; the box wraps its text at
// word boundaries (anywhere inside a word longer than the box) and prints
// only the lines that fit whole in its height.  Returns the text the boxes
// could not hold (line breaks as "\n"), empty when it all fit.
QString PintarReporte(QPainter& pintor, const std::vector<TItemReporte>& items);

// Paints every page of the report on a painter that is active on `dispositivo`
// (QCustomPlot's painter, which the chart needs): the first page, the pages
// "Observaciones (continuación)" while the observations go on, then
// "Avisos y gráfico" when there is one.
void PintarPaginas(QCPPainter& pintor, QPagedPaintDevice& dispositivo, const TTextosReporte& textos);

// Writes the report as a PDF, its pages as above, then the calculation
// detail when asked for.
// False when the file cannot be written.
bool EscribirPdfReporte(const QString& ruta, const TTextosReporte& textos);

// Print preview of the report (zoom, page setup and printing as Qt offers
// them) with one more action, "Guardar PDF...", that writes the same page to
// a PDF file chosen in a file dialog.
class TfrmReporte : public QPrintPreviewDialog {
    Q_OBJECT
public:
    TfrmReporte(TTextosReporte textos, QWidget* owner);

    QAction* actGuardarPdf;  // "Guardar PDF..."

    const TTextosReporte& Textos() const { return textos_; }

    // "<title> <date>.pdf", the name the file dialog suggests.
    QString NombreSugerido() const;
    // Asks for a file name and writes the PDF; a failure to write is
    // reported in a message box.
    void actGuardarPdfClick();

private:
    TTextosReporte textos_;
};
