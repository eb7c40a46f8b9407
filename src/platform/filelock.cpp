#include "filelock.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

TBloqueoCarpeta::TBloqueoCarpeta(const QString &rsCarpeta)
{
    const QByteArray ruta = QFile::encodeName(rsCarpeta.isEmpty() ? QStringLiteral(".") : rsCarpeta);
    piFd = ::open(ruta.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (piFd < 0)
        return;
    // Each object opens its own descriptor, so two threads of one process exclude
    // each other as two processes do.
    while (::flock(piFd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            ::close(piFd);
            piFd = -1;
            return;
        }
    }
}

TBloqueoCarpeta::~TBloqueoCarpeta()
{
    if (piFd >= 0) {
        ::flock(piFd, LOCK_UN);
        ::close(piFd);
    }
}
