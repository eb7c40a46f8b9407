// iCalendar import: events written the way other calendar programs write them become the
// expected reminders or skip lines; Kestrin's own export comes back byte-identical; a
// second import adds nothing; a file that does not parse writes nothing.

#include "editor/summary.h"
#include "ical/icalexport.h"
#include "ical/icalimport.h"
#include "ical/icalpieces.h"
#include "store/daycount.h"
#include "store/loader.h"
#include "store/reminderfile.h"
#include "store/writer.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

double D(int y, int mo, int d, int h = 0, int mi = 0)
{
    return Fecha_Hora_a_Dias(QDate(y, mo, d), QTime(h, mi));
}

QString F(double rdDias)
{
    return Dias_a_DateTime(rdDias).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

// What a reminder's schedule holds, in one line.
QString Describir(const TTipoTarea &t)
{
    QString s = QStringLiteral("type %1 start %2").arg(t.tiTareaTipo).arg(F(t.tdFechaInicio));
    if (t.tiTareaTipo == TAREA_SEMANAL || t.tiTareaTipo == TAREA_CADA_HORA)
        s += QStringLiteral(" days ") + t.tsDiasSemana;
    if (t.tiTareaTipo == TAREA_MENSUAL)
        s += QStringLiteral(" months ") + t.tsMeses + QStringLiteral(" days ") + t.tsDias;
    if (t.tiTareaTipo == TAREA_CADA_HORA)
        s += t.tiRangoHoras == 1 ? QStringLiteral(" range %1-%2/%3").arg(t.tsRangoHoraInicio, t.tsRangoHoraFin).arg(t.tiRangoCadaHora)
                                 : QStringLiteral(" list ") + t.tsHorasLista;
    if (t.tiSiempreRepetirHasta == 1)
        s += QStringLiteral(" until ") + F(t.tdFechaFin);
    if (!t.tsMensaje.isEmpty())
        s += QStringLiteral(" message ") + QString(t.tsMensaje).replace(QStringLiteral("\r\n"), QStringLiteral("|"));
    return s;
}

struct TEsperado {
    const char *archivo;
    const char *nombre;
    const char *resultado; // Describir() of the reminder, or "skip: " and the reason
};

const TEsperado kEsperados[] = {
    {"gnome.ics", "Team meeting", "type 3 start 2026-03-10 09:00 days 24"},
    {"gnome.ics", "Ana's birthday", "type 7 start 1990-06-15 00:00"},
    {"gnome.ics", "Piano lesson", "skip: weekly every 2 weeks cannot be held"},
    {"gnome.ics", "Book club", "skip: a numbered weekday (1MO) cannot be held"},
    {"gnome.ics", "Dentist", "type 1 start 2026-03-20 11:30 message Bring the insurance card, and the X-rays.|Second floor."},
    {"thunderbird.ics", "Pay rent", "type 4 start 2026-01-31 18:00 months ,01,02,03,04,05,06,07,08,09,10,11,12, days ,32,"},
    {"thunderbird.ics", "Antibiotics", "skip: a repeat that ends after a number of times (COUNT) cannot be held"},
    {"thunderbird.ics", "Gym", "skip: excluded dates (EXDATE) cannot be held"},
    {"thunderbird.ics", "Water the plants", "type 3 start 2026-01-03 09:00 days 6 until 2026-05-31 09:00"},
    {"thunderbird.ics", "Renew passport", "type 1 start 2026-04-15 12:00"},
    {"thunderbird.ics", "Call the bank", "skip: a to-do without a due time"},
    {"kde.ics", "Stand-up", "type 3 start 2026-01-05 09:30 days 12345 message Daily stand-up|Room 3"},
    {"kde.ics", "Wedding anniversary", "type 7 start 2010-05-22 00:00 until 2040-01-01 01:00"},
    {"kde.ics", "Wedding anniversary (moved)", "skip: a changed single occurrence (RECURRENCE-ID) cannot be held"},
    {"kde.ics", "Medicine", "type 6 start 2026-02-01 12:00 days 1234567 list 08:00 AM,02:00 PM,08:00 PM"},
    {"kde.ics", "Quarter report", "type 4 start 2026-01-15 10:00 months ,01,04,07,10, days ,15,"},
    {"kde.ics", "Stretch", "type 6 start 2026-02-02 12:00 days 12345 range 09:00-17:00/2"},
    {"kde.ics", "File taxes", "skip: it is completed"},
};

TContextoImport Contexto(const QString &rsRaiz)
{
    TContextoImport c;
    c.sCarpetaDatos = rsRaiz + QStringLiteral("/Kestrin/System/");
    c.sArchivoUids = rsRaiz + QStringLiteral("/Kestrin/icalendar-uids");
    c.sPathSonidoDefault = rsRaiz + QStringLiteral("/Sounds/s1.mp3");
    c.iLenguaje = 0;
    c.dAhora = D(2026, 3, 1, 12);
    c.Resumen = [](const TTipoTarea &t, int l) { return Generar_Resumen_Tarea(t, l); };
    return c;
}

QStringList Lineas_Sin_Archivo(TTipoTarea t)
{
    t.tsFile.clear();
    return Lineas_Archivo_Tarea(t);
}

// One reminder of every type, with everything a file holds filled in.
QVector<TTipoTarea> Tareas_Completas()
{
    QVector<TTipoTarea> r;
    const auto nueva = [&r](int riTipo, const QString &rsNombre) -> TTipoTarea & {
        TTipoTarea t;
        t.tsTaskName = rsNombre;
        t.tsMensaje = QStringLiteral("line one, with; punctuation \\ and = signs\r\nsegunda línea ✓");
        t.tsSummary = QStringLiteral("summary 1\r\nsummary 2");
        t.tiLenguaje = 1;
        t.tiAlertWindow = ALERTA_VENTANA;
        t.tiTocarSonido = 1;
        t.tiUsarSonidoDefault = 2;
        t.tsSonidoElegido = QStringLiteral("Sound 3");
        t.tsPathDelSonido = QStringLiteral("/home/u/.local/share/Kestrin/Sounds/s3 (copy).mp3");
        t.tiRepetirSonido = 1;
        t.tiTareaTipo = riTipo;
        t.tdFechaInicio = D(2026, 1, 31, 8, 5);
        t.tdFechaCreacion = D(2025, 12, 24, 18, 30);
        t.tiSnoozeTime = 15;
        t.tdSnoozeRun = D(2026, 2, 1, 8, 20);
        t.tdLastRunTime = D(2026, 2, 1, 8, 5);
        r << t;
        return r.last();
    };
    nueva(TAREA_UNA_VEZ, QStringLiteral("once")).tiAutoDelete = 1;
    TTipoTarea &diaria = nueva(TAREA_DIARIA, QStringLiteral("daily until"));
    diaria.tiSiempreRepetirHasta = 1;
    diaria.tdFechaFin = D(2026, 12, 31, 23, 59);
    nueva(TAREA_SEMANAL, QStringLiteral("weekly")).tsDiasSemana = QStringLiteral("135");
    TTipoTarea &mensual = nueva(TAREA_MENSUAL, QStringLiteral("monthly last"));
    mensual.tsMeses = QStringLiteral(",02,04,");
    mensual.tsDias = QStringLiteral(",15,32,");
    nueva(TAREA_AL_INICIAR, QStringLiteral("at start"));
    TTipoTarea &rango = nueva(TAREA_CADA_HORA, QStringLiteral("hourly range"));
    rango.tsRangoHoraInicio = QStringLiteral("08:15");
    rango.tsRangoHoraFin = QStringLiteral("20:15");
    rango.tiRangoCadaHora = 5;
    rango.tsDiasSemana = QStringLiteral("12345");
    TTipoTarea &lista = nueva(TAREA_CADA_HORA, QStringLiteral("hourly list"));
    lista.tiRangoHoras = 2;
    lista.tsHorasLista = QStringLiteral("08:00 AM,12:30 PM,05:45 PM");
    lista.tsDiasSemana = QStringLiteral("67");
    nueva(TAREA_ANUAL, QStringLiteral("yearly leap day")).tdFechaInicio = D(2024, 2, 29, 7);
    return r;
}

QString Escribir(const QString &rsArchivo, const QByteArray &rDatos)
{
    QFile f(rsArchivo);
    if (!f.open(QIODevice::WriteOnly) || f.write(rDatos) != rDatos.size())
        return f.errorString();
    return {};
}

// Each event and to-do of the parsed text, in order: its UID, summary, description, start
// in UTC (its TZID resolved in its own calendar) and number of alarms.
QStringList Eventos_Leidos(const QByteArray &rTexto)
{
    QStringList r;
    icalcomponent *raiz = icalparser_parse_string(rTexto.constData());
    if (!raiz)
        return {QStringLiteral("<no parse>")};
    QVector<icalcomponent *> calendarios;
    if (icalcomponent_isa(raiz) == ICAL_VCALENDAR_COMPONENT)
        calendarios << raiz;
    for (icalcomponent *c = icalcomponent_get_first_component(raiz, ICAL_VCALENDAR_COMPONENT); c;
         c = icalcomponent_get_next_component(raiz, ICAL_VCALENDAR_COMPONENT))
        calendarios << c;
    for (icalcomponent *cal : calendarios)
        for (icalcomponent *c = icalcomponent_get_first_component(cal, ICAL_ANY_COMPONENT); c;
             c = icalcomponent_get_next_component(cal, ICAL_ANY_COMPONENT)) {
            if (icalcomponent_isa(c) != ICAL_VEVENT_COMPONENT && icalcomponent_isa(c) != ICAL_VTODO_COMPONENT)
                continue;
            const icaltimetype inicio = icaltime_convert_to_zone(icalcomponent_get_dtstart(c), icaltimezone_get_utc_timezone());
            const char *descripcion = icalcomponent_get_description(c);
            r << QStringLiteral("%1|%2|%3|%4|%5")
                     .arg(QString::fromUtf8(icalcomponent_get_uid(c)), QString::fromUtf8(icalcomponent_get_summary(c)),
                          QString::fromUtf8(descripcion ? descripcion : ""), QString::fromUtf8(icaltime_as_ical_string(inicio)))
                     .arg(icalcomponent_count_components(c, ICAL_VALARM_COMPONENT));
        }
    icalcomponent_free(raiz);
    return r;
}

// A zone libical does not know by name: only the calendar's own VTIMEZONE resolves it.
const QByteArray kZonaPropia = "BEGIN:VTIMEZONE\r\nTZID:Office Time\r\nBEGIN:STANDARD\r\nDTSTART:19700101T000000\r\n"
                               "TZOFFSETFROM:+0300\r\nTZOFFSETTO:+0300\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";

QByteArray Evento(int i, const QByteArray &rExtra = {})
{
    return "BEGIN:VEVENT\r\nUID:u" + QByteArray::number(i) + "\r\nSUMMARY:event " + QByteArray::number(i) +
           "\r\nDTSTART;TZID=Office Time:202603" + QByteArray::number(10 + i) + "T090000\r\n" + rExtra + "END:VEVENT\r\n";
}

QByteArray Cuatro_Eventos(const QByteArray &rExtra = {})
{
    return Evento(1, rExtra) + Evento(2, rExtra) + Evento(3, rExtra) + Evento(4, rExtra);
}

} // namespace

