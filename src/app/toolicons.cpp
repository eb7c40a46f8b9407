#include "toolicons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
constexpr int kLado = 48;

QPixmap Lienzo()
{
    QPixmap lienzo(kLado, kLado);
    lienzo.fill(Qt::transparent);
    return lienzo;
}

void Dibujar(QPainter &p, TDibujoBoton rDibujo)
{
    p.setRenderHint(QPainter::Antialiasing);
    switch (rDibujo) {
    case TDibujoBoton::Agregar: // a green plus on a round badge
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(46, 160, 67));
        p.drawEllipse(QRectF(4, 4, 40, 40));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(21, 12, 6, 24), 2, 2);
        p.drawRoundedRect(QRectF(12, 21, 24, 6), 2, 2);
        break;
    case TDibujoBoton::Editar: { // a pencil across a sheet
        p.setPen(QPen(QColor(90, 90, 90), 2));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(8, 6, 26, 34));
        p.setPen(QPen(QColor(160, 160, 160), 2));
        for (int y = 14; y <= 30; y += 8)
            p.drawLine(12, y, 28, y);
        p.save();
        p.translate(30, 30);
        p.rotate(45);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(240, 180, 40));
        p.drawRect(QRectF(-4, -22, 8, 26));
        p.setBrush(QColor(60, 60, 60));
        QPainterPath punta;
        punta.moveTo(-4, 4);
        punta.lineTo(4, 4);
        punta.lineTo(0, 12);
        punta.closeSubpath();
        p.drawPath(punta);
        p.restore();
        break;
    }
    case TDibujoBoton::Borrar: // a red cross on a round badge
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 40, 40));
        p.drawEllipse(QRectF(4, 4, 40, 40));
        p.setPen(QPen(Qt::white, 6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(16, 16, 32, 32);
        p.drawLine(32, 16, 16, 32);
        break;
    case TDibujoBoton::Opciones: { // a gear
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(90, 100, 120));
        p.translate(24, 24);
        for (int i = 0; i < 8; ++i) {
            p.drawRoundedRect(QRectF(-4, -21, 8, 10), 2, 2);
            p.rotate(45);
        }
        p.drawEllipse(QPointF(0, 0), 15, 15);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(0, 0), 6, 6);
        break;
    }
    case TDibujoBoton::Sonido: { // a speaker with two waves
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 90, 170));
        QPainterPath altavoz;
        altavoz.moveTo(6, 18);
        altavoz.lineTo(14, 18);
        altavoz.lineTo(24, 8);
        altavoz.lineTo(24, 40);
        altavoz.lineTo(14, 30);
        altavoz.lineTo(6, 30);
        altavoz.closeSubpath();
        p.drawPath(altavoz);
        p.setPen(QPen(QColor(40, 90, 170), 3, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(20, 14, 14, 20), -60 * 16, 120 * 16);
        p.drawArc(QRectF(18, 6, 24, 36), -60 * 16, 120 * 16);
        break;
    }
    }
}
} // namespace

QIcon Icono_Boton(TDibujoBoton rDibujo)
{
    QPixmap lienzo = Lienzo();
    QPainter p(&lienzo);
    Dibujar(p, rDibujo);
    p.end();
    return QIcon(lienzo);
}
