// turmado: the intro window, then the maximised main window.
#include <QApplication>
#include <QIcon>

#include "app/Main.h"
#include "app/untIntro.h"
#include "problem/untDatos.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("turmado");
    QApplication::setWindowIcon(QIcon(":/imagenes/intro.jpg"));

    // The one problem record of the run, shared by every calculation window.
    TDatosProblema datos{};
    TMainForm principal(datos);
    TfrmIntro::Mostrar(&principal);
    principal.showMaximized();
    return app.exec();
}
