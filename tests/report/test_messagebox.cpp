// The one message box: title, icon from the caption word, the confirmation beep, the
// buttons and answers, and no box in an unknown language.

#include "texts/language.h"
#include "report/messagebox.h"
#include "report/messagerecorder.h"

#include <QTest>

class TestMessageBox : public QObject {
    Q_OBJECT
private slots:
    void init() { Establecer_Lenguaje(0); }
    void cleanupTestCase() { Establecer_Lenguaje(0); }
    void captionPicksIcon_data();
    void captionPicksIcon();
    void answers_data();
    void answers();
    void unknownLanguageShowsNothing_data();
    void unknownLanguageShowsNothing();
    void fileNotFound_data();
    void fileNotFound();
    void recorderRestoresPresenter();
};

void TestMessageBox::captionPicksIcon_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("icono");
    QTest::addColumn<bool>("pitido");
    QTest::newRow("Error") << "Error" << MB_ICONERROR << false;
    QTest::newRow("Information") << "Information" << MB_ICONINFORMATION << false;
    QTest::newRow("Informacion") << QStringLiteral("Información") << MB_ICONINFORMATION << false;
    QTest::newRow("Confirm") << "Confirm" << MB_ICONQUESTION << true;
    QTest::newRow("Confirmacion") << QStringLiteral("Confirmación") << MB_ICONQUESTION << true;
    QTest::newRow("lower case") << "error" << MB_ICONNONE << false;
    QTest::newRow("unaccented") << "Confirmacion" << MB_ICONNONE << false;
    QTest::newRow("trailing blank") << "Confirm " << MB_ICONNONE << false;
    QTest::newRow("empty") << "" << MB_ICONNONE << false;
}

void TestMessageBox::captionPicksIcon()
{
    QFETCH(QString, caption);
    QFETCH(int, icono);
    QFETCH(bool, pitido);
    TGrabadorMensajes grabador;
    QObject dueno;
    MessageBoxBeep(&dueno, QStringLiteral("body\rsecond"), caption, MB_OK);
    QCOMPARE(grabador.paCajas.size(), 1);
    const TCajaRegistrada caja = grabador.paCajas.first();
    QCOMPARE(caja.sTitulo, QStringLiteral("Kestrin"));
    QCOMPARE(caja.sTexto, QStringLiteral("body\rsecond"));
    QCOMPARE(caja.iIcono, icono);
    QCOMPARE(caja.pOwner, &dueno);
    // The beep comes once, just before the box.
    QCOMPARE(grabador.paEventos, pitido ? QStringList({QStringLiteral("beep"), QStringLiteral("box")})
                                        : QStringList({QStringLiteral("box")}));
}

void TestMessageBox::answers_data()
{
    QTest::addColumn<int>("lenguaje");
    QTest::addColumn<int>("botones");
    QTest::addColumn<int>("respuesta");
    QTest::addColumn<int>("esperado");
    QTest::newRow("OK box") << 0 << MB_OK << IDCANCEL << IDOK;
    QTest::newRow("OK/Cancel, OK") << 0 << MB_OKCANCEL << IDOK << IDOK;
    QTest::newRow("OK/Cancel, Cancel") << 0 << MB_OKCANCEL << IDCANCEL << IDCANCEL;
    QTest::newRow("Spanish, Cancel") << 1 << MB_OKCANCEL << IDCANCEL << IDCANCEL;
}

void TestMessageBox::answers()
{
    QFETCH(int, lenguaje);
    QFETCH(int, botones);
    QFETCH(int, respuesta);
    QFETCH(int, esperado);
    Establecer_Lenguaje(lenguaje);
    TGrabadorMensajes grabador;
    grabador.piRespuesta = respuesta;
    QCOMPARE(MessageBoxBeep(nullptr, QStringLiteral("?"), Caption_Confirmacion(lenguaje), botones), esperado);
    QCOMPARE(grabador.paCajas.first().iBotones, botones);
    QCOMPARE(grabador.paCajas.first().sTitulo, QStringLiteral("Kestrin"));
    QCOMPARE(grabador.paCajas.first().iIcono, MB_ICONQUESTION);
}

void TestMessageBox::unknownLanguageShowsNothing_data()
{
    QTest::addColumn<int>("lenguaje");
    QTest::newRow("2") << 2;
    QTest::newRow("-1") << -1;
}

void TestMessageBox::unknownLanguageShowsNothing()
{
    QFETCH(int, lenguaje);
    Establecer_Lenguaje(lenguaje);
    TGrabadorMensajes grabador;
    QCOMPARE(MessageBoxBeep(nullptr, QStringLiteral("x"), QStringLiteral("Confirm"), MB_OKCANCEL), 0);
    File_Not_Found(nullptr, QStringLiteral("/x"));
    QVERIFY(grabador.paEventos.isEmpty());
}

void TestMessageBox::fileNotFound_data()
{
    QTest::addColumn<int>("lenguaje");
    QTest::addColumn<QString>("archivo");
    QTest::addColumn<QString>("texto");
    QTest::newRow("English with path") << 0 << "/a/b.mp3" << "File not found\r/a/b.mp3";
    QTest::newRow("English without path") << 0 << "" << "File not found";
    QTest::newRow("Spanish with path") << 1 << "/a/b.mp3" << "Archivo no encontrado\r/a/b.mp3";
    QTest::newRow("Spanish without path") << 1 << "" << "Archivo no encontrado";
}

void TestMessageBox::fileNotFound()
{
    QFETCH(int, lenguaje);
    QFETCH(QString, archivo);
    QFETCH(QString, texto);
    Establecer_Lenguaje(lenguaje);
    TGrabadorMensajes grabador;
    QObject dueno;
    File_Not_Found(&dueno, archivo);
    QCOMPARE(grabador.paCajas.size(), 1);
    QCOMPARE(grabador.paCajas.first().sTexto, texto);
    QCOMPARE(grabador.paCajas.first().iIcono, MB_ICONERROR);
    QCOMPARE(grabador.paCajas.first().pOwner, &dueno);
}

void TestMessageBox::recorderRestoresPresenter()
{
    TPresentadorMensajes *antes = Presentador_Actual();
    {
        TGrabadorMensajes externo;
        {
            TGrabadorMensajes interno;
            QCOMPARE(Presentador_Actual(), &interno);
        }
        QCOMPARE(Presentador_Actual(), &externo);
    }
    QCOMPARE(Presentador_Actual(), antes);
}

QTEST_GUILESS_MAIN(TestMessageBox)
#include "test_messagebox.moc"
