#include "reminderfile.h"

#include "cipher.h"
#include "textforms.h"

#include <QFile>
#include <QVarLengthArray>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <initializer_list>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Calls rLinea with each line of the content (CR, LF or CR LF ends a line; a final line
// end adds no empty line). The ends are found with memchr, which reads the content a
// word at a time: a CR and an LF are each looked for once, not at every byte.
template <typename F> void Recorrer_Lineas(QByteArrayView rContenido, bool rbOmitirVacias, F rLinea)
{
    const char *const datos = rContenido.data();
    const qsizetype n = rContenido.size();
    const auto buscar = [datos, n](char c, qsizetype desde) {
        const void *p = desde < n ? std::memchr(datos + desde, c, size_t(n - desde)) : nullptr;
        return p ? qsizetype(static_cast<const char *>(p) - datos) : n;
    };
    qsizetype cr = buscar('\r', 0);
    qsizetype lf = buscar('\n', 0);
    qsizetype inicio = 0;
    while (inicio < n) {
        if (cr < inicio)
            cr = buscar('\r', inicio);
        if (lf < inicio)
            lf = buscar('\n', inicio);
        const qsizetype fin = std::min(cr, lf);
        if (fin > inicio || (!rbOmitirVacias && fin < n))
            rLinea(rContenido.sliced(inicio, fin - inicio));
        inicio = fin + (fin == cr && lf == cr + 1 && lf < n ? 2 : 1);
    }
}
} // namespace

QStringList Partir_Lineas(const QByteArray &rContenido, bool rbOmitirVacias)
{
    QStringList lineas;
    Recorrer_Lineas(rContenido, rbOmitirVacias,
                    [&lineas](QByteArrayView rLinea) { lineas << QString::fromLatin1(rLinea); });
    return lineas;
}

TValoresTarea::TValoresTarea(const QStringList &rLineasPlanas)
{
    for (const QString &linea : rLineasPlanas) {
        const qsizetype inicio = pTexto.size();
        pTexto += linea;
        Agregar_Linea(inicio, pTexto.size());
    }
}

void TValoresTarea::Vaciar()
{
    // A text's clear() would give its buffer back; resizing to nothing keeps it for the next
    // file (a vector's clear() keeps its room).
    pTexto.resize(0);
    pMinusculas.resize(0);
    pLlaves.clear();
    pIndice.fill(0);
    pbSinIndice = false;
}

void TValoresTarea::Leer_Guardadas(QByteArrayView rContenido)
{
    Vaciar();
    // A stored line deciphers to at most 3/8 of its length in characters.
    pTexto.reserve(rContenido.size() / 8 * 3 + 16);
    Recorrer_Lineas(rContenido, true, [this](QByteArrayView rLinea) { pDescifrador.Agregar(rLinea); });
    const auto &inicios = pDescifrador.Descifrar(pTexto);
    for (size_t i = 0; i < inicios.size(); ++i)
        Agregar_Linea(inicios[i], i + 1 < inicios.size() ? inicios[i + 1] : pTexto.size());
}

void TValoresTarea::Agregar_Linea(qsizetype riInicio, qsizetype riFin)
{
    // One pass finds the "=", tells whether the key is ASCII and makes its hash.
    const char16_t *const linea = reinterpret_cast<const char16_t *>(pTexto.constData()) + riInicio;
    const qsizetype largo = riFin - riInicio;
    quint32 huella = kHuellaInicial;
    char16_t todos = 0;
    qsizetype igual = 0;
    for (; igual < largo && linea[igual] != u'='; ++igual) {
        todos |= linea[igual];
        huella = Paso_Huella(huella, linea[igual]);
    }
    if (igual == largo)
        return;
    const QStringView llave(linea, igual);
    const qsizetype valor = riInicio + igual + 1;
    // Keys are almost always ASCII, compared in place; any other is lowered once, in
    // full, as a key would be.
    if (todos < 0x80) {
        huella = huella ? huella : 1;
        pLlaves.push_back({riInicio, igual, valor, riFin - valor, huella, false});
        if (pLlaves.size() > kLugares / 4 * 3)
            pbSinIndice = true;
        if (!pbSinIndice) {
            unsigned lugar = Lugar(huella);
            while (pIndice[lugar] != 0)
                lugar = (lugar + 1) % kLugares;
            pIndice[lugar] = quint16(pLlaves.size());
        }
    } else {
        const QString baja = llave.toString().toLower();
        pLlaves.push_back({pMinusculas.size(), baja.size(), valor, riFin - valor, 0, true});
        pMinusculas += baja;
        pbSinIndice = true;
    }
}

