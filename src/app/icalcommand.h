#pragma once
// "kestrin --export FILE.ics [--language en|es]" and "kestrin --import FILE.ics
// [--dry-run]": the reminders to and from iCalendar, without a display.

class QCommandLineParser;

// Runs --export, --import and --dry-run (commandoptions.h); returns the exit status. Export: 0 written, 1 not (or a
// reminder file could not be read), 2 a bad command line. Import: 0 every event
// imported, 1 some skipped, 2 a bad command line or a file that cannot be read or parsed
// (nothing written).
int Ejecutar_Opcion_ICal(const QCommandLineParser &rParser);
