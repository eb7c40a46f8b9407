#pragma once
// Loading the settings at start-up: the order, the defaults, the conversions and the
// range rules. The interface language is the process-wide one (app/language.h).

#include <QString>
#include <QStringList>

#include "platform/fonts.h"

struct TConfiguracion {
    QString psDefaultSound;
    bool pbStartWithWindows = false;
    bool pbWakeUpComputer = true;
    int piDesktopAlertDuracion = 10; // seconds
    bool pbDesktopAlertPermanent = false;
    int piDefaultSnoozeTime = 10;    // minutes
    QString psFontMensaje;  // the family messages are drawn in (Elegir_Fuente)
    QString psFontGuardada; // the stored Font as it is, empty when none is stored
    // Reminders go to the desktop's notification service instead of the popup (an
    // addition of this platform, off unless the user turns it on).
    bool pbDesktopNotifications = false;
};

// The Run value that starts Kestrin with the session: "<full path>" silent.
QString Datos_Inicio_Con_Sistema(const QString &rsEjecutable);

// Step 1: the user's Language; else the machine-wide one, copied to the user; else the
// one detected from rsNombreIdiomaSistema, which is then stored. Sets and returns the
// process's language.
int Cargar_Lenguaje(const QString &rsNombreIdiomaSistema);
// The same choice without writing anything (for the command line).
int Leer_Lenguaje_Sin_Grabar(const QString &rsNombreIdiomaSistema);

// Steps 2 to 4: DefaultSound (written back when missing), the Run value compared with
// the one built from rsEjecutable (or from the program it links to), then
// WakeUpComputer, WaitTimeAlert, PermanentAlert, SnoozeTime and Font (checked against
// raFuentes), and DesktopNotifications (only "1" is on; missing in older files: off).
void Cargar_Configuracion(TConfiguracion &fConfig, const QString &rsEjecutable, const TFuentesEscritorio &rFuentes);

// The conversions of stored texts.
bool Convertir_WakeUpComputer(const QString &rsValor);   // only "0" is false
bool Convertir_PermanentAlert(const QString &rsValor);   // only "1" is true
int Convertir_WaitTimeAlert(const QString &rsValor);     // 1..99999, else 10
int Convertir_SnoozeTime(const QString &rsValor);        // any integer, else 10
// The family messages are drawn in for the stored Font ("Segoe UI" when empty): the
// stored name when it is installed (letter case ignored); else what the desktop draws
// for it (fontconfig's substitute); else the desktop's general font; else the first
// installed family. Never a symbol or mathematics family. The stored value is not
// changed.
QString Elegir_Fuente(const QString &rsValor, const TFuentesEscritorio &rFuentes);
