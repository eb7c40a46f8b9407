#pragma once
// A quick reminder without a window: its start, its title, and the reminder file it
// becomes (one time, popup and alert window, the default sound repeated). The dialog and
// "kestrin --in" write it through here, so both give the same file.

#include <QString>

// What the user chose.
struct TRecordatorioRapido {
    int iLenguaje = 0;
    QString sMensaje;       // any number of lines, as typed
    double dInicio = 0;     // day count
    bool bAutoDelete = true;
    bool bSonido = true;    // play the default sound
};

// Exactly riMinutos after rdAhora (day counts), seconds and milliseconds kept.
double Inicio_Recordatorio_Rapido(double rdAhora, int riMinutos);
// "Quick Reminder - " / "Recordatorio Rápido - " + the menu entry's caption without "&".
QString Titulo_Recordatorio_Rapido(int riLenguaje, const QString &rsCaption);

enum class TGrabacionRapida {
    Ok,
    SinCarpeta, // the data folder is missing and cannot be made
    Error,      // the file could not be written; fsError says why
};
// Writes the reminder as a new file in rsCarpetaDatos (never over an existing one).
// The sound is rsCarpetaSonidos + rsDefaultSound. The start keeps whole seconds, the
// creation time is rdAhora to the second. fsArchivo gets the file written.
TGrabacionRapida Grabar_Recordatorio_Rapido(const QString &rsCarpetaDatos, const QString &rsCarpetaSonidos,
                                            const QString &rsDefaultSound, const TRecordatorioRapido &rDatos,
                                            double rdAhora, QString &fsArchivo, QString *fsError = nullptr);
