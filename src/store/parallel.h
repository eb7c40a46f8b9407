#pragma once
// Work on many independent items spread over the processor's cores: each thread takes one
// contiguous range, so results land where a single thread would have put them.

#include <QtGlobal>

#include <functional>

// Calls rTrabajo(desde, hasta) on ranges that cover [0, riTotal) once, on up to one thread
// per core (the caller's thread takes the first range), and returns when all are done.
// Fewer than riMinimoPorHilo items per thread are not worth a thread. rTrabajo must not
// throw and may touch only what its range owns.
void En_Paralelo(qsizetype riTotal, qsizetype riMinimoPorHilo,
                 const std::function<void(qsizetype, qsizetype)> &rTrabajo);
