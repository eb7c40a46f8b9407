#pragma once
// The sound library a new user starts with: the numbered sounds shipped with the
// program (s1.mp3, s2.mp3, ...) are copied into "Sounds/" and "Default/" (the sound
// manager's restore store) when the program makes those folders. A folder that
// already exists is never refilled, and no file in it is overwritten.

#include "platform/folders.h"

#include <QString>

// The shipped sounds: Carpeta_Compartida() + "sounds/".
QString Carpeta_Sonidos_Incluidos();

// Copies every file of rsOrigen into rsDestino (which must exist), skipping names that
// exist there. Returns the number copied; each failure is one line in the event log.
int Copiar_Sonidos_Incluidos(const QString &rsOrigen, const QString &rsDestino);

// At start-up, instead of Preparar_Carpetas: makes the missing folders and fills the
// "Sounds/" and "Default/" folders made now with the shipped sounds.
void Preparar_Carpetas_Y_Sonidos(const TCarpetas &rCarpetas, const QString &rsOrigen = Carpeta_Sonidos_Incluidos());
