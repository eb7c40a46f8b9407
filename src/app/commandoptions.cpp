#include "commandoptions.h"

#include "quickcommand.h"

#include <QCommandLineParser>
#include <QTextStream>

namespace {
bool Pedida(const QCommandLineParser &rParser, const QString &rsNombre)
{
    // An option the parser does not know is simply not set.
    return rParser.optionNames().contains(rsNombre);
}
} // namespace

void Agregar_Opciones_Instancia(QCommandLineParser &fParser)
{
    fParser.addOption({kOpcionShow, QStringLiteral("Bring the running Kestrin to the front, or start Kestrin.")});
    fParser.addOption({kOpcionQuit, QStringLiteral("Shut the running Kestrin down.")});
    fParser.addOption({kOpcionReload, QStringLiteral("Make the running Kestrin read the reminder files again.")});
}

bool Opcion_Instancia_Pedida(const QCommandLineParser &rParser)
{
    return Pedida(rParser, kOpcionShow) || Pedida(rParser, kOpcionQuit) || Pedida(rParser, kOpcionReload);
}

void Agregar_Opciones_Rapido(QCommandLineParser &fParser)
{
    fParser.addOption({kOpcionIn,
                       QStringLiteral("Add a quick reminder that fires in MINUTES minutes (1 to %1, five years), "
                                      "tell a running Kestrin, and exit (no display needed).")
                           .arg(MAXIMO_MINUTOS_RAPIDO),
                       QStringLiteral("MINUTES")});
    fParser.addOption({kOpcionMessage, QStringLiteral("With --in: the reminder's message."), QStringLiteral("TEXT")});
}

bool Opcion_Rapido_Pedida(const QCommandLineParser &rParser)
{
    return rParser.isSet(kOpcionIn) || rParser.isSet(kOpcionMessage);
}

void Agregar_Opciones_ICal(QCommandLineParser &fParser)
{
    fParser.addOption({kOpcionExport, QStringLiteral("Write every reminder to an iCalendar file (- for standard output) and exit."),
                       QStringLiteral("FILE.ics")});
    fParser.addOption({kOpcionImport, QStringLiteral("Add the events of an iCalendar file as reminders and exit."),
                       QStringLiteral("FILE.ics")});
    fParser.addOption({kOpcionDryRun, QStringLiteral("With --import: say what would be added, updated and skipped.")});
}

bool Opcion_ICal_Pedida(const QCommandLineParser &rParser)
{
    return rParser.isSet(kOpcionExport) || rParser.isSet(kOpcionImport) || rParser.isSet(kOpcionDryRun);
}

bool Una_Sola_Accion(const QCommandLineParser &rParser, QTextStream &fErrores)
{
    int cuantas = 0;
    for (const QString &nombre : {kOpcionShow, kOpcionQuit, kOpcionReload, kOpcionList, kOpcionIn,
                                  kOpcionExport, kOpcionImport})
        cuantas += Pedida(rParser, nombre) ? 1 : 0;
    if (cuantas <= 1)
        return true;
    fErrores << "Choose one of --show, --quit, --reload, --list, --in, --export and --import.\n";
    return false;
}
