#include "desktopmodule.h"

#include <QLibrary>

#include <cstdio>

QString Archivo_Modulo_Escritorio(const QString &rsCarpetaEjecutable)
{
    // In a folder of its own: a library right below lib/ would make the package run ldconfig.
    return rsCarpetaEjecutable + QStringLiteral("/desktop/kestrin-desktop.so");
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
    // Never unloaded: the program's objects live until the process ends.
    QLibrary modulo(rsModulo);
    using TEntrada = int (*)(int, char **);
    const auto entrada = reinterpret_cast<TEntrada>(modulo.resolve("Ejecutar_Programa"));
    if (!entrada) {
        std::fprintf(stderr, "kestrin: cannot load the desktop program: %s\n",
                     qUtf8Printable(modulo.errorString()));
        return 1;
    }
    return entrada(argc, argv);
}
