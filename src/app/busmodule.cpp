// commands/kestrin-bus.so: the options that reach the running Kestrin over the session
// bus, and --in, which tells it about the new file.

#include "commandline.h"
#include "desktopmodule.h"
#include "quickcommand.h"

#include <QTextStream>

int Ejecutar_Comando(const QCommandLineParser &rParser)
{
    if (Opcion_Instancia_Pedida(rParser)) {
        QTextStream salida(stdout);
        QTextStream errores(stderr);
        return Ejecutar_Opcion_Instancia(rParser, salida, errores, Reemplazar_Por_Kestrin);
    }
    return Ejecutar_Opcion_Rapido(rParser);
}
