#pragma once
// An advisory lock that serialises read-modify-write of reminder files across threads
// and processes. It is held on the folder, because files are replaced by rename and a
// lock on the old inode would guard nothing.

#include <QString>

class TBloqueoCarpeta {
public:
    explicit TBloqueoCarpeta(const QString &rsCarpeta);
    ~TBloqueoCarpeta();
    TBloqueoCarpeta(const TBloqueoCarpeta &) = delete;
    TBloqueoCarpeta &operator=(const TBloqueoCarpeta &) = delete;
    // False when the folder could not be opened; the caller then goes on unlocked.
    bool Bloqueado() const { return piFd >= 0; }

private:
    int piFd = -1;
};
