// "kestrin --export" read by an independent reader: for every reminder type, around
// month ends, leap days, "Last" and daylight-saving changes, Python's icalendar and
// dateutil find the same next occurrence as "kestrin --list --json" at the same moment,
// and the file passes libical's own validation.

#include "store/daycount.h"
#include "store/writer.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <libical/ical.h>

namespace {

double D(int y, int mo, int d, int h = 0, int mi = 0)
{
    return Fecha_Hora_a_Dias(QDate(y, mo, d), QTime(h, mi));
}

struct TCaso {
    TTipoTarea t;
    QString sEsperado; // the next run expected, "yyyy-MM-dd HH:mm", or "never"
};

TCaso Caso(const QString &rsNombre, int riTipo, double rdInicio, const QString &rsEsperado)
{
    TCaso c;
    c.t.tsTaskName = rsNombre;
    c.t.tiTareaTipo = riTipo;
    c.t.tdFechaInicio = rdInicio;
    c.t.tdFechaCreacion = D(2025, 12, 1, 10);
    c.sEsperado = rsEsperado;
    return c;
}

TCaso Hasta(TCaso c, double rdFin)
{
    c.t.tiSiempreRepetirHasta = 1;
    c.t.tdFechaFin = rdFin;
    return c;
}

TCaso Semanal(const QString &n, double rdInicio, const QString &rsDias, const QString &e)
{
    TCaso c = Caso(n, TAREA_SEMANAL, rdInicio, e);
    c.t.tsDiasSemana = rsDias;
    return c;
}

TCaso Mensual(const QString &n, double rdInicio, const QString &rsMeses, const QString &rsDias, const QString &e)
{
    TCaso c = Caso(n, TAREA_MENSUAL, rdInicio, e);
    c.t.tsMeses = rsMeses;
    c.t.tsDias = rsDias;
    return c;
}

TCaso Rango(const QString &n, double rdFecha, const QString &a, const QString &b, int riPaso, const QString &rsDias,
            const QString &e)
{
    TCaso c = Caso(n, TAREA_CADA_HORA, rdFecha, e);
    c.t.tiRangoHoras = 1;
    c.t.tsRangoHoraInicio = a;
    c.t.tsRangoHoraFin = b;
    c.t.tiRangoCadaHora = riPaso;
    c.t.tsDiasSemana = rsDias;
    return c;
}

TCaso Lista(const QString &n, double rdFecha, const QString &rsHoras, const QString &rsDias, const QString &e)
{
    TCaso c = Caso(n, TAREA_CADA_HORA, rdFecha, e);
    c.t.tiRangoHoras = 2;
    c.t.tsHorasLista = rsHoras;
    c.t.tsDiasSemana = rsDias;
    return c;
}

const QString kTodos = QStringLiteral("1234567");

// The day before Europe's spring change (29 March 2026, 02:00 -> 03:00), a Saturday, noon.
QVector<TCaso> Casos_Primavera()
{
    return {
        Caso("daily in the gap", TAREA_DIARIA, D(2026, 1, 1, 2, 30), "2026-03-29 02:30"),
        Hasta(Caso("daily ended", TAREA_DIARIA, D(2026, 1, 1, 8), "never"), D(2026, 3, 28, 11)),
        Hasta(Caso("daily until", TAREA_DIARIA, D(2026, 1, 1, 8), "2026-03-29 08:00"), D(2026, 4, 10, 8)),
        Hasta(Caso("daily ends before its start", TAREA_DIARIA, D(2026, 4, 2, 9), "2026-04-02 09:00"), D(2026, 3, 1)),
        Semanal("weekend", D(2026, 1, 5, 9, 15), "67", "2026-03-29 09:15"),
        Hasta(Semanal("weekly ended before its first day", D(2026, 4, 1, 9), "7", "never"), D(2026, 4, 3)),
        Mensual("last day of Feb and Apr", D(2026, 1, 1, 10), ",02,04,", ",32,", "2026-04-30 10:00"),
        Mensual("the 31st", D(2026, 1, 1, 7), ",01,02,03,04,05,06,07,08,09,10,11,12,", ",31,", "2026-03-31 07:00"),
        Mensual("29 February", D(2026, 1, 1, 7), ",02,", ",29,", "2028-02-29 07:00"),
        Mensual("30 February", D(2026, 1, 1, 7), ",02,", ",30,", "never"),
        Mensual("the 1st, 15th and last", D(2026, 3, 28, 18), ",03,", ",01,15,32,", "2026-03-31 18:00"),
        Caso("yearly from a 29 February", TAREA_ANUAL, D(2024, 2, 29, 9), "2027-02-28 09:00"),
        Caso("yearly in the gap", TAREA_ANUAL, D(2020, 3, 29, 2, 30), "2026-03-29 02:30"),
        Hasta(Caso("yearly ended", TAREA_ANUAL, D(2020, 5, 1, 9), "never"), D(2025, 12, 31)),
        Rango("every 3 hours", D(2026, 3, 1), "08:00", "20:00", 3, kTodos, "2026-03-28 14:00"),
        Rango("every 5 hours", D(2026, 3, 1), "08:00", "18:00", 5, kTodos, "2026-03-28 13:00"),
        Hasta(Rango("every 3 hours until 13:00", D(2026, 3, 1), "08:00", "20:00", 3, kTodos, "never"),
              D(2026, 3, 28, 13)),
        Rango("every hour over midnight", D(2026, 3, 1), "22:00", "02:00", 1, "7", "2026-03-29 22:00"),
        Lista("three times", D(2026, 3, 1), "08:00 AM,12:30 PM,05:00 PM", "67", "2026-03-28 12:30"),
        Lista("Mondays twice", D(2026, 3, 1), "07:00 AM,11:00 PM", "1", "2026-03-30 07:00"),
        Caso("one time ahead", TAREA_UNA_VEZ, D(2026, 4, 1, 10), "2026-04-01 10:00"),
        Caso("one time past", TAREA_UNA_VEZ, D(2026, 3, 27, 10), "never"),
        Caso("at start", TAREA_AL_INICIAR, 0, "at start"),
    };
}

// The night America's autumn change repeats 01:00-02:00 (1 November 2026).
QVector<TCaso> Casos_Otono()
{
    return {
        Caso("daily in the repeated hour", TAREA_DIARIA, D(2026, 10, 1, 1, 30), "2026-11-01 01:30"),
        Mensual("last day", D(2026, 1, 1, 10), ",01,02,03,04,05,06,07,08,09,10,11,12,", ",32,", "2026-11-30 10:00"),
        Hasta(Semanal("Sundays until", D(2026, 10, 4, 1, 15), "7", "2026-11-01 01:15"), D(2026, 11, 15, 1, 15)),
        Rango("every 2 hours", D(2026, 10, 1), "00:00", "22:00", 2, kTodos, "2026-11-01 00:00"),
        Caso("yearly on Halloween", TAREA_ANUAL, D(2020, 10, 31, 23), "2027-10-31 23:00"),
    };
}

// A leap year's 28 February, in UTC.
QVector<TCaso> Casos_Bisiesto()
{
    return {
        Caso("yearly 29 February", TAREA_ANUAL, D(2024, 2, 29, 9), "2028-02-29 09:00"),
        Mensual("last of February", D(2025, 1, 1, 9), ",02,", ",32,", "2028-02-29 09:00"),
        Hasta(Caso("daily until leap day", TAREA_DIARIA, D(2028, 1, 1, 6), "2028-02-29 06:00"), D(2028, 2, 29, 6)),
        Semanal("Tuesday", D(2028, 1, 1, 6), "2", "2028-02-29 06:00"),
    };
}

struct TCorrida {
    int iCodigo = -1;
    QByteArray sSalida;
    QString sErrores;
};

} // namespace

