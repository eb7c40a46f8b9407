#include "reserva.h"

#include <algorithm>
#include <atomic>
#include <cstdint>

#include <sys/mman.h>

namespace {
// The blocks are made of 2 MiB pages where the kernel gives them on request: a page fault
// per 4 KiB of a few megabytes of rows cost more than making them. Each thread takes a
// piece of a block at a time, so threads rarely share the lock.
constexpr size_t kPaginaGrande = size_t(2) << 20;
constexpr size_t kBloque = 4 * kPaginaGrande;
constexpr size_t kTrozo = 256 * 1024;
constexpr size_t kAlineacion = 16;

size_t Redondear(size_t riBytes, size_t riMultiplo)
{
    return (riBytes + riMultiplo - 1) / riMultiplo * riMultiplo;
}

std::atomic<quint64> gSeries{0};

// Where this thread takes its pieces from without the lock.
struct TCursor {
    quint64 serie = 0;
    char *libre = nullptr;
    char *fin = nullptr;
};
thread_local TCursor tCursor;

// riTamano bytes of memory aligned to a 2 MiB page, asked to be made of such pages.
char *Nuevo_Bloque(size_t riTamano)
{
    const size_t pedido = riTamano + kPaginaGrande;
    void *p = ::mmap(nullptr, pedido, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED)
        throw std::bad_alloc();
    char *const crudo = static_cast<char *>(p);
    char *const inicio = reinterpret_cast<char *>(Redondear(reinterpret_cast<uintptr_t>(crudo), kPaginaGrande));
    if (inicio > crudo)
        ::munmap(crudo, size_t(inicio - crudo));
    if (crudo + pedido > inicio + riTamano)
        ::munmap(inicio + riTamano, size_t(crudo + pedido - (inicio + riTamano)));
#ifdef MADV_HUGEPAGE
    ::madvise(inicio, riTamano, MADV_HUGEPAGE); // a kernel without them gives 4 KiB pages
#endif
    return inicio;
}
} // namespace

TReservaBytes::TReservaBytes() : piSerie(++gSeries) {}

TReservaBytes::~TReservaBytes()
{
    for (const TBloque &b : paBloques)
        ::munmap(b.inicio, b.tamano);
}

void *TReservaBytes::Tomar(size_t riBytes)
{
    riBytes = Redondear(std::max<size_t>(riBytes, 1), kAlineacion);
    TCursor &c = tCursor;
    if (c.serie != piSerie || size_t(c.fin - c.libre) < riBytes)
        return Tomar_Trozo(riBytes);
    void *p = c.libre;
    c.libre += riBytes;
    return p;
}

void *TReservaBytes::Tomar_Trozo(size_t riBytes)
{
    const size_t trozo = std::max(riBytes, kTrozo);
    const std::lock_guard<std::mutex> guarda(pCerrojo);
    if (paBloques.empty() || paBloques.back().tamano - piUsadoUltimo < trozo) {
        const size_t tamano = std::max(kBloque, Redondear(trozo, kPaginaGrande));
        paBloques.push_back({Nuevo_Bloque(tamano), tamano});
        piUsadoUltimo = 0;
    }
    char *const inicio = paBloques.back().inicio + piUsadoUltimo;
    piUsadoUltimo += trozo;
    // The rest of the piece is this thread's for the pieces that follow.
    tCursor = {piSerie, inicio + riBytes, inicio + trozo};
    return inicio;
}
