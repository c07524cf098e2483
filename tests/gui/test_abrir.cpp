// The open window: "Todos" swaps the enabled state of the seven boxes.
// Listing, filtering and opening problems: test_archivo.
#include <QCheckBox>
#include <QPushButton>
#include <QtTest>

#include "app/untAbrir.h"
#include "entorno.h"

class PruebaAbrir : public QObject {
    Q_OBJECT
    TEntorno entorno;

private slots:
    void init() { entorno.Iniciar(); }
    void cleanup() { QVERIFY2(entorno.Terminar(), qPrintable(entorno.modalesInesperados.join(", "))); }

    void Controles() {
        TfrmAbrir abrir;
        QCOMPARE(abrir.windowTitle(), QString("Abrir problema"));
        QStringList nombres, pistas;
        for (QCheckBox* c : abrir.cbBloques) nombres << c->text(), pistas << c->toolTip();
        QCOMPARE(nombres, QStringList({"PVC", "PEs", "PPi", "PEn", "PCZ", "PAC", "PAG"}));
        QCOMPARE(pistas, QStringList({"PVC: vórtice confinado", "PEs: estribo o espigón", "PPi: pila", "PEn: escalón",
                                      "PCZ: chorro zambullido", "PAC: alcantarilla ancha",
                                      "PAG: alcantarilla angosta"}));
        QCOMPARE(abrir.cbTodos->text(), QString("Todos"));
        QCOMPARE(abrir.btnAbrir->text(), QString("Abrir"));
        QCOMPARE(abrir.btnCancelar->text(), QString("Cancelar"));
    }

    // Each click swaps each box, whatever its state; the others are untouched.
    void TodosInvierteLaHabilitacion() {
        TfrmAbrir abrir;
        abrir.show();
        QVERIFY(QTest::qWaitForWindowExposed(&abrir));
        abrir.cbBloques[2]->setEnabled(false);
        QTest::mouseClick(abrir.cbTodos, Qt::LeftButton);
        for (int i = 0; i < 7; ++i) QCOMPARE(abrir.cbBloques[i]->isEnabled(), i == 2);
        QTest::mouseClick(abrir.cbTodos, Qt::LeftButton);
        for (int i = 0; i < 7; ++i) QCOMPARE(abrir.cbBloques[i]->isEnabled(), i != 2);
    }
};

QTEST_MAIN(PruebaAbrir)
#include "test_abrir.moc"
