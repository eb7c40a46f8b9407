#pragma once
// The test alert window of the wizard: the AlertWindow program started on a temporary
// copy of the reminder, tracked by its process id, and ended only when that id still
// belongs to an AlertWindow started on that copy (a recycled id is never signalled).

#include <QString>
#include <QStringList>

// True when process riPid runs the program named rsNombre (by /proc/PID/exe, else
// /proc/PID/comm, which holds at most the first 15 letters of the name).
bool Proceso_Es_Programa(qint64 riPid, const QString &rsNombre);

// True when process riPid runs rsNombre and was given rsArgumento on its command line:
// the test window, and not another program's that got its recycled id. A process caught
// in the middle of its exec (program switched, arguments not laid out yet) is waited for.
bool Proceso_Es_Prueba(qint64 riPid, const QString &rsNombre, const QString &rsArgumento);

class TVentanaPrueba {
public:
    ~TVentanaPrueba();
    // Starts rsPrograma detached with rArgumentos; fsError gets the system's text.
    bool Iniciar(const QString &rsPrograma, const QStringList &rArgumentos, const QString &rsArchivoTemporal,
                 QString &fsError);
    // Ends the window still running (SIGTERM to the checked pid), then removes the
    // temporary reminder file. Safe to call when nothing runs.
    void Terminar();
    qint64 Pid() const { return piPid; }
    QString Archivo_Temporal() const { return psArchivo; }

private:
    qint64 piPid = 0;
    QString psNombrePrograma;
    QString psArchivo;
};

// The name of a test file: folder + file form of now + ".tmp".
QString Nombre_Archivo_Prueba(const QString &rsCarpeta, double rdAhora);
