#pragma once
// Opening an address with the user's desktop: web pages in the browser, local files in
// the program registered for their type, "mailto:" in the mail program. Everything goes
// through QDesktopServices, that is xdg-open on a Linux desktop (or the URL handler a
// test installs).

#include <QString>
#include <QUrl>

// Opens rUrl. Returns an empty text on success, else the system's description of why it
// could not be opened. A local file is checked first: xdg-open starts happily for a file
// that does not exist and the failure would never be seen.
QString Abrir_Con_Escritorio(const QUrl &rUrl);