class TstICalImport : public QObject {
    Q_OBJECT
private slots:
    void programas_data();
    void programas();
    void ida_y_vuelta();
    void archivo_malo_data();
    void archivo_malo();
    void limites_de_la_tienda();
    void piezas_data();
    void piezas();
    void importacion_en_piezas();
};

void TstICalImport::programas_data()
{
    QTest::addColumn<QString>("archivo");
    QTest::newRow("GNOME Calendar") << "gnome.ics";
    QTest::newRow("Thunderbird") << "thunderbird.ics";
    QTest::newRow("KDE") << "kde.ics";
}

void TstICalImport::programas()
{
    QFETCH(QString, archivo);
    QTemporaryDir raiz;
    const TContextoImport contexto = Contexto(raiz.path());
    TPlanImport plan = Planear_Import_ICal(QStringLiteral(FIXTURES "/") + archivo, contexto);
    QVERIFY2(plan.sError.isEmpty(), qPrintable(plan.sError));
    QMap<QString, QString> obtenido, esperado;
    for (const TEventoImport &e : plan.aEventos)
        obtenido.insert(e.sNombre, e.iAccion == TAccionImport::Omitir ? QStringLiteral("skip: ") + e.sMotivo : Describir(e.tTarea));
    for (const TEsperado &e : kEsperados)
        if (archivo == QLatin1String(e.archivo))
            esperado.insert(QString::fromUtf8(e.nombre), QString::fromUtf8(e.resultado));
    QCOMPARE(obtenido, esperado);

    // Written through the store, every added event loads back as a valid reminder file.
    const int agregados = plan.Cuantos(TAccionImport::Agregar);
    QCOMPARE(Aplicar_Import_ICal(plan, contexto), agregados);
    const TResultadoCarga carga = Cargar_Directorio_Tareas(contexto.sCarpetaDatos);
    QCOMPARE(carga.tabla.piTipoTareaTotal(), agregados);
    QVERIFY(carga.invalidos.isEmpty());
    for (const TTipoTarea &t : carga.tabla.paTipoTarea) {
        QCOMPARE(t.tiAlertWindow, int(ALERTA_AMBAS));
        QCOMPARE(t.tsPathDelSonido, contexto.sPathSonidoDefault);
        QVERIFY(!t.tsSummary.isEmpty());
    }
    // The same file again adds nothing: every UID is known.
    const TPlanImport otra = Planear_Import_ICal(QStringLiteral(FIXTURES "/") + archivo, contexto);
    QCOMPARE(otra.Cuantos(TAccionImport::Agregar), 0);
    QCOMPARE(otra.Cuantos(TAccionImport::YaEsta), agregados);
}

