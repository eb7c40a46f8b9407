#pragma once
// The parts of Kestrin that are modules beside the kestrin executable, loaded only by the
// jobs that use them: the desktop program (windows, tray, sounds, the update check) in
// desktop/, and in commands/ the jobs that talk over D-Bus (--show, --quit, --reload,
// --in) or read and write iCalendar (--export, --import). So --list, --help and
// --version load Qt Core and the store alone.
// Modules sit in folders of their own: a library right below lib/ would make the
// package run ldconfig.

#include <QString>

class QCommandLineParser;

// The module's file: desktop/ beside the executable, in the build tree as in lib/kestrin.
QString Archivo_Modulo_Escritorio(const QString &rsCarpetaEjecutable);

// Loads the module and runs the desktop program from it; returns the process's exit
// status. Says on stderr, and returns 1, when there is no display or the module cannot
// be loaded.
int Ejecutar_Modulo_Escritorio(const QString &rsModulo, int argc, char **argv);

// The command modules, commands/kestrin-NAME.so beside the executable.
inline constexpr char MODULO_BUS[] = "bus";
inline constexpr char MODULO_ICAL[] = "ical";
QString Archivo_Modulo_Comandos(const QString &rsCarpetaEjecutable, const char *rsNombre);

// The one symbol of a command module: runs its options on the parsed command line and
// returns the exit status.
extern "C" Q_DECL_EXPORT int Ejecutar_Comando(const QCommandLineParser &rParser);

// Loads commands/kestrin-NAME.so and runs its Ejecutar_Comando; 1 (after saying why on
// stderr) when the module cannot be loaded. A QCoreApplication must exist.
int Ejecutar_Modulo_Comandos(const char *rsNombre, const QCommandLineParser &rParser);
