// The AlertWindow program without starting it: the command line, the reading of the
// reminder file, the snooze write with its broadcast over a real session bus (the test
// runs under dbus-run-session) and the window itself (offscreen).
#include "ayudas_prueba.h"

#include "alertwindow/alerta.h"
#include "alertwindow/argumentos.h"
#include "alertwindow/textos.h"
#include "alertwindow/ventana.h"
#include "platform/bus.h"
#include "store/textforms.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

#include <sys/stat.h>

Q_DECLARE_METATYPE(TErrorInicio)

class TestAlertWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void arguments_data();
    void arguments();
    void badReminderFiles_data();
    void badReminderFiles();
    void snoozeWritesOnlyTheTwoKeys();
    void snoozeAppendsMissingKeys();
    void snoozeBringsBackRetiredFile();
    void testFileIsNeverWritten();
    void deletedFileIsNotCreated();
    void soundComesFromTheCommandLine();
    void windowLongMessageAndNonAsciiName();
    void windowShowsNamesAsText();
    void windowInitialSnooze_data();
    void windowInitialSnooze();
    void windowSpanishTexts();
    void windowSnoozeWritesAndCloses();
    void windowSnoozeFailureIsReported();
    void windowMuteButton();

private:
    QString Archivo(const QString &rsNombre) const { return pDir->filePath(rsNombre); }
    QString Escribir(const QString &rsNombre, const TTipoTarea &rTarea)
    {
        const QString ruta = Archivo(rsNombre);
        if (!Grabar_Archivo_Tarea(ruta, rTarea))
            qFatal("cannot write %s", qPrintable(ruta));
        return ruta;
    }
    static TArgumentosAlerta Args(const QString &rsArchivo, const QString &rsSonido = QString(), int riSnooze = 10)
    {
        TArgumentosAlerta a;
        a.psArchivo = rsArchivo;
        a.psSonido = rsSonido;
        a.piSnoozeDefault = riSnooze;
        a.psFuente = QStringLiteral("DejaVu Sans");
        return a;
    }

    std::unique_ptr<QTemporaryDir> pDir;
};

void TestAlertWindow::init()
{
    pDir = std::make_unique<QTemporaryDir>();
    QVERIFY(pDir->isValid());
}

void TestAlertWindow::arguments_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<TErrorInicio>("error");
    QTest::addColumn<int>("snooze");
    QTest::addColumn<QString>("fuente");
    const QString f = QStringLiteral("/tmp/r.od"), s = QStringLiteral("/tmp/s1.mp3");
    QTest::newRow("none") << QStringList{} << TErrorInicio::Cantidad << 10 << QString();
    QTest::newRow("four") << QStringList{f, s, "9934", "10"} << TErrorInicio::Cantidad << 10 << QString();
    QTest::newRow("six") << QStringList{f, s, "9934", "10", "Arial", "x"} << TErrorInicio::Cantidad << 10 << QString();
    QTest::newRow("wrong token") << QStringList{f, s, "9935", "10", "Arial"} << TErrorInicio::Token << 10 << QString();
    QTest::newRow("token with blank") << QStringList{f, s, " 9934", "10", "Arial"} << TErrorInicio::Token << 10 << QString();
    QTest::newRow("good") << QStringList{f, s, "9934", "15", "Segoe UI"} << TErrorInicio::Ninguno << 15 << "Segoe UI";
    QTest::newRow("snooze with blanks") << QStringList{f, s, "9934", " 45 ", "Arial"} << TErrorInicio::Ninguno << 45 << "Arial";
    QTest::newRow("snooze not a number") << QStringList{f, s, "9934", "abc", "Arial"} << TErrorInicio::Ninguno << 10 << "Arial";
    QTest::newRow("snooze zero") << QStringList{f, s, "9934", "0", "Arial"} << TErrorInicio::Ninguno << 10 << "Arial";
    QTest::newRow("snooze negative") << QStringList{f, s, "9934", "-5", "Arial"} << TErrorInicio::Ninguno << 10 << "Arial";
    QTest::newRow("snooze too big") << QStringList{f, s, "9934", "99999999999", "Arial"} << TErrorInicio::Ninguno << 10 << "Arial";
    QTest::newRow("empty font") << QStringList{f, s, "9934", "5", ""} << TErrorInicio::Ninguno << 5 << QString();
}