void TstICalImport::ida_y_vuelta()
{
    QTemporaryDir origen, destino;
    const TContextoImport aqui = Contexto(origen.path());
    for (const TTipoTarea &t : Tareas_Completas()) {
        QString archivo, error;
        QVERIFY2(Grabar_Archivo_Tarea_Nuevo(aqui.sCarpetaDatos, t, aqui.dAhora, archivo, &error), qPrintable(error));
    }
    const TTablaTareas antes = Cargar_Directorio_Tareas(aqui.sCarpetaDatos).tabla;
    QCOMPARE(antes.piTipoTareaTotal(), Tareas_Completas().size());
    const QString ics = origen.path() + QStringLiteral("/out.ics");
    QCOMPARE(Escribir(ics, Exportar_ICal(antes.paTipoTarea, Zona_Sistema_ICal(), aqui.dAhora, 0).sDatos), QString());

    // Into an empty folder: every reminder comes back with every field as it was.
    const TContextoImport alla = Contexto(destino.path());
    TPlanImport plan = Planear_Import_ICal(ics, alla);
    QVERIFY2(plan.sError.isEmpty(), qPrintable(plan.sError));
    QCOMPARE(plan.Cuantos(TAccionImport::Agregar), antes.piTipoTareaTotal());
    Aplicar_Import_ICal(plan, alla);
    const TTablaTareas despues = Cargar_Directorio_Tareas(alla.sCarpetaDatos).tabla;
    QCOMPARE(despues.piTipoTareaTotal(), antes.piTipoTareaTotal());
    QMap<QString, QStringList> a, b;
    for (const TTipoTarea &t : antes.paTipoTarea)
        a.insert(t.tsTaskName, Lineas_Sin_Archivo(t));
    for (const TTipoTarea &t : despues.paTipoTarea)
        b.insert(t.tsTaskName, Lineas_Sin_Archivo(t));
    QCOMPARE(b, a);

    // A second import, there or back home, finds every reminder already there.
    QCOMPARE(Planear_Import_ICal(ics, alla).Cuantos(TAccionImport::YaEsta), antes.piTipoTareaTotal());
    QCOMPARE(Planear_Import_ICal(ics, aqui).Cuantos(TAccionImport::YaEsta), antes.piTipoTareaTotal());
    // A reminder changed since the export is updated from it.
    TTipoTarea cambiada = antes.paTipoTarea.first();
    cambiada.tsTaskName += QStringLiteral(" (renamed)");
    QVERIFY(Grabar_Archivo_Tarea(cambiada.tsFile, cambiada));
    TPlanImport actualizar = Planear_Import_ICal(ics, aqui);
    QCOMPARE(actualizar.Cuantos(TAccionImport::Actualizar), 1);
    Aplicar_Import_ICal(actualizar, aqui);
    TTipoTarea releida;
    int codigo = -1;
    QVERIFY(Leer_Archivo_Tarea(cambiada.tsFile, releida, codigo) == TLectura::Ok);
    QCOMPARE(Lineas_Sin_Archivo(releida), Lineas_Sin_Archivo(antes.paTipoTarea.first()));
}

