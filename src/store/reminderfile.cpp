#include "reminderfile.h"

#include "cipher.h"
#include "textforms.h"

#include <QFile>
#include <QMap>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <initializer_list>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QStringList Partir_Lineas(const QByteArray &rContenido, bool rbOmitirVacias)
{
    QStringList lineas;
    qsizetype inicio = 0;
    const qsizetype n = rContenido.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = rContenido.at(i);
        if (c != '\r' && c != '\n')
            continue;
        if (i > inicio || !rbOmitirVacias)
            lineas << QString::fromLatin1(rContenido.constData() + inicio, i - inicio);
        if (c == '\r' && i + 1 < n && rContenido.at(i + 1) == '\n')
            ++i;
        inicio = i + 1;
    }
    if (inicio < n)
        lineas << QString::fromLatin1(rContenido.constData() + inicio, n - inicio);
    return lineas;
}

TValoresTarea::TValoresTarea(const QStringList &rLineasPlanas)
{
    for (const QString &linea : rLineasPlanas) {
        const qsizetype igual = linea.indexOf(QLatin1Char('='));
        if (igual < 0)
            continue;
        const QString llave = linea.left(igual).toLower();
        if (!pValores.contains(llave))
            pValores.insert(llave, linea.mid(igual + 1));
    }
}

QString TValoresTarea::Valor(const QString &rsLlave) const
{
    return Recortar(pValores.value(rsLlave.toLower()));
}

bool TValoresTarea::Tiene(const QString &rsLlave) const
{
    return pValores.contains(rsLlave.toLower());
}

QString TValoresTarea::Lineas_Numeradas(const QString &rsPrefijo, int riMaximo) const
{
    // One pass over the keys instead of hundreds of look-ups per file.
    const QString prefijo = rsPrefijo.toLower();
    QMap<int, QString> lineas;
    for (auto it = pValores.cbegin(); it != pValores.cend(); ++it) {
        if (!it.key().startsWith(prefijo))
            continue;
        const QString numero = it.key().mid(prefijo.size());
        bool ok = false;
        const int n = numero.toInt(&ok);
        if (!ok || n < 1 || n > riMaximo || numero != QString::number(n))
            continue;
        const QString valor = Recortar(it.value());
        if (!valor.isEmpty())
            lineas.insert(n, valor);
    }
    return QStringList(lineas.cbegin(), lineas.cend()).join(QStringLiteral("\r\n"));
}

namespace {
// The checks of one file, in order; each returns false after setting the code.
class TValidador {
public:
    TValidador(const TValoresTarea &rValores, int &fiCodigo) : v(rValores), codigo(fiCodigo) {}

