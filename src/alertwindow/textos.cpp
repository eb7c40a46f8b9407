#include "textos.h"

#include <QLocale>

QString Texto_Alerta(TTextoAlerta rTexto, int riLenguaje)
{
    const bool es = riLenguaje == 1;
    switch (rTexto) {
    case TTextoAlerta::Posponer: return es ? QStringLiteral("&Posponer") : QStringLiteral("&Snooze");
    case TTextoAlerta::Silencio: return es ? QStringLiteral("Si&lencio") : QStringLiteral("&Mute");
    case TTextoAlerta::Cerrar: return es ? QStringLiteral("&Cerrar") : QStringLiteral("&Close");
    case TTextoAlerta::Prueba:
        return es ? QStringLiteral("Prueba del recordatorio: posponer no cambia nada.")
                  : QStringLiteral("Reminder test: snoozing changes nothing.");
    }
    return QString();
}

QString Texto_Error_Inicio(TErrorInicio rError, const QString &rsDetalle, int riLenguaje, const QString &rsArchivo)
{
    const bool es = riLenguaje == 1;
    switch (rError) {
    case TErrorInicio::Ninguno: return QString();
    case TErrorInicio::Cantidad:
        return es ? QStringLiteral("Número de argumentos incorrecto: %1 dados, se esperan %2.\n"
                                   "Uso: AlertWindow \"archivo del recordatorio\" \"archivo de sonido\" "
                                   "%3 minutos-a-posponer \"tipo de letra\"")
                        .arg(rsDetalle).arg(ARGUMENTOS_ALERTA).arg(QLatin1String(TOKEN_ALERTA))
                  : QStringLiteral("Wrong number of arguments: %1 given, %2 expected.\n"
                                   "Usage: AlertWindow \"reminder file\" \"sound file\" "
                                   "%3 snooze-minutes \"font name\"")
                        .arg(rsDetalle).arg(ARGUMENTOS_ALERTA).arg(QLatin1String(TOKEN_ALERTA));
    case TErrorInicio::Token:
        return es ? QStringLiteral("Clave inválida: el tercer argumento debe ser %1.").arg(QLatin1String(TOKEN_ALERTA))
                  : QStringLiteral("Invalid token: the third argument must be %1.").arg(QLatin1String(TOKEN_ALERTA));
    case TErrorInicio::NoExiste:
        return (es ? QStringLiteral("Archivo no encontrado") : QStringLiteral("File not found")) + u'\n' + rsArchivo;
    case TErrorInicio::Ilegible:
        return (es ? QStringLiteral("No se puede leer el archivo del recordatorio.")
                   : QStringLiteral("Unable to read the reminder file."))
             + u'\n' + rsDetalle;
    case TErrorInicio::Invalido:
        return (es ? QStringLiteral("Formato inválido: ") : QStringLiteral("Invalid format: ")) + rsArchivo + u'\n'
             + (es ? QStringLiteral("Código de error: ") : QStringLiteral("Error code: ")) + rsDetalle;
    }
    return QString();
}
