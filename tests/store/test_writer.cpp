#include "loader.h"
#include "reminderfile.h"
#include "storetestutil.h"
#include "textforms.h"
#include "writer.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <thread>

namespace {
TTipoTarea Ejemplo(int tipo)
{
    TTipoTarea t;
    t.tsTaskName = QStringLiteral("Call Mañana");
    t.tsMensaje = QStringLiteral("  first line  \r\n\r\n   \r\nsecond = line");
    t.tsSummary = QStringLiteral("  Every day \r\n\r\nfrom now");
    t.tiLenguaje = 1;
    t.tiAlertWindow = 2;
    t.tiTocarSonido = 1;
    t.tiUsarSonidoDefault = 2;
    t.tsSonidoElegido = QStringLiteral("Sound 3");
    t.tsPathDelSonido = QStringLiteral("/usr/share/kestrin sounds/s3.mp3");
    t.tiRepetirSonido = 1;
    t.tiTareaTipo = tipo;
    t.tdFechaInicio = Dia(2026, 12, 24, 8, 30);
    t.tiSiempreRepetirHasta = 1;
    t.tdFechaFin = Dia(2027, 1, 31, 23, 59);
    t.tsDiasSemana = QStringLiteral("246");
    t.tsMeses = QStringLiteral(",02,11,");
    t.tsDias = QStringLiteral(",01,32,");
    t.tiRangoHoras = 2;
    t.tsRangoHoraInicio = QStringLiteral("09:15");
    t.tsRangoHoraFin = QStringLiteral("17:45");
    t.tiRangoCadaHora = 3;
    t.tsHorasLista = QStringLiteral("08:00 AM,12:30 PM");
    t.tdFechaCreacion = Dia(2026, 12, 9, 5, 30, 12);
    t.tiSnoozeTime = 15;
    t.tdSnoozeRun = Dia(2026, 12, 9, 6);
    t.tiAutoDelete = 1;
    t.tdLastRunTime = Dia(2026, 12, 8, 8, 30);
    return t;
}

QStringList Planas(const QString &archivo)
{
    QStringList l;
    Leer_Lineas_Planas(archivo, l);
    return l;
}

QString Valor(const QString &archivo, const QString &llave)
{
    return TValoresTarea(Planas(archivo)).Valor(llave);
}
} // namespace

