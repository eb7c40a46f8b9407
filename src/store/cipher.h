#pragma once
// The line cipher of reminder files: UTF-16LE text, AES-128-CBC over the first half of
// the padded buffer, Base64 over all of it.

#include <QByteArrayView>
#include <QString>
#include <vector>

// rsCadena lengthened with NUL characters to a whole number of riSize blocks
// (an empty text becomes riSize NULs).
QString PadWithZeros(const QString &rsCadena, int riSize);

QString Encriptar(const QString &rsCadena);
QString DesEncriptar(const QString &rsCadena);
// The same from the stored line's bytes, as read from the file.
QString DesEncriptar(QByteArrayView rsGuardada);
// The same, appended to fsDestino: a reader that reuses one text for many lines
// allocates nothing per line. A line that does not decipher appends nothing.
void DesEncriptar_Al_Final(QByteArrayView rsGuardada, QString &fsDestino);

// Deciphers many stored lines together: all their blocks go through the cipher in one
// call, where a line at a time paid the cipher's overhead for every line of every file.
// Reused from file to file, it allocates nothing once its buffers have grown.
class TDescifradorLineas {
public:
    // Adds one stored line; its text comes out with the others' at Descifrar.
    void Agregar(QByteArrayView rsGuardada);
    // Appends the text of every line added, in order, to fsDestino, each exactly as
    // DesEncriptar_Al_Final would, and gives where each one starts there (its end is the
    // next one's start, or the end of fsDestino). The lines are then forgotten.
    const std::vector<qsizetype> &Descifrar(QString &fsDestino);

private:
    struct TLinea {
        qsizetype iBytes = 0; // where its decoded bytes start in pBytes
        int iCaracteres = 0;  // its characters (half its bytes); -1 for a line that decodes to nothing
        int iCifrados = 0;    // the leading bytes enciphered block by block
    };
    std::vector<TLinea> pLineas;
    std::vector<unsigned char> pBytes; // the decoded lines, in its first piUsados bytes
    qsizetype piUsados = 0;
    std::vector<unsigned char> pCifrado;
    std::vector<unsigned char> pPlano;
    std::vector<unsigned char> pColas;
    std::vector<qsizetype> pInicios;
};
