// The main window's commands, the messages it receives, and the scheduler thread's
// start and restarts.
#include "mainwindow.h"

#include "platform/bus.h"
#include "platform/filelock.h"
#include "report/eventlog.h"
#include "report/messagebox.h"
#include "texts/captions.h"
#include "texts/errortexts.h"
#include "texts/language.h"
#include "texts/maintexts.h"
#include "texts/schedulerreport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <exception>

namespace {
QString Texto_De(const std::exception &e)
{
    return QString::fromLocal8Bit(e.what());
}

// Marks a dialog open for as long as its link runs; a request while it is open is ignored.
class TDialogoAbierto {
public:
    explicit TDialogoAbierto(bool &fbAbierto) : pbAbierto(fbAbierto), pbPropio(!fbAbierto) { pbAbierto = true; }
    ~TDialogoAbierto()
    {
        if (pbPropio)
            pbAbierto = false;
    }
    bool Propio() const { return pbPropio; }

private:
    bool &pbAbierto;
    const bool pbPropio;
};
} // namespace

// --- Start-up after the event loop runs ---

void TfrmMain::TimerInicioTimer()
{
    TimerInicio->stop();
    const int lenguaje = Lenguaje_Actual();
    // The boxes wait until the scheduler runs: a box nobody answers (the start with the
    // session) must not hold back the reminders.
    pbRecargando = true;
    QStringList cajas;
    try {
        cajas = Recargar_Tabla(QString(), false);
    } catch (const std::exception &e) {
        cajas << Texto_Error_Principal(TErrorPrincipal::E207, Texto_De(e));
    }
    pbRecargando = false;
    pRelojRecarga.start();
    ListViewSelectItem();
    if (!QFileInfo(pCarpetas.psAppDataLocal).isDir())
        cajas << Texto_Sin_Acceso_Directorio(lenguaje, pCarpetas.psAppDataLocal);
    if (!QFileInfo(pCarpetas.psAppDataAllUsers).isDir())
        cajas << Texto_Sin_Acceso_Directorio(lenguaje, pCarpetas.psAppDataAllUsers);
    if (!QFileInfo(pCarpetas.psEXEPath + QStringLiteral("AlertWindow")).isFile())
        cajas << Texto_Falta_AlertWindow(lenguaje, pCarpetas.psEXEPath);
    if (!pbApagado && Iniciar_Thread_Alerta() && pAlIniciar)
        pAlIniciar(*this);
    Mostrar_Cajas_Carga(cajas);
    Programar_Recarga();
}

TInicioThreadAlerta TfrmMain::Datos_Inicio() const
{
    TInicioThreadAlerta inicio;
    inicio.pVentana = const_cast<TfrmMain *>(this);
    inicio.psEXEPath = pCarpetas.psEXEPath;
    inicio.psAppDataSystemLocal = pCarpetas.psAppDataSystemLocal;
    inicio.psAppDataSoundsAllUsers = pCarpetas.psAppDataSoundsAllUsers;
    inicio.psDefaultSound = pConfiguracion.psDefaultSound;
    inicio.psFontMensaje = pConfiguracion.psFontMensaje;
    inicio.piDefaultSnoozeTime = pConfiguracion.piDefaultSnoozeTime;
    inicio.piTickMs = piTickMs;
    return inicio;
}

bool TfrmMain::Iniciar_Thread_Alerta()
{
    QString error;
    pThreadAlerta = ::Iniciar_Thread_Alerta(Datos_Inicio(), pbAutoStarted, error);
    if (pThreadAlerta) {
        ++piHilosIniciados;
        Trazar(QStringLiteral("scheduler started%1").arg(pThreadAlerta->pbAutoStarted ? " (automatic start)" : ""));
        return true;
    }
    MessageBoxBeep(this, error, Caption_Error(), MB_OK);
    Terminar_Programa();
    return false;
}

