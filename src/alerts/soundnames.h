#pragma once
// The sound library's naming rule: a numbered sound is shown as the sound word, a blank
// and its number ("Sound 7", "Sonido 7"); the file behind it is "s7.mp3". Every caller
// that turns a shown name into a file name goes through here.

#include <QString>

inline constexpr int MAXIMO_SONIDOS_NUMERADOS = 50;

// For N from 1 to 50, rsNombre compared with rsLeyendaSonido + " " + N, ignoring the case
// of A to Z: the first match gives "s" + N + ".mp3"; no match gives rsNombre unchanged.
QString Convertir_Sound_X_a_sX_mp3(const QString &rsNombre, const QString &rsLeyendaSonido);
