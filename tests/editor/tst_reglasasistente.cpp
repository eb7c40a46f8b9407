// The wizard's window-free rules: page checks and their messages, the hourly list, the
// record built for the writer, the sound list and the test window's process check.

#include "settings/soundlibrary.h"
#include "editor/pruebaventana.h"
#include "editor/reglasasistente.h"
#include "store/daycount.h"
#include "store/textforms.h"
#include "store/writer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(TFocoFallo)
Q_DECLARE_METATYPE(TDatosResumen)
Q_DECLARE_METATYPE(TValoresAlerta)

namespace {
double D(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return Fecha_Hora_a_Dias(QDate(y, mo, d), QTime(h, mi, s));
}

double H(int h, int mi)
{
    return D(2026, 3, 10, h, mi);
}

TDatosResumen Datos(int riTipo)
{
    TDatosResumen d;
    d.tiTareaTipo = riTipo;
    d.tdInicio = D(2026, 3, 10, 9, 0);
    d.tdFin = D(2026, 3, 10, 23, 59, 59);
    d.tdRangoInicio = H(8, 0);
    d.tdRangoFin = H(8, 0);
    return d;
}

void Tocar(const QString &rsRuta)
{
    QFile f(rsRuta);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("x");
}
} // namespace

class TstReglasAsistente : public QObject {
    Q_OBJECT
private slots:
    void validar_data();
    void validar();
    void agregar_hora();
    void horas_de_texto_data();
    void horas_de_texto();
    void construir_tipos_data();
    void construir_tipos();
    void construir_sonido_data();
    void construir_sonido();
    void construir_conservados();
    void lista_sonidos();
    void ruta_sonido();
    void proceso_es_programa();
    void ventana_prueba_termina();
};

void TstReglasAsistente::validar_data()
{
    QTest::addColumn<TDatosResumen>("datos");
    QTest::addColumn<int>("lenguaje");
    QTest::addColumn<QString>("texto"); // empty: accepted
    QTest::addColumn<TFocoFallo>("foco");

    QTest::newRow("daily forever, end before start")
        << [] { auto d = Datos(2); d.tdFin = d.tdInicio - 1; return d; }() << 0 << QString() << TFocoFallo::Ninguno;
    QTest::newRow("yearly until, Spanish")
        << [] { auto d = Datos(7); d.tbHasta = true; d.tdInicio = D(2010, 11, 8, 17, 5, 1); d.tdFin = D(2010, 11, 8, 17, 5, 0); return d; }()
        << 1 << QStringLiteral("La fecha fin es anterior a la fecha inicio\r\rFecha Fin = ") +
                    Convertir_FechaHora_a_Cadena(D(2010, 11, 8, 17, 5, 0), " ", true, true, true, false, false, 1)
        << TFocoFallo::FechaFin;
    QTest::newRow("weekly day checked, end before start")
        << [] { auto d = Datos(3); d.tbDiasSemana[7] = true; d.tbHasta = true; d.tdFin = d.tdInicio - 1.0 / 86400; return d; }()
        << 0 << QStringLiteral("The end date is earlier than start date\r\rEnd date = Mar 10, 2026 8:59:59 AM")
        << TFocoFallo::FechaFin;
    QTest::newRow("monthly without a day") << [] { auto d = Datos(4); d.tbMeses[12] = true; return d; }() << 1
                                           << QStringLiteral("Por favor selecciona al menos un día") << TFocoFallo::Dia1;
    QTest::newRow("hourly range checked before the days")
        << [] { auto d = Datos(6); d.tdRangoInicio = H(8, 1); return d; }() << 1
        << QStringLiteral("La hora fin es anterior a la hora inicio\r\rHora Fin = 08:00 AM") << TFocoFallo::HoraInicioRango;
    QTest::newRow("computer start") << Datos(5) << 0 << QString() << TFocoFallo::Ninguno;
}

void TstReglasAsistente::validar()
{
    QFETCH(TDatosResumen, datos);
    QFETCH(int, lenguaje);
    QFETCH(QString, texto);
    QFETCH(TFocoFallo, foco);
    const TFalloPagina f = Validar_Pagina(datos, lenguaje);
    QCOMPARE(f.bValida, texto.isEmpty());
    QCOMPARE(f.sTexto, texto);
    QCOMPARE(f.eFoco, foco);
}