void TfrmMain::Reiniciar_Thread_Alerta()
{
    if (pbApagado)
        return;
    QString error203, error202;
    const bool corre = ::Reiniciar_Thread_Alerta(pThreadAlerta, Datos_Inicio(), pbAutoStarted, error203, error202);
    if (!error203.isEmpty())
        MessageBoxBeep(this, error203, Caption_Error(), MB_OK);
    if (corre) {
        ++piHilosIniciados;
        Trazar(QStringLiteral("scheduler restarted"));
        return;
    }
    // A restart that was ignored (another restart waiting, or the program stopping)
    // says nothing; only a thread that could not be started ends the program.
    if (!error202.isEmpty()) {
        MessageBoxBeep(this, error202, Caption_Error(), MB_OK);
        Terminar_Programa();
    }
}

// --- Messages ---

void TfrmMain::Mensaje_Bus(const QString &rsNombre)
{
    if (pbApagado)
        return;
    if (rsNombre == QLatin1String(MSG_KESTRIN))
        TrayIconClick();
    else if (rsNombre == QLatin1String(MSG_KESTRIN_SHUTDOWN))
        Terminar_Programa();
    else if (rsNombre == QLatin1String(MSG_KESTRIN_READ_FILES))
        Pedir_Recarga(true);
}

void TfrmMain::Aplicar_Accion_Reporte(int riCodigo, const QString &rsLog, const QString &rsCaja, bool rbReiniciar)
{
    Q_UNUSED(riCodigo);
    if (!rsLog.isEmpty())
        Add_To_Log(rsLog);
    if (!rsCaja.isEmpty())
        MessageBoxBeep(this, rsCaja, Caption_Error(), MB_OK);
    if (rbReiniciar)
        Reiniciar_Thread_Alerta();
}

// The handlers of the scheduler's messages catch every failure themselves: nothing
// may reach the event loop, which would end the program.
void TfrmMain::Mensaje_Reporte_Hilo(int riWParam, int, const QString &rsTexto)
{
    if (pbApagado)
        return;
    try {
        const TAccionReporte accion = Accion_Reporte_Planificador(riWParam, rsTexto, piContadorLogErrors);
        Aplicar_Accion_Reporte(riWParam, accion.sLog, accion.sCaja, accion.bReiniciar);
    } catch (const std::exception &e) {
        Add_To_Log(Texto_Log_Planificador(riWParam, Texto_De(e)));
    } catch (...) {
    }
}

void TfrmMain::Mensaje_Archivos_Cambiados(int, int, const QString &)
{
    if (pbApagado)
        return;
    Pedir_Recarga(false);
}

void TfrmMain::Mensaje_Hilo_Terminado(int, int, const QString &rsTexto)
{
    if (pbApagado)
        return;
    try {
        const TAccionReporte accion = Accion_Planificador_Detenido(rsTexto);
        Aplicar_Accion_Reporte(0, accion.sLog, accion.sCaja, accion.bReiniciar);
    } catch (const std::exception &e) {
        Add_To_Log(Texto_Error_Principal(TErrorPrincipal::E200, Texto_De(e)));
    } catch (...) {
    }
}

void TfrmMain::Mostrar_Desktop_Alert_Thread()
{
    if (!pEnlaces.Mostrar_Desktop_Alert || pbApagado)
        return;
    try {
        pEnlaces.Mostrar_Desktop_Alert(*this);
    } catch (const std::exception &e) {
        MessageBoxBeep(this, Texto_Error_Principal(TErrorPrincipal::E209, Texto_De(e)), Caption_Error(), MB_OK);
    } catch (...) {
    }
}

void TfrmMain::Tocar_Sonido_Thread()
{
    if (!pEnlaces.Tocar_Sonido || pbApagado)
        return;
    try {
        pEnlaces.Tocar_Sonido(*this);
    } catch (const std::exception &e) {
        Add_To_Log(Texto_Error_Principal(TErrorPrincipal::E204, Texto_De(e)));
    } catch (...) {
    }
}

// --- Commands ---

