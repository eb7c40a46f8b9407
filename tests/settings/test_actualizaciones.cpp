// The update check: the reply rules, the query the web site receives, and a real GET
// against a server of the test on 127.0.0.1 for every kind of reply and failure, each
// ending in its box; the check runs while the event loop keeps going.

#include "report/messagerecorder.h"
#include "servidorprueba.h"
#include "settings/actualizaciones.h"
#include "settings/sitioweb.h"
#include "store/daycount.h"
#include "texts/language.h"

#include <QDesktopServices>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

class TestActualizaciones : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void evaluarRespuesta_data();
    void evaluarRespuesta();
    void formatoGeneral_data();
    void formatoGeneral();
    void direccionDeLaConsulta_data();
    void direccionDeLaConsulta();
    void respuestasDelServidor_data();
    void respuestasDelServidor();
    void conexionRechazada();
    void tiempoAgotadoSinBloquear();
    void respuestaDemasiadoGrande();
    void destruirDuranteLaConsulta();

private:
    // Runs one check to its end against the base address; returns the boxes shown.
    QList<TCajaRegistrada> Buscar(TGrabadorMensajes &rGrabador, int riTiempoLimite = 5000);
    TManejadorUrl pNavegador;
};

void TestActualizaciones::initTestCase()
{
    // The test's server is on loopback: no proxy of the environment may come between.
    for (const char *variable : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
        qunsetenv(variable);
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &pNavegador, "Abrir");
}

void TestActualizaciones::init()
{
    Establecer_Lenguaje(0);
    pNavegador.paAbiertas.clear();
}

void TestActualizaciones::cleanup()
{
    qunsetenv("KESTRIN_WEBSITE");
    Establecer_Reloj({});
}

void TestActualizaciones::evaluarRespuesta_data()
{
    QTest::addColumn<int>("lenguaje");
    QTest::addColumn<QString>("cuerpo");
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QString>("texto");
    const int nueva = TResultadoActualizacion::Nueva, ninguna = TResultadoActualizacion::Ninguna,
              error = TResultadoActualizacion::Error;
    const QString oferta17 = QStringLiteral("A new version is available\rDo you want to download Kestrin 1.7?");
    const QString sinNada = QStringLiteral("No new updates were found");
    QTest::newRow("plain newer") << 0 << "1.7" << nueva << oferta17;
    QTest::newRow("wrapped, upper case") << 0 << "<HTML><BODY>1.7</BODY></HTML>" << nueva << oferta17;
    QTest::newRow("wrapped, mixed case") << 0 << "<Html><bOdY>1.7</body></HTML>" << nueva << oferta17;
    QTest::newRow("wrapped twice") << 0 << "<html><body><html><body>1.7</body></html>" << nueva << oferta17;
    QTest::newRow("trailing newline") << 0 << " 1.7\r\n" << nueva << oferta17;
    QTest::newRow("whole number") << 0 << "2" << nueva
                                  << QStringLiteral("A new version is available\rDo you want to download Kestrin 2?");
    QTest::newRow("general format") << 0 << "1.70" << nueva << oferta17;
    QTest::newRow("just above") << 0 << "1.6000001" << nueva
                                << QStringLiteral("A new version is available\rDo you want to download Kestrin 1.6000001?");
    QTest::newRow("Spanish offer") << 1 << "1.7" << nueva
                                   << QStringLiteral("Una nueva versión está disponible\r¿Deseas descargar Kestrin 1.7?");
    QTest::newRow("same") << 0 << "1.6" << ninguna << sinNada;
    QTest::newRow("same, other digits") << 0 << "1.600" << ninguna << sinNada;
    QTest::newRow("older with more digits") << 0 << "1.55" << ninguna << sinNada;
    QTest::newRow("older") << 0 << "<html><body>1.5</body></html>" << ninguna << sinNada;
    QTest::newRow("Spanish none") << 1 << "1.6" << ninguna << QStringLiteral("No se encontraron nuevas actualizaciones");
    QTest::newRow("comma") << 0 << "1,7" << error << QStringLiteral("'1,7' is not a valid floating point value");
    QTest::newRow("group separator") << 0 << "1,700" << error << QStringLiteral("'1,700' is not a valid floating point value");
    QTest::newRow("empty") << 0 << "" << error << QStringLiteral("'' is not a valid floating point value");
    QTest::newRow("only the wrapper") << 0 << "<html><body></body></html>" << error
                                      << QStringLiteral("'' is not a valid floating point value");
    QTest::newRow("other markup") << 0 << "<p>1.7</p>" << error
                                  << QStringLiteral("'<p>1.7</p>' is not a valid floating point value");
    QTest::newRow("infinity") << 0 << "inf" << error << QStringLiteral("'inf' is not a valid floating point value");
    QTest::newRow("not a number") << 0 << "nan" << error << QStringLiteral("'nan' is not a valid floating point value");
    QTest::newRow("version with two dots") << 0 << "1.7.1" << error
                                           << QStringLiteral("'1.7.1' is not a valid floating point value");
}