void TstReglasAsistente::agregar_hora()
{
    QStringList l;
    QCOMPARE(Agregar_Hora_Lista(l, "01:30 PM"), TAgregarHora::Agregada);
    QCOMPARE(Agregar_Hora_Lista(l, "09:00 AM"), TAgregarHora::Agregada);
    QCOMPARE(l, QStringList({"09:00 AM", "01:30 PM"}));
    QCOMPARE(Agregar_Hora_Lista(l, "09:00 AM"), TAgregarHora::Existe);
    QCOMPARE(l.size(), 2);
    // Midnight and noon sort by the time of day, not by their 12-hour text.
    for (const char *h : {"12:00 PM", "12:00 AM", "11:59 PM", "12:30 AM", "01:00 AM", "12:01 PM"})
        QCOMPARE(Agregar_Hora_Lista(l, h), TAgregarHora::Agregada);
    QCOMPARE(l, QStringList({"12:00 AM", "12:30 AM", "01:00 AM", "09:00 AM", "12:00 PM", "12:01 PM", "01:30 PM",
                             "11:59 PM"}));
    QCOMPARE(Agregar_Hora_Lista(l, "05:00 AM"), TAgregarHora::Llena);
    QCOMPARE(Agregar_Hora_Lista(l, "09:00 AM"), TAgregarHora::Llena);
    QCOMPARE(l.size(), MAXIMO_HORAS_LISTA);
}

void TstReglasAsistente::horas_de_texto_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QStringList>("horas");
    QTest::newRow("empty") << "" << QStringList();
    QTest::newRow("blanks") << "   " << QStringList();
    QTest::newRow("time order kept") << "09:00 AM,01:30 PM" << QStringList({"09:00 AM", "01:30 PM"});
    QTest::newRow("any other order kept") << "01:30 PM,09:00 AM" << QStringList({"01:30 PM", "09:00 AM"});
    QTest::newRow("trailing comma and doubles") << " 09:00 AM,,09:00 AM,10:00 AM,"
                                                << QStringList({"09:00 AM", "09:00 AM", "10:00 AM"});
    QTest::newRow("more than eight all kept")
        << "01:00 AM,02:00 AM,03:00 AM,04:00 AM,05:00 AM,06:00 AM,07:00 AM,08:00 AM,09:00 AM,10:00 AM"
        << QStringList({"01:00 AM", "02:00 AM", "03:00 AM", "04:00 AM", "05:00 AM", "06:00 AM", "07:00 AM", "08:00 AM",
                        "09:00 AM", "10:00 AM"});
}

void TstReglasAsistente::horas_de_texto()
{
    QFETCH(QString, texto);
    QFETCH(QStringList, horas);
    QCOMPARE(Horas_Lista_De_Texto(texto), horas);
}

