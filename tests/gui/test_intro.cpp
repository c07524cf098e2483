// The intro window: caption, lines, picture and "OK".
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "app/untIntro.h"
#include "entorno.h"

class PruebaIntro : public QObject {
    Q_OBJECT
    TEntorno entorno;

private slots:
    void init() { entorno.Iniciar(); }
    void cleanup() { QVERIFY2(entorno.Terminar(), qPrintable(entorno.modalesInesperados.join(", "))); }

    void TituloYTextos() {
        TfrmIntro intro;
        QCOMPARE(intro.windowTitle(), QString("NORVA - TURMADO - QUENFOR S.A."));
        auto* norva = intro.findChild<QLabel*>("lblNorva");
        QVERIFY(norva);
        QCOMPARE(norva->text(), QString("NORVA"));
        QVERIFY(norva->font().bold() && norva->font().italic());
        QVERIFY(intro.findChild<QLabel*>("lblFamilia")->font().italic());
        auto* turmado = intro.findChild<QLabel*>("lblTurmado");
        QCOMPARE(turmado->text(), QString("TURMADO"));
        QVERIFY(turmado->font().bold());
        QVERIFY(turmado->font().pointSize() > 2 * norva->font().pointSize());
        QCOMPARE(intro.findChild<QLabel*>("lblVersion")->text(), QString("Versión 1.1"));
        QCOMPARE(intro.findChild<QLabel*>("lblAnio")->text(), QString("Año 2003"));
        QCOMPARE(intro.BitBtn1->text(), QString("OK"));
        QVERIFY(!intro.BitBtn1->icon().isNull());
    }

    // A fixed dialog without title-bar buttons: no frame is asked of the
    // window manager, the window draws its caption itself.
    void SinBotonesDeTitulo() {
        TfrmIntro intro;
        const Qt::WindowFlags f = intro.windowFlags();
        QVERIFY(f.testFlag(Qt::FramelessWindowHint));
        QCOMPARE(intro.findChild<QLabel*>("lblTitulo")->text(), QString("NORVA - TURMADO - QUENFOR S.A."));
        QVERIFY(!f.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!f.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!f.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!f.testFlag(Qt::WindowSystemMenuHint));
        QCOMPARE(intro.minimumSize(), intro.maximumSize());
    }

    // The picture is a JPEG decoded by the JPEG image plugin.
    void ImagenJpeg() {
        QImageReader lector(":/imagenes/intro.jpg");
        QCOMPARE(lector.format(), QByteArray("jpeg"));
        const QImage imagen = lector.read();
        QVERIFY2(!imagen.isNull(), qPrintable(lector.errorString()));
        QVERIFY(imagen.width() > 0 && imagen.height() > 0);
        TfrmIntro intro;
        QVERIFY(!intro.imgIntro->pixmap().isNull());
        QVERIFY(intro.imgIntro->hasScaledContents());
    }

    void OkCierra() {
        TfrmIntro intro;
        intro.show();
        QVERIFY(QTest::qWaitForWindowExposed(&intro));
        QTest::mouseClick(intro.BitBtn1, Qt::LeftButton);
        QVERIFY(!intro.isVisible());
        QCOMPARE(intro.result(), int(QDialog::Accepted));
    }

    // Shown modally: Mostrar returns only after "OK".
    void MostrarEsModal() {
        bool visto = false;
        entorno.EsperarModal([&](QWidget* w) {
            auto* intro = qobject_cast<TfrmIntro*>(w);
            visto = intro != nullptr;
            if (intro) intro->BitBtn1->click();
        });
        TfrmIntro::Mostrar(nullptr);
        QVERIFY(visto);
    }
};

QTEST_MAIN(PruebaIntro)
#include "test_intro.moc"
