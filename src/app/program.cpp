#include "program.h"

#include "icalmenu.h"
#include "mainwindow.h"
#include "soundcontext.h"
#include "platform/appidentity.h"
#include "platform/bus.h"
#include "platform/folders.h"
#include "platform/qtargs.h"
#include "platform/fonts.h"
#include "platform/singleinstance.h"
#include "platform/termsignals.h"
#include "report/eventlog.h"
#include "report/qtmessagepresenter.h"
#include "alerts/desktopalerts.h"
#include "alerts/reproductores.h"
#include "alerts/sonidosiniciales.h"
#include "editor/asistente.h"
#include "settings/acerca.h"
#include "settings/actualizaciones.h"
#include "settings/enlaces.h"
#include "scheduler/suspension.h"
#include "settings/options.h"
#include "settings/wakesetting.h"
#include "settings/waketimers.h"
#include "settings/quickreminder.h"
#include "settings/registry.h"
#include "settings/soundmanager.h"
#include "texts/language.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QFile>
#include <QSessionManager>


namespace {
// Popups place themselves on the screen, which Wayland does not allow a program to do:
// prefer XWayland when it is there and the user has not chosen a platform. Sounds use
// GStreamer, which keeps time without an audio device.
void Elegir_Plataforma()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY") &&
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "gstreamer");
}
} // namespace

namespace {
// The sound library manager over rOwner (the main window, or the wizard).
void Abrir_Sonidos(TfrmMain &rVentana, TReproductores &rReproductores, QWidget *rOwner, const QString &rsCaption)
{
    TContextoSonidos contexto = Contexto_Sonidos(rVentana, &rReproductores);
    Abrir_Manejador_Sonidos(rOwner, contexto, rsCaption);
}
} // namespace