void TestAlertWindow::arguments()
{
    QFETCH(QStringList, args);
    QFETCH(TErrorInicio, error);
    QFETCH(int, snooze);
    QFETCH(QString, fuente);
    TArgumentosAlerta a;
    QCOMPARE(Leer_Argumentos_Alerta(args, a), error);
    if (error != TErrorInicio::Ninguno)
        return;
    QCOMPARE(a.psArchivo, args[0]);
    QCOMPARE(a.psSonido, args[1]);
    QCOMPARE(a.piSnoozeDefault, snooze);
    QCOMPARE(a.psFuente, fuente);
}

void TestAlertWindow::badReminderFiles_data()
{
    QTest::addColumn<QString>("caso");
    QTest::addColumn<int>("lenguaje");
    QTest::addColumn<TErrorInicio>("error");
    QTest::addColumn<QString>("texto");
    QTest::newRow("missing") << "missing" << 0 << TErrorInicio::NoExiste << "File not found\n";
    QTest::newRow("missing, spanish") << "missing" << 1 << TErrorInicio::NoExiste << "Archivo no encontrado\n";
    QTest::newRow("directory") << "directory" << 0 << TErrorInicio::Ilegible << "Unable to read the reminder file.";
    // A pipe would keep the window from ever coming up, a device would fill the memory.
    QTest::newRow("pipe") << "fifo" << 0 << TErrorInicio::Ilegible << "Unable to read the reminder file.";
    QTest::newRow("link to /dev/zero") << "zero" << 0 << TErrorInicio::Ilegible << "Unable to read the reminder file.";
    QTest::newRow("100 MB") << "huge" << 0 << TErrorInicio::Ilegible << "Unable to read the reminder file.";
    QTest::newRow("plain text") << "plain" << 0 << TErrorInicio::Invalido << "Invalid format: ";
    QTest::newRow("no type") << "notype" << 1 << TErrorInicio::Invalido << QString::fromUtf8("Formato inválido: ");
    QTest::newRow("valid") << "valid" << 0 << TErrorInicio::Ninguno << QString();
    QTest::newRow("count, spanish") << "count" << 1 << TErrorInicio::Cantidad
                                    << QString::fromUtf8("Número de argumentos incorrecto: 4 dados, se esperan 5.");
    QTest::newRow("token") << "token" << 0 << TErrorInicio::Token << "Invalid token: the third argument must be 9934.";
}

void TestAlertWindow::badReminderFiles()
{
    QFETCH(QString, caso);
    QFETCH(int, lenguaje);
    QFETCH(TErrorInicio, error);
    QFETCH(QString, texto);
    QString ruta = Archivo(QStringLiteral("data1.od"));
    if (caso == u"directory") {
        QVERIFY(QDir().mkpath(ruta));
    } else if (caso == u"fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(ruta).constData(), 0600), 0);
    } else if (caso == u"zero") {
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), ruta));
    } else if (caso == u"huge") {
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(100 * 1024 * 1024));
    } else if (caso == u"plain") {
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("TaskName1=not enciphered\r\nLenguaje=0\r\n");
    } else if (caso == u"notype") {
        QVERIFY(Grabar_Lineas_Cifradas(ruta, {"TaskName1=x", "Lenguaje=0", "AlertWindow=2", "TocarSonido=0",
                                              "UsarSonidoDefault=1", "PathSonido=0", "RepetirSonido=0"}));
    } else if (caso != u"missing") {
        Escribir(QStringLiteral("data1.od"), Tarea_De_Prueba());
    }
    const QByteArray antes = caso == u"fifo" || caso == u"zero" ? QByteArray() : Bytes_De(ruta);
    QStringList args{ruta, QStringLiteral("/nonexistent.mp3"), QStringLiteral("9934"), QStringLiteral("10"),
                     QStringLiteral("Arial")};
    if (caso == u"count")
        args.removeLast();
    if (caso == u"token")
        args[2] = QStringLiteral("1234");

    TArgumentosAlerta a;
    TTipoTarea t;
    QString mensaje;
    QCOMPARE(Preparar_Alerta(args, lenguaje, a, t, mensaje), error);
    QCOMPARE(mensaje.isEmpty(), error == TErrorInicio::Ninguno);
    QVERIFY2(mensaje.startsWith(texto), qPrintable(mensaje));
    if (error == TErrorInicio::NoExiste || error == TErrorInicio::Invalido)
        QVERIFY(mensaje.contains(ruta));
    if (caso == u"plain")
        QVERIFY(mensaje.endsWith(QStringLiteral("Error code: 1")));
    if (error == TErrorInicio::Ninguno)
        QCOMPARE(t.tsTaskName, QStringLiteral("Call the dentist"));
    // A start, good or bad, never changes or creates the file.
    if (caso != u"fifo" && caso != u"zero")
        QCOMPARE(Bytes_De(ruta), antes);
    QCOMPARE(QFileInfo::exists(ruta), caso != u"missing");
}

