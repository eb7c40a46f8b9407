#pragma once
// The desktop program: one Kestrin per session, the main window, the tray and the event
// loop, until the program is shut down.

#include "links.h"

#include <QtGlobal>

// Runs Kestrin with its window; returns the process's exit status. A second start
// brings the running one to the front and returns 0 at once. The one symbol of the
// desktop module, looked up by its name (desktopmodule.h); a display must be there.
extern "C" Q_DECL_EXPORT int Ejecutar_Programa(int argc, char **argv);

class TReproductores;
class TDesktopAlerts;

// The links of the components built into this program: the dialogs, the players and the
// popups (which must outlive the window).
TEnlacesPrincipal Enlaces_Del_Programa(TReproductores &rReproductores, TDesktopAlerts &rAlertas);
