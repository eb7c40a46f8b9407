#pragma once
// TThreadAlerta: the scheduler thread. It keeps its own reminder table, computes next
// runs and, once a tick, fires every reminder that has fallen due: the popup and sound
// through the main window, the alert window program, and the write-back to the file.

#include "sharedtext.h"
#include "threadwindow.h"
#include "store/record.h"

#include <QSet>
#include <QThread>
#include <QVector>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

// Due test of one tick: rdAhora at or after rdDue and at most 10 minutes past it, to the
// millisecond. A next run of 0 (none) or -1 (at the next start) is never due.
bool Esta_Vencida(double rdAhora, double rdDue);

// What the thread's table says about one reminder, published for the main window's
// diagnostics, tests and benchmarks.
struct TEstadoTarea {
    QString tsFile;
    double tdNextRunTime = 0;
    double tdLastRunTime = 0;
};

class TThreadAlerta : public QThread {
    Q_OBJECT
public:
    // riTickMs: the pause between ticks (1000 in the program). riPausaSaltoMs: the wait
    // after a clock jump before reloading (2000 in the program).
    explicit TThreadAlerta(TVentanaDelHilo *rVentana, int riTickMs = 1000, int riPausaSaltoMs = 2000);
    ~TThreadAlerta() override;

    // Settings the main window may replace while the thread runs.
    std::atomic<int> piDefaultSnoozeTime{10};
    // Flags crossing threads.
    std::atomic<bool> pbHiloVivo{false};
    std::atomic<bool> pbLeerArchivos{false};
    std::atomic<bool> pbCalcularNextRunTime{false};
    std::atomic<bool> pbErrorGrave{false};
    std::atomic<bool> pbAutoStarted{false};
    std::atomic<bool> pbSleepHibernate{false};
    // The text of the last report; the messages carry their own copy as well.
    TTextoCompartido psError;
    // Start values: set before start(), read only by the thread afterwards.
    QString psEXEPath;
    QString psAppDataSystemLocal;
    QString psAppDataSoundsAllUsers;
    // Settings the main window may replace while the thread runs.
    TTextoCompartido psDefaultSound;
    TTextoCompartido psFontMensaje;
    TVentanaDelHilo *const pMainFormHandle;

    // Clears pbHiloVivo and cuts the current pause short. A tick in progress (a file
    // being written) is finished first; then the loop ends.
    void Detener();

    // From now on the reports and the end notice of this thread are dropped, those
    // already posted and not yet handled included: a restart calls it on the thread it
    // replaces, whose late reports would duplicate the new thread's or restart it.
    // Main window's thread only.
    void Descartar_Reportes();

    // Ticks finished since the start, stalled ones included.
    qint64 Ticks_Completos() const { return piTicks.load(); }
    // The table as of the end of the last tick that changed it.
    QVector<TEstadoTarea> Estado_Tabla() const;

protected:
    void run() override;
    void Execute();

    // The steps of a tick; they run on the thread (or on an object never started).
    void Leer_Archivos();
    // Recomputes the next runs (of rsFile alone when given) as seen at rdReferencia, Now
    // when 0.
    void Calcular_Next_Run_Time(const QString &rsFile, int riGracia, double rdReferencia = 0);
    void Revisar_Tareas(double rdAhora);

    TTablaTareas pTabla;

private:
    void Disparar_Tarea(int riIndice, double rdDue);
    void Lanzar_Ventana_Alerta(const TTipoTarea &rTarea);
    void Escribir_Ultima_Ejecucion(int riIndice, double rdDue);
    // Waits riMs or until Detener; false when the thread is to stop.
    bool Esperar(int riMs);
    void Reportar(int riCodigo, int riParametro, const QString &rsTexto);
    void Avisar_Archivos_Cambiados();
    void Avisar_Terminado(const QString &rsTexto);
    void Llamada_Sincronizada(bool rbSonido);
    void Publicar_Estado();

    const int piTickMs;
    const int piPausaSaltoMs;
    // Lives on the main window's thread and runs the calls and messages there.
    QObject *const pReceptor;

    int piContadorLogErrors = 0;
    // Files (and the folder) that could not be read at the last load, each reported once
    // while it stays so; reported again when it turns unreadable anew.
    QSet<QString> pIlegiblesReportados;
    // Read and cleared on the main window's thread only, where the reports are handled.
    std::shared_ptr<bool> pbReportesVigentes = std::make_shared<bool>(true);
    bool pbTablaCambiada = false;
    // Hand-over values for the synchronised calls.
    qint32 piThreadUsarSonidoDefault = 1;
    qint32 piThreadRepetirSonido = 0;
    QString psThreadTaskName;
    QString psThreadMensaje;
    qint32 piThreadTocarSonido = 0;
    QString psThreadPathDelSonido;
    QString psThreadArchivo;

    std::mutex pMutexEspera;
    std::condition_variable pCondicionEspera;
    std::atomic<qint64> piTicks{0};
    mutable std::mutex pMutexEstado;
    QVector<TEstadoTarea> pEstado;
};
