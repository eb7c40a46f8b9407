#include "loader.h"

#include "daycount.h"
#include "parallel.h"
#include "readbatch.h"
#include "reminderfile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>
#include <cerrno>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <strings.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

static QString Quitar_Barras_Dobles(QString rsRuta)
{
    while (rsRuta.contains(QStringLiteral("//")))
        rsRuta.replace(QStringLiteral("//"), QStringLiteral("/"));
    return rsRuta;
}

namespace {
// Sorts the paths by their names without regard to case. Every path starts with the same
// folder (riCarpeta characters): only the names need comparing. Names in ASCII, as
// Kestrin makes them, are compared as their lowered bytes, which orders them as the
// case-insensitive comparison does without folding each character at every comparison;
// the same sort over the same results gives the same order.
void Ordenar_Nombres(QStringList &fRutas, qsizetype riCarpeta)
{
    // The lowered names one after another in one buffer, each found by where it starts.
    std::string claves;
    std::vector<size_t> inicios;
    inicios.reserve(size_t(fRutas.size()) + 1);
    for (const QString &ruta : std::as_const(fRutas)) {
        const QStringView nombre = QStringView(ruta).sliced(riCarpeta);
        if (!QtPrivate::isAscii(nombre)) {
            std::sort(fRutas.begin(), fRutas.end(), [riCarpeta](const QString &a, const QString &b) {
                return QStringView(a).sliced(riCarpeta).compare(QStringView(b).sliced(riCarpeta),
                                                                Qt::CaseInsensitive) < 0;
            });
            return;
        }
        inicios.push_back(claves.size());
        for (QChar c : nombre)
            claves += char(c >= QLatin1Char('A') && c <= QLatin1Char('Z') ? c.unicode() + ('a' - 'A') : c.unicode());
    }
    inicios.push_back(claves.size());
    // Each name's first 16 bytes as two numbers that order as the bytes do (a shorter name
    // padded with zeros, which no name holds): most comparisons are two numbers, not a
    // call to compare bytes. Only names that share those 16 compare the rest.
    struct TOrden {
        quint64 alto = 0;
        quint64 bajo = 0;
        std::string_view clave;
        qsizetype indice = 0;
    };
    std::vector<TOrden> orden(inicios.size() - 1);
    for (size_t i = 0; i < orden.size(); ++i) {
        TOrden &o = orden[i];
        o.indice = qsizetype(i);
        o.clave = std::string_view(claves.data() + inicios[i], inicios[i + 1] - inicios[i]);
        for (size_t k = 0; k < 16; ++k) {
            const quint64 byte = k < o.clave.size() ? uchar(o.clave[k]) : 0;
            (k < 8 ? o.alto : o.bajo) |= byte << (8 * (7 - k % 8));
        }
    }
    std::sort(orden.begin(), orden.end(), [](const TOrden &a, const TOrden &b) {
        if (a.alto != b.alto)
            return a.alto < b.alto;
        if (a.bajo != b.bajo)
            return a.bajo < b.bajo;
        return a.clave < b.clave;
    });
    QStringList ordenadas;
    ordenadas.reserve(fRutas.size());
    for (const TOrden &o : orden)
        ordenadas << std::move(fRutas[o.indice]);
    fRutas = std::move(ordenadas);
}

// A pattern "*" and a plain ASCII ending (as "*.od") matches a name whose last bytes are
// that ending in ASCII, in either case, as fnmatch would say at far less cost; a name
// whose ending is not ASCII, and any other pattern, is left to fnmatch. No "i" in the
// ending: a Turkish locale folds it otherwise.
class TPatron {
public:
    explicit TPatron(const QString &rsTipo) : patron(QFile::encodeName(rsTipo))
    {
        if (!patron.startsWith('*'))
            return;
        final = patron.sliced(1);
        for (char c : final)
            if (uchar(c) >= 0x80 || std::strchr("*?[\\iI", c))
                return;
        simple = true;
    }
    bool Coincide(const char *rsNombre) const
    {
        if (simple) {
            const size_t largo = std::strlen(rsNombre);
            if (largo < size_t(final.size()))
                return false;
            const char *cola = rsNombre + largo - final.size();
            bool ascii = true;
            for (qsizetype i = 0; i < final.size(); ++i)
                ascii = ascii && uchar(cola[i]) < 0x80;
            if (ascii)
                return ::strncasecmp(cola, final.constData(), size_t(final.size())) == 0;
        }
        return ::fnmatch(patron.constData(), rsNombre, FNM_CASEFOLD) == 0;
    }

private:
    QByteArray patron;
    QByteArray final;
    bool simple = false;
};

} // namespace

