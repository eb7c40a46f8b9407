#include "cipher.h"

#include <QByteArray>
#include <QVarLengthArray>
#include <openssl/evp.h>
#include <openssl/crypto.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

namespace {
constexpr int kBloque = 16;

// Key and IV: the first 16 bytes of "9934" as UTF-16LE padded with NULs.
void Llave_Cifrado(unsigned char (&fLlave)[kBloque])
{
    // Built once: it is asked for at every line of every file.
    static const QString texto = PadWithZeros(QStringLiteral("9934"), 32);
    std::memcpy(fLlave, texto.constData(), kBloque);
}

struct CtxBorrar {
    void operator()(EVP_CIPHER_CTX *c) const { EVP_CIPHER_CTX_free(c); }
};
using Ctx = std::unique_ptr<EVP_CIPHER_CTX, CtxBorrar>;

// The ciphers, looked up in OpenSSL's providers once for the whole program: the look-up
// made by each thread's first keying costs more than deciphering a thousand lines.
const EVP_CIPHER *Aes_Ecb()
{
    static const EVP_CIPHER *const cifrado = [] {
        const EVP_CIPHER *c = EVP_CIPHER_fetch(nullptr, "AES-128-ECB", nullptr);
        return c ? c : EVP_aes_128_ecb();
    }();
    return cifrado;
}

const EVP_CIPHER *Aes_Cbc()
{
    static const EVP_CIPHER *const cifrado = [] {
        const EVP_CIPHER *c = EVP_CIPHER_fetch(nullptr, "AES-128-CBC", nullptr);
        return c ? c : EVP_aes_128_cbc();
    }();
    return cifrado;
}

// One context per thread and use, keyed once: loading thousands of files re-keys
// nothing.
EVP_CIPHER_CTX *Contexto(const EVP_CIPHER *rCifrado, int riCifrar)
{
    auto crear = [&]() {
        Ctx ctx(EVP_CIPHER_CTX_new());
        unsigned char llave[kBloque];
        Llave_Cifrado(llave);
        if (!ctx || EVP_CipherInit_ex(ctx.get(), rCifrado, nullptr, llave, llave, riCifrar) != 1 ||
            EVP_CIPHER_CTX_set_padding(ctx.get(), 0) != 1)
            ctx.reset();
        OPENSSL_cleanse(llave, sizeof llave);
        return ctx;
    };
    if (rCifrado == Aes_Ecb()) {
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
    EVP_CIPHER_CTX *ctx = Contexto(Aes_Cbc(), 1);
    if (!ctx || EVP_CipherInit_ex(ctx, nullptr, nullptr, nullptr, iv, 1) != 1)
        return false;
    int salida = 0;
    if (EVP_CipherUpdate(ctx, fDatos, &salida, fDatos, riBytes) != 1 || salida != riBytes)
        return false;
    std::memcpy(fUltimo, fDatos + riBytes - kBloque, kBloque);
    return true;
}

// CBC decryption, the same contract. Every line starts again from the fixed IV, and
// setting an IV through EVP costs more than the AES of a whole line: the blocks are
// deciphered by the ECB context keyed once, then each is XORed with the ciphertext block
// before it (the IV for the first), which is what CBC decryption is.
bool Descifrar_Cbc(unsigned char *fDatos, int riBytes, unsigned char (&fUltimo)[kBloque])
{
    unsigned char iv[kBloque];
    if (Sin_Bloques(riBytes, iv, fUltimo))
        return true;
    EVP_CIPHER_CTX *ctx = Contexto(Aes_Ecb(), 0);
    QVarLengthArray<unsigned char, 1024> cifrado(riBytes);
    std::memcpy(cifrado.data(), fDatos, size_t(riBytes));
    int salida = 0;
    if (!ctx || EVP_CipherUpdate(ctx, fDatos, &salida, cifrado.constData(), riBytes) != 1 || salida != riBytes)
        return false;
    for (int i = 0; i < kBloque; ++i)
        fDatos[i] ^= iv[i];
    for (int i = kBloque; i < riBytes; ++i)
        fDatos[i] ^= cifrado[i - kBloque];
    std::memcpy(fUltimo, cifrado.constData() + riBytes - kBloque, kBloque);
    return true;
}

// The AES encryption of one block, for the XOR of a tail shorter than a block.
bool Cifrar_Bloque(const unsigned char (&rEntrada)[kBloque], unsigned char (&fSalida)[kBloque])
{
    EVP_CIPHER_CTX *ctx = Contexto(Aes_Ecb(), 1);
    int salida = 0;
    return ctx && EVP_EncryptUpdate(ctx, fSalida, &salida, rEntrada, kBloque) == 1 && salida == kBloque;
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
// The value of each Base64 character; kFuera for any other. "=" counts as zero, as
// OpenSSL's block decoder counts it.
constexpr unsigned char kFuera = 0xff;
constexpr std::array<unsigned char, 256> Tabla_Base64()
{
    std::array<unsigned char, 256> t{};
    for (auto &v : t)
        v = kFuera;
    const char alfabeto[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (int i = 0; i < 64; ++i)
        t[uchar(alfabeto[i])] = uchar(i);
    t[uchar('=')] = 0;
    return t;
}
constexpr std::array<unsigned char, 256> kBase64 = Tabla_Base64();

// Decodes riLargo characters (a multiple of 4) when every one of them is a Base64
// character or "=", as every line Kestrin writes is; -1 otherwise, and OpenSSL's decoder,
// which knows what to do with blanks and the rest, takes the line. Reading a list of
// thousands of files spent most of its time in the general decoder.
int Decodificar_Simple(unsigned char *fDestino, const char *rsTexto, qsizetype riLargo)
{
    for (qsizetype i = 0; i < riLargo; i += 4) {
        const unsigned a = kBase64[uchar(rsTexto[i])], b = kBase64[uchar(rsTexto[i + 1])],
                       c = kBase64[uchar(rsTexto[i + 2])], d = kBase64[uchar(rsTexto[i + 3])];
        if ((a | b | c | d) & 0x80) // kFuera has it, no value does
            return -1;
        const unsigned v = (a << 18) | (b << 12) | (c << 6) | d;
        *fDestino++ = uchar(v >> 16);
        *fDestino++ = uchar(v >> 8);
        *fDestino++ = uchar(v);
    }
    return int(riLargo / 4 * 3);
}
} // namespace

void DesEncriptar_Al_Final(QByteArrayView rsGuardada, QString &fsDestino)
{
    // Whole groups of four only; what follows the last one is ignored.
    const qsizetype largo = (rsGuardada.size() / 4) * 4;
    if (largo == 0)
        return;
    const QByteArrayView texto = rsGuardada.first(largo);
    QVarLengthArray<unsigned char, 1024> bytes(largo / 4 * 3);
    int decodificados = Decodificar_Simple(bytes.data(), texto.data(), largo);
    if (decodificados < 0)
        decodificados = EVP_DecodeBlock(bytes.data(), reinterpret_cast<const unsigned char *>(texto.data()),
                                        int(largo));
    if (decodificados < 0)
        return; // not Base64: a line that matches no key
    // EVP_DecodeBlock counts a zero byte for every trailing "=".
    int relleno = 0;
    if (texto.endsWith("=="))
        relleno = 2;
    else if (texto.endsWith('='))
        relleno = 1;

    const int m = std::max(0, decodificados - relleno) / 2; // an odd last byte is dropped
    unsigned char *datos = bytes.data();
    const int entero = (m / kBloque) * kBloque;
    unsigned char ultimo[kBloque];
    if (!Descifrar_Cbc(datos, entero, ultimo))
        return;
    const int resto = m - entero;
    if (resto > 0) {
        unsigned char mascara[kBloque];
        if (!Cifrar_Bloque(ultimo, mascara))
            return;
        for (int i = 0; i < resto; ++i)
            datos[entero + i] ^= mascara[i];
    }
    int fin = m;
    while (fin > 0 && datos[2 * fin - 2] == 0 && datos[2 * fin - 1] == 0)
        --fin;
    fsDestino.append(reinterpret_cast<const QChar *>(datos), fin);
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
