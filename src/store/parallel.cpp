#include "parallel.h"

#include <QThread>

#include <algorithm>
#include <system_error>
#include <thread>
#include <vector>

namespace {
// Threads worth starting for riTotal items: one per core at most.
qsizetype Hilos(qsizetype riTotal, qsizetype riMinimoPorHilo)
{
    return std::clamp<qsizetype>(riTotal / std::max<qsizetype>(riMinimoPorHilo, 1), 1,
                                 std::max(QThread::idealThreadCount(), 1));
}
} // namespace

void En_Paralelo(qsizetype riTotal, qsizetype riMinimoPorHilo,
                 const std::function<void(qsizetype, qsizetype)> &rTrabajo)
{
    if (riTotal <= 0)
        return;
    const qsizetype hilos = Hilos(riTotal, riMinimoPorHilo);
    std::vector<std::thread> otros;
    otros.reserve(size_t(hilos - 1));
    const auto desde = [&](qsizetype i) { return riTotal * i / hilos; };
    try {
        for (qsizetype i = 1; i < hilos; ++i)
            otros.emplace_back(rTrabajo, desde(i), desde(i + 1));
    } catch (const std::system_error &) {
        // No thread to be had: the ranges not started are done here.
        const qsizetype hechos = qsizetype(otros.size()) + 1;
        rTrabajo(desde(hechos), riTotal);
    }
    rTrabajo(0, desde(1));
    for (std::thread &t : otros)
        t.join();
}

void En_Paralelo_Repartido(qsizetype riTotal, qsizetype riMinimoPorHilo, qsizetype riTrozo,
                           const std::function<void(TReparto &)> &rTrabajo)
{
    if (riTotal <= 0)
        return;
    TReparto reparto(riTotal, std::max<qsizetype>(riTrozo, 1));
    // As many threads as En_Paralelo would start, each given one slot.
    En_Paralelo(Hilos(riTotal, riMinimoPorHilo), 1, [&](qsizetype desde, qsizetype hasta) {
        for (qsizetype i = desde; i < hasta; ++i)
            rTrabajo(reparto);
    });
}
