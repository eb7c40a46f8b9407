#include "helptext.h"

#include <QCommandLineParser>
#include <QStringList>

QString Texto_Ayuda(const QCommandLineParser &rParser)
{
    // Qt names the program by the path it was started with (a build folder, a link);
    // the usage line names it as it is installed and typed.
    QStringList lineas = rParser.helpText().split(QLatin1Char('\n'));
    if (!lineas.isEmpty() && lineas.first().startsWith(QLatin1String("Usage:")))
        lineas.first() = QStringLiteral("Usage: kestrin [options] [silent]");
    // Qt's own short line for "silent" gives way to the fuller one below.
    const qsizetype argumentos = lineas.indexOf(QStringLiteral("Arguments:"));
    if (argumentos >= 0)
        lineas.resize(argumentos);
    while (!lineas.isEmpty() && lineas.last().trimmed().isEmpty())
        lineas.removeLast();
    lineas << QString()
           << QStringLiteral("Arguments:")
           << QStringLiteral("  silent                      Start as at the session's start (the autostart entry):")
           << QStringLiteral("                              the window stays in the tray, and reminders that run")
           << QStringLiteral("                              when the computer starts fire.")
           << QString()
           << QStringLiteral("Without options Kestrin starts its window and tray icon, which needs a graphical")
           << QStringLiteral("session; --list, --in, --show, --quit, --reload, --export and --import need none.")
           << QString()
           << QStringLiteral("Exit status:")
           << QStringLiteral("  0  done")
           << QStringLiteral("  1  it could not be done: no Kestrin running to tell, no session bus, no")
           << QStringLiteral("     display, a reminder folder or file that cannot be read or written")
           << QStringLiteral("  2  a wrong command line: an unknown option or argument, or a --in count that")
           << QStringLiteral("     is not a whole number of minutes from 1 to 2629800")
           << QString()
           << QStringLiteral("Examples:")
           << QStringLiteral("  kestrin --list --language es        the reminders, in Spanish")
           << QStringLiteral("  kestrin --in 25 --message \"Tea\"     a reminder in 25 minutes")
           << QStringLiteral("  kestrin --quit                      shut the running Kestrin down")
           << QString();
    return lineas.join(QLatin1Char('\n'));
}

QString Error_Argumentos(const QStringList &raPosicionales, bool rbOpcionDeConsola)
{
    const bool soloSilent = raPosicionales.size() == 1 && raPosicionales.first() == QLatin1String("silent");
    if (raPosicionales.isEmpty() || (soloSilent && !rbOpcionDeConsola))
        return QString();
    const QString sobra = soloSilent ? raPosicionales.first()
                                     : (raPosicionales.first() == QLatin1String("silent") && raPosicionales.size() > 1
                                            ? raPosicionales.at(1)
                                            : raPosicionales.first());
    return QStringLiteral("kestrin: unexpected argument \"") + sobra +
           QStringLiteral("\" (see kestrin --help)");
}
