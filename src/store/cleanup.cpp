#include "cleanup.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

bool Es_Nombre_Temporal(const QString &rsNombre)
{
    // The rewrite's temporary file is the target's name and a marked suffix; the new
    // reminder's is written before its name is known. Nothing else is taken for them.
    static const QRegularExpression patron(
        QStringLiteral("^(?:.+\\.od%1[A-Za-z0-9]{6}|%2[A-Za-z0-9]{6}%3)$")
            .arg(QRegularExpression::escape(QLatin1String(SUFIJO_TEMPORAL_REESCRITURA)),
                 QRegularExpression::escape(QLatin1String(PREFIJO_TEMPORAL_NUEVO)),
                 QRegularExpression::escape(QLatin1String(SUFIJO_TEMPORAL_NUEVO))));
    return patron.match(rsNombre).hasMatch();
}

int Borrar_Temporales_Viejos(const QString &rsDirectorio, qint64 riEdadMinimaSeg)
{
    if (rsDirectorio.isEmpty())
        return 0;
    const QDateTime limite = QDateTime::currentDateTimeUtc().addSecs(-riEdadMinimaSeg);
    const QFileInfoList entradas = QDir(rsDirectorio).entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    int borrados = 0;
    for (const QFileInfo &info : entradas) {
        if (info.isSymLink() || !info.isFile() || !Es_Nombre_Temporal(info.fileName()))
            continue;
        if (info.lastModified().toUTC() > limite)
            continue;
        if (QFile::remove(info.absoluteFilePath()))
            ++borrados;
    }
    return borrados;
}
