#include "cipher.h"

#include <QByteArray>
#include <openssl/evp.h>
#include <openssl/crypto.h>
#include <openssl/opensslv.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <type_traits>

#include <dlfcn.h>
#if defined(__x86_64__) || defined(__i386__)
#include <tmmintrin.h>
#endif

namespace {
constexpr int kBloque = 16;
constexpr char LIBCRYPTO_SONAME[] = "libcrypto.so." QT_STRINGIFY(OPENSSL_SHLIB_VERSION);

// libcrypto is loaded at the cipher's first use, not with the program: its relocations
// cost more than the rest of a start on an empty folder, and --help, --version or an
// empty list never decipher anything. The same library, from the same package; only the
// moment it is loaded changes.
struct TOpenSsl {
    decltype(&EVP_CIPHER_fetch) CIPHER_fetch;
    decltype(&EVP_aes_128_ecb) aes_128_ecb;
    decltype(&EVP_aes_128_cbc) aes_128_cbc;
    decltype(&EVP_CIPHER_CTX_new) CIPHER_CTX_new;
    decltype(&EVP_CIPHER_CTX_free) CIPHER_CTX_free;
    decltype(&EVP_CipherInit_ex) CipherInit_ex;
    decltype(&EVP_CIPHER_CTX_set_padding) CIPHER_CTX_set_padding;
    decltype(&EVP_CipherUpdate) CipherUpdate;
    decltype(&EVP_EncryptUpdate) EncryptUpdate;
    decltype(&EVP_DecodeBlock) DecodeBlock;
    decltype(&OPENSSL_cleanse) cleanse;
    const EVP_CIPHER *ecb = nullptr;
    const EVP_CIPHER *cbc = nullptr;
};

// The loaded library with its two ciphers, looked up in its providers once for the whole
// program (each thread's own look-up cost more than deciphering a thousand lines); null,
// said once on stderr, when it cannot be loaded: every line then deciphers to nothing.
const TOpenSsl *OpenSsl()
{
    static const TOpenSsl *const biblioteca = []() -> const TOpenSsl * {
        void *h = ::dlopen(LIBCRYPTO_SONAME, RTLD_NOW | RTLD_LOCAL);
        auto *f = new TOpenSsl; // for the whole program, as the library
        bool todas = h != nullptr;
        const auto simbolo = [&](auto &fFuncion, const char *rsNombre) {
            fFuncion = todas ? reinterpret_cast<std::remove_reference_t<decltype(fFuncion)>>(::dlsym(h, rsNombre))
                             : nullptr;
            todas = fFuncion != nullptr;
        };
        simbolo(f->CIPHER_fetch, "EVP_CIPHER_fetch");
        simbolo(f->aes_128_ecb, "EVP_aes_128_ecb");
        simbolo(f->aes_128_cbc, "EVP_aes_128_cbc");
        simbolo(f->CIPHER_CTX_new, "EVP_CIPHER_CTX_new");
        simbolo(f->CIPHER_CTX_free, "EVP_CIPHER_CTX_free");
        simbolo(f->CipherInit_ex, "EVP_CipherInit_ex");
        simbolo(f->CIPHER_CTX_set_padding, "EVP_CIPHER_CTX_set_padding");
        simbolo(f->CipherUpdate, "EVP_CipherUpdate");
        simbolo(f->EncryptUpdate, "EVP_EncryptUpdate");
        simbolo(f->DecodeBlock, "EVP_DecodeBlock");
        simbolo(f->cleanse, "OPENSSL_cleanse");
        if (!todas) {
            const char *error = ::dlerror();
            qWarning("Kestrin cannot load %s: %s", LIBCRYPTO_SONAME, error ? error : "a function is missing");
            delete f;
            return nullptr;
        }
        f->ecb = f->CIPHER_fetch(nullptr, "AES-128-ECB", nullptr);
        if (!f->ecb)
            f->ecb = f->aes_128_ecb();
        f->cbc = f->CIPHER_fetch(nullptr, "AES-128-CBC", nullptr);
        if (!f->cbc)
            f->cbc = f->aes_128_cbc();
        return f;
    }();
    return biblioteca;
}

// Key and IV: the first 16 bytes of "9934" as UTF-16LE padded with NULs.
void Llave_Cifrado(unsigned char (&fLlave)[kBloque])
{
    // Built once: it is asked for at every line of every file.
    static const QString texto = PadWithZeros(QStringLiteral("9934"), 32);
    std::memcpy(fLlave, texto.constData(), kBloque);
}

struct CtxBorrar {
    void operator()(EVP_CIPHER_CTX *c) const { OpenSsl()->CIPHER_CTX_free(c); }
};
using Ctx = std::unique_ptr<EVP_CIPHER_CTX, CtxBorrar>;

// One context per thread and use, keyed once: loading thousands of files re-keys
// nothing. Null when the library or the context cannot be had.
EVP_CIPHER_CTX *Contexto(bool rbCbc, int riCifrar)
{
    const TOpenSsl *ssl = OpenSsl();
    if (!ssl)
        return nullptr;
    auto crear = [&]() {
        Ctx ctx(ssl->CIPHER_CTX_new());
        unsigned char llave[kBloque];
        Llave_Cifrado(llave);
        if (!ctx || ssl->CipherInit_ex(ctx.get(), rbCbc ? ssl->cbc : ssl->ecb, nullptr, llave, llave, riCifrar) != 1 ||
            ssl->CIPHER_CTX_set_padding(ctx.get(), 0) != 1)
            ctx.reset();
        ssl->cleanse(llave, sizeof llave);
        return ctx;
    };
    if (!rbCbc) {
        if (riCifrar) {
            thread_local Ctx ecbCifrar = crear();
            return ecbCifrar.get();
        }
        thread_local Ctx ecbDescifrar = crear();
        return ecbDescifrar.get();
    }
    thread_local Ctx cifrar = crear();
    return cifrar.get();
}

// Fills the IV, which is also the last ciphertext block while there is none; true when
// there are no blocks to do.
bool Sin_Bloques(int riBytes, unsigned char (&fIv)[kBloque], unsigned char (&fUltimo)[kBloque])
{
    Llave_Cifrado(fIv);
    std::memcpy(fUltimo, fIv, kBloque);
    return riBytes == 0;
}

// CBC encryption over riBytes bytes (a multiple of 16) in place, without padding.
// fUltimo gets the last ciphertext block (the IV when there is none).
bool Cifrar_Cbc(unsigned char *fDatos, int riBytes, unsigned char (&fUltimo)[kBloque])
{
    unsigned char iv[kBloque];
    if (Sin_Bloques(riBytes, iv, fUltimo))
        return true;
    EVP_CIPHER_CTX *ctx = Contexto(true, 1);
    if (!ctx || OpenSsl()->CipherInit_ex(ctx, nullptr, nullptr, nullptr, iv, 1) != 1)
        return false;
    int salida = 0;
    if (OpenSsl()->CipherUpdate(ctx, fDatos, &salida, fDatos, riBytes) != 1 || salida != riBytes)
        return false;
    std::memcpy(fUltimo, fDatos + riBytes - kBloque, kBloque);
    return true;
}

} // namespace

