#include "jsonwriter.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {
char Hex(unsigned riDigito)
{
    return char(riDigito < 10 ? '0' + riDigito : 'a' + riDigito - 10);
}

// A character written as it is: printable ASCII but the quote and the backslash, every
// other BMP character, and a surrogate in a valid pair.
bool Es_Simple(char16_t u)
{
    return u >= 0x20 && u != u'"' && u != u'\\' && !QChar::isSurrogate(u);
}
} // namespace

char *TEscritorJson::Espacio(qsizetype riBytes)
{
    const qsizetype antes = psBytes.size();
    psBytes.resize(antes + riBytes);
    return psBytes.data() + antes;
}

void TEscritorJson::Antes_Del_Valor(QLatin1StringView rsClave)
{
    if (paCuentas.isEmpty())
        return; // the document itself
    const bool coma = paCuentas.back()++ > 0;
    const qsizetype sangria = 4 * paCuentas.size();
    // Keys are the program's own ASCII names: nothing to escape.
    const qsizetype clave = rsClave.isNull() ? 0 : rsClave.size() + 4;
    char *p = Espacio((coma ? 2 : 0) + sangria + clave);
    if (coma) {
        *p++ = ',';
        *p++ = '\n';
    }
    p = std::fill_n(p, sangria, ' ');
    if (clave > 0) {
        *p++ = '"';
        p = std::copy_n(rsClave.data(), rsClave.size(), p);
        std::memcpy(p, "\": ", 3);
    }
}

void TEscritorJson::Abrir(QLatin1StringView rsClave, char rcSigno)
{
    Antes_Del_Valor(rsClave);
    psBytes += rcSigno;
    psBytes += '\n';
    paCuentas.push_back(0);
}

void TEscritorJson::Cerrar(char rcSigno)
{
    if (paCuentas.back() > 0)
        psBytes += '\n';
    paCuentas.pop_back();
    psBytes.append(4 * paCuentas.size(), ' ');
    psBytes += rcSigno;
    if (paCuentas.isEmpty())
        psBytes += '\n';
}

void TEscritorJson::Seguir(const TEscritorJson &rAnterior, qsizetype riValoresAntes)
{
    psBytes.resize(0);
    paCuentas = rAnterior.paCuentas;
    paCuentas.back() += int(riValoresAntes);
}

void TEscritorJson::Texto(QLatin1StringView rsClave, QStringView rsValor)
{
    Antes_Del_Valor(rsClave);
    *Espacio(1) = '"';
    Agregar_Escapado(rsValor);
    *Espacio(1) = '"';
}

void TEscritorJson::Entero(QLatin1StringView rsClave, qint64 riValor)
{
    Antes_Del_Valor(rsClave);
    char cifras[24];
    const char *const fin = std::to_chars(cifras, cifras + sizeof cifras, riValor).ptr;
    std::copy(static_cast<const char *>(cifras), fin, Espacio(fin - cifras));
}

void TEscritorJson::Numero(QLatin1StringView rsClave, double rdValor)
{
    Antes_Del_Valor(rsClave);
    if (std::isfinite(rdValor))
        psBytes += QByteArray::number(rdValor, 'g', QLocale::FloatingPointShortest);
    else
        psBytes += "null";
}

void TEscritorJson::Agregar_Escapado(QStringView rsTexto)
{
    const char16_t *p = rsTexto.utf16();
    const char16_t *const fin = p + rsTexto.size();
    while (p != fin) {
        // The longest run written as it is goes through Qt's UTF-8 encoder in one piece.
        const char16_t *tramo = p;
        char16_t todos = 0;
        while (p != fin) {
            if (Es_Simple(*p)) {
                todos |= *p;
                ++p;
            } else if (QChar::isHighSurrogate(*p) && fin - p > 1 && QChar::isLowSurrogate(p[1])) {
                todos |= *p;
                p += 2;
            } else {
                break;
            }
        }
        if (p != tramo && todos < 0x80) {
            // ASCII is its own UTF-8: copied a byte per character.
            std::copy(tramo, p, Espacio(p - tramo));
        } else if (p != tramo) {
            const QStringView simple(tramo, p);
            const qsizetype antes = psBytes.size();
            psBytes.resize(antes + pCodificador.requiredSpace(simple.size()));
            char *const final = pCodificador.appendToBuffer(psBytes.data() + antes, simple);
            psBytes.truncate(final - psBytes.constData());
        }
        if (p == fin)
            break;
        const char16_t u = *p++;
        psBytes += '\\';
        switch (u) {
        case u'"': psBytes += '"'; break;
        case u'\\': psBytes += '\\'; break;
        case u'\b': psBytes += 'b'; break;
        case u'\f': psBytes += 'f'; break;
        case u'\n': psBytes += 'n'; break;
        case u'\r': psBytes += 'r'; break;
        case u'\t': psBytes += 't'; break;
        default: // other control characters, and a surrogate without its other half
            psBytes += 'u';
            for (int desplazamiento : {12, 8, 4, 0})
                psBytes += Hex((u >> desplazamiento) & 0xf);
        }
    }
}
