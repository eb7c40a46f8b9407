#pragma once
// One Kestrin per session. The running copy owns the well-known session-bus name
// org.kestrin.Kestrin for as long as it lives; without a session bus it holds an
// exclusive lock on a per-user file in $XDG_RUNTIME_DIR (else the temporary folder).
// Both are let go by the kernel or the bus when the process ends, however it ends.
// A QCoreApplication must exist before either call.

#include <QString>

inline constexpr char KESTRIN_BUS_SERVICE[] = "org.kestrin.Kestrin";

enum class TAdquisicion {
    Propia,    // this process is now the only Kestrin of the session (again, in the owner)
    OtraCorre, // another process holds the name or the lock
    Imposible, // neither can be had (the bus refused, a lock file not ours); stderr says why
};
TAdquisicion Adquirir_Instancia_Unica();

// True when another process holds the name (or, without a bus, the lock).
bool Instancia_Corriendo();

// The lock file used without a session bus.
QString Archivo_Bloqueo_Instancia();
