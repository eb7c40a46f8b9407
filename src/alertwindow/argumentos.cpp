#include "argumentos.h"

#include "textos.h"

#include "store/reminderfile.h"
#include "store/textforms.h"

TErrorInicio Leer_Argumentos_Alerta(const QStringList &rArgumentos, TArgumentosAlerta &fArgumentos)
{
    fArgumentos = TArgumentosAlerta();
    if (rArgumentos.size() != ARGUMENTOS_ALERTA)
        return TErrorInicio::Cantidad;
    if (rArgumentos[2] != QLatin1String(TOKEN_ALERTA))
        return TErrorInicio::Token;
    fArgumentos.psArchivo = rArgumentos[0];
    fArgumentos.psSonido = rArgumentos[1];
    qint32 minutos = 0;
    if (Leer_Entero(rArgumentos[3], minutos) && minutos > 0)
        fArgumentos.piSnoozeDefault = minutos;
    fArgumentos.psFuente = Recortar(rArgumentos[4]);
    return TErrorInicio::Ninguno;
}

TErrorInicio Preparar_Alerta(const QStringList &rArgumentos, int riLenguaje, TArgumentosAlerta &fArgumentos,
                             TTipoTarea &fTarea, QString &fsMensaje)
{
    fsMensaje.clear();
    TErrorInicio error = Leer_Argumentos_Alerta(rArgumentos, fArgumentos);
    if (error == TErrorInicio::Cantidad) {
        fsMensaje = Texto_Error_Inicio(error, QString::number(rArgumentos.size()), riLenguaje);
        return error;
    }
    if (error != TErrorInicio::Ninguno) {
        fsMensaje = Texto_Error_Inicio(error, QString(), riLenguaje);
        return error;
    }

    int codigo = 0;
    QString falla;
    switch (Leer_Archivo_Tarea(fArgumentos.psArchivo, fTarea, codigo, &falla)) {
    case TLectura::Ok:
        if (codigo == 0)
            return TErrorInicio::Ninguno;
        error = TErrorInicio::Invalido;
        falla = QString::number(codigo);
        break;
    case TLectura::NoExiste:
        error = TErrorInicio::NoExiste;
        break;
    case TLectura::Error:
        error = TErrorInicio::Ilegible;
        break;
    }
    fTarea = TTipoTarea();
    fsMensaje = Texto_Error_Inicio(error, falla, riLenguaje, fArgumentos.psArchivo);
    return error;
}

bool Es_Archivo_De_Prueba(const QString &rsArchivo)
{
    return rsArchivo.endsWith(QLatin1String(".tmp"), Qt::CaseInsensitive);
}
