// The about box, offscreen: texts of both languages, the picture, the two links (through
// a URL handler installed by the test), OK and Escape, one box at a time, and an owner
// that goes away while the box is open.

#include "report/messagerecorder.h"
#include "servidorprueba.h"
#include "settings/acerca.h"
#include "texts/language.h"

#include <QApplication>
#include <QDesktopServices>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

class TestAcerca : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init() { pNavegador.paAbiertas.clear(); }
    void cleanup() { Establecer_Lenguaje(0); }
    void textos_data();
    void textos();
    void enlaces_data();
    void enlaces();
    void cierra_data();
    void cierra();
    void unaSolaVez();
    void duenoDestruido();

private:
    // Runs rAccion on the about box once Abrir_Acerca shows it; returns whether it ran.
    bool Con_La_Caja(QWidget *rOwner, const std::function<void(TfrmAbout *)> &rAccion);
    TManejadorUrl pNavegador;
};

void TestAcerca::initTestCase()
{
    qunsetenv("KESTRIN_WEBSITE");
    for (const char *esquema : {"http", "https", "mailto"})
        QDesktopServices::setUrlHandler(QString::fromLatin1(esquema), &pNavegador, "Abrir");
}

bool TestAcerca::Con_La_Caja(QWidget *rOwner, const std::function<void(TfrmAbout *)> &rAccion)
{
    bool hecho = false;
    QTimer::singleShot(0, this, [&] {
        auto *caja = qobject_cast<TfrmAbout *>(QApplication::activeModalWidget());
        if (!caja)
            return; // nothing modal: the test fails below
        QVERIFY(QTest::qWaitForWindowExposed(caja));
        rAccion(caja);
        hecho = true;
    });
    Abrir_Acerca(rOwner);
    return hecho;
}

void TestAcerca::textos_data()
{
    QTest::addColumn<int>("lenguaje");
    QTest::addColumn<QStringList>("textos"); // title, name, caption, home, caption, mail, button
    QTest::newRow("English") << 0
                             << QStringList{"About Kestrin", "Kestrin. Version 1.6", "Homepage",
                                            "https://kestrin.example.org/", "Email", "support@kestrin.example.org", "OK"};
    QTest::newRow("Spanish") << 1
                             << QStringList{"Acerca Kestrin", QStringLiteral("Kestrin. Versión 1.6"), QStringLiteral("Página Web"),
                                            "https://kestrin.example.org/es/", "Correo", "soporte@kestrin.example.org",
                                            "Aceptar"};
}