void TstICalImport::archivo_malo_data()
{
    QTest::addColumn<QByteArray>("contenido");
    QTest::newRow("not iCalendar") << QByteArray("Name,Date\nDentist,2026-03-20\n");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("a broken start") << QByteArray("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:a\r\n"
                                                  "DTSTART:2026-03-20 10:00\r\nSUMMARY:x\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    QTest::newRow("a broken rule") << QByteArray("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:a\r\n"
                                                 "DTSTART:20260320T100000\r\nRRULE:FREQ=SOMETIMES\r\nSUMMARY:x\r\n"
                                                 "END:VEVENT\r\nEND:VCALENDAR\r\n");
    QByteArray muchos = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n";
    for (int i = 0; i <= kMaxEventosICal; ++i)
        muchos += "BEGIN:VEVENT\r\nUID:" + QByteArray::number(i) + "\r\nDTSTART:20260320T100000\r\nEND:VEVENT\r\n";
    QTest::newRow("too many events") << QByteArray(muchos + "END:VCALENDAR\r\n");
}

void TstICalImport::archivo_malo()
{
    QFETCH(QByteArray, contenido);
    QTemporaryDir raiz;
    const TContextoImport contexto = Contexto(raiz.path());
    const QString ics = raiz.path() + QStringLiteral("/in.ics");
    QCOMPARE(Escribir(ics, contenido), QString());
    TPlanImport plan = Planear_Import_ICal(ics, contexto);
    QVERIFY(!plan.sError.isEmpty());
    QVERIFY(plan.aEventos.isEmpty());
    QCOMPARE(Aplicar_Import_ICal(plan, contexto), 0);
    QVERIFY(!QDir(contexto.sCarpetaDatos).exists());
}

