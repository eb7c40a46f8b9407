#pragma once
// Qt reads options of its own (-platform, -stylesheet=, -qwindowtitle...) from the command
// line it is handed. Our arguments come partly from reminder files (a sound path, a font
// name) and must never be taken for such options: Qt is handed the program's name alone,
// and the programs read their own arguments from argv themselves.

#include <QString>
#include <QStringList>

struct TArgumentosQt {
    explicit TArgumentosQt(char **rArgv) : paArgv{rArgv[0], nullptr} {}
    int piArgc = 1;
    char *paArgv[2];
};

// argv after the program's name, as text.
inline QStringList Argumentos_Propios(int argc, char **argv)
{
    QStringList r;
    for (int i = 1; i < argc; ++i)
        r << QString::fromLocal8Bit(argv[i]);
    return r;
}
