// The desktop presenter shows a real QMessageBox: title, icon, text lines, buttons and
// the answer of the button pressed.

#include "texts/language.h"
#include "report/qtmessagepresenter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace {
struct TVista {
    QString sTitulo;
    QString sTexto;
    QMessageBox::Icon iIcono = QMessageBox::NoIcon;
    QMessageBox::StandardButtons botones;
    Qt::WindowModality eModalidad = Qt::NonModal;
};

// Presses rBoton on the next modal message box and notes what it showed.
void Responder_Caja(QMessageBox::StandardButton rBoton, TVista &fVista)
{
    auto *temporizador = new QTimer;
    QObject::connect(temporizador, &QTimer::timeout, [temporizador, rBoton, &fVista] {
        auto *caja = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!caja)
            return;
        temporizador->stop();
        temporizador->deleteLater();
        fVista = {caja->windowTitle(), caja->text(), caja->icon(), caja->standardButtons(), caja->windowModality()};
        caja->button(rBoton)->click();
    });
    temporizador->start(10);
}
} // namespace

class TestQtPresenter : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Instalar_Presentador_Qt(); Establecer_Lenguaje(0); }
    void boxes_data();
    void boxes();
};

void TestQtPresenter::boxes_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("botones");
    QTest::addColumn<int>("pulsar");
    QTest::addColumn<int>("icono");
    QTest::addColumn<int>("respuesta");
    QTest::newRow("error, OK") << "Error" << MB_OK << int(QMessageBox::Ok) << int(QMessageBox::Critical) << IDOK;
    QTest::newRow("confirm, OK") << "Confirm" << MB_OKCANCEL << int(QMessageBox::Ok) << int(QMessageBox::Question)
                                 << IDOK;
    QTest::newRow("confirm, Cancel") << QStringLiteral("Confirmación") << MB_OKCANCEL << int(QMessageBox::Cancel)
                                     << int(QMessageBox::Question) << IDCANCEL;
    QTest::newRow("information") << "Information" << MB_OK << int(QMessageBox::Ok)
                                 << int(QMessageBox::Information) << IDOK;
    QTest::newRow("no icon") << "Note" << MB_OK << int(QMessageBox::Ok) << int(QMessageBox::NoIcon) << IDOK;
}

void TestQtPresenter::boxes()
{
    QFETCH(QString, caption);
    QFETCH(int, botones);
    QFETCH(int, pulsar);
    QFETCH(int, icono);
    QFETCH(int, respuesta);
    TVista vista;
    Responder_Caja(QMessageBox::StandardButton(pulsar), vista);
    QCOMPARE(MessageBoxBeep(nullptr, QStringLiteral("Kestrin\rError 4\r<b>x</b>"), caption, botones), respuesta);
    QCOMPARE(vista.sTitulo, QStringLiteral("Kestrin"));
    QCOMPARE(vista.sTexto, QStringLiteral("Kestrin\nError 4\n<b>x</b>"));
    QCOMPARE(int(vista.iIcono), icono);
    // It blocks only the window it belongs to: popups shown meanwhile stay usable.
    QCOMPARE(vista.eModalidad, Qt::WindowModal);
    QCOMPARE(vista.botones, botones == MB_OKCANCEL ? (QMessageBox::Ok | QMessageBox::Cancel)
                                                  : QMessageBox::StandardButtons(QMessageBox::Ok));
}

QTEST_MAIN(TestQtPresenter)
#include "test_qtpresenter.moc"