class TstICalCheck : public QObject {
    Q_OBJECT
private slots:
    void mismo_siguiente_data();
    void mismo_siguiente();
    void estados_data();
    void estados();

private:
    TCorrida Kestrin(const QString &rsDatos, const QString &rsZona, const QString &rsAhora, const QStringList &rArgs);
};

TCorrida TstICalCheck::Kestrin(const QString &rsDatos, const QString &rsZona, const QString &rsAhora,
                               const QStringList &rArgs)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), rsDatos);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), rsDatos + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_CONFIG_DIRS"), rsDatos + QStringLiteral("/etc-xdg"));
    env.insert(QStringLiteral("HOME"), rsDatos);
    env.insert(QStringLiteral("TZ"), rsZona);
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("faketime"), QStringList{QStringLiteral("-f"), rsAhora, QStringLiteral(KESTRIN_BIN)} + rArgs);
    TCorrida r;
    if (!p.waitForFinished(60000))
        return r;
    r.iCodigo = p.exitCode();
    r.sSalida = p.readAllStandardOutput();
    r.sErrores = QString::fromUtf8(p.readAllStandardError());
    return r;
}

void TstICalCheck::mismo_siguiente_data()
{
    QTest::addColumn<QString>("zona");
    QTest::addColumn<QString>("ahora");
    QTest::addColumn<int>("escenario");
    QTest::newRow("spring change, Madrid") << "Europe/Madrid" << "2026-03-28 12:00:00" << 0;
    QTest::newRow("autumn change, New York") << "America/New_York" << "2026-10-31 23:30:00" << 1;
    QTest::newRow("leap day, UTC") << "UTC" << "2028-02-28 12:00:00" << 2;
}

