#include "textforms.h"

#include "daycount.h"
#include "names.h"

#include <QVarLengthArray>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace {
// The Latin-1 bytes of a text for the number readers, every other character turned into
// "?" (which no number accepts), and "." put in after riPunto characters when there are
// more. Held in place when short, as every number of a file is.
class TLatin1 {
public:
    explicit TLatin1(QStringView rsTexto, qsizetype riPunto = -1)
    {
        const bool punto = riPunto >= 0 && rsTexto.size() > riPunto;
        n = rsTexto.size() + (punto ? 1 : 0);
        if (n > qsizetype(sizeof corto)) {
            largo.resize(n);
            p = largo.data();
        }
        char *d = p;
        for (qsizetype i = 0; i < rsTexto.size(); ++i) {
            if (punto && i == riPunto)
                *d++ = '.';
            const char16_t c = rsTexto[i].unicode();
            *d++ = c < 0x100 ? char(c) : '?';
        }
    }
    TLatin1(const TLatin1 &) = delete;
    TLatin1 &operator=(const TLatin1 &) = delete;
    qsizetype size() const { return n; }
    const char *begin() const { return p; }
    const char *end() const { return p + n; }

private:
    char corto[48];
    QByteArray largo;
    char *p = corto;
    qsizetype n = 0;
};
} // namespace

namespace {
// The value in fixed-point notation with a full stop, rounded to 15 significant digits,
// without trailing zeros or a trailing point.
QString Texto_Fijo(double rdValor)
{
    if (!std::isfinite(rdValor) || rdValor == 0.0)
        return QStringLiteral("0");
    // Fixed-point with 15 significant digits: find the decimal exponent of the value
    // rounded to 15 digits, then print that many decimals.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", rdValor);
    const char *e = std::strchr(buf, 'e');
    const int exponente = e ? std::atoi(e + 1) : 0;
    const int decimales = std::max(0, 14 - exponente);
    QString s = QString::number(rdValor, 'f', decimales);
    if (s.contains(QLatin1Char('.'))) {
        while (s.endsWith(QLatin1Char('0')))
            s.chop(1);
        if (s.endsWith(QLatin1Char('.')))
            s.chop(1);
    }
    return s;
}
} // namespace

QString Float_To_Str_Sin_Punto(double rdValor)
{
    QString s = Texto_Fijo(rdValor);
    if (s.size() >= 6)
        s.remove(5, 1);
    return s;
}

bool Fecha_Se_Puede_Grabar(double rdValor)
{
    if (!std::isfinite(rdValor))
        return false;
    // Up to five characters stay as they are; a longer text reads back only when the
    // character taken out is the decimal point, that is with five integer digits.
    const QString s = Texto_Fijo(rdValor);
    return s.size() <= 5 || s.at(5) == QLatin1Char('.');
}

double Str_To_Float_Sin_Punto(const QString &rsCadena)
{
    return Str_To_Float_Sin_Punto(QStringView(rsCadena));
}

double Str_To_Float_Sin_Punto(QStringView rsCadena)
{
    // The point goes back in after the fifth character.
    const TLatin1 bytes(rsCadena, 5);
    if (bytes.size() == 0)
        return -1.0;
    // from_chars reads the C form whatever the locale; the whole text must be the number.
    const char *inicio = bytes.begin();
    const char *fin = bytes.end();
    if (*inicio == '+')
        ++inicio;
    double valor = 0;
    const auto r = std::from_chars(inicio, fin, valor, std::chars_format::fixed);
    if (r.ec != std::errc() || r.ptr != fin || !std::isfinite(valor))
        return -1.0;
    return valor;
}

double Obtener_Fecha_Hora(double rdFecha, double rdHora)
{
    const QTime t = Dias_a_Hora(rdHora);
    return Solo_Fecha(rdFecha) + double(t.hour() * 3600 + t.minute() * 60 + t.second()) / 86400.0;
}

QString Numero_Con_Ceros(qint64 riNumero, int riAncho)
{
    return QString::number(riNumero).rightJustified(riAncho, QLatin1Char('0'));
}

