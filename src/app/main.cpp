#include "listcommand.h"
#include "quickcommand.h"

#include <QCommandLineParser>
#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Kestrin"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.6"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Kestrin, a desktop reminder scheduler."));
    parser.addHelpOption();
    parser.addVersionOption();
    Agregar_Opciones_Listado(parser);
    Agregar_Opciones_Rapido(parser);
    parser.process(app);

    if (Opcion_Rapido_Pedida(parser))
        return Ejecutar_Opcion_Rapido(parser);
    // --list prints and exits on this QCoreApplication: no display, no session bus.
    if (Opcion_Listado_Pedida(parser))
        return Ejecutar_Opcion_Listado(parser);
    parser.showHelp(0);
}
