#pragma once
// "kestrin --list [--json] [--language en|es]": the reminder list as the main window
// would show it, printed without a display.

#include <QString>

#include <cstdio>

class QCommandLineParser;
class QTextStream;

void Agregar_Opciones_Listado(QCommandLineParser &fParser);
bool Opcion_Listado_Pedida(const QCommandLineParser &rParser);
// Runs the options added above; returns the exit status.
int Ejecutar_Opcion_Listado(const QCommandLineParser &rParser);

// The language of this run: "en" 0, "es" 1, -1 for any other option. Without an option
// it is the stored language setting; until the settings store is wired in, English.
int Elegir_Lenguaje_Listado(const QString &rsOpcionLenguaje);

struct TResultadoCarga;
// Says on fErrores what a load of the reminder folder could not read: the folder itself
// (then false), each invalid file (Error 205) and each unreadable one (Error 207).
bool Informar_Carga_Tareas(const TResultadoCarga &rCarga, const QString &rsDirectorio, int riLenguaje,
                           QTextStream &fErrores);

// Loads rsDirectorio with the main window's rules and prints the list (or its JSON) to
// fSalida, in UTF-8 as it is made, and the loader's messages to fErrores. 0 on success,
// 1 when the folder is missing or cannot be listed (nothing printed), or when a file
// cannot be read (the others are printed; with JSON the file is in "unreadable").
// The program's last work: the records it reads are not freed, the process ends next.
int Imprimir_Lista_Tareas(const QString &rsDirectorio, bool rbJson, int riLenguaje, std::FILE *fSalida,
                          QTextStream &fErrores);
