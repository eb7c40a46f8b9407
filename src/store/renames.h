#pragma once
// The steps that put a reminder file under its name: a claim or rename that never
// replaces an existing file, and the sync of the folder afterwards, so that a power cut
// right after a save cannot lose the rename.

#include <QByteArray>
#include <QString>

#include <functional>

enum class TReclamo { Ok, Ocupado, Error };

// Gives rsTemporal (a complete, synced file) the name rsDestino unless that name exists:
// a rename that does not replace first; where the file system knows none, a hard link;
// where it refuses links too (vfat, exFAT, some network shares), the name is created
// exclusively and rContenido written through it. After Ok rsTemporal is gone (the caller
// must not remove that name again: another writer may have taken it); otherwise it is
// left for the next try, and the caller removes it at the end. Ocupado when rsDestino
// exists.
TReclamo Reclamar_Nombre(const QString &rsTemporal, const QByteArray &rContenido, const QString &rsDestino,
                         QString *fsError = nullptr);

// Writes all of rDatos to the descriptor, going on after interruptions; false with errno
// set when it could not.
bool Escribir_Todo(int riFd, const QByteArray &rDatos);

// An unnamed file in rsCarpeta (O_TMPFILE), open for writing, readable by its owner only:
// it needs no clean-up when the writer dies before naming it. -1 when it cannot be had;
// fbNoSoportado then says whether the file system knows no such files (the caller uses a
// temporary name instead), else fsError says why.
int Abrir_Archivo_Sin_Nombre(const QString &rsCarpeta, bool &fbNoSoportado, QString *fsError = nullptr);
// Gives the unnamed file open at riFd (complete and synced) the name rsDestino unless that
// name exists, with one link; where links are refused, the name is created exclusively and
// rContenido written through it, as Reclamar_Nombre does. The caller closes riFd.
TReclamo Nombrar_Archivo_Sin_Nombre(int riFd, const QByteArray &rContenido, const QString &rsDestino,
                                    QString *fsError = nullptr);

// Renames rsOrigen to rsDestino unless rsDestino exists (Ocupado then). Where the file
// system knows no such rename, a link and unlink; where it refuses links, a check and a
// rename, which the folder lock the callers hold makes safe among Kestrin's writers.
TReclamo Renombrar_Sin_Reemplazar(const QString &rsOrigen, const QString &rsDestino, QString *fsError = nullptr);

// Flushes the folder's entries to the disk; false (with the text) when it failed.
bool Sincronizar_Carpeta(const QString &rsCarpeta, QString *fsError = nullptr);

// For tests: the claims and renames behave as on a file system that refuses them.
enum : unsigned {
    RECHAZAR_ENLACE = 1,          // link() fails with EPERM
    RECHAZAR_RENOMBRAR_EXCL = 2,  // renameat2(RENAME_NOREPLACE) fails with EINVAL
    RECHAZAR_SIN_NOMBRE = 4,      // open(O_TMPFILE) fails with EOPNOTSUPP
};
void Simular_Rechazos_Sistema_Archivos(unsigned riRechazos);
// For tests: called with the folder after each sync of Sincronizar_Carpeta.
void Observar_Sincronizaciones_Carpeta(std::function<void(const QString &)> rObservador);