TEnlacesPrincipal Enlaces_Del_Programa(TReproductores &rReproductores, TDesktopAlerts &rAlertas)
{
    TEnlacesPrincipal enlaces;

    enlaces.Abrir_Asistente = [&rReproductores, &rAlertas](TfrmMain &rVentana, int riFila) {
        TContextoAsistente contexto;
        contexto.pCarpetas = rVentana.pCarpetas;
        contexto.pConfiguracion = &rVentana.pConfiguracion;
        contexto.piLenguaje = Lenguaje_Actual();
        contexto.piIndice = riFila;
        if (riFila >= 0 && riFila < rVentana.paTipoTarea.piTipoTareaTotal())
            contexto.pTarea = rVentana.paTipoTarea.paTipoTarea.at(riFila);
        contexto.psEjecutable = Archivo_Inicio_Con_Sesion();
        contexto.pReproductor = &rReproductores;
        contexto.Mostrar_Popup_Prueba = [&rAlertas](const QString &rsArchivo, const QString &rsNombre,
                                                    const QString &rsMensaje) {
            return rAlertas.Mostrar_Desktop_Alert_Prueba(rsArchivo, rsNombre, rsMensaje,
                                                         [] { Popup_Prueba_Cerrado(); });
        };
        contexto.Abrir_Manejador_Sonidos = [&rVentana, &rReproductores](QWidget *rOwner, const QString &rsCaption) {
            Abrir_Sonidos(rVentana, rReproductores, rOwner, rsCaption);
        };
        contexto.Tras_Guardar = [&rVentana](const QString &rsArchivo) {
            rVentana.Cargar_Tareas_De_Archivos(rsArchivo, true);
        };
        contexto.Tras_Inicio_Con_Sistema = [&rVentana] { rVentana.pConfiguracion.pbStartWithWindows = true; };
        Abrir_Asistente_Tarea(&rVentana, contexto);
    };

    enlaces.Abrir_Opciones = [](TfrmMain &rVentana) {
        TContextoOpciones contexto;
        contexto.pConfig = &rVentana.pConfiguracion;
        contexto.iLenguaje = Lenguaje_Actual();
        contexto.sEjecutable = Archivo_Inicio_Con_Sesion();
        contexto.aFuentes = Installed_Font_Families();
        contexto.Despertador_Disponible = [] { return Existe_Interruptor_Despertar(); };
        contexto.Abrir_Temporizadores = [](QWidget *rDialogo) {
            if (auto *opciones = qobject_cast<TfrmOpciones *>(rDialogo))
                Mostrar_Wake_Timers(rDialogo, opciones->Lenguaje_Elegido());
        };
        return Abrir_Opciones(&rVentana, contexto);
    };

    enlaces.Abrir_Manejador_Sonidos = [&rReproductores](TfrmMain &rVentana, const QString &rsCaption) {
        Abrir_Sonidos(rVentana, rReproductores, &rVentana, rsCaption);
    };

    enlaces.Abrir_Recordatorio_Rapido = [](TfrmMain &rVentana, int riMinutos, const QString &rsCaption) {
        const TContextoRapido contexto{
            rVentana.pCarpetas.psAppDataSystemLocal, rVentana.pCarpetas.psAppDataSoundsAllUsers,
            rVentana.pConfiguracion.psDefaultSound, Lenguaje_Actual(),
            [&rVentana](const QString &rsArchivo) { rVentana.Cargar_Tareas_De_Archivos(rsArchivo, true); }};
        Abrir_Recordatorio_Rapido(&rVentana, contexto, riMinutos, rsCaption);
    };

    enlaces.Abrir_Acerca = [](TfrmMain &rVentana) { Abrir_Acerca(&rVentana); };

    enlaces.Abrir_Enlace = [](TfrmMain &rVentana, int riQue) {
        switch (riQue) {
        case ENLACE_PAGINA_WEB:
            Abrir_Pagina_Web(&rVentana);
            break;
        case ENLACE_IPHONE:
            Abrir_Pagina_IPhone(&rVentana);
            break;
        case ENLACE_AYUDA:
            Ver_Ayuda(&rVentana);
            break;
        case ENLACE_LOG:
            Ver_Log(&rVentana);
            break;
        default:
            break;
        }
    };

    enlaces.Buscar_Actualizaciones = [](TfrmMain &rVentana) {
        // The command stays greyed while a check is under way.
        QPointer<QAction> comando = rVentana.findChild<QAction *>(QStringLiteral("mCheckForUpdates"));
        Buscar_Actualizaciones(&rVentana, [comando](bool rbBuscando) {
            if (comando)
                comando->setEnabled(!rbBuscando);
        });
    };

    enlaces.Exportar_ICal = [](TfrmMain &rVentana, bool rbSeleccion) { Exportar_ICal_Ventana(rVentana, rbSeleccion); };
    enlaces.Importar_ICal = [](TfrmMain &rVentana) { Importar_ICal_Ventana(rVentana); };

    // The scheduler's two synchronised calls.
    enlaces.Mostrar_Desktop_Alert = [&rAlertas](TfrmMain &rVentana) {
        rAlertas.Mostrar_Desktop_Alert_Thread(rVentana.psThreadArchivo, rVentana.psThreadTaskName,
                                              rVentana.psThreadMensaje, rVentana.piThreadTocarSonido == 1);
    };
    enlaces.Tocar_Sonido = [&rReproductores](TfrmMain &rVentana) {
        rReproductores.Tocar_Sonido_Thread(rVentana.piThreadUsarSonidoDefault, rVentana.piThreadRepetirSonido,
                                           rVentana.psThreadPathDelSonido, rVentana.pCarpetas.psAppDataSoundsAllUsers,
                                           rVentana.pConfiguracion.psDefaultSound);
    };
    enlaces.Detener_Sonidos = [&rReproductores](TfrmMain &) {
        rReproductores.Stop_Audio_Interno();
        rReproductores.Stop_Audio_Thread();
    };
    return enlaces;
}

