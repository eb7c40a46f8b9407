#pragma once
// "kestrin --in MINUTES [--message TEXT]": a quick reminder from the terminal. Writes the
// same file as the quick reminder dialog with OK pressed (default sound, auto delete),
// tells a running Kestrin to re-read its files, and prints the file and when it fires.

#include <QString>

class QCommandLineParser;
class QTextStream;

// Runs --in and --message (commandoptions.h); returns the exit status: 0 written, 1 not written,
// 2 a bad count of minutes (nothing written).
int Ejecutar_Opcion_Rapido(const QCommandLineParser &rParser);

// The most minutes accepted: five years of 365.25 days.
inline constexpr qint64 MAXIMO_MINUTOS_RAPIDO = 5LL * 36525 * 1440 / 100;
// A count of minutes from 1 to the maximum, written in decimal; false otherwise.
bool Leer_Minutos_Rapido(const QString &rsTexto, int &fiMinutos);

// The default sound's file name as stored, without writing anything ("s1.mp3" when none).
QString Sonido_Default_Guardado();

// Writes the reminder into rsCarpetaDatos at rdAhora and reports to the two streams.
int Crear_Recordatorio_Rapido(const QString &rsMinutos, const QString &rsMensaje, const QString &rsCarpetaDatos,
                              const QString &rsCarpetaSonidos, const QString &rsDefaultSound, int riLenguaje,
                              double rdAhora, QTextStream &fSalida, QTextStream &fErrores);
