#pragma once
// What the main window opens lives in other components that know nothing of the main
// window's class; the program entry fills these links and the window calls them. A
// command whose link is empty is disabled; a synchronised call with an empty link does
// nothing.

#include <QString>

#include <functional>

class TfrmMain;

// What Abrir_Enlace opens.
enum : int {
    ENLACE_PAGINA_WEB = 0, // the product's home page
    ENLACE_IPHONE = 1,     // the page of the phone and tablet edition
    ENLACE_AYUDA = 2,      // the help in the interface language
    ENLACE_LOG = 3,        // the event log
};

struct TEnlacesPrincipal {
    std::function<void(TfrmMain &, int riFila)> Abrir_Asistente; // Add (-1) / Edit (row of the table)
    std::function<bool(TfrmMain &)> Abrir_Opciones;               // true when closed with OK
    std::function<void(TfrmMain &, const QString &rsCaption)> Abrir_Manejador_Sonidos;
    std::function<void(TfrmMain &, int riMinutos, const QString &rsCaption)> Abrir_Recordatorio_Rapido;
    std::function<void(TfrmMain &)> Abrir_Acerca;
    std::function<void(TfrmMain &, int riQue)> Abrir_Enlace;
    std::function<void(TfrmMain &)> Buscar_Actualizaciones;
    std::function<void(TfrmMain &, bool)> Exportar_ICal; // Start > Export… (all, or the selected reminder) to an iCalendar file
    std::function<void(TfrmMain &)> Importar_ICal; // Start > Import…
    std::function<void(TfrmMain &)> Mostrar_Desktop_Alert; // body of the synchronised popup call
    std::function<void(TfrmMain &)> Tocar_Sonido;          // body of the synchronised sound call
    std::function<void(TfrmMain &)> Detener_Sonidos;       // shutdown: stop both players
};