void TfrmMain::Actualizar_Comandos_Enlaces()
{
    const bool asistente = static_cast<bool>(pEnlaces.Abrir_Asistente);
    SpeedButtonAgregar->setEnabled(asistente);
    mAgregarTarea->setEnabled(asistente);
    mAgregarTareaPopup->setEnabled(asistente);
    mTrayAgregarTarea->setEnabled(asistente);
    const bool opciones = static_cast<bool>(pEnlaces.Abrir_Opciones);
    SpeedButtonOpciones->setEnabled(opciones);
    mOpciones->setEnabled(opciones);
    mTrayOpciones->setEnabled(opciones);
    const bool sonidos = static_cast<bool>(pEnlaces.Abrir_Manejador_Sonidos);
    SpeedButtonSonido->setEnabled(sonidos);
    mManejadorDeSonidos->setEnabled(sonidos);
    mTrayManejadorDeSonidos->setEnabled(sonidos);
    const bool rapido = static_cast<bool>(pEnlaces.Abrir_Recordatorio_Rapido);
    mRecordatorioRapido->setEnabled(rapido);
    mTrayRecordatorioRapido->setEnabled(rapido);
    const bool acerca = static_cast<bool>(pEnlaces.Abrir_Acerca);
    mAcerca->setEnabled(acerca);
    mTrayAcerca->setEnabled(acerca);
    const bool enlace = static_cast<bool>(pEnlaces.Abrir_Enlace);
    mVerAyuda->setEnabled(enlace);
    mPaginaWeb->setEnabled(enlace);
    mTrayPaginaWeb->setEnabled(enlace);
    mAhoraDisponibleParaIPhoneYIPad->setEnabled(enlace);
    mVerLog->setEnabled(enlace && mVerLog->isVisible());
    mCheckForUpdates->setEnabled(static_cast<bool>(pEnlaces.Buscar_Actualizaciones));
    mExportar->setEnabled(static_cast<bool>(pEnlaces.Exportar_ICal));
    mExportarSeleccion->setEnabled(pEnlaces.Exportar_ICal && ListView->selectedItems().size() == 1);
    mImportar->setEnabled(static_cast<bool>(pEnlaces.Importar_ICal));
}

void TfrmMain::SpeedButtonAgregarClick()
{
    if (!pEnlaces.Abrir_Asistente)
        return;
    const TDialogoAbierto abierto(pbAsistenteAbierto);
    if (abierto.Propio())
        pEnlaces.Abrir_Asistente(*this, -1);
}

void TfrmMain::SpeedButtonEditarClick()
{
    Editar_O_Borrar(false);
}

void TfrmMain::SpeedButtonBorrarClick()
{
    Editar_O_Borrar(true);
}

void TfrmMain::Editar_O_Borrar(bool rbBorrar)
{
    const int lenguaje = Lenguaje_Actual();
    if (ListView->topLevelItemCount() == 0) {
        MessageBoxBeep(this, Texto_Lista_Vacia(lenguaje), Caption_Error(), MB_OK);
        return;
    }
    const int fila = Fila_Seleccionada();
    if (ListView->selectedItems().size() != 1 || fila < 0) {
        MessageBoxBeep(this, Texto_Seleccione_Recordatorio(lenguaje), Caption_Error(), MB_OK);
        return;
    }
    if (rbBorrar) {
        Borrar_Tarea(fila);
        return;
    }
    if (!pEnlaces.Abrir_Asistente)
        return;
    const TDialogoAbierto abierto(pbAsistenteAbierto);
    if (abierto.Propio())
        pEnlaces.Abrir_Asistente(*this, fila);
}

