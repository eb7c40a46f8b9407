#include "folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

static QString Con_Barra(QString rsRuta)
{
    if (!rsRuta.endsWith(QLatin1Char('/')))
        rsRuta += QLatin1Char('/');
    return rsRuta;
}

QString Carpeta_Datos_Usuario()
{
    // A relative XDG path is invalid and must be ignored.
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return Con_Barra(xdg);
    return Con_Barra(QDir::homePath() + QStringLiteral("/.local/share"));
}

QString Carpeta_Datos_Comun()
{
    const QString comun = qEnvironmentVariable("KESTRIN_COMMON_DIR");
    if (comun.isEmpty() || !QDir::isAbsolutePath(comun))
        return Carpeta_Datos_Usuario();
    return Con_Barra(comun);
}

QString Carpeta_Temporal_Usuario()
{
    return Con_Barra(QDir::tempPath());
}

QString Carpeta_Ejecutable()
{
    return Con_Barra(QCoreApplication::applicationDirPath());
}

QString Archivo_Ejecutable()
{
    return QCoreApplication::applicationFilePath();
}

QString Lanzador_De(const QString &rsEjecutable)
{
    const QFileInfo programa(rsEjecutable);
    const QString destino = programa.canonicalFilePath();
    const QString enlace =
        QDir::cleanPath(programa.absolutePath() + QStringLiteral("/../../bin/") + programa.fileName());
    if (!destino.isEmpty() && QFileInfo(enlace).isSymLink() && QFileInfo(enlace).canonicalFilePath() == destino)
        return enlace;
    return rsEjecutable;
}

QString Archivo_Inicio_Con_Sesion()
{
    return Lanzador_De(Archivo_Ejecutable());
}

QString Carpeta_Compartida()
{
    const QString otra = qEnvironmentVariable("KESTRIN_SHARE_DIR");
    if (!otra.isEmpty())
        return Con_Barra(otra);
    return Con_Barra(QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../../share/kestrin")));
}

TCarpetas Calcular_Carpetas()
{
    TCarpetas c;
    c.psEXEPath = Carpeta_Ejecutable();
    c.psAppDataAllUsers = Carpeta_Datos_Comun() + QStringLiteral("Kestrin/");
    c.psAppDataSoundsAllUsers = c.psAppDataAllUsers + QStringLiteral("Sounds/");
    c.psAppDataDefaultAllUsers = c.psAppDataAllUsers + QStringLiteral("Default/");
    c.psAppDataLocal = Carpeta_Datos_Usuario() + QStringLiteral("Kestrin/");
    c.psAppDataSystemLocal = c.psAppDataLocal + QStringLiteral("System/");
    c.psUserTempDir = Carpeta_Temporal_Usuario();
    return c;
}

void Preparar_Carpetas(const TCarpetas &rCarpetas)
{
    QDir dir;
    dir.mkpath(rCarpetas.psAppDataAllUsers);
    if (QDir(rCarpetas.psAppDataAllUsers).exists()) {
        dir.mkpath(rCarpetas.psAppDataSoundsAllUsers);
        dir.mkpath(rCarpetas.psAppDataDefaultAllUsers);
    }
    dir.mkpath(rCarpetas.psAppDataLocal);
    if (QDir(rCarpetas.psAppDataLocal).exists())
        dir.mkpath(rCarpetas.psAppDataSystemLocal);
}
