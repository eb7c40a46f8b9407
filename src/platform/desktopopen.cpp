#include "desktopopen.h"

#include <QDesktopServices>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

static QString Texto_Errno(int riErrno)
{
    return QString::fromLocal8Bit(std::strerror(riErrno));
}

QString Abrir_Con_Escritorio(const QUrl &rUrl)
{
    if (!rUrl.isValid() || rUrl.isEmpty())
        return QStringLiteral("The address is not valid: ") + rUrl.toString();
    if (rUrl.isLocalFile()) {
        const QFileInfo archivo(rUrl.toLocalFile());
        if (!archivo.exists())
            return Texto_Errno(ENOENT) + QStringLiteral(": ") + archivo.filePath();
        if (!archivo.isReadable())
            return Texto_Errno(EACCES) + QStringLiteral(": ") + archivo.filePath();
    }
    // Qt reports false when it finds no launcher at all (no xdg-open, no known browser).
    if (!QDesktopServices::openUrl(rUrl))
        return QStringLiteral("No application is registered to open this address (is xdg-open installed?): ")
               + rUrl.toString();
    return QString();
}