namespace {
// Whether a key (ASCII, or lowered in full) begins with an ASCII prefix, A to Z without
// regard to case. No other letter folds: a lowered key is matched as it was lowered.
bool Empieza_Con(QStringView rsLlave, QLatin1StringView rsPrefijo)
{
    if (rsLlave.size() < rsPrefijo.size())
        return false;
    for (qsizetype i = 0; i < rsPrefijo.size(); ++i)
        if (TValoresTarea::Bajar_Ascii(rsLlave[i].unicode()) !=
            TValoresTarea::Bajar_Ascii(char16_t(uchar(rsPrefijo[i].toLatin1()))))
            return false;
    return true;
}

// The number of a numbered key ("12" of "Mensaje12") when it is written as a number is,
// without sign, blanks or leading zeros, and lies in 1..riMaximo; else 0.
int Numero_De_Llave(QStringView rsNumero, int riMaximo)
{
    if (rsNumero.isEmpty() || rsNumero.size() > 9 || rsNumero.front() == QLatin1Char('0'))
        return 0;
    int n = 0;
    for (QChar c : rsNumero) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return 0;
        n = n * 10 + (c.unicode() - u'0');
    }
    return n <= riMaximo ? n : 0;
}
} // namespace

QStringView TValoresTarea::Llave(const TLlave &rLlave) const
{
    return QStringView(rLlave.bMinusculas ? pMinusculas : pTexto).sliced(rLlave.iLlave, rLlave.iLargoLlave);
}

QStringView TValoresTarea::Valor_Crudo(const TLlave &rLlave) const
{
    return QStringView(pTexto).sliced(rLlave.iValor, rLlave.iLargoValor);
}

bool TValoresTarea::Es_Llave(const TLlave &rLlave, QStringView rsLlave) const
{
    const QStringView llave = Llave(rLlave);
    if (rLlave.bMinusculas)
        return llave == rsLlave.toString().toLower();
    // An ASCII key matches only a key of its length, whatever lowering does to the other:
    // most lines are ruled out by that alone, the rest letter by letter.
    if (llave.size() != rsLlave.size())
        return false;
    // Kestrin writes each key as it looks it up: the same letters settle it at once.
    if (std::memcmp(llave.utf16(), rsLlave.utf16(), size_t(llave.size()) * sizeof(char16_t)) == 0)
        return true;
    for (qsizetype i = 0; i < rsLlave.size(); ++i) {
        const char16_t buscada = rsLlave[i].unicode();
        if (buscada >= 0x80)
            return llave.toString().toLower() == rsLlave.toString().toLower();
        if (Bajar_Ascii(llave[i].unicode()) != Bajar_Ascii(buscada))
            return false;
    }
    return true;
}

const TValoresTarea::TLlave *TValoresTarea::Buscar(QStringView rsLlave, quint32 riHuella) const
{
    // The first line of a key wins. An ASCII key can only be another ASCII key of the same
    // hash; a key that is not ASCII (hash 0) may match any, and is compared with all.
    if (riHuella != 0 && !pbSinIndice) {
        for (unsigned lugar = Lugar(riHuella); pIndice[lugar] != 0; lugar = (lugar + 1) % kLugares) {
            const TLlave &llave = pLlaves[pIndice[lugar] - 1];
            if (llave.iHuella == riHuella && Es_Llave(llave, rsLlave))
                return &llave;
        }
        return nullptr;
    }
    for (const TLlave &llave : pLlaves)
        if ((riHuella == 0 || llave.iHuella == riHuella || llave.bMinusculas) && Es_Llave(llave, rsLlave))
            return &llave;
    return nullptr;
}

QStringView TValoresTarea::Vista(QStringView rsLlave) const
{
    return Vista(TClave{rsLlave, Huella_Llave(rsLlave)});
}

QStringView TValoresTarea::Vista(const TClave &rClave) const
{
    const TLlave *llave = Buscar(rClave.sLlave, rClave.iHuella);
    return llave ? Recortar_Vista(Valor_Crudo(*llave)) : QStringView();
}

QString TValoresTarea::Valor(QStringView rsLlave) const
{
    return Vista(rsLlave).toString();
}

QString TValoresTarea::Valor(const TClave &rClave) const
{
    return Vista(rClave).toString();
}

bool TValoresTarea::Tiene(QStringView rsLlave) const
{
    return Buscar(rsLlave, Huella_Llave(rsLlave)) != nullptr;
}