void TstReglasAsistente::construir_tipos_data()
{
    QTest::addColumn<TDatosResumen>("datos");
    QTest::addColumn<QString>("clave");
    QTest::addColumn<QString>("valor");

    auto semanal = [] { auto d = Datos(3); d.tbDiasSemana[1] = d.tbDiasSemana[3] = d.tbDiasSemana[5] = true; return d; }();
    QTest::newRow("weekly until") << [semanal] { auto d = semanal; d.tbHasta = true; return d; }() << "SiempreHasta" << "1";
    auto mensual = [] { auto d = Datos(4); d.tbMeses[1] = d.tbMeses[7] = true; d.tbDias[1] = d.tbDias[15] = true; d.tbUltimoDia = true; return d; }();
    QTest::newRow("only Last") << [] { auto d = Datos(4); d.tbMeses[2] = true; d.tbUltimoDia = true; return d; }() << "Dias"
                               << ",32,";
    auto horas = [] {
        auto d = Datos(6);
        d.tdRangoInicio = H(9, 30);
        d.tdRangoFin = H(17, 0);
        d.tiRangoPaso = 3;
        d.tsHoras = QStringList({"09:00 AM", "01:30 PM"});
        d.tbDiasSemana[6] = d.tbDiasSemana[7] = true;
        return d;
    }();
    QTest::newRow("list written in range mode too") << horas << "HorasLista" << "09:00 AM,01:30 PM";
    QTest::newRow("one time start") << Datos(1) << "FechaInicio" << Float_To_Str_Sin_Punto(D(2026, 3, 10, 9, 0));
    QTest::newRow("one time auto delete off") << Datos(1) << "AutoDelete" << "0";
    QTest::newRow("daily end written when forever") << Datos(2) << "FechaFin"
                                                    << Float_To_Str_Sin_Punto(D(2026, 3, 10, 23, 59, 59));
    QTest::newRow("computer start summary") << Datos(5) << "Summary1" << "When the Computer Starts";
    QTest::newRow("computer start has no start") << Datos(5) << "FechaInicio" << QString();
    QTest::newRow("one time has no end") << Datos(1) << "FechaFin" << QString();
    QTest::newRow("monthly has no end") << mensual << "SiempreHasta" << QString();
}

void TstReglasAsistente::construir_tipos()
{
    QFETCH(TDatosResumen, datos);
    QFETCH(QString, clave);
    QFETCH(QString, valor);
    TValoresAlerta a;
    a.sNombre = "x";
    const TTipoTarea t = Construir_Tarea(datos, false, a, {}, {"/s/", "s1.mp3", "Sound"}, 0, "Name", D(2026, 3, 1));
    const QStringList lineas = Lineas_Archivo_Tarea(t);
    QString encontrado;
    bool hay = false;
    for (const QString &l : lineas)
        if (l.startsWith(clave + '=')) {
            QVERIFY2(!hay, qPrintable("key written twice: " + clave));
            hay = true;
            encontrado = l.mid(clave.size() + 1);
        }
    QCOMPARE(hay, !valor.isEmpty());
    QCOMPARE(encontrado, valor);
}

void TstReglasAsistente::construir_sonido_data()
{
    QTest::addColumn<TValoresAlerta>("alerta");
    QTest::addColumn<QStringList>("esperado"); // the four or five sound lines and the name
    TValoresAlerta a;
    a.sNombre = "  Dentist  ";
    a.bRepetirSonido = true;
    QTest::newRow("default sound") << a
                                   << QStringList({"TaskName1=Dentist", "TocarSonido=1", "UsarSonidoDefault=1",
                                                   "SonidoElegido=", "PathSonido=/s/s1.mp3", "RepetirSonido=1"});
    a.bSonidoDefault = false;
    a.sSonidoElegido = "Sound 7";
    QTest::newRow("numbered sound chosen") << a
                                           << QStringList({"TaskName1=Dentist", "TocarSonido=1", "UsarSonidoDefault=2",
                                                           "SonidoElegido=Sound 7", "PathSonido=/s/s7.mp3",
                                                           "RepetirSonido=1"});
    a.sSonidoElegido = "bell.aiff";
    a.bRepetirSonido = false;
    QTest::newRow("other sound chosen") << a
                                        << QStringList({"TaskName1=Dentist", "TocarSonido=1", "UsarSonidoDefault=2",
                                                        "SonidoElegido=bell.aiff", "PathSonido=/s/bell.aiff",
                                                        "RepetirSonido=0"});
    a.bTocarSonido = false;
    a.bRepetirSonido = true;
    a.sNombre = " \t ";
    QTest::newRow("no sound: path 0, default, no repeat, name fallback")
        << a << QStringList({"TaskName1=Name", "TocarSonido=0", "UsarSonidoDefault=1", "PathSonido=0", "RepetirSonido=0"});
}