void TestActualizaciones::evaluarRespuesta()
{
    QFETCH(int, lenguaje);
    QFETCH(QString, cuerpo);
    QFETCH(int, tipo);
    QFETCH(QString, texto);
    const TResultadoActualizacion r = Evaluar_Respuesta(cuerpo, lenguaje);
    QCOMPARE(int(r.iTipo), tipo);
    QCOMPARE(r.sTexto, texto);
}

void TestActualizaciones::formatoGeneral_data()
{
    QTest::addColumn<double>("dias");
    QTest::addColumn<QString>("texto");
    QTest::newRow("whole day") << 40491.0 << "40491";
    QTest::newRow("half day") << 45000.5 << "45000.5";
    QTest::newRow("15 digits") << 40491.40388280092 << "40491.4038828009";
    QTest::newRow("small") << 0.25 << "0.25";
}

void TestActualizaciones::formatoGeneral()
{
    // The test runs under a locale whose decimal separator is ",".
    QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
    QFETCH(double, dias);
    QFETCH(QString, texto);
    QCOMPARE(Dias_En_Formato_General(dias), texto);
}

void TestActualizaciones::direccionDeLaConsulta_data()
{
    QTest::addColumn<QString>("sitio");
    QTest::addColumn<QString>("esperada");
    const QString consulta = QStringLiteral("checkforupdates.php?time=40491.4038828009&s=Full&v=1.6");
    QTest::newRow("build option") << QString() << QStringLiteral("https://kestrin.example.org/") + consulta;
    QTest::newRow("override with slash") << "http://127.0.0.1:8080/k/" << QStringLiteral("http://127.0.0.1:8080/k/") + consulta;
    QTest::newRow("override without slash") << "http://127.0.0.1:8080/k" << QStringLiteral("http://127.0.0.1:8080/k/") + consulta;
    QTest::newRow("blank override") << "  " << QStringLiteral("https://kestrin.example.org/") + consulta;
}

void TestActualizaciones::direccionDeLaConsulta()
{
    QFETCH(QString, sitio);
    QFETCH(QString, esperada);
    if (!sitio.isNull())
        qputenv("KESTRIN_WEBSITE", sitio.toUtf8());
    QCOMPARE(URL_Buscar_Actualizaciones(40491.40388280092), esperada);
}

QList<TCajaRegistrada> TestActualizaciones::Buscar(TGrabadorMensajes &rGrabador, int riTiempoLimite)
{
    TBuscadorActualizaciones buscador;
    buscador.piTiempoLimiteMs = riTiempoLimite;
    QSignalSpy terminada(&buscador, &TBuscadorActualizaciones::Terminada);
    if (!buscador.Iniciar(nullptr))
        return {};
    terminada.wait(riTiempoLimite + 5000);
    return rGrabador.paCajas;
}

