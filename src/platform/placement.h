#pragma once
// Keeping windows on the screen: a window never larger than the screen's available area
// (the screen less panels and docks) and never outside it, whatever the scale factor.

#include <QRect>

class QWidget;

// rVentana shrunk to fit rArea, then moved (as little as possible) to lie inside it.
QRect Rect_Dentro_De_Area(const QRect &rVentana, const QRect &rArea);

// The available area of the screen rVentana is on (its parent's, else the primary one).
QRect Area_Disponible(const QWidget &rVentana);

// Gives rVentana the size rDeseado, bounded by the available area, centred in it.
void Centrar_En_Area(QWidget &fVentana, const QSize &rDeseado);
