#pragma once
// The event log systemlog.txt in the machine-wide folder: one line per entry, the date
// and time in the regional formats frozen at start, " - ", the text. It starts over
// when it holds more than 100 lines, and never fails towards its caller.

#include <QLocale>
#include <QString>

#include <functional>

// The folder of the log (psAppDataAllUsers). Until it is set, the computed one is used.
void Fijar_Carpeta_Log(const QString &rsCarpeta);
QString Ruta_Log();
bool Existe_Log();

// Called after each entry that reached the disk: the main window makes "View &Log"
// visible and enabled.
void Fijar_Aviso_Log(std::function<void()> rAviso);

// Freezes the short date and long time formats of the locale (once at start; later
// changes of the regional settings are ignored). Without it the system locale at the
// first entry is used.
void Congelar_Formato_Regional(const QLocale &rLocale = QLocale::system());
// The frozen format, as given to QLocale::toString.
QString Formato_Fecha_Hora_Log();
// A long time format without its time-zone part ("h:mm:ss AP t" gives "h:mm:ss AP").
QString Formato_Sin_Zona(const QString &rsFormato);

void Add_To_Log(const QString &rsLinea);