void TstReglasAsistente::construir_sonido()
{
    QFETCH(TValoresAlerta, alerta);
    QFETCH(QStringList, esperado);
    const TTipoTarea t = Construir_Tarea(Datos(1), true, alerta, {}, {"/s/", "s1.mp3", "Sound"}, 0, "Name", 46000);
    QStringList sonido;
    for (const QString &l : Lineas_Archivo_Tarea(t))
        if (l.startsWith("TaskName1=") || l.startsWith("TocarSonido=") || l.startsWith("UsarSonidoDefault=") ||
            l.startsWith("SonidoElegido=") || l.startsWith("PathSonido=") || l.startsWith("RepetirSonido="))
            sonido << l;
    QCOMPARE(sonido, esperado);
}

void TstReglasAsistente::construir_conservados()
{
    TValoresAlerta a;
    a.sNombre = "n";
    a.sMensaje = "first\n   \nthird\r\n";
    // A new reminder: created now, to the second; snooze none.
    const double ahora = D(2026, 3, 10, 9, 15, 30) + 0.456 / 86400;
    TTipoTarea t = Construir_Tarea(Datos(1), false, a, {}, {"/s/", "s1.mp3", "Sound"}, 1, "Nombre", ahora);
    QCOMPARE(Float_To_Str_Sin_Punto(t.tdFechaCreacion), Float_To_Str_Sin_Punto(D(2026, 3, 10, 9, 15, 30)));
    QCOMPARE(t.tiSnoozeTime, -1);
    QCOMPARE(t.tdSnoozeRun, 0.0);
    QCOMPARE(t.tdLastRunTime, 0.0);
    QCOMPARE(t.tiLenguaje, 1);
    const QStringList lineas = Lineas_Archivo_Tarea(t);
    QVERIFY(lineas.contains("Mensaje1=first"));
    QVERIFY(lineas.contains("Mensaje2=third"));
    QVERIFY(!lineas.join('|').contains("Mensaje3"));
    // An edited one keeps every kept value exactly.
    const TValoresConservados k{D(2020, 1, 2, 3, 4, 5) + 0.25 / 86400, 25, D(2026, 3, 10, 9, 40), D(2026, 3, 9, 8)};
    t = Construir_Tarea(Datos(1), false, a, k, {"/s/", "s1.mp3", "Sound"}, 0, "Name", ahora);
    QCOMPARE(t.tdFechaCreacion, k.dFechaCreacion);
    QCOMPARE(t.tiSnoozeTime, 25);
    QCOMPARE(t.tdSnoozeRun, k.dSnoozeRun);
    QCOMPARE(t.tdLastRunTime, k.dLastRunTime);
}

void TstReglasAsistente::lista_sonidos()
{
    QTemporaryDir dir;
    const QString c = dir.path() + '/';
    for (const char *n : {"s1.mp3", "s2.mp3", "ring.WAV", "bell.aiff", "S12.MP3", "s51.mp3", "zeta.mp3", "a.b.AU",
                          "notes.txt", "s0.mp3"})
        Tocar(c + n);
    QVERIFY(QDir().mkpath(c + "folder.wav"));
    QStringList lista;
    QVERIFY(Llenar_Lista_Sonidos(c, "Sound", lista));
    QCOMPARE(lista, QStringList({"Sound 1", "Sound 2", "Sound 12", "s0.mp3", "s51.mp3", "zeta.mp3", "ring.wav",
                                 "bell.aiff", "a.b.au"}));
    QVERIFY(Llenar_Lista_Sonidos(c, "Sonido", lista));
    QCOMPARE(lista.first(), QStringLiteral("Sonido 1"));
    QVERIFY(Llenar_Lista_Sonidos(c + "missing/", "Sound", lista));
    QCOMPARE(lista, QStringList());
}

void TstReglasAsistente::ruta_sonido()
{
    QTemporaryDir dir;
    const QString c = dir.path() + '/';
    Tocar(c + "ring.WAV");
    Tocar(c + "S12.MP3");
    Tocar(c + "s3.mp3");
    const TDatosSonido s{c, "s3.mp3", "Sound"};
    QCOMPARE(Ruta_Sonido_Elegido(s, "Sound 3"), c + "s3.mp3");
    QCOMPARE(Ruta_Sonido_Elegido(s, "sound 3"), c + "s3.mp3");
    QCOMPARE(Ruta_Sonido_Elegido(s, "ring.wav"), c + "ring.WAV");
    QCOMPARE(Ruta_Sonido_Elegido(s, "Sound 12"), c + "S12.MP3");
    QCOMPARE(Ruta_Sonido_Elegido(s, "gone.wav"), c + "gone.wav");
    QVERIFY(!QFileInfo::exists(Ruta_Sonido_Elegido(s, "gone.wav")));
}

