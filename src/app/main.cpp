#include "commandoptions.h"
#include "desktopmodule.h"
#include "helptext.h"
#include "listcommand.h"
#include "platform/qtargs.h"
#include "texts/version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    QString modulo;
    {
    TArgumentosQt argumentosQt(argv);
    QCoreApplication app(argumentosQt.piArgc, argumentosQt.paArgv);
    QCoreApplication::setApplicationName(QStringLiteral("Kestrin"));
    QCoreApplication::setApplicationVersion(QLatin1String(VERSION_KESTRIN));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Kestrin, a desktop reminder scheduler.\nThe manual: man kestrin"));
    const QCommandLineOption ayuda = parser.addHelpOption();
    parser.addVersionOption();
    Agregar_Opciones_Listado(parser);
    Agregar_Opciones_Instancia(parser);
    Agregar_Opciones_Rapido(parser);
    Agregar_Opciones_ICal(parser);
    parser.addPositionalArgument(QStringLiteral("silent"),
                                 QStringLiteral("Start as at the session's start (see below)."),
                                 QStringLiteral("[silent]"));
    QTextStream errores(stderr);
    // A wrong command line is a usage error (status 2), never silently ignored.
    if (!parser.parse(QStringList{QString::fromLocal8Bit(argv[0])} + Argumentos_Propios(argc, argv))) {
        errores << "kestrin: " << parser.errorText() << " (see kestrin --help)\n";
        return SALIDA_USO_INCORRECTO;
    }
    if (parser.isSet(ayuda)) {
        QTextStream(stdout) << Texto_Ayuda(parser);
        return 0;
    }
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    const bool deConsola =
        Opcion_Instancia_Pedida(parser) || Opcion_Rapido_Pedida(parser) || Opcion_Listado_Pedida(parser) ||
        Opcion_ICal_Pedida(parser);
    const QString sobra = Error_Argumentos(parser.positionalArguments(), deConsola);
    if (!sobra.isEmpty()) {
        errores << sobra << '\n';
        return SALIDA_USO_INCORRECTO;
    }

    // --show, --quit, --reload and --in talk to the running Kestrin over the session bus;
    // their module loads D-Bus, which nothing else here needs.
    if (Opcion_Instancia_Pedida(parser) || Opcion_Rapido_Pedida(parser))
        return Ejecutar_Modulo_Comandos(MODULO_BUS, parser);
    // Before --list, which would claim --language. libical comes with this module alone.
    if (Opcion_ICal_Pedida(parser))
        return Ejecutar_Modulo_Comandos(MODULO_ICAL, parser);
    // --list prints and exits on this QCoreApplication: no display, no session bus.
    if (Opcion_Listado_Pedida(parser)) {
        const int estado = Ejecutar_Opcion_Listado(parser);
        // All is written: the process ends here rather than take down Qt and the libraries
        // it loaded (the cipher's clean-up alone cost a few milliseconds of a list).
        std::fflush(stdout);
        std::fflush(stderr);
        std::_Exit(estado);
    }
    modulo = Archivo_Modulo_Escritorio(QCoreApplication::applicationDirPath());
    }
    // No option that ends here: the desktop program ("silent" at the session's start),
    // on an application of its own.
    return Ejecutar_Modulo_Escritorio(modulo, argc, argv);
}
