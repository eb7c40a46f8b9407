#pragma once
// The Help menu's and the tray's ways out of the program: web pages, the help pages,
// the event log and the support mail. Each reports its own failure in a box owned by
// rOwner (the main window, or nullptr) and returns whether the desktop took the request.
// Texts follow the interface language of the moment (Lenguaje_Actual()).

#include <QString>

class QWidget;

// Opens a web address in the browser; "Error 201. " + the system's text on failure.
bool Load_URL(const QString &rsURL, QWidget *rOwner = nullptr);

// mPaginaWebClick (also mTrayPaginaWeb and the about box): the home page.
bool Abrir_Pagina_Web(QWidget *rOwner = nullptr);
// mAhoraDisponibleParaIPhoneYIPadClick: the page about the iPhone, iPod touch and iPad editions.
bool Abrir_Pagina_IPhone(QWidget *rOwner = nullptr);

// The first help page of a language: Carpeta_Compartida() + "help/en/index.html" or
// "help/es/index.html".
QString Archivo_Ayuda(int riLenguaje);
// mVerAyudaClick: the help in the browser, or in Kestrin's own window when no desktop
// program opens files; "Error 216. " + the system's text when neither can.
bool Ver_Ayuda(QWidget *rOwner = nullptr);
// mVerLogClick: systemlog.txt of the machine-wide folder (Ruta_Log()) in the desktop's
// text viewer, or in Kestrin's own window; "Error 217. " + the system's text when
// neither can (the log is missing or unreadable).
bool Ver_Log(QWidget *rOwner = nullptr);

// LabelCorreoClick: a new mail to the support mailbox of the language; without a mail
// program "Can't find default mail client. Please send us an email to " + the mailbox.
QString Texto_Sin_Correo(int riLenguaje);
bool Escribir_Correo(QWidget *rOwner = nullptr);
