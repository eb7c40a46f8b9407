#pragma once
// Checks that Tab walks a window's shown controls in the order the eye reads them: from
// one control the next is never back above it and to its left. Columns read down and
// then across (the next column starts higher up, but to the right), as do rows of boxes.

#include <QPoint>
#include <QTest>
#include <QWidget>

inline void En_Orden_De_Lectura(QWidget *rVentana, const QString &rsDonde)
{
    constexpr int kHolgura = 4; // pixels: controls of one row may differ a little in height
    QWidget *anterior = nullptr;
    QPoint lugarAnterior;
    int visitados = 0;
    for (QWidget *w = rVentana->nextInFocusChain(); w && w != rVentana; w = w->nextInFocusChain()) {
        // A control that hands its focus on (a date field to its text) counts once.
        if (!w->isVisible() || w->focusProxy() || !(w->focusPolicy() & Qt::TabFocus))
            continue;
        const QPoint lugar = w->mapTo(rVentana, QPoint(0, 0));
        if (anterior)
            QVERIFY2(!(lugar.y() < lugarAnterior.y() - kHolgura && lugar.x() <= lugarAnterior.x()),
                     qPrintable(QStringLiteral("%1: Tab goes from %2 (%3,%4) back up to %5 (%6,%7)")
                                    .arg(rsDonde, anterior->objectName()).arg(lugarAnterior.x())
                                    .arg(lugarAnterior.y()).arg(w->objectName()).arg(lugar.x()).arg(lugar.y())));
        anterior = w;
        lugarAnterior = lugar;
        ++visitados;
    }
    QVERIFY2(visitados >= 2, qPrintable(rsDonde + QStringLiteral(": Tab reaches fewer than two controls")));
}
