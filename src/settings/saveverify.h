#pragma once
// Saving settings by write-and-verify: write, read back from the same place, compare;
// the first mismatch shows its numbered error and ends the save, leaving the value in
// memory as it was.

#include "registry.h"
#include "settingsload.h"

#include <QObject>
#include <QString>

// The codes of write-and-verify.
inline constexpr int ERROR_RUN_GRABAR = 100;     // the Run value was not read back
inline constexpr int ERROR_RUN_BORRAR = 101;     // the deleted Run value is still there
inline constexpr int ERROR_WAKEUP = 102;
inline constexpr int ERROR_LANGUAGE = 103;
inline constexpr int ERROR_WAITTIME = 104;
inline constexpr int ERROR_PERMANENT = 105;
inline constexpr int ERROR_SNOOZE = 106;
inline constexpr int ERROR_FONT = 107;
inline constexpr int ERROR_NOTIFICATIONS = 108; // DesktopNotifications

// The error box of a failed save, in language riLenguaje (0 or 1; any other shows
// nothing), for the code rsError ("100"...).
void Error_Registry(QObject *rOwner, int riLenguaje, const QString &rsError);

// Writes rsValor under the current user and reads it back; on a mismatch shows the box
// of riCodigo and returns false.
bool Grabar_Y_Verificar(QObject *rOwner, int riLenguaje, int riLlave, const QString &rsNombreKey,
                        const QString &rsValor, int riCodigo);
// Deletes the value and reads it back; it must read as empty.
bool Borrar_Y_Verificar(QObject *rOwner, int riLenguaje, int riLlave, const QString &rsNombreKey, int riCodigo);

// Start with the session on (100 on failure) or off (101); fbStartWithWindows is set
// only on success. The wizard calls it with rbActivar true.
bool Guardar_Inicio_Con_Sistema(QObject *rOwner, int riLenguaje, bool rbActivar, const QString &rsEjecutable,
                                bool &fbStartWithWindows);

// The values of the options dialog's OK, in the order they are saved.
struct TOpcionesNuevas {
    bool bStartWithWindows = false;
    bool bWakeUpComputer = true;
    int iLenguaje = 0;
    bool bSegundos = true; // "Seconds" chosen: WaitTimeAlert is saved
    int iSegundos = 10;
    bool bPermanente = false;
    int iSnooze = 10;
    QString sFuente; // empty: the font was not changed, and Font is left as stored
    bool bNotificaciones = false;
};
// Saves every value in order, setting each in-memory field (the language through
// Establecer_Lenguaje) once its value has been verified. Returns 0 when all were saved,
// else the code of the failed step; later values are then left alone.
int Guardar_Opciones(QObject *rOwner, int riLenguaje, const TOpcionesNuevas &rNuevas, const QString &rsEjecutable,
                     TConfiguracion &fConfig);
