#pragma once
// The entries of the wizard's sound list: "Sound N" for each numbered sound sN.mp3 that
// exists (N = 1..50), then every other sound file of the folder by its name with the
// extension in lower case, mp3 first, then wav, wma, aiff and au, each sorted.

#include <QStringList>

QStringList Entradas_Lista_Sonidos(const QString &rsCarpetaSonidos, const QString &rsLeyendaSonido);
