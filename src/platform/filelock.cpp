#include "filelock.h"

#include <QDeadlineTimer>
#include <QFile>

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <time.h>
#include <unistd.h>

namespace {
std::atomic<int> gEsperaMs{5000};
constexpr long kPasoNs = 5 * 1000 * 1000; // between tries: 5 ms
} // namespace

int Espera_Bloqueo_Carpeta_Ms()
{
    return gEsperaMs.load();
}

void Fijar_Espera_Bloqueo_Carpeta_Ms(int riMs)
{
    gEsperaMs = riMs < 0 ? 0 : riMs;
}

TBloqueoCarpeta::TBloqueoCarpeta(const QString &rsCarpeta, int riEsperaMs)
{
    const QByteArray ruta = QFile::encodeName(rsCarpeta.isEmpty() ? QStringLiteral(".") : rsCarpeta);
    piFd = ::open(ruta.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (piFd < 0)
        return;
    // Each object opens its own descriptor, so two threads of one process exclude
    // each other as two processes do. flock has no time limit of its own: try without
    // blocking until the deadline.
    const QDeadlineTimer limite(riEsperaMs < 0 ? Espera_Bloqueo_Carpeta_Ms() : riEsperaMs);
    for (;;) {
        if (::flock(piFd, LOCK_EX | LOCK_NB) == 0)
            return;
        if (errno != EWOULDBLOCK && errno != EINTR)
            break;
        if (errno == EWOULDBLOCK && limite.hasExpired()) {
            pbAgotado = true;
            break;
        }
        const timespec paso{0, kPasoNs};
        ::nanosleep(&paso, nullptr);
    }
    ::close(piFd);
    piFd = -1;
}

TBloqueoCarpeta::~TBloqueoCarpeta()
{
    if (piFd >= 0) {
        ::flock(piFd, LOCK_UN);
        ::close(piFd);
    }
}
