// The scheduler thread against a recording main window, a clock the test moves, a
// short tick and a temporary data folder.

#include "threadtestutil.h"
#include "alertwindow/argumentos.h"
#include "platform/filelock.h"
#include "../store/asnobody.h"

#include <QDeadlineTimer>

#include <QPointer>
#include <QTimer>

#include <cerrno>
#include <stdexcept>

namespace {
constexpr int kTick = 5;
constexpr int kEspera = 10000; // upper bound for anything the thread is waited for

qint64 Ms(double rdDias)
{
    return Dias_a_Milisegundos(rdDias);
}
} // namespace

class TestThreadAlerta : public QObject {
    Q_OBJECT

    std::unique_ptr<TCarpetasPrueba> c;
    std::unique_ptr<TVentanaPrueba> v;
    std::unique_ptr<TThreadAlerta> h;

    TInicioThreadAlerta Inicio(int riTick = kTick)
    {
        TInicioThreadAlerta i;
        i.pVentana = v.get();
        i.psEXEPath = c->psPrograma;
        i.psAppDataSystemLocal = c->psDatos;
        i.psAppDataSoundsAllUsers = c->psSonidos;
        i.psDefaultSound = QStringLiteral("s3.mp3");
        i.psFontMensaje = QStringLiteral("Fuente Ñ con espacio");
        i.piDefaultSnoozeTime = 15;
        i.piTickMs = riTick;
        i.piPausaSaltoMs = kTick;
        return i;
    }
    bool Iniciar(bool rbAutoStarted = false, int riTick = kTick)
    {
        QString error;
        h = Iniciar_Thread_Alerta(Inicio(riTick), rbAutoStarted, error);
        return h && error.isEmpty() && Ticks(2);
    }
    // Waits until n more ticks have ended.
    bool Ticks(int n)
    {
        const qint64 meta = h->Ticks_Completos() + n;
        return QTest::qWaitFor([&] { return h->Ticks_Completos() >= meta; }, kEspera);
    }
    // Sets the clock and lets one whole tick run with it.
    bool En(const QDateTime &rMomento)
    {
        Poner_Reloj(rMomento);
        return Ticks(2);
    }
    // Moves the clock in steps short of a jump, a whole tick at each.
    bool Caminar(const QDateTime &rDesde, const QDateTime &rHasta, int riPasoSeg = 30)
    {
        for (QDateTime t = rDesde; t <= rHasta; t = t.addSecs(riPasoSeg))
            if (!En(t))
                return false;
        return true;
    }
    double Proxima(const QString &rsArchivo) const
    {
        for (const TEstadoTarea &e : h->Estado_Tabla())
            if (e.tsFile == rsArchivo)
                return e.tdNextRunTime;
        return -99;
    }
    QStringList Archivos_En_Tabla() const
    {
        QStringList r;
        for (const TEstadoTarea &e : h->Estado_Tabla())
            r << e.tsFile;
        return r;
    }

private slots:
    void init()
    {
        c = std::make_unique<TCarpetasPrueba>();
        v = std::make_unique<TVentanaPrueba>();
        Poner_Reloj(Momento(7, 0));
        Usar_Reloj_De_Prueba();
    }
    void cleanup()
    {
        Detener_Thread_Alerta(h);
        v.reset();
        c.reset();
    }

    void dueWindow_data()
    {
        QTest::addColumn<double>("ahora");
        QTest::addColumn<double>("due");
        QTest::addColumn<bool>("vencida");
        const double ocho = Dias(Momento(8, 0));
        QTest::newRow("a millisecond early") << Dias(Momento(7, 59, 59, 999)) << ocho << false;
        QTest::newRow("on the second") << ocho << ocho << true;
        QTest::newRow("ten minutes late") << Dias(Momento(8, 10)) << ocho << true;
        QTest::newRow("a millisecond more") << Dias(Momento(8, 10, 0, 1)) << ocho << false;
        QTest::newRow("file form a hair early") << ocho << Str_To_Float_Sin_Punto(Float_To_Str_Sin_Punto(ocho)) << true;
        QTest::newRow("no next run") << ocho << 0.0 << false;
        QTest::newRow("at the next start") << ocho << -1.0 << false;
    }
    void dueWindow()
    {
        QFETCH(double, ahora);
        QFETCH(double, due);
        QFETCH(bool, vencida);
        QCOMPARE(Esta_Vencida(ahora, due), vencida);
    }

    // Each alert mode, fired within one tick of the due second and only once, even with
    // a clock that stands still on that second.
    void firesByMode_data()
    {
        QTest::addColumn<int>("modo");
        QTest::addColumn<int>("sonido");
        QTest::addColumn<bool>("popup");
        QTest::addColumn<bool>("llamadaSonido");
        QTest::addColumn<bool>("ventana");
        QTest::newRow("popup, silent") << 1 << 0 << true << false << false;
        QTest::newRow("popup with sound") << 1 << 1 << true << true << false;
        QTest::newRow("window with sound") << 2 << 1 << false << false << true;
        QTest::newRow("both with sound") << 3 << 1 << true << false << true;
    }
    void firesByMode()
    {
        QFETCH(int, modo);
        QFETCH(int, sonido);
        QFETCH(bool, popup);
        QFETCH(bool, llamadaSonido);
        QFETCH(bool, ventana);
        c->Instalar_AlertWindow();
        TTipoTarea t = Diaria(QStringLiteral("Pastilla ñ"), 8, 0, modo);
        t.tiTocarSonido = sonido;
        t.tiUsarSonidoDefault = 2;
        t.tsPathDelSonido = c->psSonidos + QStringLiteral("mi sonido ü.mp3");
        t.tiRepetirSonido = 1;
        const QString archivo = c->Grabar(QStringLiteral("data1-1.od"), t);

        Poner_Reloj(Momento(7, 59, 58));
        QVERIFY(Iniciar());
        QVERIFY(En(Momento(7, 59, 59, 999)));
        QVERIFY(v->paEventos.isEmpty());
        QCOMPARE(Valor_En_Archivo(archivo, QStringLiteral("LastRunTime")), QStringLiteral("0"));

        QVERIFY(En(Momento(8, 0)));
        QVERIFY(QTest::qWaitFor([&] { return !v->De_Tipo(QStringLiteral("1026")).isEmpty(); }, kEspera));
        QCOMPARE(v->De_Tipo(QStringLiteral("popup")).size(), popup ? 1 : 0);
        QCOMPARE(v->De_Tipo(QStringLiteral("sound")).size(), llamadaSonido ? 1 : 0);
        if (popup) {
            const auto e = v->De_Tipo(QStringLiteral("popup")).first();
            QCOMPARE(e.tsArchivo, archivo);
            QCOMPARE(e.tsNombre, t.tsTaskName);
            QCOMPARE(e.tsMensaje, t.tsMensaje);
            QCOMPARE(v->Secuencia().last(), QStringLiteral("1026"));
        }
        if (llamadaSonido) {
            const auto e = v->De_Tipo(QStringLiteral("sound")).first();
            QCOMPARE(e.tiUsarDefault, 2);
            QCOMPARE(e.tiRepetir, 1);
            QCOMPARE(e.tsSonido, t.tsPathDelSonido);
        }
        if (ventana)
            QVERIFY(QTest::qWaitFor([&] { return c->Llamadas().size() == 1; }, kEspera));
        QCOMPARE(Valor_En_Archivo(archivo, QStringLiteral("LastRunTime")),
                 Float_To_Str_Sin_Punto(Dias(Momento(8, 0))));
        QCOMPARE(Ms(Proxima(archivo)), Ms(Dias(Momento(8, 0, 0, 0, 1))));

        // The clock stays on 08:00:00.000: the occurrence that fired does not fire again.
        QVERIFY(Ticks(5));
        QCOMPARE(v->De_Tipo(QStringLiteral("1026")).size(), 1);
        QVERIFY(v->De_Tipo(QStringLiteral("1025")).isEmpty());
        QCOMPARE(c->Llamadas().size(), ventana ? 1 : 0);
    }

