#pragma once
// The names of the options, and those of the jobs that run in a command module
// (desktopmodule.h), declared and recognised here by the executable, which needs neither
// D-Bus nor libical for that.

#include <QString>

class QCommandLineParser;
class QTextStream;

inline const QString kOpcionList = QStringLiteral("list");
inline const QString kOpcionJson = QStringLiteral("json");
inline const QString kOpcionLanguage = QStringLiteral("language");
inline const QString kOpcionShow = QStringLiteral("show");
inline const QString kOpcionQuit = QStringLiteral("quit");
inline const QString kOpcionReload = QStringLiteral("reload");
inline const QString kOpcionIn = QStringLiteral("in");
inline const QString kOpcionMessage = QStringLiteral("message");
inline const QString kOpcionExport = QStringLiteral("export");
inline const QString kOpcionImport = QStringLiteral("import");
inline const QString kOpcionDryRun = QStringLiteral("dry-run");

// --show, --quit and --reload: the running Kestrin over the session bus.
void Agregar_Opciones_Instancia(QCommandLineParser &fParser);
bool Opcion_Instancia_Pedida(const QCommandLineParser &rParser);

// --in MINUTES [--message TEXT]: a quick reminder.
void Agregar_Opciones_Rapido(QCommandLineParser &fParser);
bool Opcion_Rapido_Pedida(const QCommandLineParser &rParser);

// --export FILE.ics, --import FILE.ics [--dry-run]: iCalendar files.
void Agregar_Opciones_ICal(QCommandLineParser &fParser);
bool Opcion_ICal_Pedida(const QCommandLineParser &rParser);

// The options that each do one whole job (--show, --quit, --reload, --list, --in,
// --export, --import) exclude each other: with more than one, says so on fErrores and
// returns false.
bool Una_Sola_Accion(const QCommandLineParser &rParser, QTextStream &fErrores);
