// turmado: the intro window, then the maximised main window.
#include <QApplication>
#include <QIcon>

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
    return app.exec();
}