void TstICalCheck::mismo_siguiente()
{
    QFETCH(QString, zona);
    QFETCH(QString, ahora);
    QFETCH(int, escenario);
    const QVector<TCaso> casos = escenario == 0 ? Casos_Primavera() : escenario == 1 ? Casos_Otono() : Casos_Bisiesto();
    QTemporaryDir datos;
    QVERIFY(datos.isValid());
    const QString carpeta = datos.path() + QStringLiteral("/Kestrin/System/");
    // The files are written with the test's own TZ, which the day counts do not depend on.
    for (qsizetype i = 0; i < casos.size(); ++i) {
        QString error;
        QVERIFY2(Grabar_Archivo_Tarea(carpeta + QStringLiteral("data%1-7.od").arg(i), casos[i].t, &error), qPrintable(error));
    }

    const QString ics = datos.path() + QStringLiteral("/out.ics");
    const TCorrida exportacion = Kestrin(datos.path(), zona, ahora, {QStringLiteral("--export"), ics});
    QVERIFY2(exportacion.iCodigo == 0, qPrintable(exportacion.sErrores));
    const TCorrida lista = Kestrin(datos.path(), zona, ahora, {QStringLiteral("--list"), QStringLiteral("--json")});
    QCOMPARE(lista.iCodigo, 0);
    const QString json = datos.path() + QStringLiteral("/list.json");
    QFile f(json);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(lista.sSalida);
    f.close();

    // Kestrin's own list gives the next runs worked out by hand.
    const QJsonArray filas = QJsonDocument::fromJson(lista.sSalida).object().value(QStringLiteral("reminders")).toArray();
    QCOMPARE(filas.size(), casos.size());
    for (const QJsonValue &v : filas) {
        const QJsonObject o = v.toObject();
        const QString archivo = o.value(QStringLiteral("file")).toString();
        const int i = archivo.section(QStringLiteral("/data"), -1).section(QLatin1Char('-'), 0, 0).toInt();
        const double siguiente = o.value(QStringLiteral("nextRun")).toDouble();
        const QString texto = siguiente == 0    ? QStringLiteral("never")
                              : siguiente == -1 ? QStringLiteral("at start")
                                                : Dias_a_DateTime(siguiente).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
        QVERIFY2(texto == casos[i].sEsperado, qPrintable(casos[i].t.tsTaskName + ": " + texto));
    }

    // libical reads the file without an error and finds it valid.
    QFile archivoIcs(ics);
    QVERIFY(archivoIcs.open(QIODevice::ReadOnly));
    icalcomponent *cal = icalparser_parse_string(archivoIcs.readAll().constData());
    QVERIFY(cal);
    QCOMPARE(icalcomponent_count_errors(cal), 0);
    QVERIFY(icalrestriction_check(cal));
    QCOMPARE(icalcomponent_count_errors(cal), 0);
    icalcomponent_free(cal);

    // The second reader agrees on every reminder but the one run at start.
    // Debian's Python, which has python3-icalendar and python3-dateutil.
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(CHECK_SCRIPT), ics, json, ahora});
    QVERIFY(python.waitForFinished(60000));
    const QString salida = QString::fromUtf8(python.readAllStandardOutput() + python.readAllStandardError());
    QVERIFY2(python.exitCode() == 0, qPrintable(salida));
    const int comparados = int(std::count_if(casos.begin(), casos.end(), [](const TCaso &c) { return c.t.tiTareaTipo != TAREA_AL_INICIAR; }));
    QVERIFY2(salida.contains(QStringLiteral("compared %1\n").arg(comparados)), qPrintable(salida));
}