    // The alert window gets exactly its argument list; blanks and letters beyond ASCII
    // pass unchanged, and settings replaced while the thread runs are used.
    void alertWindowArguments_data()
    {
        QTest::addColumn<int>("tocar");
        QTest::addColumn<int>("usarDefault");
        QTest::addColumn<bool>("sonidoPropio");
        QTest::newRow("default sound") << 1 << 1 << false;
        QTest::newRow("own sound") << 1 << 2 << true;
        QTest::newRow("no sound, still passed") << 0 << 1 << false;
    }
    void alertWindowArguments()
    {
        QFETCH(int, tocar);
        QFETCH(int, usarDefault);
        QFETCH(bool, sonidoPropio);
        c->Instalar_AlertWindow();
        const QString propio = c->psSonidos + QStringLiteral("Canción de cuna.mp3");
        auto Con_Sonido = [&](TTipoTarea t) {
            t.tiTocarSonido = tocar;
            t.tiUsarSonidoDefault = usarDefault;
            t.tsPathDelSonido = tocar ? propio : QStringLiteral("0");
            return t;
        };
        const QString a = c->Grabar(QStringLiteral("data1 señal.od"), Con_Sonido(Diaria(QStringLiteral("a"), 8, 0, ALERTA_VENTANA)));
        const QString b = c->Grabar(QStringLiteral("data2 señal.od"), Con_Sonido(Diaria(QStringLiteral("b"), 8, 1, ALERTA_AMBAS)));
        Poner_Reloj(Momento(7, 59, 45));
        QVERIFY(Iniciar());
        QVERIFY(Caminar(Momento(7, 59, 45), Momento(8, 0), 15));
        QVERIFY(QTest::qWaitFor([&] { return c->Llamadas().size() == 1; }, kEspera));
        const QString sonido1 = sonidoPropio ? propio : c->psSonidos + QStringLiteral("s3.mp3");
        QCOMPARE(c->Llamadas().first(), (QStringList{c->Ruta_AlertWindow_Prueba(), a, sonido1, QStringLiteral("9934"),
                                                     QStringLiteral("15"), QStringLiteral("Fuente Ñ con espacio")}));
        // The alert window program reads them back as they were meant.
        TArgumentosAlerta leidos;
        QCOMPARE(Leer_Argumentos_Alerta(c->Llamadas().first().mid(1), leidos), TErrorInicio::Ninguno);
        QCOMPARE(leidos.psArchivo, a);
        QCOMPARE(leidos.psSonido, sonido1);
        QCOMPARE(leidos.piSnoozeDefault, 15);
        QCOMPARE(leidos.psFuente, QStringLiteral("Fuente Ñ con espacio"));

        h->piDefaultSnoozeTime = 45;
        h->psFontMensaje.Poner(QStringLiteral("Otra \"fuente\" ä"));
        h->psDefaultSound.Poner(QStringLiteral("s7.mp3"));
        QVERIFY(Caminar(Momento(8, 0, 15), Momento(8, 1), 15));
        QVERIFY(QTest::qWaitFor([&] { return c->Llamadas().size() == 2; }, kEspera));
        QStringList segunda;
        for (const QStringList &l : c->Llamadas())
            if (l.value(1) == b)
                segunda = l;
        const QString sonido2 = sonidoPropio ? propio : c->psSonidos + QStringLiteral("s7.mp3");
        QCOMPARE(segunda, (QStringList{c->Ruta_AlertWindow_Prueba(), b, sonido2, QStringLiteral("9934"),
                                       QStringLiteral("45"), QStringLiteral("Otra \"fuente\" ä")}));
    }

    // A missing program gives 1025/4 with the system's text and the path; one that
    // cannot be started gives 1025/6. The write-back and the next run happen all the same.
    void alertWindowFailures_data()
    {
        QTest::addColumn<bool>("existe");
        QTest::addColumn<int>("codigo");
        QTest::newRow("missing") << false << 4;
        QTest::newRow("not executable") << true << 6;
    }
    void alertWindowFailures()
    {
        QFETCH(bool, existe);
        QFETCH(int, codigo);
        if (existe) {
            QFile f(c->Ruta_AlertWindow_Prueba());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("not a program");
        }
        const QString archivo = c->Grabar(QStringLiteral("data1.od"), Diaria(QStringLiteral("w"), 8, 0, ALERTA_VENTANA));
        Poner_Reloj(Momento(7, 59, 50));
        QVERIFY(Iniciar());
        QVERIFY(En(Momento(8, 0, 0, 400)));
        QVERIFY(QTest::qWaitFor([&] { return !v->De_Tipo(QStringLiteral("1026")).isEmpty(); }, kEspera));
        const auto reportes = v->De_Tipo(QStringLiteral("1025"));
        QCOMPARE(reportes.size(), 1);
        QCOMPARE(reportes[0].tiW, codigo);
        QCOMPARE(reportes[0].tiL, 0);
        if (codigo == 4)
            QCOMPARE(reportes[0].tsTexto, qt_error_string(ENOENT) + QStringLiteral(": ") + c->Ruta_AlertWindow_Prueba());
        else
            QVERIFY2(reportes[0].tsTexto.contains(qt_error_string(EACCES)), qPrintable(reportes[0].tsTexto));
        QCOMPARE(h->psError.Leer(), reportes[0].tsTexto);
        QCOMPARE(Valor_En_Archivo(archivo, QStringLiteral("LastRunTime")), Float_To_Str_Sin_Punto(Dias(Momento(8, 0))));
        QCOMPARE(Ms(Proxima(archivo)), Ms(Dias(Momento(8, 0, 0, 0, 1))));
    }

