#pragma once
// Starting with the session: a desktop entry in the autostart folder. The value the
// rest of the program sees is the command line of its Exec key, written the Windows
// way ("<full path>" silent); this file turns it into a valid Exec line and back, so
// that any path (blanks, "$", "%", quotes, backslashes) reads back as the same text.

#include <QString>

enum class AutostartRead {
    Value,   // an enabled entry; its command line is in fsCommand
    Missing, // no entry, an entry without Exec, or one the session would not start
    Error,   // the entry exists but cannot be read
};

AutostartRead Autostart_Read(const QString &rsFile, QString &fsCommand);
// Writes (replaces) the entry; creates the folder when missing.
bool Autostart_Write(const QString &rsFile, const QString &rsCommand);
// Removes the entry; true when no entry is left.
bool Autostart_Delete(const QString &rsFile);

// The Exec value (before the desktop file's own escaping) for a command line, and back.
QString Exec_From_Command(const QString &rsCommand);
QString Command_From_Exec(const QString &rsExec);