QString PadWithZeros(const QString &rsCadena, int riSize)
{
    const qsizetype l = rsCadena.size();
    if (riSize <= 0 || (l > 0 && l % riSize == 0))
        return rsCadena;
    QString r = rsCadena;
    r.resize(riSize * (l / riSize + 1), QChar(0));
    return r;
}

QString Encriptar(const QString &rsCadena)
{
    QString datos = PadWithZeros(rsCadena, kBloque);
    const int n = int(datos.size());
    QByteArray bytes(reinterpret_cast<const char *>(datos.utf16()), 2 * n);
    unsigned char ultimo[kBloque];
    // Only the first n of the 2n bytes are enciphered; the rest stays plain.
    if (!Cifrar_Cbc(reinterpret_cast<unsigned char *>(bytes.data()), n, ultimo))
        return QString();
    return QString::fromLatin1(bytes.toBase64());
}

namespace {
// The value of each Base64 character, already shifted to its place in a group of four
// (riDesplazamiento 18, 12, 6 or 0); kFuera for any other character. "=" counts as zero,
// as OpenSSL's block decoder counts it.
constexpr quint32 kFuera = 0x80000000u;
constexpr std::array<quint32, 256> Tabla_Base64(int riDesplazamiento)
{
    std::array<quint32, 256> t{};
    for (auto &v : t)
        v = kFuera;
    const char alfabeto[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (quint32 i = 0; i < 64; ++i)
        t[uchar(alfabeto[i])] = i << riDesplazamiento;
    t[uchar('=')] = 0;
    return t;
}
constexpr std::array<quint32, 256> kBase64[4] = {Tabla_Base64(18), Tabla_Base64(12), Tabla_Base64(6),
                                                 Tabla_Base64(0)};

#if defined(__x86_64__) || defined(__i386__)
// The leading groups of 16 characters that are all Base64 letters, digits, "+" or "/",
// decoded 16 at a time: the characters they took (a multiple of 16). Each group writes
// 16 bytes of which the first 12 count: fDestino has room for 4 more after the line.
__attribute__((target("ssse3"))) qsizetype Decodificar_De_16_En_16(unsigned char *fDestino, const char *rsTexto,
                                                                  qsizetype riLargo)
{
    const auto entre = [](__m128i c, char desde, char hasta) {
        // Signed bytes: one above 0x7F is below every bound, so never inside.
        return _mm_and_si128(_mm_cmpgt_epi8(c, _mm_set1_epi8(char(desde - 1))),
                             _mm_cmplt_epi8(c, _mm_set1_epi8(char(hasta + 1))));
    };
    qsizetype i = 0;
    for (; i + 16 <= riLargo; i += 16, fDestino += 12) {
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i *>(rsTexto + i));
        const __m128i mayuscula = entre(c, 'A', 'Z');
        const __m128i minuscula = entre(c, 'a', 'z');
        const __m128i cifra = entre(c, '0', '9');
        const __m128i mas = _mm_cmpeq_epi8(c, _mm_set1_epi8('+'));
        const __m128i barra = _mm_cmpeq_epi8(c, _mm_set1_epi8('/'));
        const __m128i validos =
            _mm_or_si128(_mm_or_si128(mayuscula, minuscula), _mm_or_si128(cifra, _mm_or_si128(mas, barra)));
        if (_mm_movemask_epi8(validos) != 0xffff)
            break;
        // Each character's value: 'A' is 0, 'a' 26, '0' 52, '+' 62, '/' 63.
        __m128i v = _mm_add_epi8(c, _mm_and_si128(mayuscula, _mm_set1_epi8(-'A')));
        v = _mm_add_epi8(v, _mm_and_si128(minuscula, _mm_set1_epi8(26 - 'a')));
        v = _mm_add_epi8(v, _mm_and_si128(cifra, _mm_set1_epi8(52 - '0')));
        v = _mm_add_epi8(v, _mm_and_si128(mas, _mm_set1_epi8(62 - '+')));
        v = _mm_add_epi8(v, _mm_and_si128(barra, _mm_set1_epi8(63 - '/')));
        // Two values to 12 bits in each 16-bit lane, two of those to the 24 bits of a
        // group of four in each 32-bit lane, and their three bytes, high first, together.
        const __m128i pares = _mm_maddubs_epi16(v, _mm_set1_epi32(0x01400140));
        const __m128i grupos = _mm_madd_epi16(pares, _mm_set1_epi32(0x00011000));
        const __m128i bytes =
            _mm_shuffle_epi8(grupos, _mm_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(fDestino), bytes);
    }
    return i;
}

// Asked once; read before it is set (another file's start-up), it says no: the tables.
const bool kHaySsse3 = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("ssse3") != 0;
}();
#endif