class TestWriter : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(Usar_Locale_Con_Coma(), "no locale with a decimal comma"); }

    // Every field the type reads comes back; the rest come back with the defaults.
    void roundTrip_data()
    {
        QTest::addColumn<int>("tipo");
        for (int t = 1; t <= 7; ++t)
            QTest::addRow("type %d", t) << t;
    }
    void roundTrip()
    {
        QFETCH(int, tipo);
        QTemporaryDir dir;
        const TTipoTarea e = Ejemplo(tipo);
        const QString archivo = dir.filePath("x.od");
        QVERIFY(Grabar_Archivo_Tarea(archivo, e));
        TTipoTarea t;
        int codigo = -1;
        QCOMPARE(Leer_Archivo_Tarea(archivo, t, codigo), TLectura::Ok);
        QCOMPARE(codigo, 0);
        QCOMPARE(t.tsTaskName, e.tsTaskName);
        QCOMPARE(t.tsMensaje, QStringLiteral("first line\r\nsecond = line"));
        QCOMPARE(t.tsSummary, QStringLiteral("Every day\r\nfrom now"));
        QCOMPARE(t.tiLenguaje, 1);
        QCOMPARE(t.tiAlertWindow, 2);
        QCOMPARE(t.tiTocarSonido, 1);
        QCOMPARE(t.tiUsarSonidoDefault, 2);
        QCOMPARE(t.tsSonidoElegido, e.tsSonidoElegido);
        QCOMPARE(t.tsPathDelSonido, e.tsPathDelSonido);
        QCOMPARE(t.tiRepetirSonido, 1);
        QCOMPARE(t.tiTareaTipo, tipo);
        QCOMPARE(Dias_a_DateTime(t.tdFechaCreacion), Dias_a_DateTime(e.tdFechaCreacion));
        QCOMPARE(t.tiSnoozeTime, 15);
        QCOMPARE(Dias_a_DateTime(t.tdSnoozeRun), Dias_a_DateTime(e.tdSnoozeRun));
        QCOMPARE(Dias_a_DateTime(t.tdLastRunTime), Dias_a_DateTime(e.tdLastRunTime));

        const bool inicio = tipo != 5;
        const bool hasta = tipo == 2 || tipo == 3 || tipo == 6 || tipo == 7;
        QCOMPARE(Dias_a_DateTime(t.tdFechaInicio), inicio ? Dias_a_DateTime(e.tdFechaInicio) : Dias_a_DateTime(0));
        QCOMPARE(t.tiSiempreRepetirHasta, hasta ? 1 : 0);
        QCOMPARE(Dias_a_DateTime(t.tdFechaFin), hasta ? Dias_a_DateTime(e.tdFechaFin) : Dias_a_DateTime(0));
        QCOMPARE(t.tsDiasSemana, (tipo == 3 || tipo == 6) ? e.tsDiasSemana : QString());
        QCOMPARE(t.tsMeses, tipo == 4 ? e.tsMeses : QString());
        QCOMPARE(t.tsDias, tipo == 4 ? e.tsDias : QString());
        // Hourly with a list: the range fields come back as the defaults.
        QCOMPARE(t.tiRangoHoras, tipo == 6 ? 2 : 1);
        QCOMPARE(t.tsRangoHoraInicio, QStringLiteral("08:00"));
        QCOMPARE(t.tsRangoHoraFin, QStringLiteral("08:00"));
        QCOMPARE(t.tiRangoCadaHora, 1);
        QCOMPARE(t.tsHorasLista, tipo == 6 ? e.tsHorasLista : QString());
        // A file is read by its own rules: only type 1 writes AutoDelete.
        QCOMPARE(t.tiAutoDelete, tipo == 1 ? 1 : 0);
    }

    void lineOrderHourly()
    {
        TTipoTarea e = Ejemplo(6);
        e.tiTocarSonido = 0;
        const QStringList l = Lineas_Archivo_Tarea(e);
        QStringList llaves;
        for (const QString &s : l)
            llaves << s.section(QLatin1Char('='), 0, 0);
        QCOMPARE(llaves, (QStringList{"TaskName1", "Mensaje1", "Mensaje2", "Summary1", "Summary2", "Lenguaje",
                                      "AlertWindow", "TocarSonido", "UsarSonidoDefault", "PathSonido",
                                      "RepetirSonido", "TareaTipo", "FechaInicio", "RangoHoras", "RangoHoraInicio",
                                      "RangoHoraFin", "RangoCadaHora", "HorasLista", "DiasSemana", "SiempreHasta",
                                      "FechaFin", "FechaCreacion", "SnoozeTime", "SnoozeRun", "LastRunTime"}));
        QCOMPARE(l[1], QStringLiteral("Mensaje1=  first line  ")); // message as typed
        QCOMPARE(l[3], QStringLiteral("Summary1=Every day"));      // summary trimmed
        QCOMPARE(l[8], QStringLiteral("UsarSonidoDefault=1"));
        QCOMPARE(l[9], QStringLiteral("PathSonido=0"));
    }

    void quickReminderLines()
    {
        const double ahora = Dia(2026, 12, 9, 10, 0, 5);
        const TTipoTarea t = Datos_Recordatorio_Rapido(1, "Tea", "Solo Una Vez. x", ahora + 0.01, true, true,
                                                      "/s/s1.mp3", ahora);
        QCOMPARE(Lineas_Archivo_Tarea(t),
                 (QStringList{QStringLiteral("TaskName1=Recordatorio Rápido"), "Mensaje1=Tea",
                              "Summary1=Solo Una Vez. x", "Lenguaje=1", "AlertWindow=3", "TocarSonido=1",
                              "UsarSonidoDefault=1", "SonidoElegido=", "PathSonido=/s/s1.mp3", "RepetirSonido=1",
                              "TareaTipo=1", "FechaInicio=" + Float_To_Str_Sin_Punto(ahora + 0.01), "AutoDelete=1",
                              "FechaCreacion=" + Float_To_Str_Sin_Punto(ahora), "SnoozeTime=-1", "SnoozeRun=0",
                              "LastRunTime=0"}));
        const TTipoTarea mudo = Datos_Recordatorio_Rapido(0, "x", "", ahora, false, false, "/s/s1.mp3", ahora);
        const QStringList l = Lineas_Archivo_Tarea(mudo);
        QCOMPARE(l[0], QStringLiteral("TaskName1=Quick Reminder"));
        QVERIFY(l.contains("PathSonido=0"));
        QVERIFY(!l.join("|").contains("SonidoElegido"));
        QVERIFY(l.contains("AutoDelete=0"));
    }

    void fileIsCrLfBase64()
    {
        QTemporaryDir dir;
        const QString archivo = dir.filePath("sub/dir/x.od"); // folders are made as needed
        QVERIFY(Grabar_Archivo_Tarea(archivo, Ejemplo(1)));
        QFile f(archivo);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray datos = f.readAll();
        QVERIFY(datos.endsWith("\r\n"));
        QCOMPARE(datos.count("\r\n"), datos.count('\n'));
        for (char c : datos)
            QVERIFY(QByteArray("\r\n+/=").contains(c) || std::isalnum(static_cast<unsigned char>(c)));
        QCOMPARE(QDir(dir.filePath("sub/dir")).entryList(QDir::Files), QStringList{"x.od"}); // no leftovers
    }

    void changeInPlace()
    {
        QTemporaryDir dir;
        const QString archivo = dir.filePath("x.od");
        Escribir_Plano(archivo, {"TaskName1=n", "lastruntime=1", "Other=keep", "LastRunTime=2", "NoEquals"});
        QCOMPARE(Cambiar_Valor_En_Archivo(archivo, "LastRunTime", "405204375"), TCambio::Ok);
        QCOMPARE(Planas(archivo),
                 (QStringList{"TaskName1=n", "LastRunTime=405204375", "Other=keep", "LastRunTime=2", "NoEquals"}));
        QCOMPARE(Cambiar_Valor_En_Archivo(archivo, "SnoozeRun", "0"), TCambio::Ok);
        QCOMPARE(Planas(archivo).last(), QStringLiteral("SnoozeRun=0"));
        QCOMPARE(Cambiar_Valor_En_Archivo(dir.filePath("missing.od"), "LastRunTime", "1"), TCambio::NoExiste);
        QVERIFY(!QFile::exists(dir.filePath("missing.od")));
        QString error;
        QDir(dir.path()).mkdir("folder.od");
        QCOMPARE(Cambiar_Valor_En_Archivo(dir.filePath("folder.od"), "A", "1", &error), TCambio::Error);
        QVERIFY(!error.isEmpty());
    }

    // Two writers, hundreds of changes each to their own key: neither loses the other's.
    void concurrentWritersLoseNothing()
    {
        QTemporaryDir dir;
        const QString archivo = dir.filePath("x.od");
        QVERIFY(Grabar_Archivo_Tarea(archivo, Ejemplo(2)));
        constexpr int kVeces = 300;
        auto escritor = [&](const QString &llave) {
            for (int i = 1; i <= kVeces; ++i)
                QCOMPARE(Cambiar_Valor_En_Archivo(archivo, llave, QString::number(i)), TCambio::Ok);
        };
        std::thread a(escritor, QStringLiteral("LastRunTime"));
        std::thread b(escritor, QStringLiteral("SnoozeTime"));
        // A reader meanwhile always sees a whole, valid file.
        for (int i = 0; i < 200; ++i) {
            TTipoTarea t;
            int codigo = -1;
            QCOMPARE(Leer_Archivo_Tarea(archivo, t, codigo), TLectura::Ok);
            QCOMPARE(codigo, 0);
        }
        a.join();
        b.join();
        QCOMPARE(Valor(archivo, "LastRunTime"), QString::number(kVeces));
        QCOMPARE(Valor(archivo, "SnoozeTime"), QString::number(kVeces));
    }

    void newFileNeverReplaces()
    {
        QTemporaryDir dir;
        const double ahora = Dia(2010, 12, 8, 10, 30);
        const QString prefijo = dir.path() + "/data" + Float_To_Str_Sin_Punto(ahora) + "-";
        QVERIFY(Nombre_Archivo_Nuevo(dir.path(), ahora).startsWith(prefijo));
        // Every suffix of this moment is taken already.
        for (int i = 0; i < 100; ++i)
            Escribir_Plano(prefijo + QString::number(i) + ".od", {"Keep=" + QString::number(i)});
        QString nuevo;
        QVERIFY(Grabar_Archivo_Tarea_Nuevo(dir.path(), Ejemplo(5), ahora, nuevo));
        QVERIFY(!nuevo.startsWith(prefijo));
        QVERIFY(QFileInfo(nuevo).fileName().startsWith("data"));
        QVERIFY(nuevo.endsWith(".od"));
        for (int i = 0; i < 100; ++i)
            QCOMPARE(Valor(prefijo + QString::number(i) + ".od", "Keep"), QString::number(i));
        QCOMPARE(Valor(nuevo, "TareaTipo"), QStringLiteral("5"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 101); // no temporary left
    }

    void retireAndSnooze()
    {
        QTemporaryDir dir;
        const QString archivo = dir.filePath("x.od");
        QVERIFY(Grabar_Archivo_Tarea(archivo, Ejemplo(1)));
        QVERIFY(Retirar_Archivo_Tarea(archivo));
        QVERIFY(!QFile::exists(archivo));
        QVERIFY(QFile::exists(archivo + "b"));
        QCOMPARE(Cargar_Directorio_Tareas(dir.path()).tabla.piTipoTareaTotal(), 0);

        const double ahora = Dia(2026, 12, 9, 8);
        QCOMPARE(Posponer_Archivo_Tarea(archivo, 10, ahora), TCambio::Ok);
        QVERIFY(QFile::exists(archivo));
        QVERIFY(!QFile::exists(archivo + "b"));
        const TResultadoCarga r = Cargar_Directorio_Tareas(dir.path());
        QCOMPARE(r.tabla.piTipoTareaTotal(), 1);
        QCOMPARE(r.tabla.paTipoTarea[0].tiSnoozeTime, 10);
        QCOMPARE(Dias_a_DateTime(r.tabla.paTipoTarea[0].tdSnoozeRun), QDateTime(QDate(2026, 12, 9), QTime(8, 10)));

        QCOMPARE(Posponer_Archivo_Tarea(dir.filePath("none.od"), 10, ahora), TCambio::NoExiste);
        QVERIFY(!QFile::exists(dir.filePath("none.od")));
        QVERIFY(!Restaurar_Archivo_Tarea(dir.filePath("none.od")));
    }
};

QTEST_GUILESS_MAIN(TestWriter)
#include "test_writer.moc"
