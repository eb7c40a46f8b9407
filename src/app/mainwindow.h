#pragma once
// TfrmMain: the main window. It owns the reminder table and list, the tray icon, the
// scheduler thread and every long-lived setting; the dialogs and the popup reach it
// through its public members and are reached through TEnlacesPrincipal.

#include "links.h"
#include "platform/folders.h"
#include "scheduler/threadcontrol.h"
#include "settings/settingsload.h"
#include "store/record.h"

#include <QElapsedTimer>
#include <QHash>
#include <QMainWindow>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QSystemTrayIcon;
class QTimer;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TBusListener;
class TCampoFiltro;

// What the program entry hands the window; tests give their own folders and tick.
struct TArranquePrincipal {
    QStringList paArgumentos;  // the command line after the program's name
    TCarpetas pCarpetas;       // Calcular_Carpetas() in the program
    QString psEjecutable;      // the program the autostart entry names (bin/kestrin when installed)
    // Whether a notification area can show the tray icon now.
    std::function<bool()> pHayBandeja;
    int piTickMs = 1000;       // the scheduler's tick
    bool pbEscucharBus = true; // listen to the broadcast messages
    // Told what the window did (the list's rows, the scheduler's starts, the end), for
    // the end-to-end tests; empty in normal use.
    std::function<void(const QString &)> pTraza;
    // Once the list is loaded and the scheduler runs (what follows sleep and resume).
    std::function<void(TfrmMain &)> pAlIniciar;
    // Makes the missing folders at start (Preparar_Carpetas when empty).
    std::function<void(const TCarpetas &)> pPrepararCarpetas;
};

class TfrmMain : public QMainWindow, public TVentanaDelHilo {
    Q_OBJECT
public:
    TfrmMain(const TArranquePrincipal &rArranque, TEnlacesPrincipal rEnlaces, QWidget *rParent = nullptr);
    ~TfrmMain() override;

    // --- What the other components use ---
    TCarpetas pCarpetas;
    TConfiguracion pConfiguracion;
    // The main table; each record's tdNextRunTime is the next run its row shows.
    TTablaTareas paTipoTarea;
    std::unique_ptr<TThreadAlerta> pThreadAlerta;
    bool pbAutoStarted = false;
    bool pbShutDown = false;
    int piContadorLogErrors = 0;
    int piColumnClicked = 1;
    bool pbAscending = true;

    // Reloads the table from the data folder and refills the list, selecting the file
    // rsSeleccionar when given; rbAvisarHilo asks the scheduler to reload as well. The
    // errors it finds are shown after the list is filled, each file's once while the
    // file stays as it is, and never in a box inside another box.
    void Cargar_Tareas_De_Archivos(const QString &rsSeleccionar, bool rbAvisarHilo);
    // A reload that others asked for (the broadcast, the scheduler's notices): keeps the
    // selected row; many requests close together give one reload, at most one every
    // kMsEntreRecargas and always one after the last request.
    void Pedir_Recarga(bool rbAvisarHilo);
    static constexpr int kMsEntreRecargas = 250;
    // Shows the window: un-hides, restores from minimised, brings it to the front.
    void TrayIconClick();
    // The first showing: normal; after "silent" minimised, which with a tray icon
    // means only the icon.
    void Mostrar_Al_Iniciar();
    void Set_Language_Captions(int riLenguaje);
    // Where the tray icon is on the screen; empty when the tray does not say.
    QRect Geometria_Bandeja() const;
    // The file of the selected row, empty when none.
    QString Archivo_Seleccionado() const;
    // The table index of the selected row, -1 when none.
    int Fila_Seleccionada() const;

    // --- TVentanaDelHilo ---
    QObject *Objeto_Ventana() override { return this; }
    void Mostrar_Desktop_Alert_Thread() override;
    void Tocar_Sonido_Thread() override;
    void Mensaje_Reporte_Hilo(int riWParam, int riLParam, const QString &rsTexto) override;
    void Mensaje_Archivos_Cambiados(int riWParam, int riLParam, const QString &rsTexto) override;
    void Mensaje_Hilo_Terminado(int riWParam, int riLParam, const QString &rsTexto) override;

    // --- Messages and commands ---
    // A broadcast message by name (KestrinMessage, KestrinShutDownMessage, KestrinReadFiles).
    void Mensaje_Bus(const QString &rsNombre);
    void SpeedButtonAgregarClick();
    void SpeedButtonEditarClick();
    void SpeedButtonBorrarClick();
    void SpeedButtonOpcionesClick();
    void SpeedButtonSonidoClick();
    void mAcercaClick();
    void mOcultarVentanaClick();
    void mTerminarProgramaClick();
    void Recordatorio_Rapido_Click(int riItem);
    void ListViewColumnClick(int riColumna);
    void ListViewDblClick();
    // F5: reads the files again, the scheduler too, and says again every file that
    // cannot be loaded (the automatic reloads say each one once until it changes).
    void Recargar_A_Mano();
    // Ends the program without a question: stops the scheduler (letting a file write
    // finish), the sounds, and the event loop.
    void Terminar_Programa();

