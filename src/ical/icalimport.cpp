#include "icalimport.h"

#include "icalmapping.h"
#include "icalpieces.h"
#include "icalrecord.h"
#include "icaltexts.h"
#include "icaluids.h"
#include "store/daycount.h"
#include "store/loader.h"
#include "store/parallel.h"
#include "store/reminderfile.h"
#include "store/writer.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QThread>

#include <vector>

#include <libical/ical.h>

namespace {

// Reads the file whole, refusing what is not a regular file or is too large.
bool Leer_Archivo(const QString &rsArchivo, QByteArray &fDatos, QString &fsError)
{
    const QFileInfo info(rsArchivo);
    QFile f(rsArchivo);
    if (!info.exists()) {
        fsError = QStringLiteral("no such file");
        return false;
    }
    if (!info.isFile()) {
        fsError = QStringLiteral("not a regular file");
        return false;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        fsError = f.errorString();
        return false;
    }
    if (info.size() > kMaxBytesICal) {
        fsError = QStringLiteral("larger than %1 bytes").arg(kMaxBytesICal);
        return false;
    }
    fDatos = f.read(kMaxBytesICal + 1);
    if (fDatos.size() > kMaxBytesICal) {
        fsError = QStringLiteral("larger than %1 bytes").arg(kMaxBytesICal);
        return false;
    }
    return true;
}

// The first parse error libical noted in the calendars, events, to-dos and time zones,
// empty when none. Alarms are not read, and calendar programs write empty values (an
// alarm's "DESCRIPTION:"), which only drop that property: neither refuses a file.
QString Primer_Error(icalcomponent *rRaiz)
{
    if (icalcomponent_isa(rRaiz) == ICAL_VALARM_COMPONENT)
        return {};
    for (icalproperty *p = icalcomponent_get_first_property(rRaiz, ICAL_XLICERROR_PROPERTY); p;
         p = icalcomponent_get_next_property(rRaiz, ICAL_XLICERROR_PROPERTY)) {
        const QString texto = QString::fromUtf8(icalproperty_get_xlicerror(p));
        if (!texto.startsWith(QLatin1String("No value for")))
            return texto;
    }
    for (icalcomponent *c = icalcomponent_get_first_component(rRaiz, ICAL_ANY_COMPONENT); c;
         c = icalcomponent_get_next_component(rRaiz, ICAL_ANY_COMPONENT)) {
        const QString e = Primer_Error(c);
        if (!e.isEmpty())
            return e;
    }
    return {};
}

QVector<icalcomponent *> Calendarios(icalcomponent *rRaiz)
{
    if (icalcomponent_isa(rRaiz) == ICAL_VCALENDAR_COMPONENT)
        return {rRaiz};
    QVector<icalcomponent *> r;
    for (icalcomponent *c = icalcomponent_get_first_component(rRaiz, ICAL_VCALENDAR_COMPONENT); c;
         c = icalcomponent_get_next_component(rRaiz, ICAL_VCALENDAR_COMPONENT))
        r << c;
    return r;
}

QVector<icalcomponent *> Eventos(const QVector<icalcomponent *> &rCalendarios)
{
    QVector<icalcomponent *> r;
    for (icalcomponent *cal : rCalendarios)
        for (icalcomponent *c = icalcomponent_get_first_component(cal, ICAL_ANY_COMPONENT); c;
             c = icalcomponent_get_next_component(cal, ICAL_ANY_COMPONENT)) {
            const icalcomponent_kind tipo = icalcomponent_isa(c);
            if (tipo == ICAL_VEVENT_COMPONENT || tipo == ICAL_VTODO_COMPONENT)
                r << c;
        }
    return r;
}

// The reminder of an event another program wrote: its schedule, name and message, with
// Kestrin's choices for the rest (tray message and alert window, the default sound).
TTipoTarea Tarea_Nueva(const TContextoImport &rContexto)
{
    TTipoTarea t;
    t.tiLenguaje = rContexto.iLenguaje;
    t.tiAlertWindow = ALERTA_AMBAS;
    t.tiTocarSonido = 1;
    t.tiUsarSonidoDefault = 1;
    t.tsPathDelSonido = rContexto.sPathSonidoDefault;
    t.tiRepetirSonido = 1;
    t.tdFechaCreacion = rContexto.dAhora;
    return t;
}

QString Texto_Demasiados_Eventos()
{
    return QStringLiteral("more than %1 events").arg(kMaxEventosICal);
}

// What is read of an event on the thread that parsed it.
struct TEventoLeido {
    icalcomponent *pEvento = nullptr;
    int iParte = 0;           // X-KESTRIN-PART
    bool bPropio = false;     // it carries a Kestrin record
    int iCodigoRegistro = 0;  // the record's validation code
    TTipoTarea tRegistro;
    QString sNoGrabable;      // why the store would refuse the record; empty when it takes it
};

// One piece of the file as libical parsed it.
struct TPiezaLeida {
    icalcomponent *pRaiz = nullptr;
    QString sError;
    QVector<TEventoLeido> aEventos;
};

// A piece is worth a thread of its own from this many events on.
constexpr int kMinimoEventosPorPieza = 500;

TPiezaLeida Leer_Pieza(const QByteArray &rTexto)
{
    TPiezaLeida r;
    r.pRaiz = icalparser_parse_string(rTexto.constData());
    const QVector<icalcomponent *> calendarios = r.pRaiz ? Calendarios(r.pRaiz) : QVector<icalcomponent *>();
    if (calendarios.isEmpty()) {
        r.sError = QStringLiteral("not an iCalendar file (no VCALENDAR)");
        return r;
    }
    r.sError = Primer_Error(r.pRaiz);
    if (!r.sError.isEmpty())
        return r;
    const QVector<icalcomponent *> eventos = Eventos(calendarios);
    if (eventos.size() > kMaxEventosICal) {
        r.sError = Texto_Demasiados_Eventos();
        return r;
    }
    r.aEventos.resize(eventos.size());
    for (qsizetype i = 0; i < eventos.size(); ++i) {
        TEventoLeido &e = r.aEventos[i];
        e.pEvento = eventos[i];
        e.iParte = Parte_Kestrin(e.pEvento);
        // Kestrin's own export carries the whole record.
        const QStringList registro = e.iParte > 1 ? QStringList() : Lineas_Registro_Kestrin(e.pEvento);
        e.bPropio = !registro.isEmpty();
        if (e.bPropio) {
            e.iCodigoRegistro = Validar_Tarea(TValoresTarea(registro), e.tRegistro);
            if (e.iCodigoRegistro == 0)
                Comprobar_Tarea_Grabable(e.tRegistro, &e.sNoGrabable);
        }
    }
    return r;
}

struct TExistentes {
    QHash<QString, int> aPorNombre; // reminder file name -> index in the table
    QHash<QString, int> aPorUid;    // the UID Kestrin's export gives each reminder -> index
    TTablaTareas tabla;
};

TExistentes Cargar_Existentes(const QString &rsCarpeta)
{
    TExistentes e;
    e.tabla = Cargar_Directorio_Tareas(rsCarpeta).tabla;
    for (int i = 0; i < e.tabla.piTipoTareaTotal(); ++i) {
        const TTipoTarea &t = e.tabla.paTipoTarea[i];
        e.aPorNombre.insert(QFileInfo(t.tsFile).fileName(), i);
        e.aPorUid.insert(Uid_Tarea(t), i);
    }
    return e;
}

} // namespace

