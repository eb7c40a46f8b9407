#pragma once
// Helpers shared by the store tests.

#include "cipher.h"
#include "daycount.h"

#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <clocale>
#include <cstring>

// Tests run under a locale whose decimal separator is ",": nothing may depend on it.
// True when the C library's separator is "," afterwards.
inline bool Usar_Locale_Con_Coma()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    auto coma = [] { return std::strcmp(std::localeconv()->decimal_point, ",") == 0; };
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") && coma())
        return true;
    // Machines often carry no compiled locales: compile the German one for this run
    // (glibc reads LOCPATH at every setlocale).
    static QTemporaryDir carpeta;
    if (!carpeta.isValid())
        return false;
    QProcess::execute(QStringLiteral("localedef"),
                      {QStringLiteral("-c"), QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"),
                       QStringLiteral("ISO-8859-1"), carpeta.filePath(QStringLiteral("de_DE"))});
    qputenv("LOCPATH", QFile::encodeName(carpeta.path()));
    return std::setlocale(LC_NUMERIC, "de_DE") && coma();
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
