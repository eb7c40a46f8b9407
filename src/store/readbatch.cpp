#include "readbatch.h"

#include <liburing.h>

#include <algorithm>
#include <cerrno>
#include <iterator>

#include <fcntl.h>
#include <unistd.h>

namespace {
// What one read of a batch can take: far above a reminder file; a larger one is read the
// usual way.
constexpr qsizetype kLugar = 64 * 1024;
// The user data of the closes: past every file's place, so their results are not kept.
constexpr quint64 kCierre = TLectorLotes::kLote;
} // namespace

TLectorLotes::TLectorLotes(int riCarpeta) : piCarpeta(riCarpeta)
{
    if (riCarpeta < 0)
        return;
    auto anillo = std::make_unique<io_uring>();
    if (io_uring_queue_init(unsigned(2 * kLote), anillo.get(), 0) != 0)
        return;
    pAnillo = anillo.release();
    // Each file then costs no descriptor of the process to make, look up and close.
    pbTablaPropia = io_uring_register_files_sparse(pAnillo, unsigned(kLote)) == 0;
    // Never written as a whole: only the pages a file is read into are ever touched.
    pEspacio = std::make_unique_for_overwrite<char[]>(size_t(kLote * kLugar));
}

TLectorLotes::~TLectorLotes()
{
    Cerrar_Anillo();
}

void TLectorLotes::Cerrar_Anillo()
{
    if (!pAnillo)
        return;
    io_uring_queue_exit(pAnillo);
    delete pAnillo;
    pAnillo = nullptr;
}

bool TLectorLotes::Completar(unsigned riEsperadas)
{
    if (riEsperadas == 0)
        return true;
    int enviadas;
    do
        enviadas = io_uring_submit(pAnillo);
    while (enviadas == -EINTR);
    if (enviadas < 0)
        return false;
    for (int hechas = 0; hechas < enviadas;) {
        io_uring_cqe *cqe = nullptr;
        const int r = io_uring_wait_cqe(pAnillo, &cqe);
        if (r == -EINTR)
            continue;
        if (r < 0)
            return false;
        const quint64 dato = io_uring_cqe_get_data64(cqe);
        if (dato < std::size(pResultados))
            pResultados[dato] = cqe->res;
        io_uring_cqe_seen(pAnillo, cqe);
        ++hechas;
    }
    return unsigned(enviadas) == riEsperadas;
}

void TLectorLotes::Leer(const char *const *rNombres, qsizetype riCuantos)
{
    piLeidos = 0;
    if (!pAnillo)
        return;
    const qsizetype n = std::min(riCuantos, kLote);
    for (qsizetype k = 0; k < n; ++k)
        pResultados[k] = -EBADF;
    // The ring holds two entries per file of a batch; were it ever short, the files would
    // simply be read the usual way.
    if (io_uring_sq_space_left(pAnillo) < unsigned(2 * n)) {
        Cerrar_Anillo();
        return;
    }
    // The opens of the whole batch, as the usual reading opens: a pipe cannot block, a
    // terminal is never taken. (A file in the ring's table is never inherited.)
    constexpr int kModo = O_RDONLY | O_NONBLOCK | O_NOCTTY;
    for (qsizetype k = 0; k < n; ++k) {
        io_uring_sqe *sqe = io_uring_get_sqe(pAnillo);
        if (pbTablaPropia)
            io_uring_prep_openat_direct(sqe, piCarpeta, rNombres[k], kModo, 0, unsigned(k));
        else
            io_uring_prep_openat(sqe, piCarpeta, rNombres[k], kModo | O_CLOEXEC, 0);
        io_uring_sqe_set_data64(sqe, quint64(k));
    }
    if (!Completar(unsigned(n))) {
        // The ring failed: the descriptors it gave back are closed (its own table goes
        // with it), and every file of this batch and the next is read the usual way. (An
        // open the kernel finished after the failure could not be known, and its
        // descriptor stays open.)
        for (qsizetype k = 0; k < n; ++k)
            if (!pbTablaPropia && pResultados[k] >= 0)
                ::close(pResultados[k]);
        Cerrar_Anillo();
        return;
    }
    // Then each opened file's one read, and its close, which comes after the read
    // whatever the read gave.
    unsigned esperadas = 0;
    for (qsizetype k = 0; k < n; ++k) {
        // In the ring's table an open gives 0 and the file is slot k.
        const int descriptor = pbTablaPropia && pResultados[k] == 0 ? int(k) : pResultados[k];
        pResultados[k] = -EBADF;
        if (descriptor < 0)
            continue;
        io_uring_sqe *sqe = io_uring_get_sqe(pAnillo);
        io_uring_prep_read(sqe, descriptor, pEspacio.get() + k * kLugar, unsigned(kLugar), 0);
        sqe->flags |= IOSQE_IO_HARDLINK | (pbTablaPropia ? IOSQE_FIXED_FILE : 0);
        io_uring_sqe_set_data64(sqe, quint64(k));
        sqe = io_uring_get_sqe(pAnillo);
        if (pbTablaPropia)
            io_uring_prep_close_direct(sqe, unsigned(k));
        else
            io_uring_prep_close(sqe, descriptor);
        io_uring_sqe_set_data64(sqe, kCierre);
        esperadas += 2;
    }
    if (!Completar(esperadas)) {
        // Whether each close was done cannot be known, and closing a number twice could
        // close another thread's file: a descriptor may stay open, no file is misread.
        for (qsizetype k = 0; k < n; ++k)
            pResultados[k] = -EBADF;
        Cerrar_Anillo();
        return;
    }
    piLeidos = n;
}

bool TLectorLotes::Contenido(qsizetype riIndice, QByteArrayView &fContenido) const
{
    if (riIndice < 0 || riIndice >= piLeidos)
        return false;
    const int leidos = pResultados[riIndice];
    // A full place may have more behind it, and nothing may mean a pipe or a device.
    if (leidos <= 0 || leidos >= kLugar)
        return false;
    fContenido = QByteArrayView(pEspacio.get() + riIndice * kLugar, leidos);
    return true;
}