    // Started with the session, every reminder of type 5 fires once on the first pass,
    // in table order; a restarted thread and a start by hand do not fire them.
    void autoStart()
    {
        const QString a = c->Grabar(QStringLiteral("data1.od"), Tarea_Base(QStringLiteral("inicio 1"), TAREA_AL_INICIAR));
        c->Grabar(QStringLiteral("data2.od"), Diaria(QStringLiteral("diaria"), 9, 0));
        const QString b = c->Grabar(QStringLiteral("data3.od"), Tarea_Base(QStringLiteral("inicio 2"), TAREA_AL_INICIAR));
        bool autoStarted = true;
        QString error;
        h = Iniciar_Thread_Alerta(Inicio(), autoStarted, error);
        QVERIFY(h);
        QVERIFY(!autoStarted); // handed over once
        QVERIFY(Ticks(6));
        QCOMPARE(v->Secuencia(), (QStringList{QStringLiteral("popup:inicio 1"), QStringLiteral("1026"),
                                              QStringLiteral("popup:inicio 2"), QStringLiteral("1026")}));
        QCOMPARE(Proxima(a), -1.0);
        QCOMPARE(Proxima(b), -1.0);
        QCOMPARE(Valor_En_Archivo(a, QStringLiteral("LastRunTime")), Float_To_Str_Sin_Punto(Dias(Momento(7, 0))));

        QString e203, e202;
        QVERIFY(Reiniciar_Thread_Alerta(h, Inicio(), autoStarted, e203, e202));
        QVERIFY(e203.isEmpty() && e202.isEmpty());
        QVERIFY(Ticks(6));
        QCOMPARE(v->De_Tipo(QStringLiteral("popup")).size(), 2);

        // Started by hand, a type-5 reminder fires only when snoozed.
        Detener_Thread_Alerta(h);
        Poner_Reloj(Momento(7, 9));
        TTipoTarea pospuesta = Tarea_Base(QStringLiteral("inicio pospuesto"), TAREA_AL_INICIAR);
        pospuesta.tiSnoozeTime = 10;
        pospuesta.tdSnoozeRun = Dias(Momento(7, 10));
        c->Grabar(QStringLiteral("data4.od"), pospuesta);
        QVERIFY(Iniciar(false));
        QVERIFY(Caminar(Momento(7, 9, 30), Momento(7, 11)));
        QCOMPARE(v->Secuencia().mid(4), (QStringList{QStringLiteral("popup:inicio pospuesto"), QStringLiteral("1026")}));
    }

    // Jumps of the clock: a resume from sleep reloads with ten minutes of grace, any other
    // jump with 90 seconds; what lies further back is skipped to the next occurrence.
    void clockJumps_data()
    {
        QTest::addColumn<QDateTime>("desde");
        QTest::addColumn<QDateTime>("hasta");
        QTest::addColumn<bool>("reanudacion");
        QTest::addColumn<bool>("dispara");
        QTest::newRow("resume at 08:05") << Momento(7, 59) << Momento(8, 5) << true << true;
        QTest::newRow("resume at 08:10:00") << Momento(7, 59) << Momento(8, 10) << true << true;
        QTest::newRow("resume at 08:11") << Momento(7, 59) << Momento(8, 11) << true << false;
        QTest::newRow("resume a day later, 08:11") << Momento(7, 59) << Momento(8, 11, 0, 0, 1) << true << false;
        QTest::newRow("clock set to 08:01") << Momento(7, 59) << Momento(8, 1) << false << true;
        QTest::newRow("clock set to 08:05") << Momento(7, 59) << Momento(8, 5) << false << false;
        QTest::newRow("forward 07:30 to 09:30") << Momento(7, 30) << Momento(9, 30) << false << false;
    }
    void clockJumps()
    {
        QFETCH(QDateTime, desde);
        QFETCH(QDateTime, hasta);
        QFETCH(bool, reanudacion);
        QFETCH(bool, dispara);
        const QString archivo = c->Grabar(QStringLiteral("data1.od"), Diaria(QStringLiteral("d"), 8, 0));
        Poner_Reloj(desde);
        QVERIFY(Iniciar());
        QCOMPARE(v->De_Tipo(QStringLiteral("1026")).size(), 0);
        if (reanudacion)
            h->pbSleepHibernate = true;
        QVERIFY(En(hasta));
        QVERIFY(Ticks(2));
        QVERIFY(!h->pbSleepHibernate);
        // The jump itself is announced, then the firing.
        QCOMPARE(v->Secuencia(), dispara ? (QStringList{QStringLiteral("1026"), QStringLiteral("popup:d"), QStringLiteral("1026")})
                                         : QStringList{QStringLiteral("1026")});
        const QDateTime siguiente(hasta.date().addDays(hasta.time() >= QTime(8, 0) ? 1 : 0), QTime(8, 0));
        QCOMPARE(Ms(Proxima(archivo)), Ms(Dias(siguiente)));
    }

    // Moving the clock back below a reminder that already fired today fires it again.
    void clockBackFiresAgain()
    {
        c->Grabar(QStringLiteral("data1.od"), Diaria(QStringLiteral("d"), 8, 0));
        Poner_Reloj(Momento(7, 59, 30));
        QVERIFY(Iniciar());
        QVERIFY(Caminar(Momento(7, 59, 30), Momento(8, 0, 30)));
        QCOMPARE(v->De_Tipo(QStringLiteral("popup")).size(), 1);
        QVERIFY(Caminar(Momento(9, 30), Momento(9, 30)));
        QVERIFY(Caminar(Momento(7, 30), Momento(8, 0, 30)));
        const auto popups = v->De_Tipo(QStringLiteral("popup"));
        QCOMPARE(popups.size(), 2);
        QCOMPARE(Ms(popups[1].tdReloj), Ms(Dias(Momento(8, 0))));
    }

