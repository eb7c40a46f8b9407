#pragma once
// A large calendar cut into pieces that libical can parse on separate cores. Each piece is
// a whole VCALENDAR: the calendar's own lines, all its time zones (events look their TZID
// up in their own calendar), the other components in the first piece only, and a run of
// its events and to-dos. Read one piece after the other, the events come in file order.

#include <QByteArray>
#include <QList>

// Up to riPiezas pieces of at least riMinimoEventos events and to-dos each. A text that is
// not one calendar whose components open and close cleanly line by line (a folded BEGIN or
// END line, a mismatched END, a second calendar, text after the end) stays one piece, for
// libical to judge as it stands.
QList<QByteArray> Partir_Calendario(const QByteArray &rDatos, int riPiezas, int riMinimoEventos);