// Decodes riLargo characters (a multiple of 4) when every one of them is a Base64
// character or "=", as every line Kestrin writes is; -1 otherwise, and OpenSSL's decoder,
// which knows what to do with blanks and the rest, takes the line. Reading a list of
// thousands of files spent most of its time in the general decoder.
int Decodificar_Simple(unsigned char *fDestino, const char *rsTexto, qsizetype riLargo)
{
    qsizetype i = 0;
#if defined(__x86_64__) || defined(__i386__)
    if (kHaySsse3) {
        i = Decodificar_De_16_En_16(fDestino, rsTexto, riLargo);
        fDestino += i / 4 * 3;
    }
#endif
    for (; i < riLargo; i += 4) {
        const quint32 v = kBase64[0][uchar(rsTexto[i])] | kBase64[1][uchar(rsTexto[i + 1])] |
                          kBase64[2][uchar(rsTexto[i + 2])] | kBase64[3][uchar(rsTexto[i + 3])];
        if (v & kFuera) // no value has it
            return -1;
        *fDestino++ = uchar(v >> 16);
        *fDestino++ = uchar(v >> 8);
        *fDestino++ = uchar(v);
    }
    return int(riLargo / 4 * 3);
}
} // namespace

void TDescifradorLineas::Agregar(QByteArrayView rsGuardada)
{
    TLinea linea;
    linea.iBytes = piUsados;
    linea.iCaracteres = -1;
    // Whole groups of four only; what follows the last one is ignored.
    const qsizetype largo = (rsGuardada.size() / 4) * 4;
    if (largo > 0) {
        const QByteArrayView texto = rsGuardada.first(largo);
        // Grown, never shrunk: the room stays for the next lines and files. The decoder
        // may write up to 4 bytes past the line.
        const size_t necesarios = size_t(linea.iBytes + largo / 4 * 3 + 4);
        if (pBytes.size() < necesarios)
            pBytes.resize(std::max(necesarios, 2 * pBytes.size()));
        unsigned char *bytes = pBytes.data() + linea.iBytes;
        int decodificados = Decodificar_Simple(bytes, texto.data(), largo);
        if (decodificados < 0 && OpenSsl())
            decodificados =
                OpenSsl()->DecodeBlock(bytes, reinterpret_cast<const unsigned char *>(texto.data()), int(largo));
        if (decodificados >= 0) { // else not Base64: a line that matches no key
            // EVP_DecodeBlock counts a zero byte for every trailing "=".
            int relleno = 0;
            if (texto.endsWith("=="))
                relleno = 2;
            else if (texto.endsWith('='))
                relleno = 1;
            linea.iCaracteres = std::max(0, decodificados - relleno) / 2; // an odd last byte is dropped
            linea.iCifrados = (linea.iCaracteres / kBloque) * kBloque;
        }
    }
    piUsados = linea.iBytes + std::max(0, 2 * linea.iCaracteres);
    pLineas.push_back(linea);
}

