#pragma once
// Every text of the AlertWindow program, in English (0) and Spanish (1).

#include "argumentos.h"

#include <QString>

enum class TTextoAlerta {
    Posponer,       // the snooze button
    Silencio,       // the mute button
    Cerrar,         // the close button
    Prueba,         // the note on a test of the reminder editor
    TituloError,    // the title of the error window
};

QString Texto_Alerta(TTextoAlerta rTexto, int riLenguaje);

// The text of a bad start. rsDetalle: the number of arguments given (Cantidad), the
// system's text (Ilegible) or the validation code (Invalido).
QString Texto_Error_Inicio(TErrorInicio rError, const QString &rsDetalle, int riLenguaje,
                           const QString &rsArchivo = QString());

// A snooze that could not be written (the same numbered text as the popup's snooze).
QString Texto_Error_Posponer(const QString &rsFalla);

// The language of texts shown before a reminder file could be read: the system's.
int Lenguaje_Del_Sistema();
