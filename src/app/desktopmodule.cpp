#include "desktopmodule.h"

#include <QCoreApplication>
#include <QLibrary>

#include <cstdio>

namespace {
// The module's entry point, or null after saying on stderr why there is none. The module
// is never unloaded: what it made lives until the process ends.
QFunctionPointer Entrada_Modulo(const QString &rsModulo, const char *rsSimbolo, const char *rsQue)
{
    QLibrary modulo(rsModulo);
    const QFunctionPointer entrada = modulo.resolve(rsSimbolo);
    if (!entrada)
        std::fprintf(stderr, "kestrin: cannot load %s: %s\n", rsQue, qUtf8Printable(modulo.errorString()));
    return entrada;
}
} // namespace

QString Archivo_Modulo_Escritorio(const QString &rsCarpetaEjecutable)
{
    return rsCarpetaEjecutable + QStringLiteral("/desktop/kestrin-desktop.so");
}

QString Archivo_Modulo_Comandos(const QString &rsCarpetaEjecutable, const char *rsNombre)
{
    return rsCarpetaEjecutable + QStringLiteral("/commands/kestrin-") + QLatin1String(rsNombre) +
           QStringLiteral(".so");
}

int Ejecutar_Modulo_Escritorio(const QString &rsModulo, int argc, char **argv)
{
    // Without any display Qt would abort (status 134, "Reinstalling the application may
    // fix this problem"): say what is missing instead, before loading anything.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fputs("Kestrin needs a graphical session (neither DISPLAY nor WAYLAND_DISPLAY is set): "
                   "./run in the source folder starts it on a virtual display, and --list, --in, --quit "
                   "and --reload need none.\n",
                   stderr);
        return 1;
    }
    using TEntrada = int (*)(int, char **);
    const auto entrada =
        reinterpret_cast<TEntrada>(Entrada_Modulo(rsModulo, "Ejecutar_Programa", "the desktop program"));
    return entrada ? entrada(argc, argv) : 1;
}

int Ejecutar_Modulo_Comandos(const char *rsNombre, const QCommandLineParser &rParser)
{
    using TEntrada = int (*)(const QCommandLineParser &);
    const auto entrada = reinterpret_cast<TEntrada>(
        Entrada_Modulo(Archivo_Modulo_Comandos(QCoreApplication::applicationDirPath(), rsNombre), "Ejecutar_Comando",
                       qPrintable(QStringLiteral("the module of this option (kestrin-%1.so)").arg(QLatin1String(rsNombre)))));
    return entrada ? entrada(rParser) : 1;
}