void TestActualizaciones::respuestasDelServidor_data()
{
    QTest::addColumn<int>("lenguaje");
    QTest::addColumn<int>("estado");
    QTest::addColumn<QByteArray>("cuerpo");
    QTest::addColumn<int>("respuesta"); // to an OK/Cancel box
    QTest::addColumn<int>("icono");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("descarga"); // the page opened afterwards, relative to the site
    QTest::newRow("1.7, OK") << 0 << 200 << QByteArray("1.7") << IDOK << MB_ICONQUESTION
                             << "A new version is available\rDo you want to download Kestrin 1.7?" << "download.html";
    QTest::newRow("1.7, Spanish, OK") << 1 << 200 << QByteArray("1.7") << IDOK << MB_ICONQUESTION
                                      << QStringLiteral("Una nueva versión está disponible\r¿Deseas descargar Kestrin 1.7?")
                                      << "es/descargar.html";
    QTest::newRow("wrapped 1.7, Cancel") << 0 << 200 << QByteArray("<HTML><BODY>1.7</BODY></HTML>") << IDCANCEL
                                         << MB_ICONQUESTION
                                         << "A new version is available\rDo you want to download Kestrin 1.7?" << "";
    QTest::newRow("1.6") << 0 << 200 << QByteArray("1.6") << IDOK << MB_ICONINFORMATION << "No new updates were found" << "";
    QTest::newRow("1.55, Spanish") << 1 << 200 << QByteArray("1.55") << IDOK << MB_ICONINFORMATION
                                   << QStringLiteral("No se encontraron nuevas actualizaciones") << "";
    QTest::newRow("1,7") << 0 << 200 << QByteArray("1,7") << IDOK << MB_ICONERROR
                         << "'1,7' is not a valid floating point value" << "";
    QTest::newRow("404") << 0 << 404 << QByteArray("missing") << IDOK << MB_ICONERROR
                         << "The requested URL returned error: 404" << "";
    QTest::newRow("500 with a number") << 0 << 500 << QByteArray("9.9") << IDOK << MB_ICONERROR
                                       << "The requested URL returned error: 500" << "";
}

void TestActualizaciones::respuestasDelServidor()
{
    QFETCH(int, lenguaje);
    QFETCH(int, estado);
    QFETCH(QByteArray, cuerpo);
    QFETCH(int, respuesta);
    QFETCH(int, icono);
    QFETCH(QString, texto);
    QFETCH(QString, descarga);
    Establecer_Lenguaje(lenguaje);
    // 9 November 2010, 09:41:35.474 local time: day count 40491.40388280092.
    Establecer_Reloj([] { return QDateTime(QDate(2010, 11, 9), QTime(9, 41, 35, 474)); });
    TServidorPrueba servidor;
    servidor.piEstado = estado;
    servidor.psCuerpo = cuerpo;
    qputenv("KESTRIN_WEBSITE", servidor.Base().toUtf8());
    TGrabadorMensajes grabador;
    grabador.piRespuesta = respuesta;

    const QList<TCajaRegistrada> cajas = Buscar(grabador);
    QCOMPARE(servidor.paPeticiones,
             QList<QByteArray>{"GET /checkforupdates.php?time=40491.4038828009&s=Full&v=1.6 HTTP/1.1"});
    QCOMPARE(cajas.size(), 1);
    QCOMPARE(cajas[0].sTitulo, QStringLiteral("Kestrin"));
    QCOMPARE(cajas[0].iIcono, icono);
    QCOMPARE(cajas[0].sTexto, texto);
    QCOMPARE(cajas[0].iBotones, icono == MB_ICONQUESTION ? MB_OKCANCEL : MB_OK);
    // A confirmation beeps before its box; the others do not.
    QCOMPARE(grabador.paEventos.first(), icono == MB_ICONQUESTION ? QStringLiteral("beep") : QStringLiteral("box"));
    if (descarga.isEmpty())
        QVERIFY(pNavegador.paAbiertas.isEmpty());
    else
        QCOMPARE(pNavegador.paAbiertas, QList<QUrl>{QUrl(servidor.Base() + descarga)});
}

void TestActualizaciones::conexionRechazada()
{
    quint16 puerto;
    {
        QTcpServer cerrado;
        QVERIFY(cerrado.listen(QHostAddress::LocalHost, 0));
        puerto = cerrado.serverPort();
    }
    qputenv("KESTRIN_WEBSITE", QStringLiteral("http://127.0.0.1:%1/").arg(puerto).toUtf8());
    TGrabadorMensajes grabador;
    const QList<TCajaRegistrada> cajas = Buscar(grabador);
    QCOMPARE(cajas.size(), 1);
    QCOMPARE(cajas[0].iIcono, MB_ICONERROR);
    QVERIFY2(cajas[0].sTexto.contains(QString::number(puerto)), qPrintable(cajas[0].sTexto));
    QVERIFY2(cajas[0].sTexto.contains(QStringLiteral("connect"), Qt::CaseInsensitive), qPrintable(cajas[0].sTexto));
}

