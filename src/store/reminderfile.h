#pragma once
// Reading one reminder file: the stored lines, their plain Key=Value form, and the
// validation that turns the values into a record.

#include "cipher.h"
#include "record.h"

#include <QByteArrayView>
#include <QStringList>

#include <array>
#include <vector>

// Splits file content at CR, LF or CR LF. A final line end adds no empty line.
// rbOmitirVacias drops empty lines (they hold no key), so a file of nothing but line
// ends costs no memory per line.
QStringList Partir_Lineas(const QByteArray &rContenido, bool rbOmitirVacias = false);

// The plain Key=Value lines: keys matched without regard to case, the first line of a
// key wins, lines without "=" are ignored, values trimmed when read.
// The lines are kept one after another in one text, and the keys as places in it, so
// an object reused for file after file allocates nothing once its buffers have grown.
class TValoresTarea {
public:
    TValoresTarea() = default;
    explicit TValoresTarea(const QStringList &rLineasPlanas);
    // Replaces the lines with the deciphered stored lines of a file's content.
    void Leer_Guardadas(QByteArrayView rContenido);
    QString Valor(QStringView rsLlave) const; // trimmed; empty when absent
    QStringView Vista(QStringView rsLlave) const; // the same without a copy, valid while this lives
    // An ASCII key the program looks up in every file, its hash made when it is compiled.
    struct TClave {
        QStringView sLlave;
        quint32 iHuella;
    };
    QString Valor(const TClave &rClave) const;
    QStringView Vista(const TClave &rClave) const;
    bool Tiene(QStringView rsLlave) const;
    // The non-empty values of rsPrefijo + 1 .. rsPrefijo + riMaximo, in number order,
    // joined by CR LF; gaps are skipped. rsPrefijo is ASCII.
    QString Lineas_Numeradas(QLatin1StringView rsPrefijo, int riMaximo) const;

    // A to Z lowered, every other character as it is: how keys are matched.
    static constexpr char16_t Bajar_Ascii(char16_t c)
    {
        return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
    }
    // A hash of an ASCII key lowered A to Z (FNV-1a), never 0 (0 for a key that is not
    // ASCII): a look-up compares a key's letters only when the hashes agree.
    static constexpr quint32 kHuellaInicial = 2166136261u;
    static constexpr quint32 Paso_Huella(quint32 riHuella, char16_t c)
    {
        return (riHuella ^ Bajar_Ascii(c)) * 16777619u;
    }
    static constexpr quint32 Huella_Llave(QStringView rsLlave)
    {
        quint32 h = kHuellaInicial;
        char16_t todos = 0;
        for (qsizetype i = 0; i < rsLlave.size(); ++i) {
            todos |= rsLlave[i].unicode();
            h = Paso_Huella(h, rsLlave[i].unicode());
        }
        if (todos >= 0x80)
            return 0;
        return h ? h : 1;
    }

private:
    struct TLlave {
        qsizetype iLlave;     // in pTexto, or in pMinusculas when bMinusculas (lowered)
        qsizetype iLargoLlave;
        qsizetype iValor;     // in pTexto, raw
        qsizetype iLargoValor;
        quint32 iHuella;      // Huella_Llave of an ASCII key, 0 for the others
        bool bMinusculas;
    };
private:
    void Vaciar();
    // Takes the line that lies in pTexto from riInicio to riFin.
    void Agregar_Linea(qsizetype riInicio, qsizetype riFin);
    QStringView Llave(const TLlave &rLlave) const;
    QStringView Valor_Crudo(const TLlave &rLlave) const;
    bool Es_Llave(const TLlave &rLlave, QStringView rsLlave) const;
    const TLlave *Buscar(QStringView rsLlave, quint32 riHuella) const;

    // Where a hash's first place in pIndice is.
    static constexpr unsigned Lugar(quint32 riHuella) { return (riHuella ^ (riHuella >> 16)) % kLugares; }

    QString pTexto;      // the lines one after another
    QString pMinusculas; // the keys that are not ASCII, lowered, one after another
    std::vector<TLlave> pLlaves; // in line order
    // The lines of ASCII keys by hash, each at the first free place from its hash's own
    // (so the lines of one key stay in line order): a look-up compares a line or two, not
    // every line. 0 is a free place, else a line's index + 1. Past three quarters full, or
    // once a key is not ASCII, look-ups go through every line in order instead.
    static constexpr unsigned kLugares = 256;
    std::array<quint16, kLugares> pIndice{};
    bool pbSinIndice = false;
    TDescifradorLineas pDescifrador;
};

// Fills fTarea from the values; 0 when every check passes, else the first failing
// check's code. fTarea.tsFile is left for the caller.
// rbTextos false leaves tsMensaje and tsSummary empty, nothing else changes.
int Validar_Tarea(const TValoresTarea &rValores, TTipoTarea &fTarea, bool rbTextos = true);

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

// The whole content of a regular file of at most kMaxBytesArchivoTarea bytes, into
// fContenido (whose buffer is reused); fsError as for Leer_Lineas_Guardadas.
TLectura Leer_Contenido(const QString &rsArchivo, QByteArray &fContenido, QString &fsError);
// The same for rsRuta under the open folder riCarpeta (or AT_FDCWD). rbListadoRegular: the
// folder's listing said a regular file, so its type and size are asked for only when the
// reading looks wrong.
TLectura Leer_Contenido_En(int riCarpeta, const char *rsRuta, bool rbListadoRegular, QByteArray &fContenido,
                           QString &fsError);

// What reading many files reuses from one file to the next: the content's buffer and the
// values' buffers. One per thread.
struct TLectorTareas {
    QByteArray pContenido;
    TValoresTarea pValores;
    // A folder's loader sets these: the folder open, whose listing said a regular file for
    // every name.
    int piCarpeta = -1;
    bool pbTextos = true; // as Validar_Tarea's rbTextos
};
// Leer_Archivo_Tarea through a reader's buffers; fTarea gets every field Validar_Tarea
// sets and tsFile (so it should start as a fresh record). rsNombre is the file's name in
// the reader's folder, opened there when the folder is open, else rsArchivo is.
TLectura Leer_Archivo_Tarea(const QString &rsArchivo, const char *rsNombre, TLectorTareas &fLector,
                            TTipoTarea &fTarea, int &fiCodigo, QString &fsError);
// The rest of that once the content is read: deciphers and validates it into fTarea.
void Leer_Tarea_De_Contenido(const QString &rsArchivo, QByteArrayView rContenido, TLectorTareas &fLector,
                             TTipoTarea &fTarea, int &fiCodigo);
