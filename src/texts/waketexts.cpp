#include "texts/waketexts.h"

#include <QByteArray>

#include <cerrno>
#include <cstring>

QString Texto_Sin_Despertar(int riLenguaje, int riError, const QString &rsEjecutable)
{
    const bool es = riLenguaje == 1;
    if (riError == EPERM || riError == EACCES) {
        if (es)
            return QStringLiteral("Kestrin no puede despertar la computadora para los recordatorios: le falta el "
                                  "permiso para programar alarmas de reactivación (CAP_WAKE_ALARM). Para "
                                  "permitirlo, instala Kestrin con -DKESTRIN_SETCAP_WAKE_ALARM=ON o ejecuta como "
                                  "administrador: setcap cap_wake_alarm+ep \"")
                   + rsEjecutable + QLatin1Char('"');
        return QStringLiteral("Kestrin cannot wake the computer for reminders: it lacks the permission to set wake "
                              "alarms (CAP_WAKE_ALARM). To allow it, install Kestrin with "
                              "-DKESTRIN_SETCAP_WAKE_ALARM=ON or run as administrator: setcap cap_wake_alarm+ep \"")
               + rsEjecutable + QLatin1Char('"');
    }
    const QString sistema = QString::fromLocal8Bit(std::strerror(riError));
    if (es)
        return QStringLiteral("Kestrin no puede despertar la computadora para los recordatorios: ") + sistema;
    return QStringLiteral("Kestrin cannot wake the computer for reminders: ") + sistema;
}

QString Texto_Sin_Logind(int riLenguaje, const QString &rsDetalle)
{
    if (riLenguaje == 1)
        return QStringLiteral("Kestrin no puede seguir la suspensión del sistema (logind no está disponible: ")
               + rsDetalle
               + QStringLiteral("); la computadora no se despertará para los recordatorios");
    return QStringLiteral("Kestrin cannot follow system suspend (logind is not available: ") + rsDetalle
           + QStringLiteral("); the computer will not be woken for reminders");
}

namespace {

TCaptionsWakeTimers Ingles()
{
    TCaptionsWakeTimers c;
    c.sTitulo = QStringLiteral("Wake Timers");
    c.LabelNota1 = QStringLiteral("Wake Timers must be enabled to allow the program to wake up the computer");
    c.LabelNota2 = QString();
    c.GroupBox = QStringLiteral("Allow Wake Timers");
    c.LabelBateria1 = QStringLiteral("On battery (for laptops):");
    c.LabelConectado1 = QStringLiteral("Plugged in:");
    c.BitBtnEnableWakeTimers = QStringLiteral("Enable Wake Timers");
    c.BitBtnDisableWakeTimers = QStringLiteral("Disable Wake Timers");
    c.BitBtnCerrar = QStringLiteral("Close");
    c.psEnabled = QStringLiteral("Enabled");
    c.psDisabled = QStringLiteral("Disabled");
    c.sNoPudoLeer = QStringLiteral("Unable to read settings");
    c.sHabilitados = QStringLiteral("Wake Timers Enabled");
    c.sDeshabilitados = QStringLiteral("Wake Timers Disabled");
    c.sNoAutorizado = QStringLiteral("The change was not authorized");
    c.sSinCambio = QStringLiteral("The wake setting did not change");
    return c;
}

TCaptionsWakeTimers Espanol()
{
    TCaptionsWakeTimers c;
    c.sTitulo = QStringLiteral("Temporizadores de Reactivación");
    c.LabelNota1 = QStringLiteral("Los Temporizadores de Reactivación deben estar habilitados para");
    c.LabelNota2 = QStringLiteral("permitir que el programa despierte a la computadora");
    c.GroupBox = QStringLiteral("Permitir Temporizadores de Reactivación");
    c.LabelBateria1 = QStringLiteral("En Bateria (para portátiles):");
    c.LabelConectado1 = QStringLiteral("Conectado:");
    c.BitBtnEnableWakeTimers = QStringLiteral("Habilitar Temporizadores");
    c.BitBtnDisableWakeTimers = QStringLiteral("Deshabilitar Temporizadores");
    c.BitBtnCerrar = QStringLiteral("Cerrar");
    c.psEnabled = QStringLiteral("Habilitado");
    c.psDisabled = QStringLiteral("Deshabilitado");
    c.sNoPudoLeer = QStringLiteral("No pudo leer la configuración");
    c.sHabilitados = QStringLiteral("Temporizadores de Reactivación Habilitados");
    c.sDeshabilitados = QStringLiteral("Temporizadores de Reactivación Deshabilitados");
    c.sNoAutorizado = QStringLiteral("El cambio no fue autorizado");
    c.sSinCambio = QStringLiteral("La configuración de reactivación no cambió");
    return c;
}

} // namespace

const TCaptionsWakeTimers &Captions_Wake_Timers(int riLenguaje)
{
    static const TCaptionsWakeTimers ingles = Ingles();
    static const TCaptionsWakeTimers espanol = Espanol();
    return riLenguaje == 1 ? espanol : ingles;
}

QString Texto_Tiempo_Agotado(int riLenguaje, int riSegundos)
{
    const bool uno = riSegundos == 1;
    if (riLenguaje == 1)
        return QStringLiteral("El comando no terminó en %1 %2 y fue detenido")
            .arg(riSegundos)
            .arg(uno ? QStringLiteral("segundo") : QStringLiteral("segundos"));
    return QStringLiteral("The command did not finish within %1 %2 and was stopped")
        .arg(riSegundos)
        .arg(uno ? QStringLiteral("second") : QStringLiteral("seconds"));
}

QString Texto_Error_Wake_Timers(int riCodigo, const QString &rsTexto)
{
    return QStringLiteral("Error ") + QString::number(riCodigo) + QStringLiteral(". ") + rsTexto;
}
