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

struct TLinea {
    qsizetype iDesde = 0;
    qsizetype iHasta = 0;   // after its line break
    QByteArrayView texto;   // without the line break
};

bool Continuacion(QByteArrayView rTexto)
{
    return !rTexto.isEmpty() && (rTexto.front() == ' ' || rTexto.front() == '\t');
}

// "BEGIN" or "END" (upper case) and the component's name when the line opens or closes one;
// false when the line looks like one but is not plain enough to be sure (parameters).
bool Marca(QByteArrayView rTexto, QByteArray &fPalabra, QByteArray &fTipo)
{
    fPalabra.clear();
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
    QVector<TLinea> lineas;
    for (qsizetype i = 0; i < rDatos.size();) {
        const qsizetype fin = rDatos.indexOf('\n', i);
        const qsizetype siguiente = fin < 0 ? rDatos.size() : fin + 1;
        QByteArrayView texto(rDatos.constData() + i, (fin < 0 ? rDatos.size() : fin) - i);
        if (texto.endsWith('\r'))
            texto.chop(1);
        lineas.append({i, siguiente, texto});
        i = siguiente;
    }

    QByteArray apertura, cierre, cabecera;
    QVector<TBloque> bloques;
    QVector<QByteArray> pila;
    bool cerrado = false;
    for (qsizetype n = 0; n < lineas.size(); ++n) {
        const TLinea &l = lineas[n];
        QByteArray palabra, tipo;
        if (!Marca(l.texto, palabra, tipo))
            return entero;
        const bool sigueDoblada = n + 1 < lineas.size() && Continuacion(lineas[n + 1].texto);
        if (!palabra.isEmpty() && sigueDoblada)
            return entero;
        const QByteArrayView linea(rDatos.constData() + l.iDesde, l.iHasta - l.iDesde);
        if (pila.isEmpty()) {
            if (l.texto.trimmed().isEmpty())
                continue;
            if (cerrado || palabra != "BEGIN" || tipo != "VCALENDAR")
                return entero;
            apertura = linea.toByteArray();
            pila << tipo;
        } else if (palabra == "BEGIN") {
            if (pila.size() == 1)
                bloques.append({l.iDesde, l.iHasta, tipo});
            pila << tipo;
        } else if (palabra == "END") {
            if (pila.last() != tipo)
                return entero;
            pila.removeLast();
            if (pila.size() == 1)
                bloques.last().iHasta = l.iHasta;
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