    // A number; riNoNumero when it is not one.
    bool Numero(const char *rsLlave, int riNoNumero, qint32 &fiValor, const char *rsVacio = nullptr)
    {
        QString valor = v.Valor(QLatin1String(rsLlave));
        if (valor.isEmpty() && rsVacio)
            valor = QLatin1String(rsVacio);
        if (Leer_Entero(valor, fiValor))
            return true;
        codigo = riNoNumero;
        return false;
    }
    // A number that must be one of two values; riFuera when it is another.
    bool Opcion(const char *rsLlave, int riNoNumero, int riFuera, std::initializer_list<qint32> rPermitidos,
                qint32 &fiValor)
    {
        if (!Numero(rsLlave, riNoNumero, fiValor))
            return false;
        if (std::find(rPermitidos.begin(), rPermitidos.end(), fiValor) != rPermitidos.end())
            return true;
        codigo = riFuera;
        return false;
    }
    bool Fecha(const char *rsLlave, int riInvalida, double &fdValor, bool rbVacioEsCero = false)
    {
        QString valor = v.Valor(QLatin1String(rsLlave));
        if (valor.isEmpty() && rbVacioEsCero)
            valor = QStringLiteral("0");
        fdValor = Str_To_Float_Sin_Punto(valor);
        if (fdValor != -1.0)
            return true;
        codigo = riInvalida;
        return false;
    }
    // Weekday digits "1".."7".
    bool Dias_Semana(int riVacio, int riMalo, QString &fsValor)
    {
        fsValor = v.Valor(QStringLiteral("DiasSemana"));
        return Lista(fsValor, riVacio, riMalo, [](QChar c) { return c >= QLatin1Char('1') && c <= QLatin1Char('7'); });
    }
    // Month and day lists: commas and digits.
    bool Lista_Comas(const char *rsLlave, int riVacio, int riMalo, QString &fsValor)
    {
        fsValor = v.Valor(QLatin1String(rsLlave));
        return Lista(fsValor, riVacio, riMalo,
                     [](QChar c) { return c == QLatin1Char(',') || (c >= QLatin1Char('0') && c <= QLatin1Char('9')); });
    }
    // "SiempreHasta" and "FechaFin".
    bool Hasta(int riNoNumero, int riFuera, int riFin, TTipoTarea &fTarea)
    {
        return Opcion("SiempreHasta", riNoNumero, riFuera, {0, 1}, fTarea.tiSiempreRepetirHasta) &&
               Fecha("FechaFin", riFin, fTarea.tdFechaFin);
    }
    bool Hora_Rango(const char *rsLlave, int riVacio, int riLargo, QString &fsValor)
    {
        fsValor = v.Valor(QLatin1String(rsLlave));
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
        return c.Fecha("FechaInicio", 10, t.tdFechaInicio);
    case TAREA_DIARIA:
        return c.Fecha("FechaInicio", 11, t.tdFechaInicio) && c.Hasta(13, 12, 14, t);
    case TAREA_SEMANAL:
        return c.Fecha("FechaInicio", 15, t.tdFechaInicio) && c.Dias_Semana(16, 17, t.tsDiasSemana) &&
               c.Hasta(19, 18, 20, t);
    case TAREA_MENSUAL:
        return c.Fecha("FechaInicio", 21, t.tdFechaInicio) && c.Lista_Comas("Meses", 22, 23, t.tsMeses) &&
               c.Lista_Comas("Dias", 24, 25, t.tsDias);
    case TAREA_AL_INICIAR:
        return true;
    case TAREA_CADA_HORA:
        if (!c.Fecha("FechaInicio", 34, t.tdFechaInicio) ||
            !c.Opcion("RangoHoras", 36, 35, {1, 2}, t.tiRangoHoras))
            return false;
        if (t.tiRangoHoras == 1) {
            if (!c.Hora_Rango("RangoHoraInicio", 37, 38, t.tsRangoHoraInicio) ||
                !c.Hora_Rango("RangoHoraFin", 39, 40, t.tsRangoHoraFin) ||
                !c.Numero("RangoCadaHora", 42, t.tiRangoCadaHora))
                return false;
            if (t.tiRangoCadaHora < 0) {
                fiCodigo = 41;
                return false;
            }
        } else {
            t.tsHorasLista = rValores.Valor(QStringLiteral("HorasLista"));
        }
        return c.Dias_Semana(43, 44, t.tsDiasSemana) && c.Hasta(46, 45, 47, t);
    case TAREA_ANUAL:
        return c.Fecha("FechaInicio", 48, t.tdFechaInicio) && c.Hasta(50, 49, 51, t);
    default:
        fiCodigo = 26;
        return false;
    }
}
} // namespace

