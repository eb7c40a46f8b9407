#include "saveverify.h"

#include "texts/errortexts.h"
#include "texts/language.h"
#include "report/messagebox.h"

void Error_Registry(QObject *rOwner, int riLenguaje, const QString &rsError)
{
    if (riLenguaje != 0 && riLenguaje != 1)
        return;
    MessageBoxBeep(rOwner, Texto_Error_Registro(riLenguaje, rsError), Caption_Error(), MB_OK);
}

bool Grabar_Y_Verificar(QObject *rOwner, int riLenguaje, int riLlave, const QString &rsNombreKey,
                        const QString &rsValor, int riCodigo)
{
    Grabar_Registry(HKEY_CURRENT_USER, riLlave, rsNombreKey, rsValor);
    if (Leer_Registry(HKEY_CURRENT_USER, riLlave, rsNombreKey, QString()) == rsValor)
        return true;
    Error_Registry(rOwner, riLenguaje, QString::number(riCodigo));
    return false;
}

bool Borrar_Y_Verificar(QObject *rOwner, int riLenguaje, int riLlave, const QString &rsNombreKey, int riCodigo)
{
    Borrar_Registry(HKEY_CURRENT_USER, riLlave, rsNombreKey);
    if (Leer_Registry(HKEY_CURRENT_USER, riLlave, rsNombreKey, QString()).isEmpty())
        return true;
    Error_Registry(rOwner, riLenguaje, QString::number(riCodigo));
    return false;
}

bool Guardar_Inicio_Con_Sistema(QObject *rOwner, int riLenguaje, bool rbActivar, const QString &rsEjecutable,
                                bool &fbStartWithWindows)
{
    const QString nombre = QStringLiteral("Kestrin");
    const bool ok = rbActivar ? Grabar_Y_Verificar(rOwner, riLenguaje, LLAVE_RUN, nombre,
                                                   Datos_Inicio_Con_Sistema(rsEjecutable), ERROR_RUN_GRABAR)
                              : Borrar_Y_Verificar(rOwner, riLenguaje, LLAVE_RUN, nombre, ERROR_RUN_BORRAR);
    if (ok)
        fbStartWithWindows = rbActivar;
    return ok;
}

int Guardar_Opciones(QObject *rOwner, int riLenguaje, const TOpcionesNuevas &rNuevas, const QString &rsEjecutable,
                     TConfiguracion &fConfig)
{
    auto grabar = [&](const char *rsNombre, const QString &rsValor, int riCodigo) {
        return Grabar_Y_Verificar(rOwner, riLenguaje, LLAVE_KESTRIN, QLatin1String(rsNombre), rsValor, riCodigo);
    };
    const auto uno_cero = [](bool rb) { return rb ? QStringLiteral("1") : QStringLiteral("0"); };

    if (!Guardar_Inicio_Con_Sistema(rOwner, riLenguaje, rNuevas.bStartWithWindows, rsEjecutable,
                                    fConfig.pbStartWithWindows))
        return rNuevas.bStartWithWindows ? ERROR_RUN_GRABAR : ERROR_RUN_BORRAR;

    if (!grabar("WakeUpComputer", uno_cero(rNuevas.bWakeUpComputer), ERROR_WAKEUP))
        return ERROR_WAKEUP;
    fConfig.pbWakeUpComputer = rNuevas.bWakeUpComputer;

    if (!grabar("Language", Valor_De_Lenguaje(rNuevas.iLenguaje), ERROR_LANGUAGE))
        return ERROR_LANGUAGE;
    Establecer_Lenguaje(rNuevas.iLenguaje == 1 ? 1 : 0);

    if (rNuevas.bSegundos) {
        if (!grabar("WaitTimeAlert", QString::number(rNuevas.iSegundos), ERROR_WAITTIME))
            return ERROR_WAITTIME;
        fConfig.piDesktopAlertDuracion = rNuevas.iSegundos;
    }

    if (!grabar("PermanentAlert", uno_cero(rNuevas.bPermanente), ERROR_PERMANENT))
        return ERROR_PERMANENT;
    fConfig.pbDesktopAlertPermanent = rNuevas.bPermanente;

    if (!grabar("SnoozeTime", QString::number(rNuevas.iSnooze), ERROR_SNOOZE))
        return ERROR_SNOOZE;
    fConfig.piDefaultSnoozeTime = rNuevas.iSnooze;

    if (!rNuevas.sFuente.isEmpty()) {
        if (!grabar("Font", rNuevas.sFuente, ERROR_FONT))
            return ERROR_FONT;
        fConfig.psFontMensaje = rNuevas.sFuente;
        fConfig.psFontGuardada = rNuevas.sFuente;
    }

    if (!grabar("DesktopNotifications", uno_cero(rNuevas.bNotificaciones), ERROR_NOTIFICATIONS))
        return ERROR_NOTIFICATIONS;
    fConfig.pbDesktopNotifications = rNuevas.bNotificaciones;
    return 0;
}
