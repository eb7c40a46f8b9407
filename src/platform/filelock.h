#pragma once
// An advisory lock that serialises read-modify-write of reminder files across threads
// and processes. It is held on the folder, because files are replaced by rename and a
// lock on the old inode would guard nothing.
//
// The wait for the lock is bounded: a process stuck while holding it must not hold
// every writer, and the shutdown that waits for them, for ever.

#include <QString>

class TBloqueoCarpeta {
public:
    // Waits at most riEsperaMs for the lock (a negative value: the default limit).
    explicit TBloqueoCarpeta(const QString &rsCarpeta, int riEsperaMs = -1);
    ~TBloqueoCarpeta();
    TBloqueoCarpeta(const TBloqueoCarpeta &) = delete;
    TBloqueoCarpeta &operator=(const TBloqueoCarpeta &) = delete;
    // False when the folder could not be opened or the wait ran out.
    bool Bloqueado() const { return piFd >= 0; }
    // True when another holder kept the lock for the whole wait: the caller must not write.
    bool Agotado() const { return pbAgotado; }

private:
    int piFd = -1;
    bool pbAgotado = false;
};

// The default limit of the wait, in milliseconds (5000). Tests shorten it.
int Espera_Bloqueo_Carpeta_Ms();
void Fijar_Espera_Bloqueo_Carpeta_Ms(int riMs);