void TstICalImport::limites_de_la_tienda()
{
    // A name far longer than the wizard takes is kept whole; a message beyond what a file
    // holds is refused with the store's reason, and the rest is imported.
    QTemporaryDir raiz;
    const TContextoImport contexto = Contexto(raiz.path());
    const QByteArray nombre(5000, 'n');
    QByteArray mensaje;
    for (int i = 0; i < 600; ++i)
        mensaje += "line " + QByteArray::number(i) + "\\n";
    const QByteArray datos = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\n"
                             "BEGIN:VEVENT\r\nUID:long\r\nDTSTAMP:20260101T000000Z\r\nDTSTART:20260320T100000\r\nSUMMARY:" +
                             nombre + "\r\nEND:VEVENT\r\n"
                             "BEGIN:VEVENT\r\nUID:lines\r\nDTSTAMP:20260101T000000Z\r\nDTSTART:20260320T100000\r\nSUMMARY:many\r\n"
                             "DESCRIPTION:" + mensaje + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    const QString ics = raiz.path() + QStringLiteral("/in.ics");
    QCOMPARE(Escribir(ics, datos), QString());
    TPlanImport plan = Planear_Import_ICal(ics, contexto);
    QCOMPARE(plan.aEventos.size(), 2);
    QCOMPARE(plan.aEventos[1].iAccion, TAccionImport::Omitir);
    QVERIFY2(plan.aEventos[1].sMotivo.contains(QStringLiteral("600 lines")), qPrintable(plan.aEventos[1].sMotivo));
    QCOMPARE(Aplicar_Import_ICal(plan, contexto), 1);
    const TTablaTareas tabla = Cargar_Directorio_Tareas(contexto.sCarpetaDatos).tabla;
    QCOMPARE(tabla.piTipoTareaTotal(), 1);
    QCOMPARE(tabla.paTipoTarea.first().tsTaskName, QString::fromLatin1(nombre));
}

