#include "listcommand.h"

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
    parser.process(app);

    // --list prints and exits on this QCoreApplication: no display, no session bus.
    if (Opcion_Listado_Pedida(parser))
        return Ejecutar_Opcion_Listado(parser);
    parser.showHelp(0);
}