int Ejecutar_Programa(int argc, char **argv)
{
    Elegir_Plataforma();
    TArgumentosQt argumentosQt(argv);
    QApplication app(argumentosQt.piArgc, argumentosQt.paArgv);
    Identificar_Como_Kestrin();
    // Closing the window only hides it; the program ends on Shut Down and its kin.
    QApplication::setQuitOnLastWindowClosed(false);

    switch (Adquirir_Instancia_Unica()) {
    case TAdquisicion::Propia:
        break;
    case TAdquisicion::OtraCorre:
        // Another Kestrin runs in this session: it shows its window; this one ends.
        Broadcast_Message(QString::fromLatin1(MSG_KESTRIN));
        return 0;
    case TAdquisicion::Imposible:
        return 1; // the reason is on stderr
    }

    Instalar_Presentador_Qt();
    // The log's date and time keep the regional formats of the start.
    Congelar_Formato_Regional();

    TArranquePrincipal arranque;
    arranque.paArgumentos = Argumentos_Propios(argc, argv);
    arranque.pCarpetas = Calcular_Carpetas();
    arranque.psEjecutable = Archivo_Inicio_Con_Sesion();
    // KESTRIN_MAINWINDOW_LOG=<file>: what the window did, one line each (for tests).
    const QString traza = qEnvironmentVariable("KESTRIN_MAINWINDOW_LOG");
    if (!traza.isEmpty())
        arranque.pTraza = [traza](const QString &rsTexto) {
            QFile archivo(traza);
            if (archivo.open(QIODevice::Append | QIODevice::Text))
                archivo.write(rsTexto.toUtf8() + '\n');
        };
    // Sleep and resume: the wake alarm for the next reminder, and the reload after.
    arranque.pAlIniciar = [](TfrmMain &rVentana) {
        TContextoDespertador contexto;
        contexto.pbWakeUpComputer = [&rVentana] { return rVentana.pConfiguracion.pbWakeUpComputer; };
        contexto.pTabla = [&rVentana]() -> const TTablaTareas & { return rVentana.paTipoTarea; };
        contexto.pRecargarTabla = [&rVentana] { rVentana.Cargar_Tareas_De_Archivos(QString(), false); };
        contexto.pAvisarPlanificador = [&rVentana] {
            if (rVentana.pThreadAlerta)
                rVentana.pThreadAlerta->pbSleepHibernate = true;
        };
        auto *suspension = new TSuspensionReanudacion(contexto, &rVentana);
        // A machine without logind says so once, not at every start.
        suspension->Logind().pAvisoPendiente = [] { return Aviso_Pendiente(QStringLiteral("SuspendNoticeLogged")); };
        suspension->Iniciar();
    };
    // The shipped sounds fill a Sounds folder made now.
    arranque.pPrepararCarpetas = [](const TCarpetas &rCarpetas) { Preparar_Carpetas_Y_Sonidos(rCarpetas); };
    // The two players and the popups live as long as the window.
    TReproductores reproductores;
    TDesktopAlerts alertas(reproductores);
    TfrmMain frmMain(arranque, Enlaces_Del_Programa(reproductores, alertas));
    alertas.pContexto.pConfiguracion = &frmMain.pConfiguracion;
    alertas.pContexto.Abrir_Kestrin = [&frmMain] { frmMain.TrayIconClick(); };
    alertas.pContexto.Tras_Posponer = [&frmMain](const QString &) {
        frmMain.Cargar_Tareas_De_Archivos(frmMain.Archivo_Seleccionado(), true);
    };
    alertas.pContexto.Geometria_Bandeja = [&frmMain] { return frmMain.Geometria_Bandeja(); };
    frmMain.Mostrar_Al_Iniciar();

    // SIGTERM, SIGINT and the end of the session end the program as Shut Down does,
    // without a question and without cutting a file write.
    TAvisoSenales senales;
    QObject::connect(&senales, &TAvisoSenales::Senal_Recibida, &frmMain, [&frmMain] { frmMain.Terminar_Programa(); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &frmMain, [&frmMain](QSessionManager &) {
        frmMain.pbShutDown = true;
        frmMain.Terminar_Programa();
    });

    return app.exec();
}