int Validar_Tarea(const TValoresTarea &rValores, TTipoTarea &fTarea)
{
    int codigo = 0;
    TValidador c(rValores, codigo);
    TTipoTarea &t = fTarea;
    t.tsTaskName = rValores.Valor(QStringLiteral("TaskName1"));
    t.tsMensaje = rValores.Lineas_Numeradas(QStringLiteral("Mensaje"), 500);
    t.tsSummary = rValores.Lineas_Numeradas(QStringLiteral("Summary"), 50);

    if (!c.Numero("Lenguaje", 1, t.tiLenguaje))
        return codigo;
    if (t.tiLenguaje != 0 && t.tiLenguaje != 1)
        t.tiLenguaje = 0;
    if (!c.Opcion("AlertWindow", 3, 2, {1, 2, 3}, t.tiAlertWindow) ||
        !c.Opcion("TocarSonido", 5, 4, {0, 1}, t.tiTocarSonido) ||
        !c.Opcion("UsarSonidoDefault", 7, 6, {1, 2}, t.tiUsarSonidoDefault))
        return codigo;
    t.tsSonidoElegido = rValores.Valor(QStringLiteral("SonidoElegido"));
    t.tsPathDelSonido = rValores.Valor(QStringLiteral("PathSonido"));
    if (!c.Opcion("RepetirSonido", 9, 8, {0, 1}, t.tiRepetirSonido))
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

    if (!c.Numero("TareaTipo", 27, t.tiTareaTipo) || !Validar_Horario(c, rValores, t, codigo))
        return codigo;

    if (!c.Fecha("FechaCreacion", 28, t.tdFechaCreacion, true) ||
        !c.Fecha("LastRunTime", 29, t.tdLastRunTime, true) ||
        !c.Numero("SnoozeTime", 30, t.tiSnoozeTime, "-1") ||
        !c.Fecha("SnoozeRun", 31, t.tdSnoozeRun, true) ||
        !c.Numero("AutoDelete", 33, t.tiAutoDelete, "0"))
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

// The whole content of a regular file of at most kMaxBytesArchivoTarea bytes.
TLectura Leer_Contenido(const QString &rsArchivo, QByteArray &fContenido, QString &fsError)
{
    // O_NONBLOCK: opening a pipe would otherwise wait for a writer that never comes.
    const int fd = ::open(QFile::encodeName(rsArchivo).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int e = errno;
        // A file removed since it was listed is simply gone, not a failure.
        if (e == ENOENT)
            return TLectura::NoExiste;
        fsError = Texto_Errno(e);
        return TLectura::Error;
    }
    struct stat info {};
    TLectura resultado = TLectura::Ok;
    if (::fstat(fd, &info) != 0) {
        fsError = Texto_Errno(errno);
        resultado = TLectura::Error;
    } else if (!S_ISREG(info.st_mode)) {
        fsError = QStringLiteral("Not a regular file");
        resultado = TLectura::Error;
    } else if (info.st_size > kMaxBytesArchivoTarea) {
        fsError = QStringLiteral("File larger than %1 bytes").arg(kMaxBytesArchivoTarea);
        resultado = TLectura::Error;
    } else {
        // The size may change while it is read (a file of the system that reports 0, a
        // file still growing): the cap holds whatever stat said.
        fContenido.resize(qsizetype(info.st_size) + 1);
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
        }
        if (resultado == TLectura::Ok && leidos > kMaxBytesArchivoTarea) {
            fsError = QStringLiteral("File larger than %1 bytes").arg(kMaxBytesArchivoTarea);
            resultado = TLectura::Error;
        }
        fContenido.resize(resultado == TLectura::Ok ? leidos : 0);
    }
    ::close(fd);
    return resultado;
}
} // namespace

TLectura Leer_Lineas_Guardadas(const QString &rsArchivo, QStringList &fLineas, QString *fsError)
{
    fLineas.clear();
    QByteArray contenido;
    QString error;
    const TLectura r = Leer_Contenido(rsArchivo, contenido, error);
    if (r == TLectura::Error && fsError)
        *fsError = error;
    if (r == TLectura::Ok)
        fLineas = Partir_Lineas(contenido, true);
    return r;
}

TLectura Leer_Lineas_Planas(const QString &rsArchivo, QStringList &fLineas, QString *fsError)
{
    QStringList guardadas;
    QString error;
    const TLectura r = Leer_Lineas_Guardadas(rsArchivo, guardadas, &error);
    fLineas.clear();
    if (r == TLectura::Error && fsError)
        *fsError = rsArchivo + QStringLiteral(": ") + error;
    if (r != TLectura::Ok)
        return r;
    fLineas.reserve(guardadas.size());
    for (const QString &linea : guardadas)
        fLineas << DesEncriptar(linea);
    return TLectura::Ok;
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