void TestActualizaciones::tiempoAgotadoSinBloquear()
{
    TServidorPrueba servidor;
    servidor.piModo = TServidorPrueba::Callar;
    qputenv("KESTRIN_WEBSITE", servidor.Base().toUtf8());
    TGrabadorMensajes grabador;
    TBuscadorActualizaciones buscador;
    buscador.piTiempoLimiteMs = 1500;
    QList<bool> cambios;
    buscador.pAlCambiar = [&cambios](bool rbEnCurso) { cambios.append(rbEnCurso); };
    // The event loop must keep running while the GET waits: a timer of the main thread
    // ticks, and the test's server (on this thread too) receives the request.
    int latidos = 0;
    QTimer latido;
    connect(&latido, &QTimer::timeout, [&] { ++latidos; });
    latido.start(10);
    QSignalSpy terminada(&buscador, &TBuscadorActualizaciones::Terminada);

    QVERIFY(buscador.Iniciar(nullptr));
    QVERIFY(buscador.En_Curso());
    QCOMPARE(cambios, QList<bool>{true});
    QVERIFY(!buscador.Iniciar(nullptr)); // a second check cannot start
    QTRY_COMPARE(servidor.paPeticiones.size(), 1);
    QVERIFY(terminada.isEmpty());
    QVERIFY(buscador.En_Curso());
    QVERIFY(terminada.wait(10000));
    QVERIFY(latidos > 0);
    QCOMPARE(cambios, (QList<bool>{true, false}));
    QVERIFY(!buscador.En_Curso());
    QCOMPARE(grabador.paCajas.size(), 1);
    QCOMPARE(grabador.paCajas[0].iIcono, MB_ICONERROR);
    QVERIFY2(grabador.paCajas[0].sTexto.contains(QStringLiteral("timed out")), qPrintable(grabador.paCajas[0].sTexto));
    QCOMPARE(servidor.paPeticiones.size(), 1); // the refused second check sent nothing
    // Once ended, a new check may start.
    buscador.piTiempoLimiteMs = 200;
    QVERIFY(buscador.Iniciar(nullptr));
    QVERIFY(terminada.wait(10000));
}

void TestActualizaciones::respuestaDemasiadoGrande()
{
    TServidorPrueba servidor;
    servidor.psCuerpo = QByteArray(200 * 1024, ' ') + "1.7";
    qputenv("KESTRIN_WEBSITE", servidor.Base().toUtf8());
    TGrabadorMensajes grabador;
    const QList<TCajaRegistrada> cajas = Buscar(grabador);
    QCOMPARE(cajas.size(), 1);
    QCOMPARE(cajas[0].iIcono, MB_ICONERROR);
    QVERIFY2(cajas[0].sTexto.contains(QStringLiteral("larger than 65536 bytes")), qPrintable(cajas[0].sTexto));
}

void TestActualizaciones::destruirDuranteLaConsulta()
{
    // The main window may go away while a GET waits: the checker waits for its thread
    // instead of leaving it to write into freed memory, and shows no box afterwards.
    TServidorPrueba servidor;
    servidor.piModo = TServidorPrueba::Callar;
    qputenv("KESTRIN_WEBSITE", servidor.Base().toUtf8());
    TGrabadorMensajes grabador;
    auto buscador = std::make_unique<TBuscadorActualizaciones>();
    buscador->piTiempoLimiteMs = 300;
    QVERIFY(buscador->Iniciar(nullptr));
    QTRY_COMPARE(servidor.paPeticiones.size(), 1);
    buscador.reset();
    QCoreApplication::processEvents();
    QVERIFY(grabador.paCajas.isEmpty());
}

QTEST_MAIN(TestActualizaciones)
#include "test_actualizaciones.moc"
