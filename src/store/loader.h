#pragma once
// Listing and loading the reminder files of the data folder.

#include "record.h"

#include <QStringList>
#include <QVector>

#include <functional>

// Fills fStringList with the full paths of the files of rsPath matching rsTipo.
// riFechaLimite != 0 keeps only files last written on a day before it.
void Get_Files(QStringList &fStringList, const QString &rsPath, const QString &rsTipo, bool rbSorted,
               int riFechaLimite);

// Waits until a file just written can be opened for reading (20 tries, 200 ms apart).
void Checar_si_el_Archivo_ya_fue_Liberado(const QString &rsArchivo);

struct TArchivoInvalido {
    QString tsFile;
    int tiCodigo = 0;
};

// A reminder file that could not be read (no permission, not a regular file, too large,
// a read error): it is skipped and the others load.
struct TArchivoIlegible {
    QString tsFile;
    QString tsError; // the system's text, without the path
};

struct TResultadoCarga {
    TTablaTareas tabla;                  // the valid files, in file order
    QVector<TArchivoInvalido> invalidos; // each bad file with its code, in file order
    QVector<TArchivoIlegible> ilegibles; // each file that could not be read, in file order
    // False when the folder is missing or cannot be listed; the table is then empty.
    bool directorioExiste = true;
    // True when nothing at all is at the folder's path (or above it): a profile whose
    // folder was never made, unlike a file in its place or a folder out of reach.
    bool carpetaFalta = false;
    // Why an existing folder could not be listed: the path (without a final slash),
    // ": " and the system's text.
    // Empty for a missing folder. A file that cannot be read no longer sets it.
    QString error;
};

// Loads every "*.od" file of the folder; both the main window and the scheduler use it.
// A file that cannot be read is listed in ilegibles and the load goes on.
// rbTextos false leaves every record's message and summary empty (a list shows neither,
// and joining them was a good part of reading); everything else, checks included, is the same.
TResultadoCarga Cargar_Directorio_Tareas(const QString &rsDirectorio, bool rbTextos = true);

// Reads the folder as Cargar_Directorio_Tareas does, without keeping the records: a list
// of thousands costs far less when each record is used as soon as it is read. rPreparar
// is told how many files were found before any is read; then rVisitar(i, record) is
// called for each valid one, i its file's place among them (0 to that count, in file
// order), on the thread that read it, with a record that is reused once it returns. The
// result's table stays empty.
using TVisitaTarea = std::function<void(qsizetype, TTipoTarea &)>;
TResultadoCarga Recorrer_Directorio_Tareas(const QString &rsDirectorio, bool rbTextos,
                                           const std::function<void(qsizetype)> &rPreparar,
                                           const TVisitaTarea &rVisitar);

// Empty when the folder can be listed and its files opened, else the system's text.
QString Error_Listar_Carpeta(const QString &rsDirectorio);
