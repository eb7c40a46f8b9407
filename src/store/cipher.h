#pragma once
// The line cipher of reminder files: UTF-16LE text, AES-128-CBC over the first half of
// the padded buffer, Base64 over all of it.

#include <QByteArrayView>
#include <QString>

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
