#pragma once
// The font families of the desktop, and how it substitutes a family that is not
// installed. Fuentes_Del_Escritorio() needs a running QGuiApplication; the structure
// itself is plain data, so the rules that use it run without one.

#include <QString>
#include <QStringList>

#include <functional>

struct TFuentesEscritorio {
    QStringList aInstaladas; // the installed families
    // The family the desktop draws for a name (fontconfig's substitution); empty: none.
    std::function<QString(const QString &)> Sustituta;
    // True for symbol and mathematics families, never fit for a message.
    std::function<bool(const QString &)> De_Simbolos;
    QString sGeneral; // the desktop's general font

    TFuentesEscritorio() = default;
    // The installed families alone: no substitution, no general font.
    TFuentesEscritorio(const QStringList &raInstaladas) : aInstaladas(raInstaladas) {}
};

QStringList Installed_Font_Families();
TFuentesEscritorio Fuentes_Del_Escritorio();
