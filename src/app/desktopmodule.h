#pragma once
// The desktop program (windows, tray, sounds, the update check) lives in a module beside
// the kestrin executable, so that the options which only print or send a message never
// load the widget, multimedia and network libraries.

#include <QString>

// The module's file: desktop/ beside the executable, in the build tree as in lib/kestrin.
QString Archivo_Modulo_Escritorio(const QString &rsCarpetaEjecutable);

// Loads the module and runs the desktop program from it; returns the process's exit
// status. Says on stderr, and returns 1, when there is no display or the module cannot
// be loaded.
int Ejecutar_Modulo_Escritorio(const QString &rsModulo, int argc, char **argv);
