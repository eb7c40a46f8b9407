#pragma once
// What `kestrin --help` prints and how a wrong command line is answered. The options
// themselves are defined once, where each part of the program adds them to the parser;
// this adds the program's name, its one argument, the exit statuses and examples.

#include <QString>

class QCommandLineParser;

inline constexpr int SALIDA_USO_INCORRECTO = 2; // an unknown option or argument

// The full help text for rParser's options.
QString Texto_Ayuda(const QCommandLineParser &rParser);

// Empty when the words after the options are acceptable (nothing, or "silent" alone for
// the desktop program), else the line to print on stderr. rbOpcionDeConsola: an option
// that prints and exits (--list, --in, --show, --quit, --reload) was given.
QString Error_Argumentos(const QStringList &raPosicionales, bool rbOpcionDeConsola);
