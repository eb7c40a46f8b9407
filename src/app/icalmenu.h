#pragma once
// Start > Export… and Import… of the main window: a file dialog, the iCalendar work of
// src/ical, and one box with what was done.

class TfrmMain;

#include <QString>

// Every reminder of the window's table, or only the selected one, to the file the user picks.
void Exportar_ICal_Ventana(TfrmMain &rVentana, bool rbSeleccion);
// The events of the file the user picks as reminders; the list and the scheduler reload
// when anything was written.
void Importar_ICal_Ventana(TfrmMain &rVentana);

// The same after the dialog, for a chosen file.
void Exportar_ICal_A_Archivo(TfrmMain &rVentana, const QString &rsArchivo, bool rbSeleccion = false);
void Importar_ICal_De_Archivo(TfrmMain &rVentana, const QString &rsArchivo);
