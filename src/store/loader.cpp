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
#include <mutex>
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
// The names of a folder's files that match, their bytes one after another in one buffer,
// each ended by a NUL so that it can be opened as it is; found by where each starts.
struct TNombres {
    std::string bytes;
    std::vector<size_t> inicios;
    qsizetype Cuantos() const { return qsizetype(inicios.size()); }
    const char *Nombre(qsizetype riIndice) const { return bytes.data() + inicios[size_t(riIndice)]; }
};

// Sorts the names without regard to case. Names in ASCII, as Kestrin makes them, are
// compared as their lowered bytes, which orders them as the case-insensitive comparison
// of their texts does without folding each character at every comparison; the same sort
// over the same names gives the same order.
void Ordenar_Nombres(TNombres &fNombres)
{
    const size_t n = fNombres.inicios.size();
    std::vector<size_t> inicios(n);
    if (!std::all_of(fNombres.bytes.begin(), fNombres.bytes.end(), [](char c) { return uchar(c) < 0x80; })) {
        std::vector<QString> textos(n);
        std::vector<size_t> orden(n);
        for (size_t i = 0; i < n; ++i) {
            textos[i] = QFile::decodeName(fNombres.Nombre(qsizetype(i)));
            orden[i] = i;
        }
        std::sort(orden.begin(), orden.end(),
                  [&](size_t a, size_t b) { return textos[a].compare(textos[b], Qt::CaseInsensitive) < 0; });
        for (size_t i = 0; i < n; ++i)
            inicios[i] = fNombres.inicios[orden[i]];
        fNombres.inicios = std::move(inicios);
        return;
    }
    // The lowered names, where the names are in the buffer.
    std::string claves = fNombres.bytes;
    for (char &c : claves)
        if (c >= 'A' && c <= 'Z')
            c = char(c + ('a' - 'A'));
    // Each name's first 16 bytes as two numbers that order as the bytes do (a shorter name
    // ends in its NUL, which no name holds): most comparisons are two numbers, not a call
    // to compare bytes. Only names that share those 16 compare the rest.
    struct TOrden {
        quint64 alto = 0;
        quint64 bajo = 0;
        size_t inicio = 0;
    };
    std::vector<TOrden> orden(n);
    for (size_t i = 0; i < n; ++i) {
        TOrden &o = orden[i];
        o.inicio = fNombres.inicios[i];
        const char *clave = claves.data() + o.inicio;
        bool fin = false;
        for (size_t k = 0; k < 16; ++k) {
            fin = fin || clave[k] == 0;
            const quint64 byte = fin ? 0 : uchar(clave[k]);
            (k < 8 ? o.alto : o.bajo) |= byte << (8 * (7 - k % 8));
        }
    }
    std::sort(orden.begin(), orden.end(), [&](const TOrden &a, const TOrden &b) {
        if (a.alto != b.alto)
            return a.alto < b.alto;
        if (a.bajo != b.bajo)
            return a.bajo < b.bajo;
        return std::strcmp(claves.data() + a.inicio, claves.data() + b.inicio) < 0;
    });
    for (size_t i = 0; i < n; ++i)
        inicios[i] = orden[i].inicio;
    fNombres.inicios = std::move(inicios);
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

// Lists the names in rsPath matching rsTipo (see Get_Files); false when the folder cannot
// be opened.
bool Listar_Nombres(const QString &rsPath, const QString &rsTipo, bool rbSorted, int riFechaLimite,
                    TNombres &fNombres)
{
    fNombres = TNombres();
    // Straight from the folder: the names, and the type the folder already gives with each,
    // without a file-information object per name. Only links, file systems that give no
    // type and the date limit need a stat.
    DIR *dir = ::opendir(rsPath.isEmpty() ? "." : QFile::encodeName(rsPath).constData());
    if (!dir)
        return false;
    const int fd = ::dirfd(dir);
    const TPatron patron(rsTipo);
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
        fNombres.inicios.push_back(fNombres.bytes.size());
        fNombres.bytes.append(nombre, std::strlen(nombre) + 1);
    }
    ::closedir(dir);
    if (rbSorted)
        Ordenar_Nombres(fNombres);
    return true;
}

