#pragma once
// Reading the small files of one folder a batch at a time. Opening, reading and closing
// cost three system calls per file, and on a machine where a system call is dear a list
// of thousands of reminders spent most of its system time there: through io_uring the
// opens of a whole batch go to the kernel at once, then its reads and closes. Where
// io_uring cannot be had (an old kernel, a sandbox that forbids it) nothing is read here,
// and the caller reads each file the usual way.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <memory>

struct io_uring;

class TLectorLotes {
public:
    // The most files of one batch. Each file of a batch is read into a page of its own,
    // and a page touched for the first time can cost more than the system calls a larger
    // batch would save.
    static constexpr qsizetype kLote = 16;

    // For the folder open as riCarpeta (not taken over).
    explicit TLectorLotes(int riCarpeta);
    ~TLectorLotes();
    TLectorLotes(const TLectorLotes &) = delete;
    TLectorLotes &operator=(const TLectorLotes &) = delete;

    bool Disponible() const { return pAnillo != nullptr; }
    // Reads the riCuantos files named (in the folder, at most kLote), each with one read.
    void Leer(const char *const *rNombres, qsizetype riCuantos);
    // The content of file riIndice of the last batch, when it was read whole and is not
    // empty. False for anything else (it could not be opened, it is empty or larger than
    // a batch reads, it is not a regular file, or io_uring failed): the caller then reads
    // it the usual way, which tells what is wrong.
    bool Contenido(qsizetype riIndice, QByteArrayView &fContenido) const;

private:
    // Submits what is queued and waits for riEsperadas completions, each result put in
    // pResultados at its user data; false when the ring failed.
    bool Completar(unsigned riEsperadas);
    void Cerrar_Anillo();

    int piCarpeta;
    io_uring *pAnillo = nullptr;
    // The files are opened into the ring's own table, slot k for file k of a batch, not
    // into the process's descriptors (a kernel without that table opens them as usual).
    bool pbTablaPropia = false;
    std::unique_ptr<char[]> pEspacio; // kLote places, each of kLugar bytes, touched only where read
    int pResultados[kLote]; // each file's open, then its read
    qsizetype piLeidos = 0;
};