QTEST_GUILESS_MAIN(TstICalImport)
#include "tst_icalimport.moc"

void TstICalImport::piezas_data()
{
    QTest::addColumn<QByteArray>("texto");
    QTest::addColumn<int>("piezas");
    const QByteArray inicio = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n";
    const QByteArray fin = "END:VCALENDAR\r\n";
    QTest::newRow("zone first") << inicio + kZonaPropia + Cuatro_Eventos() + fin << 2;
    QTest::newRow("zone after the events") << inicio + Cuatro_Eventos() + kZonaPropia + fin << 2;
    QTest::newRow("calendar lines and a journal between events")
        << inicio + Evento(1) + Evento(2) + "X-WR-CALNAME:Work\r\nBEGIN:VJOURNAL\r\nUID:j\r\nEND:VJOURNAL\r\n" +
               kZonaPropia + Evento(3) + Evento(4) + fin
        << 2;
    QTest::newRow("lower case, LF line breaks")
        << QByteArray(inicio + kZonaPropia + Cuatro_Eventos() + fin)
               .replace("BEGIN:VEVENT", "begin:vevent")
               .replace("END:VEVENT", "End:vEvent ")
               .replace("BEGIN:VCALENDAR", "Begin:VCalendar")
               .replace("\r\n", "\n")
        << 2;
    QTest::newRow("alarms inside the events")
        << inicio + kZonaPropia + Cuatro_Eventos("BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT5M\r\nEND:VALARM\r\n") + fin << 2;
    QTest::newRow("a folded description that quotes component lines")
        << inicio + kZonaPropia + Cuatro_Eventos("DESCRIPTION:see\r\n END:VEVENT\r\n\tBEGIN:VEVENT and\r\n  END:VCALENDAR\r\n") + fin
        << 2;
    QTest::newRow("no line break at the very end") << inicio + kZonaPropia + Cuatro_Eventos() + "END:VCALENDAR" << 2;
    QTest::newRow("one event") << inicio + kZonaPropia + Evento(1) + fin << 1;
    QTest::newRow("a folded END line")
        << inicio + kZonaPropia + Evento(1) + Evento(2) + "BEGIN:VEVENT\r\nUID:u3\r\nEND:VEV\r\n ENT\r\n" + Evento(4) + fin << 1;
    QTest::newRow("a line folded onto an END line")
        << inicio + kZonaPropia + Evento(1) + Evento(2) + "BEGIN:VEVENT\r\nUID:u3\r\nEND:VEVENT\r\n X-A\r\n" + Evento(4) + fin << 1;
    QTest::newRow("an END that closes another component")
        << inicio + kZonaPropia + Evento(1) + Evento(2) + "BEGIN:VEVENT\r\nUID:u3\r\nEND:VTODO\r\n" + Evento(4) + fin << 1;
    QTest::newRow("a BEGIN with a parameter")
        << inicio + kZonaPropia + Evento(1) + Evento(2) + "BEGIN;X=1:VEVENT\r\nUID:u3\r\nEND:VEVENT\r\n" + Evento(4) + fin << 1;
    QTest::newRow("two calendars") << inicio + kZonaPropia + Evento(1) + Evento(2) + fin + inicio + kZonaPropia + Evento(3) + Evento(4) + fin << 1;
    QTest::newRow("no END:VCALENDAR") << inicio + kZonaPropia + Cuatro_Eventos() << 1;
    QTest::newRow("text after the end") << inicio + kZonaPropia + Cuatro_Eventos() + fin + "garbage\r\n" << 1;
}