int TPlanImport::Cuantos(TAccionImport rAccion) const
{
    int n = 0;
    for (const TEventoImport &e : aEventos)
        n += e.iAccion == rAccion ? 1 : 0;
    return n;
}

TPlanImport Planear_Import_ICal(const QString &rsArchivo, const TContextoImport &rContexto)
{
    TPlanImport plan;
    QByteArray datos;
    if (!Leer_Archivo(rsArchivo, datos, plan.sError))
        return plan;
    // libical parses the pieces of a large file on all cores at once.
    const QList<QByteArray> textos = Partir_Calendario(datos, QThread::idealThreadCount(), kMinimoEventosPorPieza);
    datos.clear();
    std::vector<TPiezaLeida> piezas(size_t(textos.size()));
    // The parser sets one process-wide error state while it runs and puts the old one back
    // after; set here for all, every parser finds and puts back the same state.
    const icalerrorstate estado = icalerror_get_error_state(ICAL_MALFORMEDDATA_ERROR);
    icalerror_set_error_state(ICAL_MALFORMEDDATA_ERROR, ICAL_ERROR_NONFATAL);
    En_Paralelo(textos.size(), 1, [&](qsizetype desde, qsizetype hasta) {
        for (qsizetype i = desde; i < hasta; ++i)
            piezas[size_t(i)] = Leer_Pieza(textos[i]);
    });
    icalerror_set_error_state(ICAL_MALFORMEDDATA_ERROR, estado);
    // Each tree goes on the thread that frees it alongside the others.
    const auto liberar = [&piezas]() {
        En_Paralelo(qsizetype(piezas.size()), 1, [&piezas](qsizetype desde, qsizetype hasta) {
            for (qsizetype i = desde; i < hasta; ++i)
                if (piezas[size_t(i)].pRaiz)
                    icalcomponent_free(piezas[size_t(i)].pRaiz);
        });
    };
    qsizetype cuantos = 0;
    for (const TPiezaLeida &p : piezas) {
        if (plan.sError.isEmpty())
            plan.sError = p.sError;
        cuantos += p.aEventos.size();
    }
    if (plan.sError.isEmpty() && cuantos > kMaxEventosICal)
        plan.sError = Texto_Demasiados_Eventos();
    if (!plan.sError.isEmpty()) {
        liberar();
        return plan;
    }
    QVector<TEventoLeido *> eventos;
    eventos.reserve(cuantos);
    for (TPiezaLeida &p : piezas)
        for (TEventoLeido &e : p.aEventos)
            eventos << &e;
    plan.aEventos.reserve(cuantos);

    const TExistentes existentes = Cargar_Existentes(rContexto.sCarpetaDatos);
    const TUidsImportados uids = Leer_Uids(rContexto.sArchivoUids);
    // The first parts of Kestrin reminders in the file: their other parts are folded in.
    QSet<QString> primeras;
    for (const TEventoLeido *leido : eventos)
        if (leido->iParte == 0 && icalcomponent_get_uid(leido->pEvento))
            primeras.insert(QString::fromUtf8(icalcomponent_get_uid(leido->pEvento)));
    QSet<QString> vistos;

    for (TEventoLeido *leido : eventos) {
        icalcomponent *ev = leido->pEvento;
        TEventoImport e;
        const char *uid = icalcomponent_get_uid(ev);
        e.sUid = QString::fromUtf8(uid ? uid : "");
        const char *resumen = icalcomponent_get_summary(ev);
        e.sNombre = QString::fromUtf8(resumen ? resumen : "");
        if (e.sNombre.isEmpty())
            e.sNombre = Texto_ICal(TTextoICal::SinNombre, rContexto.iLenguaje);
        const auto omitir = [&](const QString &rsMotivo) {
            e.iAccion = TAccionImport::Omitir;
            e.sMotivo = rsMotivo;
            plan.aEventos << e;
        };
        if (leido->iParte > 1) {
            icalproperty *relacion = icalcomponent_get_first_property(ev, ICAL_RELATEDTO_PROPERTY);
            const char *principal = relacion ? icalproperty_get_relatedto(relacion) : nullptr;
            if (!principal || !primeras.contains(QString::fromUtf8(principal)))
                omitir(Texto_ICal(TTextoICal::ParteSinPrimera, rContexto.iLenguaje));
            continue;
        }
        if (!icalcomponent_get_first_property(ev, ICAL_RECURRENCEID_PROPERTY) && !e.sUid.isEmpty()) {
            if (vistos.contains(e.sUid)) {
                omitir(Texto_ICal(TTextoICal::UidRepetido, rContexto.iLenguaje));
                continue;
            }
            vistos.insert(e.sUid);
        }

        // Kestrin's own export carries the whole record; another program's event is mapped.
        const bool propio = leido->bPropio;
        TTipoTarea t;
        if (propio) {
            if (leido->iCodigoRegistro != 0) {
                omitir(Texto_ICal(TTextoICal::RegistroInvalido, rContexto.iLenguaje).arg(leido->iCodigoRegistro));
                continue;
            }
            t = std::move(leido->tRegistro);
        } else {
            t = Tarea_Nueva(rContexto);
            QString motivo;
            if (!Evento_a_Tarea(ev, rContexto.iLenguaje, t, motivo)) {
                omitir(motivo);
                continue;
            }
        }

        // An earlier import of this UID, or the reminder this UID was exported from.
        int indice = -1;
        if (!e.sUid.isEmpty()) {
            const QString archivo = uids.aArchivoPorUid.value(e.sUid);
            indice = archivo.isEmpty() ? -1 : existentes.aPorNombre.value(archivo, -1);
            if (indice < 0)
                indice = existentes.aPorUid.value(e.sUid, -1);
        }
        if (indice >= 0) {
            const TTipoTarea &antes = existentes.tabla.paTipoTarea[indice];
            if (!propio) {
                // What the user chose in Kestrin stays: alert, sound, language, and the run history.
                t.tiLenguaje = antes.tiLenguaje;
                t.tiAlertWindow = antes.tiAlertWindow;
                t.tiTocarSonido = antes.tiTocarSonido;
                t.tiUsarSonidoDefault = antes.tiUsarSonidoDefault;
                t.tsSonidoElegido = antes.tsSonidoElegido;
                t.tsPathDelSonido = antes.tsPathDelSonido;
                t.tiRepetirSonido = antes.tiRepetirSonido;
                t.tdFechaCreacion = antes.tdFechaCreacion;
                t.tiSnoozeTime = antes.tiSnoozeTime;
                t.tdSnoozeRun = antes.tdSnoozeRun;
                t.tdLastRunTime = antes.tdLastRunTime;
                t.tiAutoDelete = antes.tiAutoDelete;
            }
            e.sArchivo = antes.tsFile;
        }
        if (!propio && rContexto.Resumen)
            t.tsSummary = rContexto.Resumen(t, t.tiLenguaje);
        t.tsFile = e.sArchivo;
        e.iAccion = indice < 0 ? TAccionImport::Agregar
                    : Lineas_Archivo_Tarea(t) == Lineas_Archivo_Tarea(existentes.tabla.paTipoTarea[indice])
                        ? TAccionImport::YaEsta
                        : TAccionImport::Actualizar;
        // Kestrin's own records were checked where they were read.
        QString error = propio ? leido->sNoGrabable : QString();
        if (e.iAccion != TAccionImport::YaEsta && (propio ? !error.isEmpty() : !Comprobar_Tarea_Grabable(t, &error))) {
            omitir(error);
            continue;
        }
        e.tTarea = std::move(t);
        plan.aEventos << std::move(e);
    }
    liberar();
    return plan;
}

