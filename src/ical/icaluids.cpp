#include "icaluids.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QSaveFile>

QString Archivo_Uids(const QString &rsCarpetaKestrin)
{
    return QDir(rsCarpetaKestrin).filePath(QStringLiteral("icalendar-uids"));
}

TUidsImportados Leer_Uids(const QString &rsArchivo)
{
    TUidsImportados r;
    QFile f(rsArchivo);
    if (!f.open(QIODevice::ReadOnly))
        return r;
    while (!f.atEnd()) {
        const QString linea = QString::fromUtf8(f.readLine()).trimmed();
        const qsizetype tab = linea.lastIndexOf(QLatin1Char('\t'));
        if (tab > 0)
            r.aArchivoPorUid.insert(linea.left(tab), linea.mid(tab + 1));
    }
    return r;
}

bool Grabar_Uids(const QString &rsArchivo, const TUidsImportados &rUids, QString *fsError)
{
    QDir().mkpath(QFileInfo(rsArchivo).absolutePath());
    QSaveFile f(rsArchivo);
    if (f.open(QIODevice::WriteOnly)) {
        QByteArray datos;
        for (auto it = rUids.aArchivoPorUid.cbegin(); it != rUids.aArchivoPorUid.cend(); ++it)
            datos += it.key().toUtf8() + '\t' + it.value().toUtf8() + '\n';
        if (f.write(datos) == datos.size() && f.commit())
            return true;
    }
    if (fsError)
        *fsError = rsArchivo + QStringLiteral(": ") + f.errorString();
    return false;
}

QHash<QString, QString> Uids_Por_Archivo(const TUidsImportados &rUids)
{
    QHash<QString, QString> r;
    for (auto it = rUids.aArchivoPorUid.cbegin(); it != rUids.aArchivoPorUid.cend(); ++it)
        r.insert(it.value(), it.key());
    return r;
}