void TestAlertWindow::snoozeWritesOnlyTheTwoKeys()
{
    TTipoTarea tarea = Tarea_De_Prueba();
    tarea.tiSnoozeTime = 5;
    tarea.tdSnoozeRun = 45000.25;
    tarea.tdLastRunTime = 45000.375;
    const QString ruta = Escribir(QStringLiteral("data2.od"), tarea);
    const QStringList antes = Lineas_De(ruta);

    TBusListener escucha;
    QVERIFY(escucha.Listen(QLatin1String(MSG_KESTRIN_READ_FILES)));
    QSignalSpy avisos(&escucha, &TBusListener::Message_Received);

    TAlerta alerta(Args(ruta), tarea, 45001.5);
    const double ahora = 45001.5 + 1.0 / 1440;
    QCOMPARE(alerta.Posponer(60, ahora), TResultadoPosponer::Pospuesto);

    const QStringList despues = Lineas_De(ruta);
    QCOMPARE(despues.size(), antes.size());
    int cambiadas = 0;
    for (int i = 0; i < antes.size(); ++i) {
        if (antes[i].startsWith(QLatin1String("SnoozeTime="))) {
            QCOMPARE(despues[i], QStringLiteral("SnoozeTime=60"));
            ++cambiadas;
        } else if (antes[i].startsWith(QLatin1String("SnoozeRun="))) {
            QCOMPARE(despues[i], QStringLiteral("SnoozeRun=") + Float_To_Str_Sin_Punto(ahora + 60.0 / 1440.0));
            ++cambiadas;
        } else {
            QCOMPARE(despues[i], antes[i]);
        }
    }
    QCOMPARE(cambiadas, 2);
    // The main program is told to read the files again.
    QTRY_COMPARE(avisos.count(), 1);
}

void TestAlertWindow::snoozeAppendsMissingKeys()
{
    const QStringList lineas{"TaskName1=Old file", "Lenguaje=0", "AlertWindow=2", "TocarSonido=0",
                             "UsarSonidoDefault=1", "PathSonido=0", "RepetirSonido=0", "TareaTipo=5",
                             "snoozetime=3"};
    const QString ruta = Archivo(QStringLiteral("data3.od"));
    QVERIFY(Grabar_Lineas_Cifradas(ruta, lineas));
    TAlerta alerta(Args(ruta), Tarea_De_Prueba(), 45001.5);
    QCOMPARE(alerta.Posponer(1440 * 14, 45001.5), TResultadoPosponer::Pospuesto);
    QStringList esperadas = lineas;
    esperadas[8] = QStringLiteral("SnoozeTime=20160"); // the key in other letter case is the same key
    esperadas << QStringLiteral("SnoozeRun=") + Float_To_Str_Sin_Punto(45015.5);
    QCOMPARE(Lineas_De(ruta), esperadas);
}

void TestAlertWindow::snoozeBringsBackRetiredFile()
{
    const QString ruta = Escribir(QStringLiteral("data4.od"), Tarea_De_Prueba());
    QVERIFY(Retirar_Archivo_Tarea(ruta));
    QVERIFY(!QFileInfo::exists(ruta));
    TAlerta alerta(Args(ruta), Tarea_De_Prueba(), 45001.5);
    QCOMPARE(alerta.Posponer(10, 45001.5), TResultadoPosponer::Pospuesto);
    QVERIFY(QFileInfo::exists(ruta));
    QVERIFY(!QFileInfo::exists(ruta + u'b'));
    TTipoTarea leida;
    int codigo = -1;
    QCOMPARE(Leer_Archivo_Tarea(ruta, leida, codigo), TLectura::Ok);
    QCOMPARE(codigo, 0);
    QCOMPARE(leida.tiSnoozeTime, 10);
    QCOMPARE(Float_To_Str_Sin_Punto(leida.tdSnoozeRun), Float_To_Str_Sin_Punto(45001.5 + 10.0 / 1440.0));
}

