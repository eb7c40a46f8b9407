#pragma once
// A text that one thread replaces while another reads it: each side gets its own copy
// under a lock, so neither ever sees a text half replaced.

#include <QString>

#include <mutex>

class TTextoCompartido {
public:
    TTextoCompartido() = default;
    explicit TTextoCompartido(QString rsTexto) : psTexto(std::move(rsTexto)) {}
    TTextoCompartido(const TTextoCompartido &) = delete;
    TTextoCompartido &operator=(const TTextoCompartido &) = delete;

    void Poner(const QString &rsTexto)
    {
        std::lock_guard<std::mutex> lock(pMutex);
        psTexto = rsTexto;
    }
    QString Leer() const
    {
        std::lock_guard<std::mutex> lock(pMutex);
        return psTexto;
    }

private:
    mutable std::mutex pMutex;
    QString psTexto;
};
