#include "bitacora.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QCoreApplication>

void Registrar_Evento_Alerta(const QString &rsEvento)
{
    const QString archivo = qEnvironmentVariable("KESTRIN_ALERTWINDOW_LOG");
    if (archivo.isEmpty())
        return;
    QFile f(archivo);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return; // a diagnostic aid only: the window goes on without it
    f.write(QByteArray::number(QCoreApplication::applicationPid()) + ' ' + rsEvento.toUtf8() + '\n');
}