int Aplicar_Import_ICal(TPlanImport &fPlan, const TContextoImport &rContexto)
{
    TUidsImportados uids = Leer_Uids(rContexto.sArchivoUids);
    int escritos = 0;
    int nuevos = 0;
    bool uidsCambiados = false;
    // The new reminders are written together: one sync to the disk for many files.
    QVector<TArchivoNuevo> nuevosArchivos;
    for (const TEventoImport &e : fPlan.aEventos)
        if (e.iAccion == TAccionImport::Agregar)
            // Each new file is named from its own millisecond: thousands named from one moment
            // would run out of the hundred random suffixes a moment offers.
            nuevosArchivos.append({&e.tTarea, rContexto.dAhora + double(nuevosArchivos.size()) / double(MS_POR_DIA),
                                   QString(), QString()});
    Grabar_Archivos_Tarea_Nuevos(rContexto.sCarpetaDatos, nuevosArchivos);
    for (TEventoImport &e : fPlan.aEventos) {
        QString error;
        bool ok = true;
        if (e.iAccion == TAccionImport::Agregar) {
            const TArchivoNuevo &n = nuevosArchivos[nuevos++];
            ok = n.sError.isEmpty();
            error = n.sError;
            e.sArchivo = n.sArchivo;
        } else if (e.iAccion == TAccionImport::Actualizar)
            ok = Grabar_Archivo_Tarea(e.sArchivo, e.tTarea, &error);
        else
            continue;
        if (!ok) {
            e.iAccion = TAccionImport::Omitir;
            e.sMotivo = error;
            continue;
        }
        ++escritos;
        // A UID that the reminder's own export would not give it back is remembered.
        e.tTarea.tsFile = e.sArchivo;
        const QString nombre = QFileInfo(e.sArchivo).fileName();
        const bool guardable = !e.sUid.isEmpty() && !e.sUid.contains(QLatin1Char('\t')) && !e.sUid.contains(QLatin1Char('\n'));
        if (guardable && Uid_Tarea(e.tTarea) != e.sUid && uids.aArchivoPorUid.value(e.sUid) != nombre) {
            uids.aArchivoPorUid.insert(e.sUid, nombre);
            uidsCambiados = true;
        }
    }
    if (uidsCambiados) {
        QString error;
        if (!Grabar_Uids(rContexto.sArchivoUids, uids, &error))
            fPlan.sError = error; // the reminders are written; only a second import would add them again
    }
    return escritos;
}

