#pragma once
// Helpers shared by the store tests.

#include "cipher.h"
#include "daycount.h"

#include <QFile>
#include <QLocale>
#include <QStringList>
#include <clocale>

// Tests run under a locale whose decimal separator is ",": nothing may depend on it.
inline void Usar_Locale_Con_Coma()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        std::setlocale(LC_NUMERIC, "de_DE");
}

// Writes plain lines enciphered, CR LF after each, as an older writer would.
inline void Escribir_Plano(const QString &rsArchivo, const QStringList &rLineas, const char *rsFin = "\r\n")
{
    QFile f(rsArchivo);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    for (const QString &l : rLineas) {
        f.write(Encriptar(l).toLatin1());
        f.write(rsFin);
    }
}

inline double Dia(int y, int m, int d, int h = 0, int mi = 0, int s = 0)
{
    return Fecha_Hora_a_Dias(QDate(y, m, d), QTime(h, mi, s));
}
