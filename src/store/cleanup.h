#pragma once
// Temporary files that writers killed half-way leave beside the reminders.

#include <QString>

// Removes from the reminder folder the temporary files of Kestrin's writers ("<name>.od."
// + six characters, "data." + six characters + ".new") last changed at least
// riEdadMinimaSeg seconds ago; younger ones may belong to a writer still at work. Only
// regular files are touched. Returns how many were removed. Called when the scheduler
// thread starts; the main window calls it at start-up, beside the removal of retired files.
int Borrar_Temporales_Viejos(const QString &rsDirectorio, qint64 riEdadMinimaSeg = 3600);

// True for the names those writers give their temporary files.
bool Es_Nombre_Temporal(const QString &rsNombre);
