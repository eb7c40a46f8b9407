#pragma once
// "kestrin --list [--json] [--language en|es]": the reminder list as the main window
// would show it, printed without a display.

#include <QString>

class QCommandLineParser;
class QTextStream;

void Agregar_Opciones_Listado(QCommandLineParser &fParser);
bool Opcion_Listado_Pedida(const QCommandLineParser &rParser);
// Runs the options added above; returns the exit status.
int Ejecutar_Opcion_Listado(const QCommandLineParser &rParser);

// The language of this run: "en" 0, "es" 1, -1 for any other option. Without an option
// it is the stored language setting; until the settings store is wired in, English.
int Elegir_Lenguaje_Listado(const QString &rsOpcionLenguaje);

// Loads rsDirectorio with the main window's rules and prints the list (or its JSON) to
// fSalida, the loader's messages to fErrores. 0 on success, 1 when the folder is
// missing or cannot be listed (nothing printed), or when a file cannot be read (the
// others are printed; with JSON the file is in "unreadable").
int Imprimir_Lista_Tareas(const QString &rsDirectorio, bool rbJson, int riLenguaje, QTextStream &fSalida,
                          QTextStream &fErrores);