const std::vector<qsizetype> &TDescifradorLineas::Descifrar(QString &fsDestino)
{
    unsigned char iv[kBloque];
    Llave_Cifrado(iv);
    // Every enciphered block of every line, one after another, deciphered in one call.
    pCifrado.clear();
    for (const TLinea &l : pLineas)
        if (l.iCifrados > 0)
            pCifrado.insert(pCifrado.end(), pBytes.data() + l.iBytes, pBytes.data() + l.iBytes + l.iCifrados);
    pPlano.resize(pCifrado.size());
    bool descifrados = true;
    if (!pCifrado.empty()) {
        EVP_CIPHER_CTX *ctx = Contexto(false, 0);
        int salida = 0;
        descifrados = ctx && OpenSsl()->CipherUpdate(ctx, pPlano.data(), &salida, pCifrado.data(),
                                              int(pCifrado.size())) == 1 && salida == int(pCifrado.size());
    }
    // A tail shorter than a block is XORed with the encryption of the line's last
    // ciphertext block (the IV when it has none): those blocks too go in one call.
    pColas.clear();
    qsizetype enCifrado = 0;
    for (const TLinea &l : pLineas) {
        enCifrado += std::max(0, l.iCifrados);
        if (l.iCaracteres > l.iCifrados) {
            const unsigned char *ultimo = l.iCifrados > 0 ? pCifrado.data() + enCifrado - kBloque : iv;
            pColas.insert(pColas.end(), ultimo, ultimo + kBloque);
        }
    }
    bool colas = true;
    if (!pColas.empty()) {
        EVP_CIPHER_CTX *ctx = Contexto(false, 1);
        int salida = 0;
        colas = ctx && OpenSsl()->EncryptUpdate(ctx, pColas.data(), &salida, pColas.data(), int(pColas.size())) == 1 &&
                salida == int(pColas.size());
    }

    // The texts are written straight into room made once for all of them.
    qsizetype escrito = fsDestino.size();
    qsizetype lugar = escrito;
    for (const TLinea &l : pLineas)
        lugar += std::max(0, l.iCaracteres);
    fsDestino.resize(lugar);
    char16_t *const destino = reinterpret_cast<char16_t *>(fsDestino.data());
    pInicios.clear();
    enCifrado = 0;
    qsizetype enColas = 0;
    for (const TLinea &l : pLineas) {
        pInicios.push_back(escrito);
        if (l.iCaracteres < 0)
            continue;
        unsigned char *datos = pBytes.data() + l.iBytes;
        const unsigned char *plano = pPlano.data() + enCifrado;
        const unsigned char *cifrado = pCifrado.data() + enCifrado;
        enCifrado += l.iCifrados;
        const int resto = l.iCaracteres - l.iCifrados;
        const unsigned char *mascara = pColas.data() + enColas;
        if (resto > 0)
            enColas += kBloque;
        // CBC decryption: each deciphered block XORed with the ciphertext block before it.
        if (!descifrados || (resto > 0 && !colas))
            continue;
        for (int i = 0; i < l.iCifrados; i += 8) { // eight bytes at a time: blocks are 16
            quint64 p, c;
            std::memcpy(&p, plano + i, 8);
            std::memcpy(&c, i < kBloque ? iv + i : cifrado + i - kBloque, 8);
            p ^= c;
            std::memcpy(datos + i, &p, 8);
        }
        for (int i = 0; i < resto; ++i)
            datos[l.iCifrados + i] ^= mascara[i];
        int fin = l.iCaracteres;
        while (fin > 0 && datos[2 * fin - 2] == 0 && datos[2 * fin - 1] == 0)
            --fin;
        std::memcpy(destino + escrito, datos, size_t(fin) * 2);
        escrito += fin;
    }
    fsDestino.resize(escrito);
    pLineas.clear();
    piUsados = 0;
    return pInicios;
}

void DesEncriptar_Al_Final(QByteArrayView rsGuardada, QString &fsDestino)
{
    // One per thread, its buffers kept: a line read alone allocates nothing once they have grown.
    thread_local TDescifradorLineas descifrador;
    descifrador.Agregar(rsGuardada);
    descifrador.Descifrar(fsDestino);
}

QString DesEncriptar(QByteArrayView rsGuardada)
{
    QString plano;
    DesEncriptar_Al_Final(rsGuardada, plano);
    return plano;
}

QString DesEncriptar(const QString &rsCadena)
{
    return DesEncriptar(QByteArrayView(rsCadena.toLatin1()));
}