void TestAlertWindow::testFileIsNeverWritten()
{
    const QString ruta = Escribir(QStringLiteral("405204375.tmp"), Tarea_De_Prueba());
    const QByteArray antes = Bytes_De(ruta);
    const QDateTime hora = QFileInfo(ruta).lastModified();

    TBusListener escucha;
    QVERIFY(escucha.Listen(QLatin1String(MSG_KESTRIN_READ_FILES)));
    QSignalSpy avisos(&escucha, &TBusListener::Message_Received);
    TAlerta alerta(Args(ruta), Tarea_De_Prueba(), 45001.5);
    QVERIFY(alerta.Es_Prueba());
    QCOMPARE(alerta.Posponer(30, 45001.5), TResultadoPosponer::Prueba);
    QCOMPARE(Bytes_De(ruta), antes);
    QCOMPARE(QFileInfo(ruta).lastModified(), hora);
    QTest::qWait(200);
    QCOMPARE(avisos.count(), 0); // nothing changed, nobody needs to reload
}

void TestAlertWindow::deletedFileIsNotCreated()
{
    const QString ruta = Escribir(QStringLiteral("data5.od"), Tarea_De_Prueba());
    TAlerta alerta(Args(ruta), Tarea_De_Prueba(), 45001.5);
    QVERIFY(QFile::remove(ruta));
    QCOMPARE(alerta.Posponer(10, 45001.5), TResultadoPosponer::NoExiste);
    QVERIFY(!QFileInfo::exists(ruta));
    QVERIFY(!QFileInfo::exists(ruta + u'b'));
}

void TestAlertWindow::soundComesFromTheCommandLine()
{
    const QString wav = Archivo(QStringLiteral("tono.wav"));
    QVERIFY(Escribir_Wav(wav, 300));
    TTipoTarea tarea = Tarea_De_Prueba();
    tarea.tiTocarSonido = 1;
    tarea.tiRepetirSonido = 1;
    tarea.tsPathDelSonido = QStringLiteral("/nonexistent/own.mp3"); // the file's own path is not used
    {
        TAlerta alerta(Args(Escribir(QStringLiteral("data6.od"), tarea), wav), tarea, 45001.5);
        alerta.Iniciar();
        QVERIFY(alerta.Sonando());
    }
    tarea.tiTocarSonido = 0;
    {
        TAlerta alerta(Args(Escribir(QStringLiteral("data7.od"), tarea), wav), tarea, 45001.5);
        alerta.Iniciar();
        QVERIFY(!alerta.Sonando());
    }
    tarea.tiTocarSonido = 1;
    {
        TAlerta alerta(Args(Escribir(QStringLiteral("data8.od"), tarea), Archivo("missing.wav")), tarea, 45001.5);
        QVERIFY(alerta.Iniciar()); // no sound, nothing else lost
        QVERIFY(!alerta.Sonando());
    }
}

void TestAlertWindow::windowLongMessageAndNonAsciiName()
{
    const QString nombre = QString::fromUtf8("Café con Ñandú — Größe Ωmega");
    TTipoTarea tarea = Tarea_De_Prueba(nombre);
    QStringList lineas;
    for (int i = 1; i <= 500; ++i)
        lineas << QStringLiteral("Línea %1 of a long message that goes on and on").arg(i);
    tarea.tsMensaje = lineas.join(QStringLiteral("\r\n"));
    const QString ruta = Escribir(QStringLiteral("data10.od"), tarea);
    TArgumentosAlerta a;
    TTipoTarea leida;
    QString mensaje;
    QCOMPARE(Preparar_Alerta({ruta, "0", "9934", "10", "DejaVu Sans"}, 0, a, leida, mensaje), TErrorInicio::Ninguno);

    TAlerta alerta(a, leida, Ahora());
    TfrmAlertWindow ventana(alerta);
    ventana.Mostrar();
    QVERIFY(QTest::qWaitForWindowExposed(&ventana));
    QCOMPARE(ventana.windowTitle(), nombre);
    QCOMPARE(ventana.LabelNombre->text(), nombre);
    QCOMPARE(ventana.MemoMensaje->document()->blockCount(), 500);
    QCOMPARE(ventana.MemoMensaje->document()->lastBlock().text(), lineas.last());
    QVERIFY(ventana.MemoMensaje->verticalScrollBar()->maximum() > 0); // it scrolls
    QVERIFY(ventana.height() < 800);                                 // rather than growing
    QCOMPARE(ventana.MemoMensaje->font().family(), QStringLiteral("DejaVu Sans"));
    QVERIFY(!ventana.LabelMomento->text().isEmpty());
}

