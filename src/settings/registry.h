#pragma once
// The settings store. The per-user key lives in $XDG_CONFIG_HOME/Kestrin/Kestrin.conf;
// the machine-wide key is the same file under $XDG_CONFIG_DIRS and is only read; the
// Run key is the session's autostart folder, each value one desktop entry.

#include <QString>

using THKey = quint32;
inline constexpr THKey HKEY_CURRENT_USER = 0x80000001u;
inline constexpr THKey HKEY_LOCAL_MACHINE = 0x80000002u;

// Key selectors (riLlave): 2 the Run key, any other value the program's own key.
inline constexpr int LLAVE_KESTRIN = 1;
inline constexpr int LLAVE_RUN = 2;

// The value's text; empty when the value is missing; rsDefault when the key cannot be
// opened or the value is not text. A bad root shows "Error registry" and yields empty.
QString Leer_Registry(THKey riQuien, int riLlave, const QString &rsNombreKey, const QString &rsDefault);
// Failures are silent; write-and-verify catches them.
void Grabar_Registry(THKey riQuien, int riLlave, const QString &rsNombreKey, const QString &rsValorAGrabar);
void Borrar_Registry(THKey riQuien, int riLlave, const QString &rsNombreKey);

// True once per machine and program version for the notice rsNombre: the first call
// notes the machine's id and the version under that name in the per-user key, and later
// calls with the same mark say false. For event-log notices that would otherwise come at
// every start; a home folder shared by several machines still hears it on each.
bool Aviso_Pendiente(const QString &rsNombre);
