#pragma once
// "kestrin --show | --quit | --reload": talk to the running Kestrin through the
// broadcast messages, without a display.

#include "commandoptions.h"

#include <functional>

class QCommandLineParser;
class QTextStream;


// Runs the option and returns the exit status: 0 when the running Kestrin was told, 1
// when there is none (--quit, --reload), no session bus, or more than one option.
// --show with no Kestrin running calls rIniciar_Kestrin, which does not come back
// unless it fails (its result is then the exit status). A QCoreApplication must exist.
int Ejecutar_Opcion_Instancia(const QCommandLineParser &rParser, QTextStream &fSalida, QTextStream &fErrores,
                              const std::function<int()> &rIniciar_Kestrin);

// Replaces this process by this program without options. Returns 1 (after saying why
// on stderr) only when that fails.
int Reemplazar_Por_Kestrin();
