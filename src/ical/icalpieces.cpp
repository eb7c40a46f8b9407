#include "icalpieces.h"

#include <QByteArrayView>
#include <QVector>

#include <algorithm>

namespace {
struct TBloque {
    qsizetype iDesde = 0;
    qsizetype iHasta = 0;
    QByteArray sTipo; // the component's name, upper case
};

// "BEGIN" or "END" (upper case) and the component's name when the line opens or closes one;
// false when the line looks like one but is not plain enough to be sure (parameters).
bool Marca(QByteArrayView rTexto, QByteArray &fPalabra, QByteArray &fTipo)
{
    fPalabra.clear();
    // Most lines are properties: only a line starting with B or E can open or close.
    if (rTexto.isEmpty() || !QByteArrayView("BbEe").contains(rTexto.front()))
        return true;
    for (const char *palabra : {"BEGIN", "END"}) {
        const QByteArrayView p(palabra);
        if (rTexto.size() < p.size() || rTexto.first(p.size()).compare(p, Qt::CaseInsensitive) != 0)
            continue;
        const QByteArrayView resto = rTexto.sliced(p.size());
        if (resto.isEmpty() || (resto.front() != ':' && resto.front() != ';'))
            continue; // another name that starts the same way ("ENDPOINT")
        if (resto.front() != ':')
            return false;
        fPalabra = palabra;
        fTipo = resto.sliced(1).trimmed().toByteArray().toUpper();
        return !fTipo.isEmpty();
    }
    return true;
}
} // namespace

QList<QByteArray> Partir_Calendario(const QByteArray &rDatos, int riPiezas, int riMinimoEventos)
{
    const QList<QByteArray> entero{rDatos};
    if (riPiezas < 2)
        return entero;
    QByteArray apertura, cierre, cabecera;
    QVector<TBloque> bloques;
    QVector<QByteArray> pila;
    bool cerrado = false;
    for (qsizetype desde = 0; desde < rDatos.size();) {
        const qsizetype salto = rDatos.indexOf('\n', desde);
        const qsizetype hasta = salto < 0 ? rDatos.size() : salto + 1;
        QByteArrayView texto(rDatos.constData() + desde, (salto < 0 ? rDatos.size() : salto) - desde);
        if (texto.endsWith('\r'))
            texto.chop(1);
        const QByteArrayView linea(rDatos.constData() + desde, hasta - desde);
        const qsizetype inicio = desde;
        desde = hasta;
        QByteArray palabra, tipo;
        if (!Marca(texto, palabra, tipo))
            return entero;
        // A folded BEGIN or END line is left to libical.
        if (!palabra.isEmpty() && desde < rDatos.size() && (rDatos[desde] == ' ' || rDatos[desde] == '\t'))
            return entero;
        if (pila.isEmpty()) {
            if (texto.trimmed().isEmpty())
                continue;
            if (cerrado || palabra != "BEGIN" || tipo != "VCALENDAR")
                return entero;
            apertura = linea.toByteArray();
            pila << tipo;
        } else if (palabra == "BEGIN") {
            if (pila.size() == 1)
                bloques.append({inicio, hasta, tipo});
            pila << tipo;
        } else if (palabra == "END") {
            if (pila.last() != tipo)
                return entero;
            pila.removeLast();
            if (pila.size() == 1)
                bloques.last().iHasta = hasta;
            else if (pila.isEmpty()) {
                cierre = linea.toByteArray();
                cerrado = true;
            }
        } else if (pila.size() == 1)
            cabecera += linea;
    }
    if (!cerrado || !pila.isEmpty())
        return entero;

    QByteArray zonas, otros;
    QVector<const TBloque *> eventos;
    for (const TBloque &b : bloques) {
        const QByteArrayView texto(rDatos.constData() + b.iDesde, b.iHasta - b.iDesde);
        if (b.sTipo == "VEVENT" || b.sTipo == "VTODO")
            eventos << &b;
        else if (b.sTipo == "VTIMEZONE")
            zonas += texto;
        else
            otros += texto;
    }
    const qsizetype piezas = std::min<qsizetype>(riPiezas, eventos.size() / std::max(riMinimoEventos, 1));
    if (piezas < 2)
        return entero;
    QList<QByteArray> r;
    for (qsizetype p = 0; p < piezas; ++p) {
        QByteArray pieza = apertura + cabecera + zonas;
        if (p == 0)
            pieza += otros;
        for (qsizetype e = eventos.size() * p / piezas; e < eventos.size() * (p + 1) / piezas; ++e)
            pieza += QByteArrayView(rDatos.constData() + eventos[e]->iDesde, eventos[e]->iHasta - eventos[e]->iDesde);
        // The closing line may lack its line break at the end of the file.
        if (!pieza.endsWith('\n'))
            pieza += "\r\n";
        r << pieza + cierre;
    }
    return r;
}
