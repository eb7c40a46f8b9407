#include "tamanopopup.h"

#include <QFontMetrics>
#include <QRegularExpression>
#include <QTextLayout>

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

QString Texto_En_Lineas_Enteras(const QString &rsTexto, const QFont &rFuente, int riAncho, int riAlto)
{
    const QFontMetrics medidas(rFuente);
    const int caben = std::max(1, riAlto / std::max(1, medidas.lineSpacing()));
    const QStringList parrafos = rsTexto.split(QLatin1Char('\n'));
    QStringList lineas;
    bool sobra = false;
    QString resto; // the text left out
    for (int p = 0; p < parrafos.size() && !sobra; ++p) {
        const QString &parrafo = parrafos[p];
        const QString siguientes = parrafos.mid(p + 1).join(QLatin1Char(' '));
        if (parrafo.isEmpty()) {
            if (lineas.size() == caben) {
                sobra = true;
                resto = siguientes;
            } else {
                lineas << QString();
            }
            continue;
        }
        QTextLayout capa(parrafo, rFuente);
        QTextOption opcion;
        opcion.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        capa.setTextOption(opcion);
        capa.beginLayout();
        for (QTextLine linea = capa.createLine(); linea.isValid(); linea = capa.createLine()) {
            linea.setLineWidth(riAncho);
            if (lineas.size() == caben) {
                sobra = true;
                resto = parrafo.mid(linea.textStart()) + QLatin1Char(' ') + siguientes;
                break;
            }
            lineas << parrafo.mid(linea.textStart(), linea.textLength()).trimmed();
        }
        capa.endLayout();
    }
    if (sobra) {
        // The last line shown ends where an ellipsis still fits after it.
        const QString ultima = lineas.takeLast();
        lineas << medidas.elidedText(ultima + QLatin1Char(' ') + resto.simplified() + QStringLiteral(" …"),
                                     Qt::ElideRight, riAncho);
    }
    return lineas.join(QLatin1Char('\n'));
}
