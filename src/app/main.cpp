// turmado [ARCHIVO.turmado ...]: the intro window, then the maximised main
// window; the problems left by a program that ended without closing are
// offered, and each file named on the command line opens in its own
// calculation window.
#include <QApplication>
#include <QIcon>
#include <QTimer>

#include "app/Main.h"
#include "app/untIntro.h"
#include "comun/untIdioma.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("turmado");
    QApplication::setWindowIcon(QIcon(":/imagenes/intro.jpg"));
    CargarTraduccionQt();  // without it Qt's own texts stay in English

    TMainForm principal;
    TfrmIntro::Mostrar(&principal);
    principal.showMaximized();
    // Once the main window is up, so that its questions and messages have
    // it behind them.
    const QStringList archivos = app.arguments().mid(1);
    QTimer::singleShot(0, &principal, [&principal, archivos] {
        principal.IniciarRecuperacion();
        for (const QString& archivo : archivos) principal.AbrirArchivo(archivo);
    });
    return app.exec();
}