QStringList Lineas_Informe_Import(const TPlanImport &rPlan, bool rbPrueba, int riLenguaje)
{
    QStringList lineas;
    for (const TEventoImport &e : rPlan.aEventos) {
        switch (e.iAccion) {
        case TAccionImport::Agregar:
            lineas << Texto_ICal(TTextoICal::Agregada, riLenguaje).arg(e.sNombre);
            break;
        case TAccionImport::Actualizar:
            lineas << Texto_ICal(TTextoICal::Actualizada, riLenguaje).arg(e.sNombre);
            break;
        case TAccionImport::YaEsta:
            lineas << Texto_ICal(TTextoICal::YaEstaba, riLenguaje).arg(e.sNombre);
            break;
        case TAccionImport::Omitir:
            lineas << Texto_ICal(TTextoICal::Omitida, riLenguaje).arg(e.sNombre, e.sMotivo);
            break;
        }
    }
    lineas << Texto_ICal(rbPrueba ? TTextoICal::ResumenPrueba : TTextoICal::Resumen, riLenguaje)
                  .arg(rPlan.Cuantos(TAccionImport::Agregar))
                  .arg(rPlan.Cuantos(TAccionImport::Actualizar))
                  .arg(rPlan.Cuantos(TAccionImport::YaEsta))
                  .arg(rPlan.Cuantos(TAccionImport::Omitir));
    return lineas;
}