void TestAcerca::textos()
{
    QFETCH(int, lenguaje);
    QFETCH(QStringList, textos);
    Establecer_Lenguaje(lenguaje);
    TfrmAbout caja;
    QVERIFY(caja.Inicializar());
    caja.show();
    QVERIFY(QTest::qWaitForWindowExposed(&caja));
    QCOMPARE(caja.windowTitle(), textos[0]);
    const char *nombres[] = {"LabelNombre", "LabelPaginaWeb2", "LabelPaginaWeb", "LabelCorreo2", "LabelCorreo"};
    for (int i = 0; i < 5; ++i) {
        auto *etiqueta = caja.findChild<QLabel *>(QString::fromLatin1(nombres[i]));
        QVERIFY2(etiqueta, nombres[i]);
        QCOMPARE(etiqueta->text(), textos[i + 1]);
        QVERIFY2(etiqueta->isVisible() && etiqueta->width() >= etiqueta->sizeHint().width(), nombres[i]);
    }
    QCOMPARE(caja.findChild<QPushButton *>(QStringLiteral("BitBtnAceptar"))->text(), textos[6]);
    const QLabel *imagen = caja.findChild<QLabel *>(QStringLiteral("Image"));
    QVERIFY(imagen);
    QCOMPARE(imagen->pixmap().size(), QSize(128, 128));
    QVERIFY(!imagen->pixmap().toImage().allGray()); // the real picture, not a blank
    // A fixed size, just large enough for the texts of the language.
    QCOMPARE(caja.minimumSize(), caja.maximumSize());
    for (const char *enlace : {"LabelPaginaWeb", "LabelCorreo"}) {
        const QLabel *etiqueta = caja.findChild<QLabel *>(QString::fromLatin1(enlace));
        QCOMPARE(etiqueta->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(etiqueta->palette().color(etiqueta->foregroundRole()), QColor(0, 0, 255));
    }
    // Return answers OK: the button has the focus when the box opens.
    QCOMPARE(caja.focusWidget(), caja.findChild<QPushButton *>(QStringLiteral("BitBtnAceptar")));
}

void TestAcerca::enlaces_data()
{
    QTest::addColumn<int>("lenguaje");
    QTest::addColumn<QString>("etiqueta");
    QTest::addColumn<bool>("teclado");
    QTest::addColumn<QString>("esperada");
    QTest::newRow("home, English") << 0 << "LabelPaginaWeb" << false << "https://kestrin.example.org/";
    QTest::newRow("home, Spanish") << 1 << "LabelPaginaWeb" << false << "https://kestrin.example.org/es/";
    QTest::newRow("home by keyboard") << 0 << "LabelPaginaWeb" << true << "https://kestrin.example.org/";
    QTest::newRow("mail, English") << 0 << "LabelCorreo" << false << "mailto:support@kestrin.example.org?subject=&body=";
    QTest::newRow("mail, Spanish") << 1 << "LabelCorreo" << false << "mailto:soporte@kestrin.example.org?subject=&body=";
    QTest::newRow("caption is no link") << 0 << "LabelPaginaWeb2" << false << "";
}

void TestAcerca::enlaces()
{
    QFETCH(int, lenguaje);
    QFETCH(QString, etiqueta);
    QFETCH(bool, teclado);
    QFETCH(QString, esperada);
    Establecer_Lenguaje(lenguaje);
    TGrabadorMensajes grabador;
    const bool hecho = Con_La_Caja(nullptr, [&](TfrmAbout *caja) {
        auto *destino = caja->findChild<QLabel *>(etiqueta);
        QVERIFY(destino);
        if (teclado) {
            destino->setFocus();
            QTest::keyClick(destino, Qt::Key_Return);
        } else {
            QTest::mouseClick(destino, Qt::LeftButton);
        }
        QVERIFY(caja->isVisible()); // a link leaves the box open
        caja->reject();
    });
    QVERIFY(hecho);
    QCOMPARE(grabador.paCajas.size(), 0);
    if (esperada.isEmpty())
        QVERIFY(pNavegador.paAbiertas.isEmpty());
    else
        QCOMPARE(pNavegador.paAbiertas, QList<QUrl>{QUrl(esperada)});
}

void TestAcerca::cierra_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("OK") << false;
    QTest::newRow("Escape") << true;
}

void TestAcerca::cierra()
{
    QFETCH(bool, escape);
    QPointer<TfrmAbout> vista;
    const bool hecho = Con_La_Caja(nullptr, [&](TfrmAbout *caja) {
        vista = caja;
        if (escape)
            QTest::keyClick(caja, Qt::Key_Escape);
        else
            QTest::mouseClick(caja->findChild<QPushButton *>(QStringLiteral("BitBtnAceptar")), Qt::LeftButton);
    });
    QVERIFY(hecho);
    QVERIFY(vista.isNull()); // released once closed
    QVERIFY(!QApplication::activeModalWidget());
}

void TestAcerca::unaSolaVez()
{
    bool segunda = true;
    const bool hecho = Con_La_Caja(nullptr, [&](TfrmAbout *caja) {
        segunda = Abrir_Acerca(nullptr);
        QCOMPARE(QApplication::activeModalWidget(), caja);
        caja->reject();
    });
    QVERIFY(hecho);
    QVERIFY(!segunda);
    // Once closed, it can be opened again.
    QVERIFY(Con_La_Caja(nullptr, [](TfrmAbout *caja) { caja->accept(); }));
}

void TestAcerca::duenoDestruido()
{
    auto *dueno = new QWidget;
    dueno->show();
    const bool hecho = Con_La_Caja(dueno, [&](TfrmAbout *caja) {
        QCOMPARE(caja->parentWidget(), dueno);
        delete dueno; // takes the box with it and ends its loop
    });
    QVERIFY(hecho);
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(Con_La_Caja(nullptr, [](TfrmAbout *caja) { caja->accept(); }));
}

QTEST_MAIN(TestAcerca)
#include "test_acerca.moc"