void Get_Files(QStringList &fStringList, const QString &rsPath, const QString &rsTipo, bool rbSorted,
               int riFechaLimite)
{
    fStringList.clear();
    // Straight from the folder: the names, and the type the folder already gives with each,
    // without a file-information object per name. Only links, file systems that give no
    // type and the date limit need a stat.
    DIR *dir = ::opendir(rsPath.isEmpty() ? "." : QFile::encodeName(rsPath).constData());
    if (!dir)
        return;
    const int fd = ::dirfd(dir);
    const TPatron patron(rsTipo);
    const QString base = rsPath.isEmpty() ? QString() : Quitar_Barras_Dobles(rsPath + QLatin1Char('/'));
    while (const dirent *entrada = ::readdir(dir)) {
        const char *nombre = entrada->d_name;
        if (std::strcmp(nombre, ".") == 0 || std::strcmp(nombre, "..") == 0)
            continue;
        // Names are matched without regard to case, hidden ones included.
        if (!patron.Coincide(nombre))
            continue;
        // Only regular files (or links to them): links to devices and pipes would be
        // read for ever.
        bool regular = entrada->d_type == DT_REG;
        if (riFechaLimite != 0 || entrada->d_type == DT_LNK || entrada->d_type == DT_UNKNOWN) {
            struct stat datos;
            if (::fstatat(fd, nombre, &datos, 0) != 0)
                continue;
            regular = S_ISREG(datos.st_mode);
            if (regular && riFechaLimite != 0) {
                const qint64 ms = qint64(datos.st_mtim.tv_sec) * 1000 + datos.st_mtim.tv_nsec / 1000000;
                const double dia = Solo_Fecha(DateTime_a_Dias(QDateTime::fromMSecsSinceEpoch(ms)));
                if (!(dia < riFechaLimite))
                    continue;
            }
        }
        if (!regular)
            continue;
        // An ASCII name, as Kestrin makes them, is its own text: the path is made in one piece.
        const QLatin1StringView ascii(nombre);
        if (QtPrivate::isAscii(ascii)) {
            QString ruta;
            ruta.reserve(base.size() + ascii.size());
            ruta += base;
            ruta += ascii;
            fStringList << std::move(ruta);
        } else {
            fStringList << base + QFile::decodeName(nombre);
        }
    }
    ::closedir(dir);
    if (rbSorted)
        Ordenar_Nombres(fStringList, base.size());
}

void Checar_si_el_Archivo_ya_fue_Liberado(const QString &rsArchivo)
{
    for (int intento = 0; intento < 20; ++intento) {
        QFile f(rsArchivo);
        if (f.open(QIODevice::ReadOnly))
            return;
        QThread::msleep(200);
    }
}

