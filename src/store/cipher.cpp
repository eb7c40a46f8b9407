#include "cipher.h"

#include <QByteArray>
#include <openssl/evp.h>
#include <openssl/crypto.h>

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

// One context per thread and use, keyed once: loading thousands of files re-keys
// nothing and only resets the IV per line.
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
    if (rCifrado == EVP_aes_128_ecb()) {
        thread_local Ctx ecb = crear();
        return ecb.get();
    }
    if (riCifrar) {
        thread_local Ctx cifrar = crear();
        return cifrar.get();
    }
    thread_local Ctx descifrar = crear();
    return descifrar.get();
}

// CBC over riBytes bytes (a multiple of 16) in place, without padding. fUltimo gets the
// last ciphertext block (the IV when there is none).
bool Cbc(unsigned char *fDatos, int riBytes, bool rbCifrar, unsigned char (&fUltimo)[kBloque])
{
    unsigned char iv[kBloque];
    Llave_Cifrado(iv);
    std::memcpy(fUltimo, iv, kBloque);
    if (riBytes == 0)
        return true;
    EVP_CIPHER_CTX *ctx = Contexto(EVP_aes_128_cbc(), rbCifrar ? 1 : 0);
    if (!ctx || EVP_CipherInit_ex(ctx, nullptr, nullptr, nullptr, iv, rbCifrar ? 1 : 0) != 1)
        return false;
    if (!rbCifrar)
        std::memcpy(fUltimo, fDatos + riBytes - kBloque, kBloque);
    int salida = 0;
    if (EVP_CipherUpdate(ctx, fDatos, &salida, fDatos, riBytes) != 1 || salida != riBytes)
        return false;
    if (rbCifrar)
        std::memcpy(fUltimo, fDatos + riBytes - kBloque, kBloque);
    return true;
}

// The AES encryption of one block, for the XOR of a tail shorter than a block.
bool Cifrar_Bloque(const unsigned char (&rEntrada)[kBloque], unsigned char (&fSalida)[kBloque])
{
    EVP_CIPHER_CTX *ctx = Contexto(EVP_aes_128_ecb(), 1);
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
    if (!Cbc(reinterpret_cast<unsigned char *>(bytes.data()), n, true, ultimo))
        return QString();
    return QString::fromLatin1(bytes.toBase64());
}

QString DesEncriptar(const QString &rsCadena)
{
    // Whole groups of four only; what follows the last one is ignored.
    const qsizetype largo = (rsCadena.size() / 4) * 4;
    if (largo == 0)
        return QString();
    const QByteArray texto = rsCadena.left(largo).toLatin1();
    QByteArray bytes(int(largo / 4 * 3), '\0');
    const int decodificados = EVP_DecodeBlock(reinterpret_cast<unsigned char *>(bytes.data()),
                                              reinterpret_cast<const unsigned char *>(texto.constData()), int(largo));
    if (decodificados < 0)
        return QString(); // not Base64: a line that matches no key
    // EVP_DecodeBlock counts a zero byte for every trailing "=".
    int relleno = 0;
    if (texto.endsWith("=="))
        relleno = 2;
    else if (texto.endsWith('='))
        relleno = 1;
    bytes.resize(decodificados - relleno);

    const int m = int(bytes.size() / 2);
    bytes.resize(2 * m);
    auto *datos = reinterpret_cast<unsigned char *>(bytes.data());
    const int entero = (m / kBloque) * kBloque;
    unsigned char ultimo[kBloque];
    if (!Cbc(datos, entero, false, ultimo))
        return QString();
    const int resto = m - entero;
    if (resto > 0) {
        unsigned char mascara[kBloque];
        if (!Cifrar_Bloque(ultimo, mascara))
            return QString();
        for (int i = 0; i < resto; ++i)
            datos[entero + i] ^= mascara[i];
    }
    QString r(reinterpret_cast<const QChar *>(bytes.constData()), m);
    qsizetype fin = r.size();
    while (fin > 0 && r.at(fin - 1).unicode() == 0)
        --fin;
    r.truncate(fin);
    return r;
}
