#include "alertthread.h"

#include "alertlaunch.h"
#include "threadevents.h"
#include "tsanhint.h"
#include "nextrun.h"
#include "platform/screensaver.h"
#include "store/cleanup.h"
#include "store/daycount.h"
#include "store/loader.h"
#include "store/textforms.h"
#include "store/writer.h"

#include <QFileInfo>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <exception>

namespace {
constexpr qint64 kVentanaDisparoMs = 10 * 60 * 1000; // a reminder fires up to 10 minutes late
constexpr qint64 kSaltoRelojMs = 60 * 1000;          // a clock jump: a minute either way
constexpr int kGraciaReanudacion = 600;              // seconds, after sleep or hibernation
constexpr int kGraciaSalto = 90;                     // seconds, after any other jump
constexpr int kMaxReportesArchivo = 3;               // bad-file reports per thread
} // namespace

bool Esta_Vencida(double rdAhora, double rdDue)
{
    if (rdDue <= 0)
        return false;
    const qint64 ahora = Dias_a_Milisegundos(rdAhora);
    const qint64 due = Dias_a_Milisegundos(rdDue);
    return ahora >= due && ahora - due <= kVentanaDisparoMs;
}

TThreadAlerta::TThreadAlerta(TVentanaDelHilo *rVentana, int riTickMs, int riPausaSaltoMs)
    : pMainFormHandle(rVentana),
      piTickMs(riTickMs),
      piPausaSaltoMs(riPausaSaltoMs),
      pReceptor(rVentana ? Receptor_De_Ventana(rVentana->Objeto_Ventana()) : nullptr)
{
}

TThreadAlerta::~TThreadAlerta()
{
    Detener();
    wait();
    Orden_Despues(this);
}

void TThreadAlerta::Detener()
{
    {
        std::lock_guard<std::mutex> lock(pMutexEspera);
        pbHiloVivo = false;
    }
    pCondicionEspera.notify_all();
}

bool TThreadAlerta::Esperar(int riMs)
{
    std::unique_lock<std::mutex> lock(pMutexEspera);
    pCondicionEspera.wait_for(lock, std::chrono::milliseconds(riMs), [this] { return !pbHiloVivo.load(); });
    return pbHiloVivo.load();
}

QVector<TEstadoTarea> TThreadAlerta::Estado_Tabla() const
{
    std::lock_guard<std::mutex> lock(pMutexEstado);
    return pEstado;
}

void TThreadAlerta::Publicar_Estado()
{
    if (!pbTablaCambiada)
        return;
    pbTablaCambiada = false;
    QVector<TEstadoTarea> estado;
    estado.reserve(pTabla.paTipoTarea.size());
    for (const TTipoTarea &t : pTabla.paTipoTarea)
        estado.append({t.tsFile, t.tdNextRunTime, t.tdLastRunTime});
    std::lock_guard<std::mutex> lock(pMutexEstado);
    pEstado.swap(estado);
}

void TThreadAlerta::run()
{
    Execute();
    Orden_Antes(this);
}

void TThreadAlerta::Descartar_Reportes()
{
    *pbReportesVigentes = false;
}

