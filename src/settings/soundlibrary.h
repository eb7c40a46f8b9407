#pragma once
// The sound library on disk, without a window: which files the manager lists and under
// which names, and adding, deleting, retiring and restoring sounds. Every change stays
// inside the sounds folder and its restore folder: a name that is not a plain file name
// or a link that leads elsewhere is refused. Letter case in names is matched the way
// the library's names are shown (a listed "Bell.wav" finds "Bell.WAV" on disk).

#include <QString>
#include <QStringList>

// The two folders, each ending in "/": the sounds and the restore folder ("Default/").
struct TCarpetasSonidos {
    QString sSonidos;
    QString sRestaurar;
};

// The extensions the library lists, in listing order.
const QStringList &Extensiones_Sonido();

// True for a name that can only mean a file directly in a folder: not empty, no "/",
// not "." or "..".
bool Es_Nombre_Simple(const QString &rsNombre);

// The full path of the file rsNombre in rsCarpeta: the file of exactly that name, else
// the first (by name) whose name differs only in letter case; empty when there is none.
QString Buscar_Archivo_Sonido(const QString &rsCarpeta, const QString &rsNombre);

// "s<N>.mp3" with N from 1 to 50 written without leading zeros; rbIgnorarMayusculas
// compares the letters without regard to case. fiNumero gets N.
bool Es_Archivo_Numerado(const QString &rsArchivo, bool rbIgnorarMayusculas, int *fiNumero = nullptr);
// The shown name of the default sound: legend + " " + N for a numbered file (case
// ignored), else the file name as it is.
QString Nombre_Mostrado_Default(const QString &rsArchivo, const QString &rsLeyenda);
// A listed name is a system sound when it equals legend + " " + N exactly.
bool Es_Sonido_Del_Sistema(const QString &rsNombreMostrado, const QString &rsLeyenda);
// The file behind a listed name (naming rule, then Buscar_Archivo_Sonido); empty when
// it is not there.
QString Ruta_De_Nombre_Mostrado(const QString &rsCarpeta, const QString &rsNombreMostrado, const QString &rsLeyenda);

// The listed names: the numbered sounds that exist, then for each extension the other
// files of the folder sorted by name without regard to case, the extension shown in
// lower case. A missing folder lists nothing; false (fsError says why) when the folder
// cannot be read.
bool Llenar_Lista_Sonidos(const QString &rsCarpeta, const QString &rsLeyenda, QStringList &fLista,
                          QString *fsError = nullptr);

enum class TResultadoSonido {
    Ok,
    Existe,    // a file of that name (any letter case) is already in the sounds folder
    SinCarpeta, // the restore folder cannot be created: nothing was done
    Fuera,     // the path is not a plain file of the sounds folders, or a link leads out
    Error,     // the system refused; fsError holds its text
};

// True when rsRuta is a file directly in rsCarpeta and, if it is a link, one that
// resolves to a file in either folder of rCarpetas.
bool Ruta_Dentro_De_Sonidos(const TCarpetasSonidos &rCarpetas, const QString &rsCarpeta, const QString &rsRuta);

// Copies rsOrigen into the sounds folder under its own name; never over an existing
// file. fsNombre gets the name as chosen.
TResultadoSonido Agregar_Archivo_Sonido(const TCarpetasSonidos &rCarpetas, const QString &rsOrigen,
                                        QString &fsNombre, QString *fsError = nullptr);
// Moves a numbered sound (rsRuta, found in the sounds folder) into the restore folder as
// "s<N>.mp3", replacing a file there.
TResultadoSonido Retirar_Sonido_Del_Sistema(const TCarpetasSonidos &rCarpetas, const QString &rsRuta, int riNumero,
                                            QString *fsError = nullptr);
// Deletes a file of the sounds folder.
TResultadoSonido Borrar_Archivo_Sonido(const TCarpetasSonidos &rCarpetas, const QString &rsRuta,
                                       QString *fsError = nullptr);

struct TResultadoRestaurar {
    int iManejados = 0;       // numbered files found, moved or not
    QStringList aErrores;     // per failed move: system text + "\r" + path
};
// Moves every "s<N>.mp3" of the restore folder (exact letter case) back into the sounds
// folder, replacing what is there; other files stay.
TResultadoRestaurar Restaurar_Sonidos_Del_Sistema(const TCarpetasSonidos &rCarpetas);
