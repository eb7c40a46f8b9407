#include "jsonwriter.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

#if defined(__SSE2__)
// The leading groups of eight characters that are all printable ASCII but the quote and
// the backslash, written a byte each to fBytes eight at a time; gives where it stopped.
const char16_t *Copiar_Ascii_Simple(const char16_t *p, const char16_t *fin, QByteArray &fBytes)
{
    const qsizetype grupos = (fin - p) / 8;
    if (grupos == 0)
        return p;
    const qsizetype antes = fBytes.size();
    fBytes.resize(antes + 8 * grupos);
    char *destino = fBytes.data() + antes;
    qsizetype g = 0;
    for (; g < grupos; ++g, p += 8, destino += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        // Signed lanes: a character from 0x8000 up is below 0x20, so never simple here.
        const __m128i ascii =
            _mm_and_si128(_mm_cmpgt_epi16(v, _mm_set1_epi16(0x1f)), _mm_cmplt_epi16(v, _mm_set1_epi16(0x80)));
        const __m128i especial =
            _mm_or_si128(_mm_cmpeq_epi16(v, _mm_set1_epi16('"')), _mm_cmpeq_epi16(v, _mm_set1_epi16('\\')));
        if (_mm_movemask_epi8(_mm_andnot_si128(especial, ascii)) != 0xffff)
            break;
        _mm_storel_epi64(reinterpret_cast<__m128i *>(destino), _mm_packus_epi16(v, v));
    }
    fBytes.truncate(antes + 8 * g);
    return p;
}
#endif
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
    const bool coma = Contar_Valor();
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

void TEscritorJson::Agregar_Hecho(QByteArrayView rValor)
{
    if (Contar_Valor())
        psBytes += ",\n";
    psBytes += rValor;
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
    // A whole number up to 2^53 is kept, and written, as an integer ("100000", not
    // "1e+05"; -0 as "0").
    if (std::trunc(rdValor) == rdValor && std::fabs(rdValor) <= 9007199254740992.0) {
        Entero(rsClave, qint64(rdValor));
        return;
    }
    Antes_Del_Valor(rsClave);
    if (std::fabs(rdValor) < 1e15) {
        // Below 10^15 the standard library's shortest form that reads back the same is
        // Qt's text, for a fraction of the work.
        char cifras[32];
        const char *const fin = std::to_chars(cifras, cifras + sizeof cifras, rdValor).ptr;
        std::copy(static_cast<const char *>(cifras), fin, Espacio(fin - cifras));
    } else if (std::isfinite(rdValor)) {
        psBytes += QByteArray::number(rdValor, 'g', QLocale::FloatingPointShortest);
    } else {
        psBytes += "null";
    }
}

void TEscritorJson::Agregar_Escapado(QStringView rsTexto)
{
    const char16_t *p = rsTexto.utf16();
    const char16_t *const fin = p + rsTexto.size();
    while (p != fin) {
#if defined(__SSE2__)
        p = Copiar_Ascii_Simple(p, fin, psBytes);
#endif
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