    // Threads started in this run (tests and diagnostics).
    int Hilos_Iniciados() const { return piHilosIniciados; }

protected:
    void closeEvent(QCloseEvent *rEvento) override;
    void changeEvent(QEvent *rEvento) override;

private:
    void Crear_Controles();
    void Crear_Menus();
    void Crear_Bandeja();
    void Crear_Atajos();
    QAction *Accion(const char *rsNombre, void (TfrmMain::*rComando)());
    void TimerInicioTimer();
    void TimerMedianocheTimer();
    void Armar_Medianoche();
    bool Iniciar_Thread_Alerta();
    void Reiniciar_Thread_Alerta();
    TInicioThreadAlerta Datos_Inicio() const;
    void Aplicar_Accion_Reporte(int riCodigo, const QString &rsLog, const QString &rsCaja, bool rbReiniciar);
    // The reload itself; the boxes it has to show are returned, not shown.
    QStringList Recargar_Tabla(const QString &rsSeleccionar, bool rbAvisarHilo);
    // The boxes of a reload, each file's error once while the file stays as it was.
    void Anotar_Error_Carga(QStringList &faCajas, QHash<QString, QString> &fVistos, const QString &rsArchivo,
                            const QString &rsTexto);
    // Shows the boxes of the loads one after the other.
    void Mostrar_Cajas_Carga(const QStringList &raCajas);
    void Anotar_Recarga(const QString &rsSeleccionar, bool rbMantenerSeleccion, bool rbAvisarHilo);
    void Programar_Recarga();
    void Ejecutar_Recarga_Pendiente();
    void Fill_List_View(const QString &rsSeleccionar);
    void Escribir_Fila(QTreeWidgetItem *rFila);
    void Ordenar_Lista();
    void Set_Sort_Glyphs(int riColumna);
    void Ajustar_Columnas();
    void ListViewMouseDown();
    void ListViewSelectItem();
    // The filter: rows whose name and message do not contain its text are hidden, a
    // hidden row is never the selected one, and the count beside the field follows.
    void EditFiltroChange();
    void Ocultar_Filas_Filtradas();
    void Mostrar_Cuenta_Filtro();
    void EditFiltroReturn();
    void Editar_O_Borrar(bool rbBorrar);
    void Borrar_Tarea(int riFila);
    void Actualizar_Comandos_Enlaces();
    void Mostrar_Log_Existe();
    bool Hay_Bandeja();
    void Ocultar_O_Minimizar();
    void Apagar();

    void Trazar(const QString &rsTexto);

    TEnlacesPrincipal pEnlaces;
    std::function<bool()> pHayBandeja;
    std::function<void(const QString &)> pTraza;
    std::function<void(TfrmMain &)> pAlIniciar;
    int piTickMs = 1000;
    int piHilosIniciados = 0;
    bool pbApagado = false;
    bool pbSinBandejaAvisado = false;
    // Open dialogs: a second request while one is open is ignored.
    bool pbAsistenteAbierto = false;
    bool pbOpcionesAbierto = false;
    bool pbSonidosAbierto = false;
    bool pbAcercaAbierto = false;
    bool pbRapidoAbierto = false;
    bool pbActualizacionesAbierto = false;

    // Reloads asked for while one runs (or later than allowed) wait here, merged.
    struct TRecargaPendiente {
        bool bHay = false;
        bool bMantenerSeleccion = false;
        QString sSeleccionar;
        bool bAvisarHilo = false;
    } pRecargaPendiente;
    bool pbRecargando = false;
    bool pbMostrandoCajas = false;
    QStringList paCajasPendientes;
    QElapsedTimer pRelojRecarga;
    // The load errors last shown, by file, with what the file was then.
    QHash<QString, QString> pErroresMostrados;

    QTimer *TimerInicio = nullptr;
    QTimer *TimerRecarga = nullptr;
    QTimer *TimerMedianoche = nullptr;
    TBusListener *pBus = nullptr;

    TCampoFiltro *EditFiltro = nullptr;
    QLabel *LabelFiltroCuenta = nullptr;
    QString psFiltro; // the field's text in Forma_Filtro's form
    int piFilasFiltradas = 0; // the rows it shows
    QAction *ActionFiltrar = nullptr, *ActionRecargar = nullptr; // keys only, in no menu
    QTreeWidget *ListView = nullptr;
    QPlainTextEdit *MemoSummary = nullptr;
    QToolButton *SpeedButtonAgregar = nullptr, *SpeedButtonEditar = nullptr, *SpeedButtonBorrar = nullptr,
                *SpeedButtonOpciones = nullptr, *SpeedButtonSonido = nullptr;
    QSystemTrayIcon *TrayIcon = nullptr;
    QMenu *PopupMenuTray = nullptr, *PopupMenuTasks = nullptr;
    QMenu *mInicio = nullptr, *mRecordatorioRapido = nullptr, *mConfigurar = nullptr, *mAyuda = nullptr,
          *mTrayRecordatorioRapido = nullptr;
    QAction *mTrayAbrir = nullptr, *mTrayAgregarTarea = nullptr, *mTrayOpciones = nullptr,
            *mTrayManejadorDeSonidos = nullptr, *mTrayPaginaWeb = nullptr, *mTrayAcerca = nullptr;
    QAction *mAgregarTarea = nullptr, *mEditarTarea = nullptr, *mBorrarTarea = nullptr, *mOcultarVentana = nullptr,
            *mExportar = nullptr, *mExportarSeleccion = nullptr, *mImportar = nullptr,
            *mTerminarPrograma = nullptr, *mOpciones = nullptr, *mManejadorDeSonidos = nullptr,
            *mVerAyuda = nullptr, *mVerLog = nullptr, *mPaginaWeb = nullptr,
            *mAhoraDisponibleParaIPhoneYIPad = nullptr, *mCheckForUpdates = nullptr, *mAcerca = nullptr;
    QAction *mAgregarTareaPopup = nullptr, *mEditarTareaPopup = nullptr, *mBorrarTareaPopup = nullptr;
    std::array<QAction *, 16> mEnRapidos{};
    std::array<QAction *, 16> mTrayEnRapidos{};
};