void Numeros_De_Lista(const QString &rsLista, bool *fbHay, int riMaximo)
{
    // One pass over the list: every ",NN," in it, wherever it starts.
    std::fill(fbHay, fbHay + riMaximo + 1, false);
    const QStringView lista(rsLista);
    const auto digito = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    for (qsizetype i = 0; i + 3 < lista.size(); ++i) {
        if (lista[i] != QLatin1Char(',') || lista[i + 3] != QLatin1Char(',') || !digito(lista[i + 1]) ||
            !digito(lista[i + 2]))
            continue;
        const int n = (lista[i + 1].unicode() - u'0') * 10 + (lista[i + 2].unicode() - u'0');
        if (n >= 1 && n <= riMaximo)
            fbHay[n] = true;
    }
}

QString Convertir_Fecha_a_HHMM(double rdFecha, bool rbAMPM)
{
    const QTime t = Dias_a_Hora(rdFecha);
    const int h = t.hour();
    const QString mm = Numero_Con_Ceros(t.minute(), 2);
    if (!rbAMPM)
        return Numero_Con_Ceros(h, 2) + QLatin1Char(':') + mm;
    int h12 = h;
    if (h == 0 || h == 12)
        h12 = 12;
    else if (h > 12)
        h12 = h - 12;
    return Numero_Con_Ceros(h12, 2) + QLatin1Char(':') + mm + (h < 12 ? QStringLiteral(" AM") : QStringLiteral(" PM"));
}

static bool Solo_Digitos(QStringView rsCadena, int &fiValor)
{
    if (rsCadena.isEmpty())
        return false;
    int v = 0;
    for (QChar c : rsCadena) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        v = v * 10 + (c.unicode() - '0');
    }
    fiValor = v;
    return true;
}

QString Convertir_HHMMAMPM_a_HHMM(const QString &rsCadena)
{
    QString s = rsCadena;
    if (s.size() == 7)
        s.prepend(QLatin1Char('0'));
    if (s.size() != 8)
        return QStringLiteral("12:00");
    const QString hora = s.mid(0, 2);
    const QString minutos = s.mid(3, 2);
    const bool am = s.mid(6, 2).toUpper() == QLatin1String("AM");
    int h = 0;
    const bool numero = Solo_Digitos(hora, h);
    if (numero && h == 12)
        return (am ? QStringLiteral("00:") : QStringLiteral("12:")) + minutos;
    if (am)
        return hora + QLatin1Char(':') + minutos;
    if (!numero)
        return QStringLiteral("12:00");
    return Numero_Con_Ceros(h + 12, 2) + QLatin1Char(':') + minutos;
}

double Convertir_HHMM_a_Fecha(const QString &rsCadena, double raFecha)
{
    // "H:MM" reads as "0H:MM"; the hours are the first two characters, the minutes the last two.
    const QStringView s(rsCadena);
    if (s.size() != 4 && s.size() != 5)
        return 0;
    const QStringView horas = s.size() == 4 ? s.first(1) : s.first(2);
    int h = 0, m = 0;
    if (!Solo_Digitos(horas, h) || !Solo_Digitos(s.last(2), m) || h > 23 || m > 59)
        return 0;
    return Solo_Fecha(raFecha) + double(h * 3600 + m * 60) / 86400.0;
}

QString Extraer_Cadena_Hasta_Signo(QString &fsCadena, QChar rsSigno)
{
    const qsizetype i = fsCadena.indexOf(rsSigno);
    if (i < 0) {
        QString todo = fsCadena;
        fsCadena.clear();
        return todo;
    }
    QString antes = fsCadena.left(i);
    fsCadena = fsCadena.mid(i + 1);
    return antes;
}

namespace {
// A text built in one buffer on the stack: the date texts are made for every row of a
// list, and a text per piece cost more than the dates themselves.
class TTextoCorto {
public:
    void Agregar(QStringView rsTexto) { p.append(rsTexto.utf16(), rsTexto.size()); }
    void Agregar(QLatin1StringView rsTexto)
    {
        for (char c : rsTexto)
            p.append(char16_t(uchar(c)));
    }
    // The number in decimal, zeros put before it up to riAncho characters.
    void Numero(qint64 riNumero, int riAncho = 0)
    {
        char cifras[24];
        const auto fin = std::to_chars(cifras, cifras + sizeof cifras, riNumero).ptr;
        for (qsizetype i = fin - cifras; i < riAncho; ++i)
            p.append(u'0');
        Agregar(QLatin1StringView(cifras, fin));
    }
    QString Texto() const { return QString(reinterpret_cast<const QChar *>(p.constData()), p.size()); }

private:
    QVarLengthArray<char16_t, 64> p;
};
} // namespace

