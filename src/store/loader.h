#pragma once
// Listing and loading the reminder files of the data folder.

#include "record.h"

#include <QStringList>
#include <QVector>

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

struct TResultadoCarga {
    TTablaTareas tabla;                  // the valid files, in file order
    QVector<TArchivoInvalido> invalidos; // each bad file with its code, in file order
    bool directorioExiste = true;
    QString error;                       // not empty: a read failure stopped the load here
};

// Loads every "*.od" file of the folder; both the main window and the scheduler use it.
TResultadoCarga Cargar_Directorio_Tareas(const QString &rsDirectorio);