QString TValoresTarea::Lineas_Numeradas(QLatin1StringView rsPrefijo, int riMaximo) const
{
    // One pass over the lines instead of hundreds of look-ups per file.
    QVarLengthArray<std::pair<int, QStringView>, 16> lineas;
    for (const TLlave &llave : pLlaves) {
        const QStringView nombre = Llave(llave);
        if (!Empieza_Con(nombre, rsPrefijo))
            continue;
        const int n = Numero_De_Llave(nombre.sliced(rsPrefijo.size()), riMaximo);
        if (n == 0)
            continue;
        // The first line of a key wins, even an empty one.
        if (std::none_of(lineas.cbegin(), lineas.cend(), [n](const auto &l) { return l.first == n; }))
            lineas.append({n, Recortar_Vista(Valor_Crudo(llave))});
    }
    std::sort(lineas.begin(), lineas.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    QString texto;
    qsizetype largo = 0;
    for (const auto &l : lineas)
        largo += l.second.size() + 2;
    texto.reserve(largo);
    for (const auto &l : lineas) {
        if (l.second.isEmpty())
            continue;
        if (!texto.isEmpty())
            texto += QLatin1String("\r\n");
        texto += l.second;
    }
    return texto;
}

namespace {
using TClave = TValoresTarea::TClave;
// u"Lenguaje"_clave: a key and its hash, made when the program is compiled.
consteval TClave operator""_clave(const char16_t *rsLlave, size_t riLargo)
{
    const QStringView llave(rsLlave, qsizetype(riLargo));
    return {llave, TValoresTarea::Huella_Llave(llave)};
}
} // namespace

namespace {
// The checks of one file, in order; each returns false after setting the code.
class TValidador {
public:
    TValidador(const TValoresTarea &rValores, int &fiCodigo) : v(rValores), codigo(fiCodigo) {}

    // A number; riNoNumero when it is not one.
    bool Numero(const TClave &rsLlave, int riNoNumero, qint32 &fiValor, const char16_t *rsVacio = nullptr)
    {
        QStringView valor = v.Vista(rsLlave);
        if (valor.isEmpty() && rsVacio)
            valor = rsVacio;
        if (Leer_Entero(valor, fiValor))
            return true;
        codigo = riNoNumero;
        return false;
    }
    // A number that must be one of two values; riFuera when it is another.
    bool Opcion(const TClave &rsLlave, int riNoNumero, int riFuera, std::initializer_list<qint32> rPermitidos,
                qint32 &fiValor)
    {
        if (!Numero(rsLlave, riNoNumero, fiValor))
            return false;
        if (std::find(rPermitidos.begin(), rPermitidos.end(), fiValor) != rPermitidos.end())
            return true;
        codigo = riFuera;
        return false;
    }
    bool Fecha(const TClave &rsLlave, int riInvalida, double &fdValor, bool rbVacioEsCero = false)
    {
        QStringView valor = v.Vista(rsLlave);
        if (valor.isEmpty() && rbVacioEsCero)
            valor = u"0";
        fdValor = Str_To_Float_Sin_Punto(valor);
        if (fdValor != -1.0)
            return true;
        codigo = riInvalida;
        return false;
    }
    // Weekday digits "1".."7".
    bool Dias_Semana(int riVacio, int riMalo, QString &fsValor)
    {
        fsValor = v.Valor(u"DiasSemana"_clave);
        return Lista(fsValor, riVacio, riMalo, [](QChar c) { return c >= QLatin1Char('1') && c <= QLatin1Char('7'); });
    }
    // Month and day lists: commas and digits.
    bool Lista_Comas(const TClave &rsLlave, int riVacio, int riMalo, QString &fsValor)
    {
        fsValor = v.Valor(rsLlave);
        return Lista(fsValor, riVacio, riMalo,
                     [](QChar c) { return c == QLatin1Char(',') || (c >= QLatin1Char('0') && c <= QLatin1Char('9')); });
    }
    // "SiempreHasta" and "FechaFin".
    bool Hasta(int riNoNumero, int riFuera, int riFin, TTipoTarea &fTarea)
    {
        return Opcion(u"SiempreHasta"_clave, riNoNumero, riFuera, {0, 1}, fTarea.tiSiempreRepetirHasta) &&
               Fecha(u"FechaFin"_clave, riFin, fTarea.tdFechaFin);
    }
    bool Hora_Rango(const TClave &rsLlave, int riVacio, int riLargo, QString &fsValor)
    {
        fsValor = v.Valor(rsLlave);
        if (fsValor.isEmpty()) {
            codigo = riVacio;
            return false;
        }
        if (fsValor.size() < 4 || fsValor.size() > 5) {
            codigo = riLargo;
            return false;
        }
        return true;
    }

private:
    template <typename F> bool Lista(const QString &rsValor, int riVacio, int riMalo, F rValido)
    {
        if (rsValor.isEmpty()) {
            codigo = riVacio;
            return false;
        }
        for (QChar c : rsValor)
            if (!rValido(c)) {
                codigo = riMalo;
                return false;
            }
        return true;
    }

    const TValoresTarea &v;
    int &codigo;
};

bool Validar_Horario(TValidador &c, const TValoresTarea &rValores, TTipoTarea &t, int &fiCodigo)
{
    switch (t.tiTareaTipo) {
    case TAREA_UNA_VEZ:
        return c.Fecha(u"FechaInicio"_clave, 10, t.tdFechaInicio);
    case TAREA_DIARIA:
        return c.Fecha(u"FechaInicio"_clave, 11, t.tdFechaInicio) && c.Hasta(13, 12, 14, t);
    case TAREA_SEMANAL:
        return c.Fecha(u"FechaInicio"_clave, 15, t.tdFechaInicio) && c.Dias_Semana(16, 17, t.tsDiasSemana) &&
               c.Hasta(19, 18, 20, t);
    case TAREA_MENSUAL:
        return c.Fecha(u"FechaInicio"_clave, 21, t.tdFechaInicio) && c.Lista_Comas(u"Meses"_clave, 22, 23, t.tsMeses) &&
               c.Lista_Comas(u"Dias"_clave, 24, 25, t.tsDias);
    case TAREA_AL_INICIAR:
        return true;
    case TAREA_CADA_HORA:
        if (!c.Fecha(u"FechaInicio"_clave, 34, t.tdFechaInicio) ||
            !c.Opcion(u"RangoHoras"_clave, 36, 35, {1, 2}, t.tiRangoHoras))
            return false;
        if (t.tiRangoHoras == 1) {
            if (!c.Hora_Rango(u"RangoHoraInicio"_clave, 37, 38, t.tsRangoHoraInicio) ||
                !c.Hora_Rango(u"RangoHoraFin"_clave, 39, 40, t.tsRangoHoraFin) ||
                !c.Numero(u"RangoCadaHora"_clave, 42, t.tiRangoCadaHora))
                return false;
            if (t.tiRangoCadaHora < 0) {
                fiCodigo = 41;
                return false;
            }
        } else {
            t.tsHorasLista = rValores.Valor(u"HorasLista"_clave);
        }
        return c.Dias_Semana(43, 44, t.tsDiasSemana) && c.Hasta(46, 45, 47, t);
    case TAREA_ANUAL:
        return c.Fecha(u"FechaInicio"_clave, 48, t.tdFechaInicio) && c.Hasta(50, 49, 51, t);
    default:
        fiCodigo = 26;
        return false;
    }
}
} // namespace

int Validar_Tarea(const TValoresTarea &rValores, TTipoTarea &fTarea, bool rbTextos)
{
    int codigo = 0;
    TValidador c(rValores, codigo);
    TTipoTarea &t = fTarea;
    t.tsTaskName = rValores.Valor(u"TaskName1"_clave);
    if (rbTextos) {
        t.tsMensaje = rValores.Lineas_Numeradas(QLatin1StringView("Mensaje"), 500);
        t.tsSummary = rValores.Lineas_Numeradas(QLatin1StringView("Summary"), 50);
    }

    if (!c.Numero(u"Lenguaje"_clave, 1, t.tiLenguaje))
        return codigo;
    if (t.tiLenguaje != 0 && t.tiLenguaje != 1)
        t.tiLenguaje = 0;
    if (!c.Opcion(u"AlertWindow"_clave, 3, 2, {1, 2, 3}, t.tiAlertWindow) ||
        !c.Opcion(u"TocarSonido"_clave, 5, 4, {0, 1}, t.tiTocarSonido) ||
        !c.Opcion(u"UsarSonidoDefault"_clave, 7, 6, {1, 2}, t.tiUsarSonidoDefault))
        return codigo;
    t.tsSonidoElegido = rValores.Valor(u"SonidoElegido"_clave);
    t.tsPathDelSonido = rValores.Valor(u"PathSonido"_clave);
    if (!c.Opcion(u"RepetirSonido"_clave, 9, 8, {0, 1}, t.tiRepetirSonido))
        return codigo;

    // Fields the type does not read keep these values, whatever the file says.
    t.tdFechaInicio = 0;
    t.tdFechaFin = 0;
    t.tiSiempreRepetirHasta = 0;
    t.tsDiasSemana.clear();
    t.tsMeses.clear();
    t.tsDias.clear();
    t.tsHorasLista.clear();
    t.tiRangoHoras = 1;
    t.tsRangoHoraInicio = QStringLiteral("08:00");
    t.tsRangoHoraFin = QStringLiteral("08:00");
    t.tiRangoCadaHora = 1;

    if (!c.Numero(u"TareaTipo"_clave, 27, t.tiTareaTipo) || !Validar_Horario(c, rValores, t, codigo))
        return codigo;

    if (!c.Fecha(u"FechaCreacion"_clave, 28, t.tdFechaCreacion, true) ||
        !c.Fecha(u"LastRunTime"_clave, 29, t.tdLastRunTime, true) ||
        !c.Numero(u"SnoozeTime"_clave, 30, t.tiSnoozeTime, u"-1") ||
        !c.Fecha(u"SnoozeRun"_clave, 31, t.tdSnoozeRun, true) ||
        !c.Numero(u"AutoDelete"_clave, 33, t.tiAutoDelete, u"0"))
        return codigo;
    if (t.tiAutoDelete != 0 && t.tiAutoDelete != 1)
        return 32;
    t.tdNextRunTime = 0;
    return 0;
}

namespace {
QString Texto_Errno(int riErrno)
{
    return QString::fromLocal8Bit(std::strerror(riErrno));
}

} // namespace

namespace {
QString Texto_Demasiado_Grande()
{
    return QStringLiteral("File larger than %1 bytes").arg(kMaxBytesArchivoTarea);
}

// Why fd cannot be read as a reminder file (not a regular file, too large), or nothing;
// fiTamano gets its size.
QString Motivo_Sin_Lectura(int fd, qint64 &fiTamano)
{
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return Texto_Errno(errno);
    if (!S_ISREG(info.st_mode))
        return QStringLiteral("Not a regular file");
    fiTamano = info.st_size;
    return info.st_size > kMaxBytesArchivoTarea ? Texto_Demasiado_Grande() : QString();
}

// Reads fd to its end into fContenido, with room for riInicial bytes at first; the size
// may change while it is read (a file of the system that reports 0, a file still
// growing), and the cap holds whatever was expected.
TLectura Leer_Descriptor(int fd, qsizetype riInicial, QByteArray &fContenido, QString &fsError)
{
    TLectura resultado = TLectura::Ok;
    fContenido.resize(riInicial);
    qsizetype leidos = 0;
    for (;;) {
        if (leidos == fContenido.size()) {
            if (leidos > kMaxBytesArchivoTarea)
                break;
            fContenido.resize(std::min<qsizetype>(kMaxBytesArchivoTarea + 1, leidos * 2 + 4096));
        }
        const ssize_t n = ::read(fd, fContenido.data() + leidos, size_t(fContenido.size() - leidos));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            fsError = Texto_Errno(errno);
            resultado = TLectura::Error;
            break;
        }
        if (n == 0)
            break;
        leidos += n;
        // A regular file gives less than asked only at its end: no read for the end.
        if (leidos < fContenido.size())
            break;
    }
    if (resultado == TLectura::Ok && leidos > kMaxBytesArchivoTarea) {
        fsError = Texto_Demasiado_Grande();
        resultado = TLectura::Error;
    }
    fContenido.resize(resultado == TLectura::Ok ? leidos : 0);
    return resultado;
}
} // namespace

