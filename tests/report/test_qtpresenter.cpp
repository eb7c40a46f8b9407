// The desktop presenter shows a real QMessageBox: title, icon, text lines, buttons and
// the answer of the button pressed.

#include "texts/language.h"
#include "report/qtmessagepresenter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
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
    int iAnchoTexto = 0; // the width the text was laid out in
    QFont fuente;
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
        if (auto *etiqueta = caja->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))) {
            fVista.iAnchoTexto = etiqueta->contentsRect().width();
            fVista.fuente = etiqueta->font();
        }
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
    void long_words_whole();
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

// A path or an address longer than the box's usual width is not cut through the words
// around it nor through itself: the text is as wide as its longest word.
void TestQtPresenter::long_words_whole()
{
    const QString ruta = QStringLiteral("/home/someone/.local/share/kestrin/help/en/index-of-the-long-help-pages.html");
    const QString texto = QStringLiteral("Error 216. No application is registered to open this address "
                                         "(is xdg-open installed?): file://") + ruta;
    TVista vista;
    Responder_Caja(QMessageBox::Ok, vista);
    MessageBoxBeep(nullptr, texto, QStringLiteral("Error"), MB_OK);
    QCOMPARE(vista.sTexto, texto);
    const int palabra = QFontMetrics(vista.fuente).horizontalAdvance(QStringLiteral("file://") + ruta);
    QVERIFY2(vista.iAnchoTexto >= palabra, qPrintable(QStringLiteral("%1 < %2").arg(vista.iAnchoTexto).arg(palabra)));
}

QTEST_MAIN(TestQtPresenter)
#include "test_qtpresenter.moc"
