#pragma once
// Writing reminder files: the line order of every writer, the one file writer, the
// in-place change of values, retiring and bringing back, and naming new files.

#include "record.h"

#include <QPair>
#include <QStringList>

// The plain lines of a reminder file, in the order the editor writes them, from a record:
// the message lines that are not blank (as typed), the summary lines trimmed, the
// type's keys, then creation, snooze and last run. tiTocarSonido 0 writes the four
// lines of a reminder without sound.
QStringList Lineas_Archivo_Tarea(const TTipoTarea &rTarea);

// The record of a quick reminder: a one-time reminder with alert mode 3, the default
// sound repeated (or no sound), created now.
TTipoTarea Datos_Recordatorio_Rapido(int riLenguaje, const QString &rsMensaje, const QString &rsResumen,
                                     double rdFechaInicio, bool rbAutoDelete, bool rbSonido,
                                     const QString &rsPathSonidoDefault, double rdAhora);

// The most message and summary lines a reminder file keeps: the loader reads no more.
constexpr int kMaxLineasMensaje = 500;
constexpr int kMaxLineasResumen = 50;

// False (with the text) when rdValor cannot be written as the file form of a date and
// read back (Fecha_Se_Puede_Grabar); rsLlave names the value in the text.
bool Comprobar_Fecha_Archivo(const QString &rsLlave, double rdValor, QString *fsError = nullptr);
// False (with the text) when writing the record would lose something on the next load:
// more message or summary lines than the loader keeps, or a date the file form cannot
// hold. Every writer of a whole reminder checks this first and writes nothing then.
bool Comprobar_Tarea_Grabable(const TTipoTarea &rTarea, QString *fsError = nullptr);

// Enciphers the lines and saves them as the file, CR LF after each, through a
// temporary file in the same folder renamed over the target: no reader ever sees half
// a file, and a failed write leaves the old file as it was. The folder is synced after the
// rename. Creates the folder if needed. Content above kMaxBytesArchivoTarea is refused.
bool Grabar_Lineas_Cifradas(const QString &rsArchivo, const QStringList &rLineas, QString *fsError = nullptr);

// Writes a reminder to an existing or chosen file name (editing keeps the name). Refuses
// what Comprobar_Tarea_Grabable refuses, and fails when the folder lock cannot be had
// within its time limit.
bool Grabar_Archivo_Tarea(const QString &rsArchivo, const TTipoTarea &rTarea, QString *fsError = nullptr);

// The name of a new reminder: folder + "data" + file form of now + "-" + 0..99 + ".od".
QString Nombre_Archivo_Nuevo(const QString &rsDirectorio, double rdAhora);
// Writes a new reminder under a fresh name; an existing file is never replaced (another
// suffix is taken), and a name whose retired copy (".odb") exists counts as taken.
// Works on file systems without hard links. fsArchivo gets the name used.
bool Grabar_Archivo_Tarea_Nuevo(const QString &rsDirectorio, const TTipoTarea &rTarea, double rdAhora,
                                QString &fsArchivo, QString *fsError = nullptr);

// One of many new reminders: the reminder and the moment its name is made from, in; the
// name it got, or why it was not written, out.
struct TArchivoNuevo {
    const TTipoTarea *pTarea = nullptr;
    double dAhora = 0;
    QString sArchivo;
    QString sError;
};
// Writes many new reminders as Grabar_Archivo_Tarea_Nuevo does, each under its own rules,
// with one sync of the file system for all instead of one per file. A name is given only to
// content already on the disk, and reported only once the folder is synced. Returns the
// count written.
int Grabar_Archivos_Tarea_Nuevos(const QString &rsDirectorio, QVector<TArchivoNuevo> &fNuevos);

enum class TCambio { Ok, NoExiste, Error };
// Sets Key=Value lines in place: the first line with each key (without regard to case)
// is replaced, or the line is appended. Serialised by a lock across threads and
// processes, with a time limit (Error when it runs out). Lines other than the changed ones
// are written back exactly as stored. A missing file is not created.
TCambio Cambiar_Valores_En_Archivo(const QString &rsArchivo, const QList<QPair<QString, QString>> &rValores,
                                   QString *fsError = nullptr);
TCambio Cambiar_Valor_En_Archivo(const QString &rsArchivo, const QString &rsLlave, const QString &rsValor,
                                 QString *fsError = nullptr);

// A retired reminder is its file with "b" appended (".odb").
QString Nombre_Retirado(const QString &rsArchivo);
// Retiring replaces an older retired copy.
bool Retirar_Archivo_Tarea(const QString &rsArchivo, QString *fsError = nullptr);
// Gives a retired file its ".od" name back, if there is one and no file has that name;
// true when it did.
bool Restaurar_Archivo_Tarea(const QString &rsArchivo, QString *fsError = nullptr);

// Snoozes a reminder: brings a retired file back, then writes "SnoozeTime" (minutes) and
// "SnoozeRun" (now + minutes). NoExiste when there is no such file. A live file is never
// replaced by its retired copy. Error when the snooze moment cannot be written.
TCambio Posponer_Archivo_Tarea(const QString &rsArchivo, int riMinutos, double rdAhora,
                               QString *fsError = nullptr);
