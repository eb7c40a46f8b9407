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
    bool bCortado = false; // the text runs past its label or the label past the box
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
            const int alto = etiqueta->wordWrap() ? etiqueta->heightForWidth(etiqueta->width()) : etiqueta->sizeHint().height();
            fVista.bCortado = (!etiqueta->wordWrap() && etiqueta->width() < etiqueta->sizeHint().width()) ||
                              etiqueta->height() < alto ||
                              etiqueta->mapTo(caja, etiqueta->rect().bottomRight()).x() >= caja->width();
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
    void long_words_whole_data();
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
void TestQtPresenter::long_words_whole_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("palabra");
    const QString direccion =
        QStringLiteral("file:///home/someone/.local/share/kestrin/help/en/index-of-the-long-help-pages.html");
    QTest::newRow("a word wider than the usual width")
        << QStringLiteral("Error 216. No application is registered to open this address (is xdg-open installed?): ") + direccion
        << direccion;
    // A word that fits the usual width, in a text that does not.
    const QString carpeta = QStringLiteral("/tmp/kestrin-e2e-mainwindow.07Yc9d/home/data/Kestrin/System");
    QTest::newRow("a text wider than the usual width") << QStringLiteral("There is no access to directory: ") + carpeta
                                                       << carpeta;
    QTest::newRow("lines") << QStringLiteral("3 added, 0 updated, 0 already there, 2 skipped.\n"
                                             "Skipped: Piano lesson: weekly every 2 weeks cannot be held")
                           << QStringLiteral("already");
}

void TestQtPresenter::long_words_whole()
{
    QFETCH(QString, texto);
    QFETCH(QString, palabra);
    TVista vista;
    Responder_Caja(QMessageBox::Ok, vista);
    MessageBoxBeep(nullptr, texto, QStringLiteral("Error"), MB_OK);
    QCOMPARE(vista.sTexto, texto);
    const int ancho = QFontMetrics(vista.fuente).horizontalAdvance(palabra);
    QVERIFY2(vista.iAnchoTexto >= ancho, qPrintable(QStringLiteral("%1 < %2").arg(vista.iAnchoTexto).arg(ancho)));
    QVERIFY(!vista.bCortado);
}

QTEST_MAIN(TestQtPresenter)
#include "test_qtpresenter.moc"
