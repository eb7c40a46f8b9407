#pragma once
// Every text of the AlertWindow program, in English (0) and Spanish (1).

#include "argumentos.h"

#include <QString>

enum class TTextoAlerta {
    Posponer,       // the snooze button
    Silencio,       // the mute button
    Cerrar,         // the close button
    Prueba,         // the note on a test of the reminder editor
};

QString Texto_Alerta(TTextoAlerta rTexto, int riLenguaje);

// The text of a bad start. rsDetalle: the number of arguments given (Cantidad), the
// system's text (Ilegible) or the validation code (Invalido).
QString Texto_Error_Inicio(TErrorInicio rError, const QString &rsDetalle, int riLenguaje,
                           const QString &rsArchivo = QString());