void TfrmMain::Borrar_Tarea(int riFila)
{
    const int lenguaje = Lenguaje_Actual();
    const TTipoTarea tarea = paTipoTarea.paTipoTarea.at(riFila);
    if (MessageBoxBeep(this, Texto_Confirmar_Borrado(lenguaje, tarea.tsTaskName), Caption_Confirmacion(lenguaje),
                       MB_OKCANCEL) != IDOK)
        return;
    try {
        bool borrado;
        {
            // Under the folder's lock: a write-back of the scheduler or a snooze that
            // is changing this file finishes first, and one that comes later finds no
            // file and does not bring it back.
            const TBloqueoCarpeta bloqueo(QFileInfo(tarea.tsFile).absolutePath());
            QFile::remove(tarea.tsFile);
            borrado = !QFileInfo::exists(tarea.tsFile);
        }
        if (!borrado) {
            MessageBoxBeep(this, Texto_No_Se_Pudo_Borrar(lenguaje, tarea.tsFile), Caption_Error(), MB_OK);
            return;
        }
        Cargar_Tareas_De_Archivos(QString(), true);
    } catch (const std::exception &e) {
        MessageBoxBeep(this, Texto_Error_Principal(TErrorPrincipal::E215, Texto_De(e)), Caption_Error(), MB_OK);
    }
}

void TfrmMain::SpeedButtonOpcionesClick()
{
    if (!pEnlaces.Abrir_Opciones)
        return;
    const TDialogoAbierto abierto(pbOpcionesAbierto);
    if (!abierto.Propio())
        return;
    const int lenguajeAntes = Lenguaje_Actual();
    const int snoozeAntes = pConfiguracion.piDefaultSnoozeTime;
    const QString fuenteAntes = pConfiguracion.psFontMensaje;
    if (!pEnlaces.Abrir_Opciones(*this))
        return;
    if (Lenguaje_Actual() != lenguajeAntes) {
        Set_Language_Captions(Lenguaje_Actual());
        Cargar_Tareas_De_Archivos(Archivo_Seleccionado(), false);
        ListViewSelectItem();
    }
    if (pConfiguracion.piDefaultSnoozeTime != snoozeAntes && pThreadAlerta) {
        try {
            pThreadAlerta->piDefaultSnoozeTime = pConfiguracion.piDefaultSnoozeTime;
        } catch (const std::exception &e) {
            Add_To_Log(Texto_Error_Principal(TErrorPrincipal::E218, Texto_De(e)));
        }
    }
    if (pConfiguracion.psFontMensaje != fuenteAntes && pThreadAlerta) {
        try {
            pThreadAlerta->psFontMensaje.Poner(pConfiguracion.psFontMensaje);
        } catch (const std::exception &e) {
            Add_To_Log(Texto_Error_Principal(TErrorPrincipal::E218B, Texto_De(e)));
        }
    }
}

void TfrmMain::SpeedButtonSonidoClick()
{
    if (!pEnlaces.Abrir_Manejador_Sonidos)
        return;
    const TDialogoAbierto abierto(pbSonidosAbierto);
    if (abierto.Propio())
        pEnlaces.Abrir_Manejador_Sonidos(*this, mManejadorDeSonidos->text().remove(QLatin1Char('&')));
}

void TfrmMain::mAcercaClick()
{
    if (!pEnlaces.Abrir_Acerca)
        return;
    const TDialogoAbierto abierto(pbAcercaAbierto);
    if (abierto.Propio())
        pEnlaces.Abrir_Acerca(*this);
}

void TfrmMain::Recordatorio_Rapido_Click(int riItem)
{
    if (!pEnlaces.Abrir_Recordatorio_Rapido || riItem < 0 || riItem >= CANTIDAD_RAPIDOS)
        return;
    const TDialogoAbierto abierto(pbRapidoAbierto);
    if (abierto.Propio())
        pEnlaces.Abrir_Recordatorio_Rapido(*this, aiMinutosRapidos[riItem],
                                           Captions_Principal(Lenguaje_Actual()).asRapidos[riItem]);
}

void TfrmMain::mTerminarProgramaClick()
{
    const int lenguaje = Lenguaje_Actual();
    if (MessageBoxBeep(this, Texto_Confirmar_Terminar(lenguaje), Caption_Confirmacion(lenguaje), MB_OKCANCEL) !=
        IDOK)
        return;
    pbShutDown = true;
    close();
    if (!pbApagado) // a hidden window gets no close event
        Terminar_Programa();
}