TLectura Leer_Contenido_En(int riCarpeta, const char *rsRuta, bool rbListadoRegular, QByteArray &fContenido,
                           QString &fsError)
{
    // O_NONBLOCK: opening a pipe would otherwise wait for a writer that never comes.
    const int fd = ::openat(riCarpeta, rsRuta, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int e = errno;
        // A file removed since it was listed is simply gone, not a failure.
        if (e == ENOENT)
            return TLectura::NoExiste;
        fsError = Texto_Errno(e);
        return TLectura::Error;
    }
    TLectura resultado = TLectura::Ok;
    qint64 tamano = 0;
    if (rbListadoRegular) {
        // A regular file when listed: read at once with room for the largest allowed, and
        // its type and size are asked for only when the reading looks wrong (nothing, too
        // much, an error), in case something else has taken the name since.
        resultado = Leer_Descriptor(fd, kMaxBytesArchivoTarea + 1, fContenido, fsError);
        if (resultado != TLectura::Ok || fContenido.isEmpty()) {
            const QString motivo = Motivo_Sin_Lectura(fd, tamano);
            if (!motivo.isEmpty()) {
                fsError = motivo;
                resultado = TLectura::Error;
                fContenido.resize(0);
            }
        }
    } else if (const QString motivo = Motivo_Sin_Lectura(fd, tamano); !motivo.isEmpty()) {
        fsError = motivo;
        resultado = TLectura::Error;
    } else {
        resultado = Leer_Descriptor(fd, qsizetype(tamano) + 1, fContenido, fsError);
    }
    ::close(fd);
    return resultado;
}

