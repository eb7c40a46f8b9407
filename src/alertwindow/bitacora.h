#pragma once
// What an alert window did (shown, sound started and stopped, snoozed, closed), one
// line each, appended to the file named by KESTRIN_ALERTWINDOW_LOG when it is set.
// Scripts and tests follow a running window through it; without it nothing is written.

#include <QString>

void Registrar_Evento_Alerta(const QString &rsEvento);