void TestAlertWindow::windowShowsNamesAsText()
{
    const QString nombre = QStringLiteral("<b>Bold</b> & <a href='x'>link</a>");
    TTipoTarea tarea = Tarea_De_Prueba(nombre);
    tarea.tsMensaje = QStringLiteral("<i>not italic</i>");
    TAlerta alerta(Args(Escribir(QStringLiteral("data11.od"), tarea)), tarea, 45001.5);
    TfrmAlertWindow ventana(alerta);
    QCOMPARE(ventana.LabelNombre->textFormat(), Qt::PlainText);
    QCOMPARE(ventana.LabelNombre->text(), nombre);
    QCOMPARE(ventana.MemoMensaje->toPlainText(), QStringLiteral("<i>not italic</i>"));

    TTipoTarea sinNombre = Tarea_De_Prueba(QStringLiteral("   "));
    TAlerta otra(Args(Archivo("x.od")), sinNombre, 45001.5);
    QCOMPARE(TfrmAlertWindow(otra).windowTitle(), QStringLiteral("Kestrin"));
}

void TestAlertWindow::windowInitialSnooze_data()
{
    QTest::addColumn<int>("porDefecto");
    QTest::addColumn<int>("lenguaje");
    QTest::addColumn<QString>("caption");
    QTest::newRow("15") << 15 << 0 << "Snooze 15 Minutes";
    QTest::newRow("1") << 1 << 0 << "Snooze 1 Minute";
    QTest::newRow("60") << 60 << 0 << "Snooze 60 Minutes";
    QTest::newRow("120 is two hours") << 120 << 0 << "Snooze 2 Hours";
    QTest::newRow("a day") << 1440 << 1 << QString::fromUtf8("Posponer 1 Día");
    QTest::newRow("11 is not offered") << 11 << 0 << "Snooze 10 Minutes";
    QTest::newRow("11, spanish") << 11 << 1 << "Posponer 10 Minutos";
    QTest::newRow("15 days is not offered") << 15 * 1440 << 0 << "Snooze 10 Minutes";
}

void TestAlertWindow::windowInitialSnooze()
{
    QFETCH(int, porDefecto);
    QFETCH(int, lenguaje);
    QFETCH(QString, caption);
    TTipoTarea tarea = Tarea_De_Prueba(QStringLiteral("x"), lenguaje);
    TAlerta alerta(Args(Archivo("x.od"), QString(), porDefecto), tarea, 45001.5);
    TfrmAlertWindow ventana(alerta);
    QCOMPARE(ventana.ComboBoxPosponer->currentText(), caption);
    QCOMPARE(ventana.ComboBoxPosponer->currentData().toInt(), Minutos_De_Caption_Posponer(caption));
    // 40 choices and two separators between the three groups.
    QCOMPARE(ventana.ComboBoxPosponer->count(), 42);
}

void TestAlertWindow::windowSpanishTexts()
{
    TTipoTarea tarea = Tarea_De_Prueba(QStringLiteral("Llamar"), 1);
    TAlerta alerta(Args(Archivo("x.tmp")), tarea, Ahora());
    TfrmAlertWindow ventana(alerta);
    QCOMPARE(ventana.BotonPosponer->text(), QStringLiteral("&Posponer"));
    QCOMPARE(ventana.BotonSilencio->text(), QStringLiteral("Si&lencio"));
    QCOMPARE(ventana.BotonCerrar->text(), QStringLiteral("&Cerrar"));
    QVERIFY(ventana.LabelMomento->text().startsWith(QStringLiteral("Hoy, ")));
    QVERIFY(!ventana.LabelPrueba->isHidden()); // a test says that snoozing changes nothing
    QCOMPARE(ventana.LabelPrueba->text(), QStringLiteral("Prueba del recordatorio: posponer no cambia nada."));

    TAlerta inglesa(Args(Archivo("x.od")), Tarea_De_Prueba(), Ahora());
    TfrmAlertWindow otra(inglesa);
    QCOMPARE(otra.BotonPosponer->text(), QStringLiteral("&Snooze"));
    QCOMPARE(otra.BotonSilencio->text(), QStringLiteral("&Mute"));
    QCOMPARE(otra.BotonCerrar->text(), QStringLiteral("&Close"));
    QVERIFY(otra.LabelMomento->text().startsWith(QStringLiteral("Today, ")));
    QVERIFY(otra.LabelPrueba->isHidden());
}

