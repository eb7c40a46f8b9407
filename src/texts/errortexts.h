#pragma once
// The numbered texts of the settings saves (100-107), of the main window (200-219) and
// of the scheduler's reports (1-7), built here so that no caller assembles them.

#include <QString>

// "Error <code>. Unable to save to registry. ..." in English or Spanish.
QString Texto_Error_Registro(int riLenguaje, const QString &rsCodigo);

// The main window's numbers; 205 has its own text below.
enum class TErrorPrincipal {
    E200, E201, E202, E203, E204, E206, E207, E208, E209,
    E210, // a fired reminder's sound file is missing or cannot be played (logged)
    E211, // the desktop's notification service is missing or refused (logged; the popup shows)
    E214, E215, E216, E217, E218, E218B, E219,
};
// "Error 200 - " + text, "Error 201. " + text, ... each with its own separator.
QString Texto_Error_Principal(TErrorPrincipal rError, const QString &rsTexto);
// "Error 205-" + field code + CR + "Invalid format: " / "Formato inválido: " + path.
QString Texto_Error_205(int riLenguaje, int riCodigoCampo, const QString &rsArchivo);

// Start-up checks of the main window.
QString Texto_Sin_Acceso_Directorio(int riLenguaje, const QString &rsDirectorio);
QString Texto_Falta_AlertWindow(int riLenguaje, const QString &rsEXEPath);

// The event log's line when a reminder's sound plays on a machine with no audio output.
QString Texto_Sin_Salida_Audio(int riLenguaje);
// "Error 211 - " and why reminders show the popup although desktop notifications are on.
QString Texto_Sin_Notificaciones(int riLenguaje, const QString &rsMotivo);

// The scheduler's reports: the log entry "Error <code> - <text>" and the box
// "Kestrin" CR "Error <code>" CR <text>.
QString Texto_Log_Planificador(int riCodigo, const QString &rsTexto);
QString Texto_Caja_Planificador(int riCodigo, const QString &rsTexto);
// The text the scheduler stores for code 4: the system's text, ": ", the path.
QString Texto_Hilo_Falta_AlertWindow(const QString &rsErrorSistema, const QString &rsRuta);
