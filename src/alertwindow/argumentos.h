#pragma once
// The command line of AlertWindow and the checks made before any window shows:
//   AlertWindow "reminder file" "sound file" 9934 snooze-minutes "font name"

#include "store/record.h"

#include <QString>
#include <QStringList>

struct TArgumentosAlerta {
    QString psArchivo;          // the reminder file (".od", or ".tmp" for a test)
    QString psSonido;           // the sound to play when the reminder asks for one
    int piSnoozeDefault = 10;   // minutes
    QString psFuente;           // the font of the message
};

enum class TErrorInicio { Ninguno, Cantidad, Token, NoExiste, Ilegible, Invalido };

// The token that every caller passes; it is also the text the line cipher's key is
// built from.
inline constexpr char TOKEN_ALERTA[] = "9934";
inline constexpr int ARGUMENTOS_ALERTA = 5;

// Checks the arguments (without the program's own name). A snooze time that is not a
// whole number greater than 0 becomes 10 minutes.
TErrorInicio Leer_Argumentos_Alerta(const QStringList &rArgumentos, TArgumentosAlerta &fArgumentos);

// Checks the arguments, then reads the reminder file with the store's rules. Never
// writes the file. On failure fsMensaje gets the text to show, in the given language.
TErrorInicio Preparar_Alerta(const QStringList &rArgumentos, int riLenguaje, TArgumentosAlerta &fArgumentos,
                             TTipoTarea &fTarea, QString &fsMensaje);

// A test of the reminder editor passes a ".tmp" file: it is shown, never written.
bool Es_Archivo_De_Prueba(const QString &rsArchivo);
