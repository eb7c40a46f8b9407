#pragma once
// Work on many independent items spread over the processor's cores: each thread takes one
// contiguous range, so results land where a single thread would have put them.

#include <QtGlobal>

#include <algorithm>
#include <atomic>
#include <functional>

// Calls rTrabajo(desde, hasta) on ranges that cover [0, riTotal) once, on up to one thread
// per core (the caller's thread takes the first range), and returns when all are done.
// Fewer than riMinimoPorHilo items per thread are not worth a thread. rTrabajo must not
// throw and may touch only what its range owns.
void En_Paralelo(qsizetype riTotal, qsizetype riMinimoPorHilo,
                 const std::function<void(qsizetype, qsizetype)> &rTrabajo);

// The items of a job handed out a piece at a time to the threads that do it.
class TReparto {
public:
    TReparto(qsizetype riTotal, qsizetype riTrozo) : piTotal(riTotal), piTrozo(riTrozo) {}
    // The next piece [fDesde, fHasta) not yet taken; false when none is left.
    bool Tomar(qsizetype &fDesde, qsizetype &fHasta)
    {
        fDesde = pSiguiente.fetch_add(piTrozo, std::memory_order_relaxed);
        fHasta = std::min(piTotal, fDesde + piTrozo);
        return fDesde < piTotal;
    }

private:
    const qsizetype piTotal;
    const qsizetype piTrozo;
    std::atomic<qsizetype> pSiguiente{0};
};

// Like En_Paralelo, where a thread may be slower than the others (a core busy with other
// work, or items that cost more): rTrabajo is called once on each thread and takes pieces
// of riTrozo items from the TReparto until none is left, so a faster thread takes more.
// Results must go by item, never by thread.
void En_Paralelo_Repartido(qsizetype riTotal, qsizetype riMinimoPorHilo, qsizetype riTrozo,
                           const std::function<void(TReparto &)> &rTrabajo);
