#include "placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

QRect Rect_Dentro_De_Area(const QRect &rVentana, const QRect &rArea)
{
    if (!rArea.isValid())
        return rVentana;
    QRect r(rVentana.topLeft(), rVentana.size().boundedTo(rArea.size()));
    if (r.right() > rArea.right())
        r.moveRight(rArea.right());
    if (r.bottom() > rArea.bottom())
        r.moveBottom(rArea.bottom());
    if (r.left() < rArea.left())
        r.moveLeft(rArea.left());
    if (r.top() < rArea.top())
        r.moveTop(rArea.top());
    return r;
}

QRect Area_Disponible(const QWidget &rVentana)
{
    const QWidget *padre = rVentana.parentWidget() ? rVentana.parentWidget()->window() : nullptr;
    const QScreen *pantalla = padre && padre->isVisible() ? padre->screen() : QGuiApplication::primaryScreen();
    return pantalla ? pantalla->availableGeometry() : QRect();
}

void Centrar_En_Area(QWidget &fVentana, const QSize &rDeseado)
{
    const QRect area = Area_Disponible(fVentana);
    QRect marco(QPoint(), rDeseado);
    if (area.isValid())
        marco.moveCenter(area.center());
    marco = Rect_Dentro_De_Area(marco, area);
    fVentana.resize(marco.size());
    fVentana.move(marco.topLeft());
}