    // A popup-only reminder that deletes itself is retired to ".odb" and leaves the
    // table; with the alert window it keeps its file and gets its last run time.
    void autoDelete_data()
    {
        QTest::addColumn<int>("modo");
        QTest::addColumn<bool>("retirado");
        QTest::newRow("popup only") << 1 << true;
        QTest::newRow("window") << 2 << false;
        QTest::newRow("both") << 3 << false;
    }
    void autoDelete()
    {
        QFETCH(int, modo);
        QFETCH(bool, retirado);
        c->Instalar_AlertWindow();
        TTipoTarea t = Una_Vez(QStringLiteral("una"), Momento(8, 0), modo);
        t.tiAutoDelete = 1;
        const QString archivo = c->Grabar(QStringLiteral("data1.od"), t);
        Poner_Reloj(Momento(7, 59, 50));
        QVERIFY(Iniciar());
        QVERIFY(En(Momento(8, 0, 0, 300)));
        QVERIFY(Ticks(2));
        QCOMPARE(QFileInfo::exists(archivo), !retirado);
        QCOMPARE(QFileInfo::exists(Nombre_Retirado(archivo)), retirado);
        if (retirado) {
            QVERIFY(Archivos_En_Tabla().isEmpty());
            QCOMPARE(Valor_En_Archivo(Nombre_Retirado(archivo), QStringLiteral("LastRunTime")), QStringLiteral("0"));
        } else {
            QCOMPARE(Archivos_En_Tabla(), QStringList{archivo});
            QCOMPARE(Valor_En_Archivo(archivo, QStringLiteral("LastRunTime")), Float_To_Str_Sin_Punto(Dias(Momento(8, 0))));
        }
        QCOMPARE(v->De_Tipo(QStringLiteral("1026")).size(), 1);
    }

    // A write-back that fails gives 1025/7; the table still takes the firing, so the
    // reminder does not fire again. A retirement that fails is reported the same way and
    // the last run time is written instead.
    void writeBackFailures_data()
    {
        QTest::addColumn<bool>("retirar");
        QTest::newRow("write refused") << false;
        QTest::newRow("retirement refused") << true;
    }
    void writeBackFailures()
    {
        QFETCH(bool, retirar);
        TTipoTarea t = retirar ? Una_Vez(QStringLiteral("r"), Momento(8, 0)) : Diaria(QStringLiteral("r"), 8, 0);
        t.tiAutoDelete = retirar ? 1 : 0;
        const QString archivo = c->Grabar(QStringLiteral("data1.od"), t);
        if (retirar) {
            // The ".odb" name is taken by a folder that is not empty: the rename fails.
            QVERIFY(QDir().mkpath(Nombre_Retirado(archivo) + QStringLiteral("/ocupado")));
        } else {
            // While the popup shows, the file turns into one that cannot be read back.
            v->pAlMostrar = [&] {
                QFile::remove(archivo);
                QFile::link(QStringLiteral("/proc/self/mem"), archivo);
            };
        }
        Poner_Reloj(Momento(7, 59, 50));
        QVERIFY(Iniciar());
        QVERIFY(En(Momento(8, 0, 0, 100)));
        QVERIFY(Ticks(3));
        const auto reportes = v->De_Tipo(QStringLiteral("1025"));
        QCOMPARE(reportes.size(), 1);
        QCOMPARE(reportes[0].tiW, 7);
        QVERIFY2(reportes[0].tsTexto.contains(archivo), qPrintable(reportes[0].tsTexto));
        QCOMPARE(v->De_Tipo(QStringLiteral("popup")).size(), 1);
        if (retirar) {
            QVERIFY(QFileInfo::exists(archivo));
            QCOMPARE(Valor_En_Archivo(archivo, QStringLiteral("LastRunTime")), Float_To_Str_Sin_Punto(Dias(Momento(8, 0))));
            QCOMPARE(Proxima(archivo), 0.0);
        } else {
            QFile::remove(archivo); // before the stop, so no reload meets it
            QCOMPARE(Ms(Proxima(archivo)), Ms(Dias(Momento(8, 0, 0, 0, 1))));
        }
    }

    // A file deleted just before its reminder fires: the popup still shows, no alert
    // window is started, nothing is written or created, and the next tick drops it.
    void deletedFileStillAlerts_data()
    {
        QTest::addColumn<bool>("duranteElPopup");
        QTest::newRow("before the tick") << false;
        QTest::newRow("while the popup shows") << true;
    }
    void deletedFileStillAlerts()
    {
        QFETCH(bool, duranteElPopup);
        c->Instalar_AlertWindow();
        const QString archivo = c->Grabar(QStringLiteral("data1.od"), Diaria(QStringLiteral("borrada"), 8, 0, ALERTA_AMBAS));
        Poner_Reloj(Momento(7, 59, 50));
        QVERIFY(Iniciar());
        if (duranteElPopup)
            v->pAlMostrar = [&] { QFile::remove(archivo); };
        else
            QVERIFY(QFile::remove(archivo));
        QVERIFY(En(Momento(8, 0, 0, 100)));
        QVERIFY(Ticks(2));
        QCOMPARE(v->Secuencia(), (QStringList{QStringLiteral("popup:borrada"), QStringLiteral("1026")}));
        QVERIFY(v->De_Tipo(QStringLiteral("1025")).isEmpty());
        QVERIFY(!QFileInfo::exists(archivo));
        QVERIFY(!QFileInfo::exists(Nombre_Retirado(archivo)));
        QCOMPARE(QDir(c->psDatos).entryList(QDir::Files | QDir::Hidden).size(), 0);
        QVERIFY(Archivos_En_Tabla().isEmpty());
        QCOMPARE(c->Llamadas().size(), 0);
    }

    // Reminders due in the same tick fire in table order, each followed by 1026.
    void sameTickInTableOrder()
    {
        c->Grabar(QStringLiteral("data3.od"), Una_Vez(QStringLiteral("tercera"), Momento(8, 0)));
        c->Grabar(QStringLiteral("Data1.od"), Diaria(QStringLiteral("primera"), 8, 0));
        c->Grabar(QStringLiteral("data2.od"), Diaria(QStringLiteral("no toca"), 9, 0));
        Poner_Reloj(Momento(7, 59, 50));
        QVERIFY(Iniciar());
        QVERIFY(En(Momento(8, 0, 0, 500)));
        QCOMPARE(v->Secuencia(), (QStringList{QStringLiteral("popup:primera"), QStringLiteral("1026"),
                                              QStringLiteral("popup:tercera"), QStringLiteral("1026")}));
    }

