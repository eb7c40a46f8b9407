#include "tamanopopup.h"

#include <QFontMetrics>
#include <QRegularExpression>

#include <algorithm>

namespace {
QFont Fuente_11(const QString &rsFamilia)
{
    QFont fuente(rsFamilia);
    fuente.setPixelSize(11);
    return fuente;
}
} // namespace

QStringList Lineas_Mensaje_Popup(const QString &rsMensaje)
{
    static const QRegularExpression fin(QStringLiteral("\r\n|\n|\r"));
    return rsMensaje.split(fin);
}

QFont Fuente_Medida_Titulo()
{
    return Fuente_11(QStringLiteral("Tahoma"));
}

QFont Fuente_Medida_Mensaje(const QString &rsFuenteMensaje)
{
    return Fuente_11(rsFuenteMensaje);
}

QSize Tamano_Desktop_Alert(const QString &rsTitulo, const QString &rsMensaje, const QString &rsFuenteMensaje)
{
    const QFontMetrics medidaTitulo(Fuente_Medida_Titulo());
    const QFontMetrics medidaMensaje(Fuente_Medida_Mensaje(rsFuenteMensaje));
    const int anchoTitulo = std::max(ANCHO_MINIMO_POPUP, medidaTitulo.horizontalAdvance(rsTitulo) + 200);
    int anchoTexto = ANCHO_MINIMO_POPUP;
    // A long message must not cost a measure per line once the popup is at its largest.
    int alto = 50;
    for (const QString &linea : Lineas_Mensaje_Popup(rsMensaje)) {
        if (anchoTexto < ANCHO_MAXIMO_POPUP)
            anchoTexto = std::max(anchoTexto, medidaMensaje.horizontalAdvance(linea) + 155);
        if (alto <= ALTO_MAXIMO_POPUP)
            alto += std::max(16, medidaMensaje.boundingRect(linea).height());
        else if (anchoTexto >= ANCHO_MAXIMO_POPUP)
            break;
    }
    return QSize(std::min(ANCHO_MAXIMO_POPUP, std::max(anchoTitulo, anchoTexto)),
                 std::clamp(alto, ALTO_MINIMO_POPUP, ALTO_MAXIMO_POPUP));
}