void TstReglasAsistente::proceso_es_programa()
{
    const QString propio = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    QVERIFY(Proceso_Es_Programa(QCoreApplication::applicationPid(), propio));
    QVERIFY(!Proceso_Es_Programa(QCoreApplication::applicationPid(), "AlertWindow"));
    QVERIFY(!Proceso_Es_Programa(0, propio));
    QVERIFY(!Proceso_Es_Programa(-5, propio));
    QProcess p;
    p.start("true");
    QVERIFY(p.waitForFinished());
    QVERIFY(!Proceso_Es_Programa(p.processId() ? p.processId() : 999999999, "true"));
}

void TstReglasAsistente::ventana_prueba_termina()
{
    // "tail -f FILE" stands in for the window: it runs until ended and names the file on
    // its command line. Only the process started on that file is signalled, and the
    // temporary file goes with it.
    QTemporaryDir dir;
    const QString tmp = Nombre_Archivo_Prueba(dir.path() + '/', D(2026, 3, 10, 9));
    QCOMPARE(tmp, dir.path() + '/' + Float_To_Str_Sin_Punto(D(2026, 3, 10, 9)) + ".tmp");
    const QString otro = dir.path() + "/other.tmp";
    Tocar(tmp);
    Tocar(otro);
    QProcess ajeno;
    ajeno.start("tail", {"-f", otro});
    QVERIFY(ajeno.waitForStarted());
    QVERIFY(Proceso_Es_Programa(ajeno.processId(), "tail"));
    QVERIFY(!Proceso_Es_Prueba(ajeno.processId(), "tail", tmp));
    QVERIFY(Proceso_Es_Prueba(ajeno.processId(), "tail", otro));
    // Asked the moment the start is reported, while the exec may still be laying out the
    // arguments: the answer is the same every time.
    for (int i = 0; i < 20; ++i) {
        QProcess recien;
        recien.start("tail", {"-f", otro});
        QVERIFY(recien.waitForStarted());
        QVERIFY(Proceso_Es_Prueba(recien.processId(), "tail", otro));
        recien.kill();
        recien.waitForFinished();
    }
    qint64 pid = 0;
    {
        TVentanaPrueba v;
        QString error;
        QVERIFY2(v.Iniciar(QStandardPaths::findExecutable("tail"), {"-f", tmp}, tmp, error), qPrintable(error));
        pid = v.Pid();
        QVERIFY(pid > 0);
        QTRY_VERIFY(Proceso_Es_Prueba(pid, "tail", tmp));
    }
    QTRY_VERIFY(!Proceso_Es_Programa(pid, "tail"));
    QVERIFY(!QFileInfo::exists(tmp));
    // Ended at once after the start: not left running.
    for (int i = 0; i < 5; ++i) {
        const QString pronto = dir.path() + QStringLiteral("/soon%1.tmp").arg(i);
        Tocar(pronto);
        qint64 rapido = 0;
        {
            TVentanaPrueba v;
            QString error;
            QVERIFY2(v.Iniciar(QStandardPaths::findExecutable("tail"), {"-f", pronto}, pronto, error), qPrintable(error));
            rapido = v.Pid();
        }
        QTRY_VERIFY(!Proceso_Es_Programa(rapido, "tail"));
        QVERIFY(!Proceso_Es_Prueba(rapido, "tail", pronto));
    }
    // The other tail was left alone.
    QVERIFY(ajeno.state() == QProcess::Running);
    ajeno.kill();
    ajeno.waitForFinished();

    TVentanaPrueba v;
    QString error;
    QVERIFY(!v.Iniciar(dir.path() + "/no-such-program", {}, QString(), error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(v.Pid(), 0);
}

QTEST_GUILESS_MAIN(TstReglasAsistente)
#include "tst_reglasasistente.moc"