    // Two files whose names differ only in letter case are two reminders: firing one
    // recomputes that one alone, so the other, due in the same tick, fires as well.
    void namesDifferingInCaseAreTwoReminders()
    {
        const QString a = c->Grabar(QStringLiteral("data1.od"), Diaria(QStringLiteral("minúsculas"), 8, 0));
        const QString b = c->Grabar(QStringLiteral("DATA1.od"), Diaria(QStringLiteral("mayúsculas"), 8, 0));
        Poner_Reloj(Momento(7, 59, 50));
        QVERIFY(Iniciar());
        QVERIFY(En(Momento(8, 0, 0, 500)));
        QStringList nombres;
        for (const auto &e : v->De_Tipo(QStringLiteral("popup")))
            nombres << e.tsNombre;
        nombres.sort();
        QCOMPARE(nombres, (QStringList{QStringLiteral("mayúsculas"), QStringLiteral("minúsculas")}));
        QCOMPARE(Valor_En_Archivo(a, QStringLiteral("LastRunTime")), Float_To_Str_Sin_Punto(Dias(Momento(8, 0))));
        QCOMPARE(Valor_En_Archivo(b, QStringLiteral("LastRunTime")), Float_To_Str_Sin_Punto(Dias(Momento(8, 0))));
    }

    // Bad files are reported three times per thread at most; the good ones load.
    void badFilesReportedThreeTimes()
    {
        const QStringList buenas = Lineas_Archivo_Tarea(Diaria(QStringLiteral("buena"), 8, 0));
        auto Mala = [&](const QString &rsNombre, const QString &rsLlave, const QString &rsValor) {
            QStringList l;
            for (const QString &linea : buenas)
                if (!linea.startsWith(rsLlave + QLatin1Char('=')))
                    l << linea;
            if (!rsValor.isNull())
                l << rsLlave + QLatin1Char('=') + rsValor;
            QVERIFY(Grabar_Lineas_Cifradas(c->Archivo(rsNombre), l));
        };
        Mala(QStringLiteral("data1.od"), QStringLiteral("Lenguaje"), QString());
        Mala(QStringLiteral("data2.od"), QStringLiteral("AlertWindow"), QStringLiteral("x"));
        const QString buena = c->Grabar(QStringLiteral("data3.od"), Diaria(QStringLiteral("buena"), 8, 0));
        Mala(QStringLiteral("data4.od"), QStringLiteral("TareaTipo"), QStringLiteral("9"));
        Mala(QStringLiteral("data5.od"), QStringLiteral("TocarSonido"), QStringLiteral("x"));
        QVERIFY(Iniciar());
        auto Reportes = [&] {
            QStringList r;
            for (const auto &e : v->De_Tipo(QStringLiteral("1025")))
                r << QString::number(e.tiW) + QLatin1Char('/') + QString::number(e.tiL) + QLatin1Char(' ') + e.tsTexto;
            return r;
        };
        const QStringList tres{QStringLiteral("3/1 ") + c->Archivo(QStringLiteral("data1.od")),
                               QStringLiteral("3/3 ") + c->Archivo(QStringLiteral("data2.od")),
                               QStringLiteral("3/26 ") + c->Archivo(QStringLiteral("data4.od"))};
        QCOMPARE(Reportes(), tres);
        QCOMPARE(Archivos_En_Tabla(), QStringList{buena});
        h->pbLeerArchivos = true;
        QVERIFY(Ticks(3));
        QCOMPARE(Reportes(), tres);

        // A new thread counts from zero.
        bool autoStarted = false;
        QString e203, e202;
        QVERIFY(Reiniciar_Thread_Alerta(h, Inicio(), autoStarted, e203, e202));
        QVERIFY(Ticks(3));
        QCOMPARE(Reportes(), tres + tres);
    }

    // A file that cannot be read is skipped and reported once, 1025/3 with its path and
    // the system's text; the others load and fire, and the thread never stalls. It is
    // not reported again while it stays unreadable, and again when it turns so anew.
    void unreadableFileSkipped()
    {
        c->Grabar(QStringLiteral("data1.od"), Diaria(QStringLiteral("d"), 8, 0));
        c->Grabar(QStringLiteral("data3.od"), Diaria(QStringLiteral("e"), 8, 1));
        // Opens fine and fails on the first read, even for root.
        const QString ilegible = c->Archivo(QStringLiteral("data2.od"));
        QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"), ilegible));
        Poner_Reloj(Momento(7, 59, 50));
        QVERIFY(Iniciar());
        auto reportes = v->De_Tipo(QStringLiteral("1025"));
        QCOMPARE(reportes.size(), 1);
        QCOMPARE(reportes[0].tiW, 3);
        QCOMPARE(reportes[0].tiL, 0);
        QVERIFY2(reportes[0].tsTexto.startsWith(ilegible + QStringLiteral(": ")) &&
                     reportes[0].tsTexto.size() > ilegible.size() + 2,
                 qPrintable(reportes[0].tsTexto));
        QVERIFY(!h->pbErrorGrave);
        QCOMPARE(Archivos_En_Tabla().size(), 2);

        h->pbLeerArchivos = true;
        QVERIFY(Caminar(Momento(7, 59, 50), Momento(8, 1, 30), 20));
        QCOMPARE(v->Secuencia(), (QStringList{QStringLiteral("popup:d"), QStringLiteral("1026"),
                                              QStringLiteral("popup:e"), QStringLiteral("1026")}));
        QCOMPARE(v->De_Tipo(QStringLiteral("1025")).size(), 1);

        QVERIFY(QFile::remove(ilegible));
        h->pbLeerArchivos = true;
        QVERIFY(Ticks(3));
        QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"), ilegible));
        h->pbLeerArchivos = true;
        QVERIFY(Ticks(3));
        QCOMPARE(v->De_Tipo(QStringLiteral("1025")).size(), 2);
    }

