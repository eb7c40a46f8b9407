#pragma once
// Reading one reminder file: the stored lines, their plain Key=Value form, and the
// validation that turns the values into a record.

#include "record.h"

#include <QStringList>

// Splits file content at CR, LF or CR LF. A final line end adds no empty line.
// rbOmitirVacias drops empty lines (they hold no key), so a file of nothing but line
// ends costs no memory per line.
QStringList Partir_Lineas(const QByteArray &rContenido, bool rbOmitirVacias = false);

// The plain Key=Value lines: keys matched without regard to case, the first line of a
// key wins, lines without "=" are ignored, values trimmed when read.
class TValoresTarea {
public:
    explicit TValoresTarea(const QStringList &rLineasPlanas);
    QString Valor(QStringView rsLlave) const; // trimmed; empty when absent
    bool Tiene(QStringView rsLlave) const;
    // The non-empty values of rsPrefijo + 1 .. rsPrefijo + riMaximo, in number order,
    // joined by CR LF; gaps are skipped.
    QString Lineas_Numeradas(const QString &rsPrefijo, int riMaximo) const;

private:
    struct TLlave {
        QStringView sLlave; // as written, or lowered when bMinusculas
        QStringView sValor; // raw
        bool bMinusculas;
    };
    static bool Es_Llave(const TLlave &rLlave, QStringView rsLlave);
    const TLlave *Buscar(QStringView rsLlave) const;

    QStringList pLineas;     // the views below point into these
    QStringList pMinusculas; // the keys that are not ASCII, lowered
    QList<TLlave> pLlaves;   // in line order
};

// Fills fTarea from the values; 0 when every check passes, else the first failing
// check's code. fTarea.tsFile is left for the caller.
int Validar_Tarea(const TValoresTarea &rValores, TTipoTarea &fTarea);

// The most a reminder file may hold, far above any real reminder. Every reader refuses a
// larger file without reading it whole, and every writer refuses to write one.
constexpr qint64 kMaxBytesArchivoTarea = 4 * 1024 * 1024;

enum class TLectura { Ok, NoExiste, Error };
// Reads the stored (enciphered) lines of a file, empty lines left out. Only a regular
// file (or a link to one) is read, and never more than kMaxBytesArchivoTarea: a pipe or a
// device named as a reminder file cannot hang or exhaust the reader. fsError gets the
// failure's text alone ("Permission denied"), without the path.
TLectura Leer_Lineas_Guardadas(const QString &rsArchivo, QStringList &fLineas, QString *fsError = nullptr);

// Reads and deciphers every line of a file; fsError as for Leer_Lineas_Guardadas.
TLectura Leer_Lineas_Descifradas(const QString &rsArchivo, QStringList &fLineas, QString *fsError = nullptr);
// The same, but fsError gets the path, ": " and the failure's text.
TLectura Leer_Lineas_Planas(const QString &rsArchivo, QStringList &fLineas, QString *fsError = nullptr);

// Reads, deciphers and validates one file. fiCodigo is 0 for a valid file.
TLectura Leer_Archivo_Tarea(const QString &rsArchivo, TTipoTarea &fTarea, int &fiCodigo,
                            QString *fsError = nullptr);
