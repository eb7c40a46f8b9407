#pragma once
// Starting the alert window program for one reminder: its path beside the kestrin
// executable and its fixed argument list.

#include <QString>
#include <QStringList>

// The alert window program in the program's folder (rsEXEPath ends in "/").
QString Ruta_AlertWindow(const QString &rsEXEPath);

// The sound the alert window plays: the default sound of the library when the reminder
// uses it (riUsarSonidoDefault 1), else the reminder's own. Passed even when the
// reminder plays no sound.
QString Sonido_Para_AlertWindow(int riUsarSonidoDefault, const QString &rsPathDelSonido,
                                const QString &rsAppDataSoundsAllUsers, const QString &rsDefaultSound);

// The arguments after the program's own path: reminder file, sound file, the token
// "9934", the default snooze time in minutes and the alert font. Each is one argument,
// so blanks and any letters pass unchanged; no shell is involved.
QStringList Argumentos_AlertWindow(const QString &rsArchivo, const QString &rsSonido, int riDefaultSnoozeTime,
                                   const QString &rsFontMensaje);

enum class TLanzamiento {
    Ok,
    NoExiste,  // the program is missing; fsError = system text + ": " + its path
    NoInicio,  // the system refused to start it; fsError = the system's text
};
// Starts the program detached (the caller never waits for it nor reads it back), with
// the caller's environment and current folder.
TLanzamiento Lanzar_AlertWindow(const QString &rsPrograma, const QStringList &rArgumentos, QString &fsError);