    // A data folder that exists but cannot be listed is reported (not taken for an empty
    // one), the thread does not stall, and the next reload tries again.
    void unlistableFolderReported()
    {
        KESTRIN_COMO_NOBODY();
        const QString archivo = c->Grabar(QStringLiteral("data1.od"), Diaria(QStringLiteral("d"), 8, 0));
        QVERIFY(QFile::setPermissions(c->psDatos, QFileDevice::Permissions()));
        QVERIFY(Iniciar());
        QFile::setPermissions(c->psDatos, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        const auto reportes = v->De_Tipo(QStringLiteral("1025"));
        QCOMPARE(reportes.size(), 1);
        QCOMPARE(reportes[0].tiW, 3);
        QVERIFY2(reportes[0].tsTexto == QDir::cleanPath(c->psDatos) + QStringLiteral(": Permission denied"),
                 qPrintable(reportes[0].tsTexto));
        QVERIFY(!h->pbErrorGrave);
        QVERIFY(Archivos_En_Tabla().isEmpty());
        h->pbLeerArchivos = true;
        QVERIFY(Ticks(3));
        QCOMPARE(Archivos_En_Tabla(), QStringList{archivo});
    }

    // Reports of a thread that a restart replaced are dropped, those posted before the
    // restart and not yet handled included: the new thread's come once.
    void replacedThreadReportsDropped()
    {
        QVERIFY(Grabar_Lineas_Cifradas(c->Archivo(QStringLiteral("data1.od")), {QStringLiteral("TaskName1=x")}));
        bool autoStarted = false;
        QString error, e203, e202;
        h = Iniciar_Thread_Alerta(Inicio(), autoStarted, error);
        QVERIFY(h);
        // No events are handled meanwhile: its report waits in the queue.
        QDeadlineTimer limite(kEspera);
        while (h->Ticks_Completos() < 2 && !limite.hasExpired())
            QThread::msleep(1);
        QVERIFY(v->paEventos.isEmpty());
        QVERIFY(Reiniciar_Thread_Alerta(h, Inicio(), autoStarted, e203, e202));
        QVERIFY(Ticks(3));
        const auto reportes = v->De_Tipo(QStringLiteral("1025"));
        QCOMPARE(reportes.size(), 1);
        QCOMPARE(reportes[0].tiW, 3);
        QCOMPARE(reportes[0].tiL, 1);
    }

    // A folder lock held for ever by someone else: the write-back fails with 1025/7 after
    // the limit, and the stop at shutdown does not wait for ever.
    void lockedFolderDoesNotHoldShutdown()
    {
        Fijar_Espera_Bloqueo_Carpeta_Ms(200);
        const QString archivo = c->Grabar(QStringLiteral("data1.od"), Diaria(QStringLiteral("d"), 8, 0));
        Poner_Reloj(Momento(7, 59, 50));
        QVERIFY(Iniciar());
        TBloqueoCarpeta otro(QFileInfo(archivo).absolutePath());
        QVERIFY(otro.Bloqueado());
        Poner_Reloj(Momento(8, 0, 0, 200));
        const bool reportado = QTest::qWaitFor([&] { return !v->De_Tipo(QStringLiteral("1025")).isEmpty(); }, kEspera);
        Fijar_Espera_Bloqueo_Carpeta_Ms(5000);
        QVERIFY(reportado);
        const auto r = v->De_Tipo(QStringLiteral("1025")).first();
        QCOMPARE(r.tiW, 7);
        QVERIFY2(r.tsTexto.contains(QStringLiteral("locked")), qPrintable(r.tsTexto));
        Detener_Thread_Alerta(h);
        QVERIFY(!h);
        QCOMPARE(Valor_En_Archivo(archivo, QStringLiteral("LastRunTime")), QStringLiteral("0"));
    }

    // An unexpected failure ends the loop with 1027 and its text.
    void unexpectedFailureEndsLoop()
    {
        QVERIFY(Iniciar());
        Establecer_Reloj([]() -> QDateTime { throw std::runtime_error("el reloj falló"); });
        const bool termino = QTest::qWaitFor([&] { return h->isFinished(); }, kEspera);
        Usar_Reloj_De_Prueba();
        QVERIFY(termino);
        QVERIFY(QTest::qWaitFor([&] { return !v->De_Tipo(QStringLiteral("1027")).isEmpty(); }, kEspera));
        const auto e = v->De_Tipo(QStringLiteral("1027")).first();
        QCOMPARE(e.tiW, 1);
        QCOMPARE(e.tsTexto, QStringLiteral("el reloj falló"));
        QVERIFY(h->pbErrorGrave);
    }

    // A reload that lands between two due passes, just after a reminder fell due, must
    // not move that reminder past its due moment: it fires once, in the next pass. The
    // reload comes from a request (a list change) or from the retirement of a
    // self-deleting reminder that fired a moment earlier; the clock moves while that
    // reminder's popup is shown, so the next pass is the first to see the later time.
    void reloadAfterDueTime_data()
    {
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<int>("desfaseMs");
        QTest::addColumn<bool>("porRetiro");
        for (const char *tipo : {"once", "daily", "hourly", "weekly", "snoozed"})
            for (int desfase : {100, 500, 990})
                for (bool retiro : {false, true})
                    QTest::addRow("%s, %d ms, %s", tipo, desfase, retiro ? "retirement" : "request")
                        << QString::fromLatin1(tipo) << desfase << retiro;
    }
    void reloadAfterDueTime()
    {
        QFETCH(QString, tipo);
        QFETCH(int, desfaseMs);
        QFETCH(bool, porRetiro);
        TTipoTarea disparador = Una_Vez(QStringLiteral("A"), Momento(7, 59, 59));
        disparador.tiAutoDelete = porRetiro ? 1 : 0;
        c->Grabar(QStringLiteral("data1.od"), disparador);

        TTipoTarea b;
        if (tipo == QLatin1String("once")) {
            b = Una_Vez(QStringLiteral("B"), Momento(8, 0));
        } else if (tipo == QLatin1String("daily")) {
            b = Diaria(QStringLiteral("B"), 8, 0);
        } else if (tipo == QLatin1String("hourly")) {
            b = Tarea_Base(QStringLiteral("B"), TAREA_CADA_HORA);
            b.tdFechaInicio = Dias(Momento(8, 0, 0, 0, -3));
            b.tsRangoHoraInicio = QStringLiteral("08:00");
            b.tsRangoHoraFin = QStringLiteral("12:00");
            b.tiRangoCadaHora = 2;
            b.tsDiasSemana = QStringLiteral("1234567");
        } else if (tipo == QLatin1String("weekly")) {
            b = Tarea_Base(QStringLiteral("B"), TAREA_SEMANAL);
            b.tdFechaInicio = Dias(Momento(8, 0, 0, 0, -14));
            b.tsDiasSemana = QString::number(Momento(0, 0).date().dayOfWeek());
        } else { // a daily 07:00 reminder snoozed until 08:00
            b = Diaria(QStringLiteral("B"), 7, 0);
            b.tdSnoozeRun = Dias(Momento(8, 0));
        }
        const QString archivo = c->Grabar(QStringLiteral("data2.od"), b);

        v->pAlMostrar = [&] {
            if (v->De_Tipo(QStringLiteral("popup")).size() != 1)
                return;
            Poner_Reloj(Momento(8, 0, 0, desfaseMs));
            if (!porRetiro)
                h->pbLeerArchivos = true;
        };
        Poner_Reloj(Momento(7, 59, 58));
        QVERIFY(Iniciar());
        Poner_Reloj(Momento(7, 59, 59));
        QVERIFY(QTest::qWaitFor([&] { return v->De_Tipo(QStringLiteral("popup")).size() >= 2; }, kEspera));
        QVERIFY(Ticks(5));
        QCOMPARE(v->Secuencia(), (QStringList{QStringLiteral("popup:A"), QStringLiteral("1026"),
                                              QStringLiteral("popup:B"), QStringLiteral("1026")}));
        QCOMPARE(Valor_En_Archivo(archivo, QStringLiteral("LastRunTime")), Float_To_Str_Sin_Punto(Dias(Momento(8, 0))));
        QVERIFY(Ms(Proxima(archivo)) == 0 || Ms(Proxima(archivo)) > Ms(Dias(Momento(8, 0))));
    }

    // Reloads at every tick while the clock crosses two due moments: each fires once.
    void reloadsInARow()
    {
        c->Grabar(QStringLiteral("data1.od"), Una_Vez(QStringLiteral("una"), Momento(8, 0)));
        c->Grabar(QStringLiteral("data2.od"), Diaria(QStringLiteral("diaria"), 8, 0));
        Poner_Reloj(Momento(7, 59, 59, 500));
        QVERIFY(Iniciar());
        for (int paso = 1; paso <= 10; ++paso) {
            h->pbLeerArchivos = true;
            Poner_Reloj(Momento(7, 59, 59, 500).addMSecs(100 * paso));
            QVERIFY(Ticks(1));
        }
        QVERIFY(Ticks(5));
        QStringList nombres;
        for (const auto &e : v->De_Tipo(QStringLiteral("popup")))
            nombres << e.tsNombre;
        QCOMPARE(nombres, (QStringList{QStringLiteral("una"), QStringLiteral("diaria")}));
    }

    // Files added while the thread runs are seen only when a reload is asked for.
    void reloadOnRequest()
    {
        Poner_Reloj(Momento(7, 59, 30));
        QVERIFY(Iniciar());
        const QString archivo = c->Grabar(QStringLiteral("data1.od"), Una_Vez(QStringLiteral("nueva"), Momento(8, 0)));
        QVERIFY(Ticks(3));
        QVERIFY(Archivos_En_Tabla().isEmpty());
        h->pbLeerArchivos = true;
        QVERIFY(Ticks(2));
        QCOMPARE(Archivos_En_Tabla(), QStringList{archivo});
        QVERIFY(En(Momento(8, 0)));
        QCOMPARE(v->Secuencia(), (QStringList{QStringLiteral("popup:nueva"), QStringLiteral("1026")}));
    }

    // Stopping while the thread waits for the folder lock to write "LastRunTime": the
    // stop waits for the write, which completes; the file is whole and updated.
    void stopWhileWriting()
    {
        const QString archivo = c->Grabar(QStringLiteral("data1.od"), Diaria(QStringLiteral("d"), 8, 0));
        Poner_Reloj(Momento(7, 59, 50));
        QVERIFY(Iniciar());
        auto bloqueo = std::make_unique<TBloqueoCarpeta>(QFileInfo(archivo).absolutePath());
        QVERIFY(bloqueo->Bloqueado());
        Poner_Reloj(Momento(8, 0, 0, 200));
        QVERIFY(QTest::qWaitFor([&] { return !v->De_Tipo(QStringLiteral("popup")).isEmpty(); }, kEspera));
        // The thread is now in the write, held at the lock.
        QTimer::singleShot(200, [&] { bloqueo.reset(); });
        Detener_Thread_Alerta(h);
        QVERIFY(!h);
        QVERIFY(!bloqueo);
        TTipoTarea leida;
        int codigo = -1;
        QCOMPARE(Leer_Archivo_Tarea(archivo, leida, codigo), TLectura::Ok);
        QCOMPARE(codigo, 0);
        QCOMPARE(Float_To_Str_Sin_Punto(leida.tdLastRunTime), Float_To_Str_Sin_Punto(Dias(Momento(8, 0))));
        QCOMPARE(leida.tsTaskName, QStringLiteral("d"));
    }

    // A restart whose old thread is still busy after the grace leaves it to finish its
    // write and starts the new one; the stop at shutdown waits for both.
    void restartDoesNotCutAWrite()
    {
        const QString archivo = c->Grabar(QStringLiteral("data1.od"), Diaria(QStringLiteral("d"), 8, 0));
        Poner_Reloj(Momento(7, 59, 50));
        QVERIFY(Iniciar());
        auto bloqueo = std::make_unique<TBloqueoCarpeta>(QFileInfo(archivo).absolutePath());
        Poner_Reloj(Momento(8, 0, 0, 200));
        QVERIFY(QTest::qWaitFor([&] { return !v->De_Tipo(QStringLiteral("popup")).isEmpty(); }, kEspera));
        QPointer<TThreadAlerta> viejo(h.get());
        bool autoStarted = false;
        QString e203, e202;
        QVERIFY(Reiniciar_Thread_Alerta(h, Inicio(), autoStarted, e203, e202));
        QVERIFY(viejo && viejo->isRunning()); // left to finish, not cut off
        QVERIFY(h.get() != viejo.data());
        QTimer::singleShot(100, [&] { bloqueo.reset(); });
        Detener_Thread_Alerta(h);
        QVERIFY(!viejo);
        QCOMPARE(Valor_En_Archivo(archivo, QStringLiteral("LastRunTime")), Float_To_Str_Sin_Punto(Dias(Momento(8, 0))));
        QCOMPARE(v->De_Tipo(QStringLiteral("popup")).size(), 1);
    }

    // The waits of a restart and of a stop handle the caller's events, and a handler may
    // ask for the other: a stop (shutdown) during a restart's grace ends the restart
    // without a new thread; a restart asked for during a stop is ignored.
    void stopAndRestartMeetInTheirWaits()
    {
        const QString archivo = c->Grabar(QStringLiteral("data1.od"), Diaria(QStringLiteral("d"), 8, 0));
        Poner_Reloj(Momento(7, 59, 50));
        QVERIFY(Iniciar());
        auto bloqueo = std::make_unique<TBloqueoCarpeta>(QFileInfo(archivo).absolutePath());
        Poner_Reloj(Momento(8, 0, 0, 200));
        QVERIFY(QTest::qWaitFor([&] { return !v->De_Tipo(QStringLiteral("popup")).isEmpty(); }, kEspera));
        // The thread is held in its write; the shutdown comes during the restart's grace.
        QPointer<TThreadAlerta> viejo(h.get());
        QTimer::singleShot(100, [&] {
            bloqueo.reset();
            Detener_Thread_Alerta(h);
        });
        bool autoStarted = false;
        QString e203, e202;
        QVERIFY(!Reiniciar_Thread_Alerta(h, Inicio(), autoStarted, e203, e202));
        QVERIFY(!h);
        QVERIFY(!viejo);
        QVERIFY(e203.isEmpty() && e202.isEmpty());

        // A restart asked for by a message handled while the stop waits.
        QVERIFY(Iniciar());
        bloqueo = std::make_unique<TBloqueoCarpeta>(QFileInfo(archivo).absolutePath());
        Poner_Reloj(Momento(8, 0, 0, 200, 1));
        QVERIFY(QTest::qWaitFor([&] { return v->De_Tipo(QStringLiteral("popup")).size() == 2; }, kEspera));
        viejo = h.get();
        bool reiniciado = true;
        QTimer::singleShot(100, [&] {
            reiniciado = Reiniciar_Thread_Alerta(h, Inicio(), autoStarted, e203, e202);
            bloqueo.reset();
        });
        Detener_Thread_Alerta(h);
        QVERIFY(!reiniciado);
        QVERIFY(!h);
        QVERIFY(!viejo);
    }

    // A stop while the thread waits in a popup call: served by the stop's own event
    // handling, or, when the caller handles no events (the object simply destroyed),
    // the thread gives the wait up and the popup still shows later. The pause between
    // ticks does not hold a stop up either (an hour-long tick here).
    void stopDuringCallAndPause()
    {
        c->Grabar(QStringLiteral("data1.od"), Diaria(QStringLiteral("d"), 8, 0));
        c->Grabar(QStringLiteral("data2.od"), Diaria(QStringLiteral("e"), 8, 1));
        Poner_Reloj(Momento(7, 59, 59));
        QVERIFY(Iniciar());
        Poner_Reloj(Momento(8, 0, 0, 100));
        // This thread handles no events now, so the popup call waits in its queue.
        QThread::msleep(100);
        QVERIFY(v->paEventos.isEmpty());
        Detener_Thread_Alerta(h);
        QVERIFY(!h);
        QTRY_COMPARE(v->Secuencia(), (QStringList{QStringLiteral("popup:d"), QStringLiteral("1026")}));

        Poner_Reloj(Momento(8, 0, 30));
        QVERIFY(Iniciar());
        Poner_Reloj(Momento(8, 1, 0, 100));
        QThread::msleep(100);
        h.reset();
        QTRY_COMPARE(v->Secuencia().mid(2), (QStringList{QStringLiteral("popup:e"), QStringLiteral("1026")}));

        bool autoStarted = false;
        QString error;
        h = Iniciar_Thread_Alerta(Inicio(3600 * 1000), autoStarted, error);
        QVERIFY(h && h->isRunning());
        Detener_Thread_Alerta(h);
        QVERIFY(!h);
    }

    // A simulated day, 45 seconds a tick: each reminder fires at its moment and only then.
    void simulatedDay()
    {
        const QDateTime inicio = Momento(0, 0);
        TTipoTarea horaria = Tarea_Base(QStringLiteral("horaria"), TAREA_CADA_HORA);
        horaria.tdFechaInicio = Dias(Momento(12, 0, 0, 0, -3));
        horaria.tsRangoHoraInicio = QStringLiteral("08:00");
        horaria.tsRangoHoraFin = QStringLiteral("12:00");
        horaria.tiRangoCadaHora = 2;
        horaria.tsDiasSemana = QStringLiteral("1234567");
        TTipoTarea semanal = Tarea_Base(QStringLiteral("semanal"), TAREA_SEMANAL);
        semanal.tdFechaInicio = Dias(Momento(20, 0, 0, 0, -14));
        semanal.tsDiasSemana = QString::number(Momento(0, 0).date().dayOfWeek());
        TTipoTarea otroDia = semanal;
        otroDia.tsTaskName = QStringLiteral("otro día");
        otroDia.tsDiasSemana = QString::number(Momento(0, 0, 0, 0, 1).date().dayOfWeek());
        c->Grabar(QStringLiteral("data1.od"), Diaria(QStringLiteral("diaria"), 8, 0));
        c->Grabar(QStringLiteral("data2.od"), horaria);
        c->Grabar(QStringLiteral("data3.od"), Una_Vez(QStringLiteral("una vez"), Momento(15, 30)));
        c->Grabar(QStringLiteral("data4.od"), semanal);
        c->Grabar(QStringLiteral("data5.od"), otroDia);

        // The clock follows the thread's own ticks, so every tick sees the next step.
        std::atomic<TThreadAlerta *> hilo{nullptr};
        Establecer_Reloj([&] {
            const TThreadAlerta *t = hilo.load();
            return inicio.addSecs(45 * (t ? t->Ticks_Completos() : 0));
        });
        bool autoStarted = false;
        QString error;
        h = Iniciar_Thread_Alerta(Inicio(1), autoStarted, error);
        hilo = h.get();
        const qint64 pasos = 86400 / 45;
        const bool termino = QTest::qWaitFor([&] { return h->Ticks_Completos() >= pasos; }, 120000);
        Detener_Thread_Alerta(h);
        hilo = nullptr;
        Usar_Reloj_De_Prueba();
        QVERIFY(termino);

        QStringList vistos;
        for (const auto &e : v->De_Tipo(QStringLiteral("popup")))
            vistos << e.tsNombre + QLatin1Char(' ') + Dias_a_DateTime(e.tdReloj).toString(QStringLiteral("HH:mm:ss"));
        QCOMPARE(vistos, (QStringList{QStringLiteral("diaria 08:00:00"), QStringLiteral("horaria 08:00:00"),
                                      QStringLiteral("horaria 10:00:00"), QStringLiteral("horaria 12:00:00"),
                                      QStringLiteral("una vez 15:30:00"), QStringLiteral("semanal 20:00:00")}));
        QCOMPARE(v->De_Tipo(QStringLiteral("1026")).size(), 6);
        QCOMPARE(Valor_En_Archivo(c->Archivo(QStringLiteral("data2.od")), QStringLiteral("LastRunTime")),
                 Float_To_Str_Sin_Punto(Dias(Momento(12, 0))));
    }
};

int main(int argc, char **argv)
{
    // Nothing here may touch the user's own folders.
    QTemporaryDir xdg;
    for (const char *variable : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"})
        qputenv(variable, QFile::encodeName(xdg.path() + QLatin1Char('/') + QLatin1String(variable)));
    QCoreApplication app(argc, argv);
    TestThreadAlerta prueba;
    return QTest::qExec(&prueba, argc, argv);
}

#include "test_thread.moc"