TLectura Leer_Contenido(const QString &rsArchivo, QByteArray &fContenido, QString &fsError)
{
    return Leer_Contenido_En(AT_FDCWD, QFile::encodeName(rsArchivo).constData(), false, fContenido, fsError);
}

namespace {
// Reads the stored lines of a file, empty ones left out, each turned by rConvertir.
template <typename F>
TLectura Leer_Lineas_Con(const QString &rsArchivo, QStringList &fLineas, QString *fsError, F rConvertir)
{
    fLineas.clear();
    QByteArray contenido;
    QString error;
    const TLectura r = Leer_Contenido(rsArchivo, contenido, error);
    if (r == TLectura::Error && fsError)
        *fsError = error;
    if (r == TLectura::Ok)
        Recorrer_Lineas(contenido, true, [&](QByteArrayView rLinea) { fLineas << rConvertir(rLinea); });
    return r;
}
} // namespace

TLectura Leer_Lineas_Guardadas(const QString &rsArchivo, QStringList &fLineas, QString *fsError)
{
    return Leer_Lineas_Con(rsArchivo, fLineas, fsError, [](QByteArrayView rLinea) { return QString::fromLatin1(rLinea); });
}

TLectura Leer_Lineas_Descifradas(const QString &rsArchivo, QStringList &fLineas, QString *fsError)
{
    // Each stored line is deciphered where it lies in the content: no text per stored line.
    return Leer_Lineas_Con(rsArchivo, fLineas, fsError, [](QByteArrayView rLinea) { return DesEncriptar(rLinea); });
}

