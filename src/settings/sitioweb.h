#pragma once
// The addresses Kestrin leads out to: its web site's pages in either language, the
// update check and the support mailboxes. The base address and the mailboxes are build
// options; KESTRIN_WEBSITE in the environment replaces the base address at run time.

#include "texts/version.h"

#include <QString>

QString Direccion_Sitio_Web();           // always ends in "/"
QString URL_Pagina_Principal(int riLenguaje);
QString URL_Pagina_IPhone(int riLenguaje);
QString URL_Pagina_Descarga(int riLenguaje);
QString Correo_Soporte(int riLenguaje);
// "mailto:" + the mailbox of the language + "?subject=&body=".
QString URL_Correo(int riLenguaje);

// A day count in general format with up to 15 significant digits and "." as the decimal
// separator, whatever the locale (40491.4038872569).
QString Dias_En_Formato_General(double rdDias);
// base + "checkforupdates.php?time=" + the day count + "&s=Full&v=1.6".
QString URL_Buscar_Actualizaciones(double rdAhora);
