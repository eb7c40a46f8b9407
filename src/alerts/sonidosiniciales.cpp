#include "sonidosiniciales.h"

#include "report/eventlog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString Carpeta_Sonidos_Incluidos()
{
    return Carpeta_Compartida() + QStringLiteral("sounds/");
}

int Copiar_Sonidos_Incluidos(const QString &rsOrigen, const QString &rsDestino)
{
    const QDir origen(rsOrigen);
    if (!origen.exists()) {
        Add_To_Log(QStringLiteral("Shipped sounds not found: ") + rsOrigen);
        return 0;
    }
    int copiados = 0;
    const QFileInfoList archivos = origen.entryInfoList(QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo &archivo : archivos) {
        const QString destino = QDir(rsDestino).filePath(archivo.fileName());
        if (QFileInfo::exists(destino))
            continue;
        QFile fuente(archivo.absoluteFilePath());
        if (fuente.copy(destino))
            ++copiados;
        else
            Add_To_Log(QStringLiteral("Cannot copy ") + archivo.absoluteFilePath() + QStringLiteral(": ") +
                       fuente.errorString());
    }
    return copiados;
}

void Preparar_Carpetas_Y_Sonidos(const TCarpetas &rCarpetas, const QString &rsOrigen)
{
    const bool habiaSonidos = QFileInfo(rCarpetas.psAppDataSoundsAllUsers).isDir();
    const bool habiaDefault = QFileInfo(rCarpetas.psAppDataDefaultAllUsers).isDir();
    Preparar_Carpetas(rCarpetas);
    if (!habiaSonidos && QFileInfo(rCarpetas.psAppDataSoundsAllUsers).isDir())
        Copiar_Sonidos_Incluidos(rsOrigen, rCarpetas.psAppDataSoundsAllUsers);
    if (!habiaDefault && QFileInfo(rCarpetas.psAppDataDefaultAllUsers).isDir())
        Copiar_Sonidos_Incluidos(rsOrigen, rCarpetas.psAppDataDefaultAllUsers);
}
