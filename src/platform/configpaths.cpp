#include "configpaths.h"

#include <QDir>

QString User_Config_Dir()
{
    // A relative XDG path is invalid and must be ignored.
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return QDir::cleanPath(xdg);
    return QDir::cleanPath(QDir::homePath() + QStringLiteral("/.config"));
}

QStringList System_Config_Dirs()
{
    QStringList dirs;
    const QStringList partes = qEnvironmentVariable("XDG_CONFIG_DIRS").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString &parte : partes) {
        if (QDir::isAbsolutePath(parte))
            dirs << QDir::cleanPath(parte);
    }
    if (dirs.isEmpty())
        dirs << QStringLiteral("/etc/xdg");
    return dirs;
}

QString User_Settings_File()
{
    return User_Config_Dir() + QStringLiteral("/Kestrin/Kestrin.conf");
}

QStringList System_Settings_Files()
{
    QStringList files;
    for (const QString &dir : System_Config_Dirs())
        files << dir + QStringLiteral("/Kestrin/Kestrin.conf");
    return files;
}

static bool Nombre_Valido(const QString &rsName)
{
    return !rsName.isEmpty() && !rsName.contains(QLatin1Char('/')) && rsName != QLatin1String(".")
           && rsName != QLatin1String("..") && !rsName.contains(QChar(0));
}

QString User_Autostart_File(const QString &rsName)
{
    if (!Nombre_Valido(rsName))
        return {};
    return User_Config_Dir() + QStringLiteral("/autostart/") + rsName + QStringLiteral(".desktop");
}

QStringList System_Autostart_Files(const QString &rsName)
{
    QStringList files;
    if (!Nombre_Valido(rsName))
        return files;
    for (const QString &dir : System_Config_Dirs())
        files << dir + QStringLiteral("/autostart/") + rsName + QStringLiteral(".desktop");
    return files;
}