QString Error_Listar_Carpeta(const QString &rsDirectorio)
{
    const QByteArray ruta = QFile::encodeName(rsDirectorio);
    DIR *dir = ::opendir(ruta.constData());
    if (!dir)
        return QString::fromLocal8Bit(std::strerror(errno));
    ::closedir(dir);
    // Names that can be read but not opened (no search right) would all be skipped.
    if (::access(ruta.constData(), X_OK) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    return QString();
}

namespace {
// Makes the kernel give the pages of a large buffer about to be written all at once: a
// table of thousands of records otherwise takes one page fault per 4 KiB, and where a
// fault is dear that cost more than filling it. Where the kernel cannot, the pages come
// one fault at a time as before.
void Tomar_Memoria(void *rpInicio, size_t riBytes)
{
#ifdef MADV_POPULATE_WRITE
    const uintptr_t pagina = uintptr_t(::sysconf(_SC_PAGESIZE));
    const uintptr_t desde = (uintptr_t(rpInicio) + pagina - 1) & ~(pagina - 1);
    const uintptr_t hasta = (uintptr_t(rpInicio) + riBytes) & ~(pagina - 1);
    if (hasta > desde)
        ::madvise(reinterpret_cast<void *>(desde), hasta - desde, MADV_POPULATE_WRITE);
#else
    Q_UNUSED(rpInicio);
    Q_UNUSED(riBytes);
#endif
}

// How one file went; its record is read straight into its place in the table.
struct TArchivoLeido {
    TLectura lectura = TLectura::NoExiste;
    int codigo = 0;
    QString error;
};

// Reads every file into fTabla (one record per file, in file order), on several cores
// when there are enough files to pay for a thread. Each thread writes only the places of
// its range, so the order never depends on the threads.
QVector<TArchivoLeido> Leer_Archivos(const QStringList &rArchivos, int riCarpeta, qsizetype riInicioNombre,
                                     bool rbTextos, QVector<TTipoTarea> &fTabla)
{
    constexpr qsizetype kArchivosPorHilo = 100;
    const qsizetype n = rArchivos.size();
    QVector<TArchivoLeido> leidos(n);
    fTabla.reserve(n);
    Tomar_Memoria(fTabla.data(), size_t(n) * sizeof(TTipoTarea));
    fTabla.resize(n);
    TArchivoLeido *estado = leidos.data();
    TTipoTarea *tareas = fTabla.data();
    En_Paralelo(n, kArchivosPorHilo, [&](qsizetype desde, qsizetype hasta) {
        TLectorTareas lector;
        lector.piCarpeta = riCarpeta;
        lector.piInicioNombre = riInicioNombre;
        lector.pbTextos = rbTextos;
        // A batch of files read with few system calls when the kernel allows; each file it
        // could not read whole is read the usual way, which tells what is wrong with it.
        TLectorLotes lotes(riCarpeta);
        QList<QByteArray> nombres(TLectorLotes::kLote);
        for (qsizetype lote = desde; lote < hasta; lote += TLectorLotes::kLote) {
            const qsizetype fin = std::min(hasta, lote + TLectorLotes::kLote);
            if (lotes.Disponible()) {
                nombres.resize(fin - lote);
                for (qsizetype i = lote; i < fin; ++i)
                    Nombre_En_Carpeta(rArchivos[i], riInicioNombre, nombres[i - lote]);
                lotes.Leer(nombres);
            }
            for (qsizetype i = lote; i < fin; ++i) {
                QByteArrayView contenido;
                estado[i].codigo = 0;
                if (lotes.Contenido(i - lote, contenido)) {
                    estado[i].lectura = TLectura::Ok;
                    Leer_Tarea_De_Contenido(rArchivos[i], contenido, lector, tareas[i], estado[i].codigo);
                } else {
                    estado[i].lectura =
                        Leer_Archivo_Tarea(rArchivos[i], lector, tareas[i], estado[i].codigo, estado[i].error);
                }
            }
        }
    });
    return leidos;
}
} // namespace

TResultadoCarga Cargar_Directorio_Tareas(const QString &rsDirectorio, bool rbTextos)
{
    TResultadoCarga r;
    if (rsDirectorio.isEmpty() || !QFileInfo(rsDirectorio).isDir()) {
        r.directorioExiste = false;
        struct stat datos;
        r.carpetaFalta = rsDirectorio.isEmpty() ||
                         (::stat(QFile::encodeName(QDir::cleanPath(rsDirectorio)).constData(), &datos) != 0 &&
                          errno == ENOENT);
        return r;
    }
    // The listing below cannot tell an unreadable folder from an empty one.
    const QString sinAcceso = Error_Listar_Carpeta(rsDirectorio);
    if (!sinAcceso.isEmpty()) {
        r.directorioExiste = false;
        r.error = QDir::cleanPath(rsDirectorio) + QStringLiteral(": ") + sinAcceso;
        return r;
    }
    QStringList archivos;
    Get_Files(archivos, rsDirectorio, QStringLiteral("*.od"), true, 0);
    // Each file is opened by its name in the folder opened once, not by its whole path.
    const int carpeta = ::open(QFile::encodeName(rsDirectorio).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const qsizetype inicioNombre = archivos.isEmpty() ? 0 : archivos.front().lastIndexOf(QLatin1Char('/')) + 1;
    QVector<TTipoTarea> &tabla = r.tabla.paTipoTarea;
    const QVector<TArchivoLeido> leidos = Leer_Archivos(archivos, carpeta, inicioNombre, rbTextos, tabla);
    if (carpeta >= 0)
        ::close(carpeta);
    // The valid records close up in place, in file order.
    qsizetype validos = 0;
    for (qsizetype i = 0; i < archivos.size(); ++i) {
        const TArchivoLeido &leido = leidos[i];
        if (leido.lectura == TLectura::NoExiste)
            continue;
        if (leido.lectura == TLectura::Error)
            r.ilegibles.append({archivos[i], leido.error});
        else if (leido.codigo != 0)
            r.invalidos.append({archivos[i], leido.codigo});
        else if (validos++ != i)
            tabla[validos - 1] = std::move(tabla[i]);
    }
    tabla.resize(validos);
    return r;
}