// What goes before each name in its path.
QString Base_De_Rutas(const QString &rsPath)
{
    return rsPath.isEmpty() ? QString() : Quitar_Barras_Dobles(rsPath + QLatin1Char('/'));
}

QString Ruta(const QString &rsBase, const char *rsNombre)
{
    // An ASCII name, as Kestrin makes them, is its own text: the path is made in one piece.
    const QLatin1StringView ascii(rsNombre);
    if (!QtPrivate::isAscii(ascii))
        return rsBase + QFile::decodeName(rsNombre);
    QString ruta;
    ruta.reserve(rsBase.size() + ascii.size());
    ruta += rsBase;
    ruta += ascii;
    return ruta;
}
} // namespace

void Get_Files(QStringList &fStringList, const QString &rsPath, const QString &rsTipo, bool rbSorted,
               int riFechaLimite)
{
    fStringList.clear();
    TNombres nombres;
    if (!Listar_Nombres(rsPath, rsTipo, rbSorted, riFechaLimite, nombres))
        return;
    const QString base = Base_De_Rutas(rsPath);
    fStringList.reserve(nombres.Cuantos());
    for (qsizetype i = 0; i < nombres.Cuantos(); ++i)
        fStringList << Ruta(base, nombres.Nombre(i));
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

// How one file went: a few bytes for each of thousands of files.
struct TArchivoLeido {
    TLectura lectura = TLectura::NoExiste;
    int codigo = 0;
};

// A file that has to be reported: few, so kept apart with its path and the system's text.
struct TArchivoFallido {
    qsizetype iArchivo = 0;
    QString ruta;
    QString error;
};

struct TLeidos {
    QVector<TArchivoLeido> archivos;
    std::vector<TArchivoFallido> fallidos; // in file order
};

// Reads every file named, on several cores when there are enough files to pay for a
// thread. Each record is read straight into its file's place in fTabla; with rVisitar,
// fTabla is left alone and each thread reads into one record of its own, handed to
// rVisitar after each valid file. What is found of each file goes to its own place, so
// the order never depends on the threads.
TLeidos Leer_Archivos(const TNombres &rNombres, const QString &rsBase, int riCarpeta, bool rbTextos,
                      QVector<TTipoTarea> &fTabla, const TVisitaTarea *rVisitar)
{
    constexpr qsizetype kArchivosPorHilo = 100;
    const qsizetype n = rNombres.Cuantos();
    TLeidos r;
    r.archivos.resize(n);
    if (!rVisitar) {
        fTabla.reserve(n);
        Tomar_Memoria(fTabla.data(), size_t(n) * sizeof(TTipoTarea));
        fTabla.resize(n);
    }
    TArchivoLeido *estado = r.archivos.data();
    TTipoTarea *tareas = rVisitar ? nullptr : fTabla.data();
    std::mutex cerrojo;
    // Pieces of a few batches: a thread slowed by other work on its core leaves more to
    // the others instead of holding up the end.
    En_Paralelo_Repartido(n, kArchivosPorHilo, 4 * TLectorLotes::kLote, [&](TReparto &fReparto) {
        TLectorTareas lector;
        lector.piCarpeta = riCarpeta;
        lector.pbTextos = rbTextos;
        TTipoTarea propia;
        // A batch of files read with few system calls when the kernel allows; each file it
        // could not read whole is read the usual way, which tells what is wrong with it.
        TLectorLotes lotes(riCarpeta);
        const char *nombres[TLectorLotes::kLote];
        qsizetype lote = 0;
        qsizetype hasta = 0;
        while (lote < hasta || fReparto.Tomar(lote, hasta)) {
            const qsizetype fin = std::min(hasta, lote + TLectorLotes::kLote);
            if (lotes.Disponible()) {
                for (qsizetype i = lote; i < fin; ++i)
                    nombres[i - lote] = rNombres.Nombre(i);
                lotes.Leer(nombres, fin - lote);
            }
            for (qsizetype i = lote; i < fin; ++i) {
                TArchivoLeido &leido = estado[i];
                // The record of the file before is not carried over.
                if (!tareas)
                    propia = TTipoTarea();
                TTipoTarea &tarea = tareas ? tareas[i] : propia;
                const QString ruta = Ruta(rsBase, rNombres.Nombre(i));
                QString error;
                QByteArrayView contenido;
                if (lotes.Contenido(i - lote, contenido)) {
                    leido.lectura = TLectura::Ok;
                    Leer_Tarea_De_Contenido(ruta, contenido, lector, tarea, leido.codigo);
                } else {
                    leido.lectura = Leer_Archivo_Tarea(ruta, rNombres.Nombre(i), lector, tarea, leido.codigo, error);
                }
                if (leido.lectura == TLectura::Ok && leido.codigo == 0) {
                    if (rVisitar)
                        (*rVisitar)(i, tarea);
                } else if (leido.lectura != TLectura::NoExiste) {
                    const std::lock_guard<std::mutex> guarda(cerrojo);
                    r.fallidos.push_back({i, ruta, error});
                }
            }
            lote = fin;
        }
    });
    std::sort(r.fallidos.begin(), r.fallidos.end(),
              [](const TArchivoFallido &a, const TArchivoFallido &b) { return a.iArchivo < b.iArchivo; });
    return r;
}

TResultadoCarga Cargar(const QString &rsDirectorio, bool rbTextos, const TVisitaTarea *rVisitar,
                       const std::function<void(qsizetype)> *rPreparar)
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
    // The names stay bytes until the threads that read the files make their paths.
    TNombres nombres;
    Listar_Nombres(rsDirectorio, QStringLiteral("*.od"), true, 0, nombres);
    if (rPreparar)
        (*rPreparar)(nombres.Cuantos());
    // Each file is opened by its name in the folder opened once, not by its whole path.
    const int carpeta = ::open(QFile::encodeName(rsDirectorio).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    QVector<TTipoTarea> &tabla = r.tabla.paTipoTarea;
    const TLeidos leidos = Leer_Archivos(nombres, Base_De_Rutas(rsDirectorio), carpeta, rbTextos, tabla, rVisitar);
    if (carpeta >= 0)
        ::close(carpeta);
    for (const TArchivoFallido &f : leidos.fallidos) {
        if (leidos.archivos[f.iArchivo].lectura == TLectura::Error)
            r.ilegibles.append({f.ruta, f.error});
        else
            r.invalidos.append({f.ruta, leidos.archivos[f.iArchivo].codigo});
    }
    // The valid records close up in place, in file order.
    qsizetype validos = 0;
    for (qsizetype i = 0; !rVisitar && i < leidos.archivos.size(); ++i) {
        const TArchivoLeido &leido = leidos.archivos[i];
        if (leido.lectura == TLectura::Ok && leido.codigo == 0 && validos++ != i)
            tabla[validos - 1] = std::move(tabla[i]);
    }
    tabla.resize(validos);
    return r;
}
} // namespace

TResultadoCarga Cargar_Directorio_Tareas(const QString &rsDirectorio, bool rbTextos)
{
    return Cargar(rsDirectorio, rbTextos, nullptr, nullptr);
}

TResultadoCarga Recorrer_Directorio_Tareas(const QString &rsDirectorio, bool rbTextos,
                                           const std::function<void(qsizetype)> &rPreparar,
                                           const TVisitaTarea &rVisitar)
{
    return Cargar(rsDirectorio, rbTextos, &rVisitar, &rPreparar);
}