// The command line's exit statuses, and what each run leaves in the reminder folder.
void TstICalCheck::estados_data()
{
    QTest::addColumn<QStringList>("argumentos");
    QTest::addColumn<int>("codigo");
    QTest::addColumn<int>("archivos");
    const QString gnome = QStringLiteral(FIXTURES "/gnome.ics");
    QTest::newRow("some skipped") << QStringList{"--import", gnome} << 1 << 3;
    QTest::newRow("dry run") << QStringList{"--import", gnome, "--dry-run"} << 1 << 0;
    QTest::newRow("all imported") << QStringList{"--import", "@CLEAN@"} << 0 << 1;
    QTest::newRow("missing file") << QStringList{"--import", gnome + ".missing"} << 2 << 0;
    QTest::newRow("not iCalendar") << QStringList{"--import", QStringLiteral(CHECK_SCRIPT)} << 2 << 0;
    QTest::newRow("language with import") << QStringList{"--import", gnome, "--language", "es"} << 2 << 0;
    QTest::newRow("dry run alone") << QStringList{"--dry-run"} << 2 << 0;
    QTest::newRow("export and import") << QStringList{"--export", "-", "--import", gnome} << 2 << 0;
    QTest::newRow("export and list") << QStringList{"--export", "-", "--list"} << 2 << 0;
    QTest::newRow("unknown language") << QStringList{"--export", "-", "--language", "fr"} << 2 << 0;
}

void TstICalCheck::estados()
{
    QFETCH(QStringList, argumentos);
    QFETCH(int, codigo);
    QFETCH(int, archivos);
    QTemporaryDir datos;
    const QString limpio = datos.path() + QStringLiteral("/clean.ics");
    QFile f(limpio);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\nBEGIN:VEVENT\r\nUID:one@test\r\n"
            "DTSTAMP:20260101T000000Z\r\nDTSTART:20260401T100000\r\nSUMMARY:Call\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    f.close();
    argumentos.replaceInStrings(QStringLiteral("@CLEAN@"), limpio);
    QDir().mkpath(datos.path() + QStringLiteral("/Kestrin/System"));
    const TCorrida r = Kestrin(datos.path(), QStringLiteral("UTC"), QStringLiteral("2026-03-01 12:00:00"), argumentos);
    QVERIFY2(r.iCodigo == codigo, qPrintable(r.sErrores));
    QCOMPARE(QDir(datos.path() + QStringLiteral("/Kestrin/System")).entryList({QStringLiteral("*.od")}).size(), archivos);
}

QTEST_GUILESS_MAIN(TstICalCheck)
#include "tst_icalcheck.moc"
