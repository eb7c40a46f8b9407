#pragma once
// Room for many small pieces made on every core and kept to the end of a job (the rows of a
// long list): handed out without a lock, never freed piece by piece.

#include <QtGlobal>

#include <algorithm>
#include <cstddef>
#include <mutex>
#include <vector>

class TReservaBytes {
public:
    TReservaBytes();
    ~TReservaBytes();
    TReservaBytes(const TReservaBytes &) = delete;
    TReservaBytes &operator=(const TReservaBytes &) = delete;

    // riBytes of room, 16-byte aligned, until the reserve goes; from any thread.
    void *Tomar(size_t riBytes);
    // A copy of riCuantos items kept there.
    template <typename T> const T *Copiar(const T *rDatos, qsizetype riCuantos)
    {
        auto *p = static_cast<T *>(Tomar(size_t(riCuantos) * sizeof(T)));
        std::copy_n(rDatos, riCuantos, p);
        return p;
    }

private:
    struct TBloque {
        char *inicio = nullptr;
        size_t tamano = 0;
    };
    // A new piece of this thread's own, taken under the lock from the blocks.
    void *Tomar_Trozo(size_t riBytes);

    const quint64 piSerie; // tells this reserve from an earlier one at the same address
    std::mutex pCerrojo;
    std::vector<TBloque> paBloques;
    size_t piUsadoUltimo = 0; // what the last block has handed out
};