void TestAlertWindow::windowSnoozeWritesAndCloses()
{
    const QString ruta = Escribir(QStringLiteral("data12.od"), Tarea_De_Prueba());
    TAlerta alerta(Args(ruta, QString(), 20), Tarea_De_Prueba(), 45001.5);
    TfrmAlertWindow ventana(alerta);
    ventana.Mostrar();
    QVERIFY(QTest::qWaitForWindowExposed(&ventana));
    // Just shown: neither a click nor a key that was on its way counts.
    QVERIFY(ventana.Entrada_Bloqueada());
    const QByteArray contenido = [&] { QFile f(ruta); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    QTest::mouseClick(ventana.BotonPosponer, Qt::LeftButton);
    QTest::mouseClick(ventana.BotonCerrar, Qt::LeftButton);
    QTest::keyClick(&ventana, Qt::Key_Escape);
    QTest::keyClick(&ventana, Qt::Key_Return);
    QVERIFY(ventana.isVisible());
    QCOMPARE([&] { QFile f(ruta); f.open(QIODevice::ReadOnly); return f.readAll(); }(), contenido);
    // A second later it answers.
    QTRY_VERIFY_WITH_TIMEOUT(!ventana.Entrada_Bloqueada(), TfrmAlertWindow::ESPERA_ENTRADA_MS + 2000);
    const double antes = Ahora();
    QTest::mouseClick(ventana.BotonPosponer, Qt::LeftButton);
    QVERIFY(!ventana.isVisible());
    TTipoTarea leida;
    int codigo = -1;
    QCOMPARE(Leer_Archivo_Tarea(ruta, leida, codigo), TLectura::Ok);
    QCOMPARE(leida.tiSnoozeTime, 20);
    QVERIFY(leida.tdSnoozeRun >= antes + 20.0 / 1440 - 1e-6);
    QVERIFY(leida.tdSnoozeRun <= Ahora() + 20.0 / 1440 + 1e-6);
}

void TestAlertWindow::windowSnoozeFailureIsReported()
{
    // A folder where the file should be: it exists but cannot be read or replaced.
    const QString ruta = Archivo(QStringLiteral("data13.od"));
    QVERIFY(QDir().mkpath(ruta));
    TAlerta alerta(Args(ruta), Tarea_De_Prueba(), 45001.5);
    TfrmAlertWindow ventana(alerta);
    QStringList errores;
    ventana.pMostrarError = [&](const QString &rsTexto) { errores << rsTexto; };
    ventana.Mostrar();
    QTRY_VERIFY_WITH_TIMEOUT(!ventana.Entrada_Bloqueada(), TfrmAlertWindow::ESPERA_ENTRADA_MS + 2000);
    QTest::mouseClick(ventana.BotonPosponer, Qt::LeftButton);
    QCOMPARE(errores.size(), 1);
    QVERIFY2(errores[0].startsWith(QStringLiteral("Error 219. ")), qPrintable(errores[0]));
    QVERIFY(ventana.isVisible()); // the user may try again or close it
    QVERIFY(QFileInfo(ruta).isDir());
}

void TestAlertWindow::windowMuteButton()
{
    const QString wav = Archivo(QStringLiteral("tono.wav"));
    QVERIFY(Escribir_Wav(wav, 300));
    TTipoTarea tarea = Tarea_De_Prueba();
    tarea.tiTocarSonido = 1;
    tarea.tiRepetirSonido = 1;
    TAlerta alerta(Args(Escribir(QStringLiteral("data14.od"), tarea), wav), tarea, 45001.5);
    TfrmAlertWindow ventana(alerta);
    ventana.Mostrar();
    QVERIFY(!ventana.BotonSilencio->isEnabled()); // nothing plays yet
    alerta.Iniciar();
    QVERIFY(!ventana.BotonSilencio->isEnabled()); // playing, but the first second takes no click
    QTRY_VERIFY_WITH_TIMEOUT(ventana.BotonSilencio->isEnabled(), TfrmAlertWindow::ESPERA_ENTRADA_MS + 2000);
    QTest::mouseClick(ventana.BotonSilencio, Qt::LeftButton);
    QVERIFY(!alerta.Sonando());
    QVERIFY(!ventana.BotonSilencio->isEnabled());
    QVERIFY(ventana.isVisible());
    ventana.activateWindow(); // the user turns to it
    QVERIFY(QTest::qWaitForWindowActive(&ventana));
    QTest::keyClick(&ventana, Qt::Key_Escape);
    QVERIFY(!ventana.isVisible());
}

QTEST_MAIN(TestAlertWindow)
#include "test_alertwindow.moc"
