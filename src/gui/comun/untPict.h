// The pictures of the problem types: ten child windows of the main window,
// one drawing each, shown at its natural size.  At most one window of each
// picture is open at a time.
#pragma once

#include <optional>
#include <string_view>

#include <QIcon>
#include <QWidget>

class QSvgRenderer;

enum class TImagen { PVC1, PVC2, PEn, PCZ, PAC, PEs1, PES2, PEP, PPi, PAG };

class TfrmPict : public QWidget {
    Q_OBJECT
public:
    explicit TfrmPict(TImagen imagen, QWidget* padre = nullptr);

    TImagen Imagen() const { return imagen_; }
    // The drawing loaded and its natural size.
    QSvgRenderer* Dibujo() const { return dibujo_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    TImagen imagen_;
    QSvgRenderer* dibujo_;
};

// "Pict" + the picture's name ("PictPVC1" ...): the window is frm + this
// name, the button that opens it bbtn + this name.
QString NombreImagen(TImagen imagen);
// The picture of a name as NombreImagen gives it (a type's pictures are
// named so in its descriptor), or nothing for an unknown name.
std::optional<TImagen> ImagenDeNombre(std::string_view nombre);
// Caption of the picture's window.
QString TituloImagen(TImagen imagen);
// Resource path of the drawing of a picture.
QString RecursoImagen(TImagen imagen);
// The drawing rendered small, whole and centred in `tamano` (logical
// pixels, at the screen's pixel ratio `escala`) on a transparent ground:
// the picture of the button that opens it.
QIcon IconoImagen(TImagen imagen, QSize tamano, qreal escala = 1);

// Opens the picture as a child window of the main window that holds `desde`
// (any widget inside a child window of its multiple-document area), unless a
// window of that picture is open already: then nothing happens, the open one
// is neither activated nor brought to the front.  With an owner the picture
// closes when the owner is destroyed; without one it lives until closed.
// Returns the new window, or nullptr when none was opened.
TfrmPict* AbrirImagen(QWidget* desde, TImagen imagen, QWidget* dueno);
