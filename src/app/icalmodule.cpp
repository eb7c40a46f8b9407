// commands/kestrin-ical.so: --export and --import, the only jobs that load libical.

#include "desktopmodule.h"
#include "icalcommand.h"

int Ejecutar_Comando(const QCommandLineParser &rParser)
{
    return Ejecutar_Opcion_ICal(rParser);
}