QString Convertir_FechaHora_a_Cadena(double rdFecha, const QString &rsSeparador, bool rbIncluirFecha,
                                     bool rbIncluirHora, bool rbSegundos, bool rbDosDigitosHora,
                                     bool rbAyerHoyManiana, int riLenguaje)
{
    const bool espanol = riLenguaje == 1;
    // Only the date, only the time, or (with both or neither asked for) the two joined.
    const bool soloFecha = rbIncluirFecha && !rbIncluirHora;
    const bool soloHora = !rbIncluirFecha && rbIncluirHora;
    TTextoCorto texto;

    const QDate fecha = Dias_a_Fecha(rdFecha);
    if (!soloHora && fecha.isValid()) {
        const qint64 diferencia = rbAyerHoyManiana ? Fecha_Hoy().daysTo(fecha) : 2;
        if (diferencia == 0) {
            texto.Agregar(espanol ? u"Hoy" : u"Today");
        } else if (diferencia == -1) {
            texto.Agregar(espanol ? u"Ayer" : u"Yesterday");
        } else if (diferencia == 1) {
            texto.Agregar(espanol ? u"Mañana" : u"Tomorrow");
        } else {
            int anio = 0, mes = 0, dia = 0;
            fecha.getDate(&anio, &mes, &dia);
            if (espanol) {
                texto.Numero(dia);
                texto.Agregar(u"/");
                texto.Agregar(QStringView(asMesesEspanol[mes]).left(3));
                texto.Agregar(u"/");
            } else {
                texto.Agregar(QStringView(asMesesIngles[mes]).left(3));
                texto.Agregar(u" ");
                texto.Numero(dia);
                texto.Agregar(u", ");
            }
            texto.Numero(anio);
        }
    }
    if (soloFecha)
        return texto.Texto();
    if (!soloHora)
        texto.Agregar(rsSeparador.isEmpty() ? QStringView(u" ") : QStringView(rsSeparador));

    const QTime hora = Dias_a_Hora(rdFecha);
    int h = hora.hour();
    const bool manana = h < 12;
    if (h > 12)
        h -= 12;
    texto.Numero(h, rbDosDigitosHora ? 2 : 0);
    texto.Agregar(u":");
    texto.Numero(hora.minute(), 2);
    if (rbSegundos) {
        texto.Agregar(u":");
        texto.Numero(hora.second(), 2);
    }
    texto.Agregar(manana ? u" AM" : u" PM");
    return texto.Texto();
}

QString Recortar(const QString &rsCadena)
{
    return Recortar(QStringView(rsCadena));
}

QString Recortar(QStringView rsCadena)
{
    return Recortar_Vista(rsCadena).toString();
}

QStringView Recortar_Vista(QStringView rsCadena)
{
    qsizetype a = 0, b = rsCadena.size();
    while (a < b && rsCadena.at(a).unicode() <= 32)
        ++a;
    while (b > a && rsCadena.at(b - 1).unicode() <= 32)
        --b;
    return rsCadena.sliced(a, b - a);
}

bool Leer_Entero(const QString &rsCadena, qint32 &fiValor)
{
    return Leer_Entero(QStringView(rsCadena), fiValor);
}

bool Leer_Entero(QStringView rsCadena, qint32 &fiValor)
{
    const TLatin1 bytes(Recortar_Vista(rsCadena));
    if (bytes.size() == 0)
        return false;
    const char *inicio = bytes.begin();
    const char *fin = bytes.end();
    if (*inicio == '+' && bytes.size() > 1 && inicio[1] != '-')
        ++inicio;
    qint32 valor = 0;
    const auto r = std::from_chars(inicio, fin, valor, 10);
    if (r.ec != std::errc() || r.ptr != fin)
        return false;
    fiValor = valor;
    return true;
}

int Comparar_Ignorando_AZ(QStringView rsCadena1, QStringView rsCadena2)
{
    auto mayuscula = [](char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c; };
    const qsizetype n = std::min(rsCadena1.size(), rsCadena2.size());
    for (qsizetype i = 0; i < n; ++i) {
        const int d = int(mayuscula(rsCadena1[i].unicode())) - int(mayuscula(rsCadena2[i].unicode()));
        if (d != 0)
            return d;
    }
    return int(rsCadena1.size() - rsCadena2.size());
}
