#include "commandline.h"
#include "listcommand.h"
#include "program.h"
#include "quickcommand.h"
#include "platform/qtargs.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    {
    TArgumentosQt argumentosQt(argv);
    QCoreApplication app(argumentosQt.piArgc, argumentosQt.paArgv);
    QCoreApplication::setApplicationName(QStringLiteral("Kestrin"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.6"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Kestrin, a desktop reminder scheduler."));
    parser.addHelpOption();
    parser.addVersionOption();
    Agregar_Opciones_Listado(parser);
    Agregar_Opciones_Instancia(parser);
    Agregar_Opciones_Rapido(parser);
    parser.process(QStringList{QString::fromLocal8Bit(argv[0])} + Argumentos_Propios(argc, argv));

    // --show, --quit and --reload talk to the running Kestrin over the session bus.
    if (Opcion_Instancia_Pedida(parser)) {
        QTextStream salida(stdout);
        QTextStream errores(stderr);
        return Ejecutar_Opcion_Instancia(parser, salida, errores, Reemplazar_Por_Kestrin);
    }
    if (Opcion_Rapido_Pedida(parser))
        return Ejecutar_Opcion_Rapido(parser);
    // --list prints and exits on this QCoreApplication: no display, no session bus.
    if (Opcion_Listado_Pedida(parser))
        return Ejecutar_Opcion_Listado(parser);
    }
    // No option that ends here: the desktop program ("silent" at the session's start).
    return Ejecutar_Programa(argc, argv);
}