void TstICalImport::piezas()
{
    // Cut in pieces or kept whole, the text gives libical the same events in the same
    // order, each with its zone resolved.
    QFETCH(QByteArray, texto);
    QFETCH(int, piezas);
    const QList<QByteArray> partes = Partir_Calendario(texto, 2, 2);
    QCOMPARE(partes.size(), piezas);
    const QStringList entero = Eventos_Leidos(texto);
    QStringList juntas;
    for (const QByteArray &p : partes)
        juntas << Eventos_Leidos(p);
    QCOMPARE(juntas, entero);
    if (piezas > 1) {
        QCOMPARE(entero.size(), 4);
        QVERIFY2(entero.last().contains(QStringLiteral("20260314T060000Z")), qPrintable(entero.last()));
    }
}

void TstICalImport::importacion_en_piezas()
{
    // A calendar large enough to be parsed on several cores: every event planned in file
    // order with its own zone, a UID repeated across the halves caught, and all written in
    // groups larger than one batch of the writer.
    QTemporaryDir raiz;
    const TContextoImport contexto = Contexto(raiz.path());
    const int n = 1500;
    QByteArray datos = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n";
    for (int i = 0; i < n; ++i)
        datos += "BEGIN:VEVENT\r\nUID:" + QByteArray::number(i == n - 1 ? 0 : i) + "\r\nSUMMARY:e" +
                 QByteArray::number(i) + "\r\nDTSTART;TZID=Office Time:20260320T090000\r\nEND:VEVENT\r\n";
    datos += kZonaPropia + "END:VCALENDAR\r\n";
    const QString ics = raiz.path() + QStringLiteral("/in.ics");
    QCOMPARE(Escribir(ics, datos), QString());
    TPlanImport plan = Planear_Import_ICal(ics, contexto);
    QVERIFY2(plan.sError.isEmpty(), qPrintable(plan.sError));
    QCOMPARE(plan.aEventos.size(), n);
    for (int i = 0; i < n - 1; ++i) {
        const TEventoImport &e = plan.aEventos[i];
        QCOMPARE(e.sNombre, QStringLiteral("e%1").arg(i));
        QCOMPARE(e.iAccion, TAccionImport::Agregar);
        QCOMPARE(F(e.tTarea.tdFechaInicio), QStringLiteral("2026-03-20 07:00")); // 09:00 at +03:00 in Berlin
    }
    QCOMPARE(plan.aEventos.last().iAccion, TAccionImport::Omitir);
    QCOMPARE(Aplicar_Import_ICal(plan, contexto), n - 1);
    const TResultadoCarga carga = Cargar_Directorio_Tareas(contexto.sCarpetaDatos);
    QCOMPARE(carga.tabla.piTipoTareaTotal(), n - 1);
    QVERIFY(carga.invalidos.isEmpty());
    QSet<QString> nombres;
    for (const TTipoTarea &t : carga.tabla.paTipoTarea)
        nombres.insert(t.tsTaskName);
    QCOMPARE(nombres.size(), n - 1);
    QCOMPARE(QDir(contexto.sCarpetaDatos).entryList(QDir::Files).size(), n - 1); // nothing temporary left
}
