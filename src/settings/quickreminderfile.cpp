#include "quickreminderfile.h"

#include "editor/summary.h"
#include "store/daycount.h"
#include "store/textforms.h"
#include "store/writer.h"

#include <QDir>
#include <QFileInfo>

double Inicio_Recordatorio_Rapido(double rdAhora, int riMinutos)
{
    // In whole milliseconds, so that 22:30:15 + 5 hours is 03:30:15 to the millisecond.
    return Milisegundos_a_Dias(Dias_a_Milisegundos(rdAhora) + qint64(riMinutos) * 60000);
}

QString Titulo_Recordatorio_Rapido(int riLenguaje, const QString &rsCaption)
{
    return (riLenguaje == 1 ? QStringLiteral("Recordatorio Rápido - ") : QStringLiteral("Quick Reminder - ")) +
           QString(rsCaption).remove(QLatin1Char('&'));
}

TGrabacionRapida Grabar_Recordatorio_Rapido(const QString &rsCarpetaDatos, const QString &rsCarpetaSonidos,
                                            const QString &rsDefaultSound, const TRecordatorioRapido &rDatos,
                                            double rdAhora, QString &fsArchivo, QString *fsError)
{
    QDir().mkpath(rsCarpetaDatos);
    if (!QFileInfo(rsCarpetaDatos).isDir())
        return TGrabacionRapida::SinCarpeta;
    // Milliseconds are dropped, as the pickers hold whole seconds.
    const double inicio = Obtener_Fecha_Hora(rDatos.dInicio, rDatos.dInicio);
    const double ahora = Obtener_Fecha_Hora(rdAhora, rdAhora);
    const QString sonido = QDir(rsCarpetaSonidos).filePath(rsDefaultSound);
    const TTipoTarea tarea =
        Datos_Recordatorio_Rapido(rDatos.iLenguaje, rDatos.sMensaje, Resumen_Una_Vez(inicio, rDatos.iLenguaje, true),
                                  inicio, rDatos.bAutoDelete, rDatos.bSonido, sonido, ahora);
    fsArchivo.clear();
    if (!Grabar_Archivo_Tarea_Nuevo(rsCarpetaDatos, tarea, rdAhora, fsArchivo, fsError))
        return TGrabacionRapida::Error;
    return TGrabacionRapida::Ok;
}
