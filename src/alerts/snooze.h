#pragma once
// The snooze lengths offered when a reminder comes up, their captions in both
// languages, and how a caption is read back into minutes. The tray popup and the
// AlertWindow program offer the same choice through these.

#include <QString>
#include <QVector>

enum class TUnidadPosponer { Minutos, Horas, Dias };

struct TOpcionPosponer {
    TUnidadPosponer pUnidad;
    int piCantidad;  // the number shown in the caption
    int piMinutos;   // the snooze length
    QString psCaption;
};

// "Snooze 1 Minute", "Snooze 15 Minutes", "Posponer 1 Día"... (riLenguaje 1 Spanish).
QString Caption_Posponer(int riCantidad, TUnidadPosponer rUnidad, int riLenguaje);

// The 40 choices in menu order: 1 to 10, 15, 20, 30, 40, 50, 60 minutes; 1 to 10
// hours; 1 to 14 days.
QVector<TOpcionPosponer> Opciones_Posponer(int riLenguaje);

// The position in Opciones_Posponer of the choice that lasts riMinutos, or -1.
int Indice_Opcion_Posponer(const QVector<TOpcionPosponer> &rOpciones, int riMinutos);

// The snooze length of a chosen caption: "&" marks removed, the first word dropped,
// the second word the count and the rest the unit (compared exactly). A count that is
// not a whole number gives 5 minutes.
int Minutos_De_Caption_Posponer(const QString &rsCaption);
