#pragma once
// Small helpers shared by the alert window tests: reminder files written by the store,
// their plain lines, and a short sound file.

#include "store/daycount.h"
#include "store/record.h"
#include "store/reminderfile.h"
#include "store/writer.h"

#include <QFile>
#include <QString>
#include <QtEndian>
#include <cmath>

inline TTipoTarea Tarea_De_Prueba(const QString &rsNombre = QStringLiteral("Call the dentist"), int riLenguaje = 0)
{
    TTipoTarea t;
    t.tsTaskName = rsNombre;
    t.tsMensaje = QStringLiteral("Line one\r\nLine two");
    t.tiLenguaje = riLenguaje;
    t.tiAlertWindow = ALERTA_VENTANA;
    t.tiTareaTipo = TAREA_DIARIA;
    t.tdFechaInicio = 45000.375;
    t.tdFechaCreacion = 44990.5;
    return t;
}

inline QByteArray Bytes_De(const QString &rsArchivo)
{
    QFile f(rsArchivo);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline QStringList Lineas_De(const QString &rsArchivo)
{
    QStringList lineas;
    Leer_Lineas_Planas(rsArchivo, lineas);
    return lineas;
}

// A mono 16-bit PCM tone of the given length.
inline bool Escribir_Wav(const QString &rsArchivo, int riMilisegundos)
{
    const int frecuencia = 8000;
    const int muestras = frecuencia * riMilisegundos / 1000;
    QByteArray datos(muestras * 2, '\0');
    for (int i = 0; i < muestras; ++i)
        qToLittleEndian<qint16>(qint16(6000 * std::sin(2 * M_PI * 440.0 * i / frecuencia)), datos.data() + 2 * i);
    QByteArray cabecera;
    auto u32 = [&](quint32 v) { char b[4]; qToLittleEndian(v, b); cabecera.append(b, 4); };
    auto u16 = [&](quint16 v) { char b[2]; qToLittleEndian(v, b); cabecera.append(b, 2); };
    cabecera += "RIFF";
    u32(36 + datos.size());
    cabecera += "WAVEfmt ";
    u32(16); u16(1); u16(1); u32(frecuencia); u32(frecuencia * 2); u16(2); u16(16);
    cabecera += "data";
    u32(datos.size());
    QFile f(rsArchivo);
    return f.open(QIODevice::WriteOnly) && f.write(cabecera + datos) == cabecera.size() + datos.size();
}
