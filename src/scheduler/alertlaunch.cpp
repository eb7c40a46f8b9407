#include "alertlaunch.h"

#include "alertwindow/argumentos.h"
#include "texts/errortexts.h"

#include <QFileInfo>
#include <QProcess>

#include <cerrno>

QString Ruta_AlertWindow(const QString &rsEXEPath)
{
    return rsEXEPath + QStringLiteral("AlertWindow");
}

QString Sonido_Para_AlertWindow(int riUsarSonidoDefault, const QString &rsPathDelSonido,
                                const QString &rsAppDataSoundsAllUsers, const QString &rsDefaultSound)
{
    if (riUsarSonidoDefault == 1)
        return rsAppDataSoundsAllUsers + rsDefaultSound;
    return rsPathDelSonido;
}

QStringList Argumentos_AlertWindow(const QString &rsArchivo, const QString &rsSonido, int riDefaultSnoozeTime,
                                   const QString &rsFontMensaje)
{
    // The token is the one the alert window checks.
    return {rsArchivo, rsSonido, QLatin1String(TOKEN_ALERTA), QString::number(riDefaultSnoozeTime), rsFontMensaje};
}

TLanzamiento Lanzar_AlertWindow(const QString &rsPrograma, const QStringList &rArgumentos, QString &fsError)
{
    if (!QFileInfo::exists(rsPrograma)) {
        fsError = Texto_Hilo_Falta_AlertWindow(qt_error_string(ENOENT), rsPrograma);
        return TLanzamiento::NoExiste;
    }
    QProcess proceso;
    proceso.setProgram(rsPrograma);
    proceso.setArguments(rArgumentos);
    if (!proceso.startDetached()) {
        fsError = proceso.errorString();
        return TLanzamiento::NoInicio;
    }
    return TLanzamiento::Ok;
}
