#pragma once
// What a screen reader says for the controls that show no label of their own (a list,
// a time field beside a labelled date, the toolbar's overflow button), in both
// languages. Controls with a visible label take its text through QLabel::setBuddy
// instead; windows re-apply these when the language changes.

#include <QString>

struct TNombresAccesibles {
    QString sListaRecordatorios; // the main window's reminder list
    QString sResumen;            // the main window's schedule summary
    QString sMasBotones;         // the toolbar's overflow button, shown when the window is narrow
    QString sBorrarFiltro;       // the filter field's clear button
    QString sHoraInicio, sHoraFin; // the time fields beside the start and end dates
    QString sHoraAgregar;        // the hourly page's time to add to the list
    QString sListaHoras;         // the hourly page's list of times
    QString sSonido;             // the wizard's sound list
    QString sListaSonidos;       // the sound manager's list
    QString sCerrarPopup, sMenuPopup; // the popup's two buttons, drawn as symbols
};

// The names of a language: 1 Spanish, any other value English.
const TNombresAccesibles &Nombres_Accesibles(int riLenguaje);