void TThreadAlerta::Execute()
{
    // Temporary files of writers killed long ago; a writer at work keeps its own.
    Borrar_Temporales_Viejos(psAppDataSystemLocal);
    psError.Poner(QString());
    pbErrorGrave = false;
    piContadorLogErrors = 0;
    int gracia = 0;
    pbLeerArchivos = true;
    pbCalcularNextRunTime = true;
    pbSleepHibernate = false;
    try {
        double ultimo = Ahora();
        while (pbHiloVivo) {
            // The pause is a wait that Detener cuts short, so stopping never has to
            // interrupt the work of a tick.
            if (!Esperar(piTickMs))
                break;
            if (!pbErrorGrave) {
                const double ahora = Ahora();
                if (std::llabs(Dias_a_Milisegundos(ahora) - Dias_a_Milisegundos(ultimo)) >= kSaltoRelojMs) {
                    Avisar_Archivos_Cambiados();
                    if (!Esperar(piPausaSaltoMs))
                        break;
                    pbLeerArchivos = true;
                    gracia = pbSleepHibernate.exchange(false) ? kGraciaReanudacion : kGraciaSalto;
                }
                if (pbLeerArchivos.exchange(false)) {
                    pbCalcularNextRunTime = true;
                    Leer_Archivos();
                }
                if (!pbErrorGrave) {
                    if (pbCalcularNextRunTime.exchange(false)) {
                        // A reload between two due passes must not carry a reminder past a
                        // moment the last pass has not looked at: what fell due since then is
                        // computed as still due, and what that pass fired lies behind it. A
                        // clock jump has its own reach back.
                        const double ahoraCalculo = Ahora();
                        Calcular_Next_Run_Time(QString(), gracia,
                                               gracia > 0 ? ahoraCalculo
                                                          : std::min(ahoraCalculo, ultimo + Milisegundos_a_Dias(1)));
                        gracia = 0;
                    }
                    ultimo = Ahora();
                    Revisar_Tareas(ultimo);
                    pbAutoStarted = false;
                }
            }
            Publicar_Estado();
            ++piTicks;
        }
    } catch (const std::exception &e) {
        Avisar_Terminado(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        Avisar_Terminado(QStringLiteral("Unknown failure in the scheduler thread"));
    }
    Publicar_Estado();
}

void TThreadAlerta::Leer_Archivos()
{
    TResultadoCarga carga = Cargar_Directorio_Tareas(psAppDataSystemLocal);
    pTabla = std::move(carga.tabla);
    pbTablaCambiada = true;
    // A missing folder leaves the table empty without a word: the main window reports it.
    for (const TArchivoInvalido &invalido : carga.invalidos) {
        if (piContadorLogErrors >= kMaxReportesArchivo)
            break;
        ++piContadorLogErrors;
        Reportar(REPORTE_ARCHIVO_INVALIDO, invalido.tiCodigo, invalido.tsFile);
    }
    // What cannot be read is skipped and the rest is scheduled; each file (or the folder,
    // when it cannot be listed) is reported once, and tried again at every reload.
    QSet<QString> ilegibles;
    QVector<QPair<QString, QString>> nuevos;
    auto anotar = [&](const QString &rsRuta, const QString &rsTexto) {
        ilegibles.insert(rsRuta);
        if (!pIlegiblesReportados.contains(rsRuta))
            nuevos.append({rsRuta, rsTexto});
    };
    if (!carga.error.isEmpty())
        anotar(psAppDataSystemLocal, carga.error);
    for (const TArchivoIlegible &ilegible : carga.ilegibles)
        anotar(ilegible.tsFile, ilegible.tsFile + QStringLiteral(": ") + ilegible.tsError);
    pIlegiblesReportados = ilegibles;
    for (const auto &[ruta, texto] : nuevos)
        Reportar(REPORTE_ARCHIVO_INVALIDO, 0, texto);
}

void TThreadAlerta::Calcular_Next_Run_Time(const QString &rsFile, int riGracia, double rdReferencia)
{
    const double ahora = rdReferencia > 0 ? rdReferencia : Ahora();
    for (TTipoTarea &t : pTabla.paTipoTarea) {
        // File names are case-sensitive here: "a.od" and "A.od" are two reminders.
        if (!rsFile.isEmpty() && t.tsFile != rsFile)
            continue;
        t.tdNextRunTime = Calcular_Proxima_Ejecucion(t, ahora, riGracia);
    }
    pbTablaCambiada = true;
}

void TThreadAlerta::Revisar_Tareas(double rdAhora)
{
    const bool autoStarted = pbAutoStarted;
    for (int i = 0; i < pTabla.piTipoTareaTotal(); ++i) {
        const TTipoTarea &t = pTabla.paTipoTarea[i];
        const double due = (autoStarted && t.tiTareaTipo == TAREA_AL_INICIAR) ? rdAhora : t.tdNextRunTime;
        if (!Esta_Vencida(rdAhora, due))
            continue;
        // A thread asked to stop starts no new alert.
        if (!pbHiloVivo)
            return;
        Disparar_Tarea(i, due);
    }
}

void TThreadAlerta::Disparar_Tarea(int riIndice, double rdDue)
{
    // A copy: the record is recomputed below while its values are still in use.
    const TTipoTarea tarea = pTabla.paTipoTarea[riIndice];
    const bool popup = tarea.tiAlertWindow == ALERTA_POPUP || tarea.tiAlertWindow == ALERTA_AMBAS;
    const bool ventana = tarea.tiAlertWindow == ALERTA_VENTANA || tarea.tiAlertWindow == ALERTA_AMBAS;

    if (popup) {
        Report_User_Activity();
        psThreadArchivo = tarea.tsFile;
        psThreadTaskName = tarea.tsTaskName;
        psThreadMensaje = tarea.tsMensaje;
        piThreadTocarSonido = tarea.tiTocarSonido;
        Llamada_Sincronizada(false);
        // With the alert window as well, the sound is the alert window's to play.
        if (tarea.tiAlertWindow == ALERTA_POPUP && tarea.tiTocarSonido == 1) {
            piThreadUsarSonidoDefault = tarea.tiUsarSonidoDefault;
            piThreadRepetirSonido = tarea.tiRepetirSonido;
            psThreadPathDelSonido = tarea.tsPathDelSonido;
            Llamada_Sincronizada(true);
        }
    }
    if (ventana) {
        Report_User_Activity();
        if (QFileInfo::exists(tarea.tsFile))
            Lanzar_Ventana_Alerta(tarea);
    }
    if (QFileInfo::exists(tarea.tsFile)) {
        if (tarea.tiAutoDelete == 1 && tarea.tiAlertWindow == ALERTA_POPUP) {
            QString error;
            if (!Retirar_Archivo_Tarea(tarea.tsFile, &error)) {
                // The file stays visible; it must not look as if it had been retired.
                Reportar(REPORTE_ESCRITURA, 0,
                         QStringLiteral("Cannot rename ") + tarea.tsFile + QStringLiteral(" to ") +
                             Nombre_Retirado(tarea.tsFile) + QStringLiteral(" (") + error + QLatin1Char(')'));
                Escribir_Ultima_Ejecucion(riIndice, rdDue);
            }
            pbLeerArchivos = true;
        } else {
            Escribir_Ultima_Ejecucion(riIndice, rdDue);
        }
    } else {
        pbLeerArchivos = true;
    }
    Avisar_Archivos_Cambiados();
}

void TThreadAlerta::Escribir_Ultima_Ejecucion(int riIndice, double rdDue)
{
    TTipoTarea &t = pTabla.paTipoTarea[riIndice];
    QString error;
    // A moment the file form cannot hold is refused rather than written unreadable.
    const TCambio cambio =
        !Comprobar_Fecha_Archivo(QStringLiteral("LastRunTime"), rdDue, &error)
            ? TCambio::Error
            : Cambiar_Valor_En_Archivo(t.tsFile, QStringLiteral("LastRunTime"), Float_To_Str_Sin_Punto(rdDue), &error);
    if (cambio == TCambio::Error)
        Reportar(REPORTE_ESCRITURA, 0, error);
    else if (cambio == TCambio::NoExiste) // removed a moment ago: the next tick reloads
        pbLeerArchivos = true;
    t.tdLastRunTime = rdDue;
    // The occurrence that fired lies behind the reference even if the clock has not
    // moved since (a frozen test clock, a very fast tick), so it is never fired twice.
    Calcular_Next_Run_Time(t.tsFile, 0, std::max(Ahora(), rdDue + Milisegundos_a_Dias(1)));
}

void TThreadAlerta::Lanzar_Ventana_Alerta(const TTipoTarea &rTarea)
{
    try {
        const QString sonido = Sonido_Para_AlertWindow(rTarea.tiUsarSonidoDefault, rTarea.tsPathDelSonido,
                                                       psAppDataSoundsAllUsers, psDefaultSound.Leer());
        const QStringList argumentos =
            Argumentos_AlertWindow(rTarea.tsFile, sonido, piDefaultSnoozeTime, psFontMensaje.Leer());
        QString error;
        switch (Lanzar_AlertWindow(Ruta_AlertWindow(psEXEPath), argumentos, error)) {
        case TLanzamiento::Ok:
            break;
        case TLanzamiento::NoExiste:
            Reportar(REPORTE_ALERTWINDOW_FALTA, 0, error);
            break;
        case TLanzamiento::NoInicio:
            Reportar(REPORTE_ALERTWINDOW_NO_INICIO, 0, error);
            break;
        }
    } catch (const std::exception &e) {
        Reportar(REPORTE_ALERTWINDOW_FALLO, 0, QString::fromLocal8Bit(e.what()));
    }
}

void TThreadAlerta::Llamada_Sincronizada(bool rbSonido)
{
    TVentanaDelHilo *ventana = pMainFormHandle;
    if (!pReceptor)
        return;
    // The main window takes the hand-over values while this thread waits for it. The
    // action carries copies, so it stays sound even if the wait is given up: a thread
    // being stopped (or destroyed) by a caller that handles no events does not hang.
    std::function<void()> accion;
    if (rbSonido)
        accion = [ventana, usarDefault = piThreadUsarSonidoDefault, repetir = piThreadRepetirSonido,
                  sonido = psThreadPathDelSonido] {
            ventana->piThreadUsarSonidoDefault = usarDefault;
            ventana->piThreadRepetirSonido = repetir;
            ventana->psThreadPathDelSonido = sonido;
            ventana->Tocar_Sonido_Thread();
        };
    else
        accion = [ventana, archivo = psThreadArchivo, nombre = psThreadTaskName, mensaje = psThreadMensaje,
                  sonido = piThreadTocarSonido] {
            ventana->psThreadArchivo = archivo;
            ventana->psThreadTaskName = nombre;
            ventana->psThreadMensaje = mensaje;
            ventana->piThreadTocarSonido = sonido;
            ventana->Mostrar_Desktop_Alert_Thread();
        };
    Llamar_En_Receptor(pReceptor, std::move(accion), [this] { return !pbHiloVivo; });
}

void TThreadAlerta::Reportar(int riCodigo, int riParametro, const QString &rsTexto)
{
    psError.Poner(rsTexto);
    TVentanaDelHilo *ventana = pMainFormHandle;
    if (pReceptor)
        Publicar_En_Receptor(pReceptor, [ventana, riCodigo, riParametro, rsTexto, vigentes = pbReportesVigentes] {
            if (*vigentes)
                ventana->Mensaje_Reporte_Hilo(riCodigo, riParametro, rsTexto);
        });
}

void TThreadAlerta::Avisar_Archivos_Cambiados()
{
    TVentanaDelHilo *ventana = pMainFormHandle;
    if (pReceptor)
        Publicar_En_Receptor(pReceptor, [ventana] { ventana->Mensaje_Archivos_Cambiados(1, 0, QString()); });
}

void TThreadAlerta::Avisar_Terminado(const QString &rsTexto)
{
    psError.Poner(rsTexto);
    pbErrorGrave = true;
    TVentanaDelHilo *ventana = pMainFormHandle;
    if (pReceptor)
        Publicar_En_Receptor(pReceptor, [ventana, rsTexto, vigentes = pbReportesVigentes] {
            if (*vigentes)
                ventana->Mensaje_Hilo_Terminado(1, 0, rsTexto);
        });
}
