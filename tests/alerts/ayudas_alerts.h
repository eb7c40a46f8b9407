#pragma once
// Helpers of the alert presentation tests: reminder files and short sounds come from the
// alert window tests' helpers; here the value of one key of a reminder file and the
// event log's lines.

#include "../alertwindow/ayudas_prueba.h"

#include "report/eventlog.h"

#include <QFile>
#include <QStringList>

inline QString Valor_De(const QString &rsArchivo, const QString &rsLlave)
{
    for (const QString &linea : Lineas_De(rsArchivo))
        if (linea.startsWith(rsLlave + QLatin1Char('=')))
            return linea.mid(rsLlave.size() + 1);
    return QString();
}

inline QStringList Lineas_Log()
{
    QFile f(Ruta_Log());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}