TLectura Leer_Lineas_Planas(const QString &rsArchivo, QStringList &fLineas, QString *fsError)
{
    QString error;
    const TLectura r = Leer_Lineas_Descifradas(rsArchivo, fLineas, &error);
    if (r == TLectura::Error && fsError)
        *fsError = rsArchivo + QStringLiteral(": ") + error;
    return r;
}

void Leer_Tarea_De_Contenido(const QString &rsArchivo, QByteArrayView rContenido, TLectorTareas &fLector,
                             TTipoTarea &fTarea, int &fiCodigo)
{
    fLector.pValores.Leer_Guardadas(rContenido);
    fiCodigo = Validar_Tarea(fLector.pValores, fTarea, fLector.pbTextos);
    fTarea.tsFile = rsArchivo;
}

TLectura Leer_Archivo_Tarea(const QString &rsArchivo, const char *rsNombre, TLectorTareas &fLector,
                            TTipoTarea &fTarea, int &fiCodigo, QString &fsError)
{
    fiCodigo = 0;
    const TLectura r = fLector.piCarpeta >= 0
                           ? Leer_Contenido_En(fLector.piCarpeta, rsNombre, true, fLector.pContenido, fsError)
                           : Leer_Contenido(rsArchivo, fLector.pContenido, fsError);
    if (r == TLectura::Ok)
        Leer_Tarea_De_Contenido(rsArchivo, fLector.pContenido, fLector, fTarea, fiCodigo);
    return r;
}

TLectura Leer_Archivo_Tarea(const QString &rsArchivo, TTipoTarea &fTarea, int &fiCodigo, QString *fsError)
{
    QStringList lineas;
    const TLectura r = Leer_Lineas_Planas(rsArchivo, lineas, fsError);
    fiCodigo = 0;
    if (r != TLectura::Ok)
        return r;
    fTarea = TTipoTarea();
    fiCodigo = Validar_Tarea(TValoresTarea(lineas), fTarea);
    fTarea.tsFile = rsArchivo;
    return TLectura::Ok;
}
