#pragma once
// Temporary files that writers killed half-way leave beside the reminders.

#include <QString>

// The names of the writers' temporary files: a rewrite writes "<name>.od.kestrin-XXXXXX",
// a new reminder "data.kestrin-XXXXXX.new" (XXXXXX six letters or digits).
inline constexpr char SUFIJO_TEMPORAL_REESCRITURA[] = ".kestrin-";
inline constexpr char PREFIJO_TEMPORAL_NUEVO[] = "data.kestrin-";
inline constexpr char SUFIJO_TEMPORAL_NUEVO[] = ".new";

// Removes from the reminder folder the temporary files of Kestrin's writers (the names
// above, nothing that merely looks like them) last changed at least
// riEdadMinimaSeg seconds ago; younger ones may belong to a writer still at work. Only
// regular files are touched. Returns how many were removed. Called when the scheduler
// thread starts; the main window calls it at start-up, beside the removal of retired files.
int Borrar_Temporales_Viejos(const QString &rsDirectorio, qint64 riEdadMinimaSeg = 3600);

// True for the names those writers give their temporary files.
bool Es_Nombre_Temporal(const QString &rsNombre);
