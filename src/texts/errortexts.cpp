#include "texts/errortexts.h"

QString Texto_Error_Registro(int riLenguaje, const QString &rsCodigo)
{
    if (riLenguaje == 1)
        return QStringLiteral("Error ") + rsCodigo
               + QStringLiteral(". No se puede grabar en el registro. Este mensaje de ")
               + QStringLiteral("error puede producirse si la cuenta de usuario no tiene permisos de control "
                                "total para una o más llaves del registro");
    return QStringLiteral("Error ") + rsCodigo + QStringLiteral(". Unable to save to registry. This error message can ")
           + QStringLiteral("occur if the user account does not have full control permissions for one or more "
                            "registry keys");
}

QString Texto_Error_Principal(TErrorPrincipal rError, const QString &rsTexto)
{
    const char *numero = "";
    bool guion = false; // " - " for the entries of the log, ". " for boxes
    switch (rError) {
    case TErrorPrincipal::E200: numero = "200"; guion = true; break;
    case TErrorPrincipal::E201: numero = "201"; break;
    case TErrorPrincipal::E202: numero = "202"; break;
    case TErrorPrincipal::E203: numero = "203"; break;
    case TErrorPrincipal::E204: numero = "204"; break;
    case TErrorPrincipal::E206: numero = "206"; guion = true; break;
    case TErrorPrincipal::E207: numero = "207"; guion = true; break;
    case TErrorPrincipal::E208: numero = "208"; break;
    case TErrorPrincipal::E209: numero = "209"; break;
    case TErrorPrincipal::E210: numero = "210"; guion = true; break;
    case TErrorPrincipal::E211: numero = "211"; guion = true; break;
    case TErrorPrincipal::E214: numero = "214"; guion = true; break;
    case TErrorPrincipal::E215: numero = "215"; break;
    case TErrorPrincipal::E216: numero = "216"; break;
    case TErrorPrincipal::E217: numero = "217"; break;
    case TErrorPrincipal::E218: numero = "218"; guion = true; break;
    case TErrorPrincipal::E218B: numero = "218B"; guion = true; break;
    case TErrorPrincipal::E219: numero = "219"; break;
    }
    return QStringLiteral("Error ") + QLatin1String(numero) + (guion ? QStringLiteral(" - ") : QStringLiteral(". "))
           + rsTexto;
}

QString Texto_Error_205(int riLenguaje, int riCodigoCampo, const QString &rsArchivo)
{
    return QStringLiteral("Error 205-") + QString::number(riCodigoCampo) + QLatin1Char('\r')
           + (riLenguaje == 1 ? QStringLiteral("Formato inválido: ") : QStringLiteral("Invalid format: ")) + rsArchivo;
}

QString Texto_Sin_Acceso_Directorio(int riLenguaje, const QString &rsDirectorio)
{
    return (riLenguaje == 1 ? QStringLiteral("No hay acceso al directorio: ")
                            : QStringLiteral("There is no access to directory: "))
           + rsDirectorio;
}

QString Texto_Falta_AlertWindow(int riLenguaje, const QString &rsEXEPath)
{
    const QString ruta = rsEXEPath + QStringLiteral("AlertWindow");
    if (riLenguaje == 1)
        return QStringLiteral("Archivo no encontrado: ") + ruta + QStringLiteral("\rPor favor reinstala Kestrin");
    return QStringLiteral("File not found: ") + ruta + QStringLiteral("\rPlease reinstall Kestrin");
}

QString Texto_Log_Planificador(int riCodigo, const QString &rsTexto)
{
    return QStringLiteral("Error ") + QString::number(riCodigo) + QStringLiteral(" - ") + rsTexto;
}

QString Texto_Caja_Planificador(int riCodigo, const QString &rsTexto)
{
    return QStringLiteral("Kestrin\rError ") + QString::number(riCodigo) + QLatin1Char('\r') + rsTexto;
}

QString Texto_Hilo_Falta_AlertWindow(const QString &rsErrorSistema, const QString &rsRuta)
{
    return rsErrorSistema + QStringLiteral(": ") + rsRuta;
}

QString Texto_Sin_Salida_Audio(int riLenguaje)
{
    if (riLenguaje == 1)
        return QStringLiteral("No hay salida de audio (ni tarjeta de sonido ni servidor de sonido): "
                              "los sonidos de los recordatorios no se oyen");
    return QStringLiteral("No audio output (no sound card or sound server): reminder sounds cannot be heard");
}

QString Texto_Sin_Notificaciones(int riLenguaje, const QString &rsMotivo)
{
    if (riLenguaje == 1)
        return Texto_Error_Principal(TErrorPrincipal::E211,
                                     QStringLiteral("No se pueden mostrar notificaciones del escritorio (") + rsMotivo
                                         + QStringLiteral("): los recordatorios se muestran en la ventana de Kestrin"));
    return Texto_Error_Principal(TErrorPrincipal::E211, QStringLiteral("Desktop notifications cannot be shown (")
                                                            + rsMotivo
                                                            + QStringLiteral("): reminders show Kestrin's popup"));
}
