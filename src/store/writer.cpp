#include "writer.h"

#include "cipher.h"
#include "cleanup.h"
#include "daycount.h"
#include "loader.h"
#include "reminderfile.h"
#include "renames.h"
#include "parallel.h"
#include "textforms.h"
#include "platform/filelock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {
QString Fecha(double rdValor)
{
    return Float_To_Str_Sin_Punto(rdValor);
}

QString Carpeta_De(const QString &rsArchivo)
{
    return QFileInfo(rsArchivo).absolutePath();
}

QByteArray Contenido_Cifrado(const QStringList &rLineas)
{
    QByteArray datos;
    for (const QString &linea : rLineas) {
        datos += Encriptar(linea).toLatin1();
        datos += "\r\n";
    }
    return datos;
}

void Poner_Error(QString *fsError, const QString &rsTexto)
{
    if (fsError)
        *fsError = rsTexto;
}

QString Texto_Carpeta_Bloqueada(const QString &rsCarpeta)
{
    return rsCarpeta + QStringLiteral(": the reminder folder stayed locked by another writer");
}

// The lines of a message or summary that the writer writes: those not blank once
// trimmed, as typed.
QStringList Lineas_No_Vacias(const QString &rsTexto)
{
    QStringList r;
    const QStringList lineas = QString(rsTexto).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(QLatin1Char('\n'));
    for (const QString &linea : lineas)
        if (!Recortar(linea).isEmpty())
            r << linea;
    return r;
}

// Saves the content through a temporary file renamed over the target, then syncs the
// folder so that the rename survives a power cut.
bool Grabar_Contenido(const QString &rsArchivo, const QByteArray &rDatos, QString *fsError)
{
    if (rDatos.size() > kMaxBytesArchivoTarea) {
        Poner_Error(fsError, rsArchivo + QStringLiteral(": more than %1 bytes, which no reader would load")
                                             .arg(kMaxBytesArchivoTarea));
        return false;
    }
    const QString carpeta = Carpeta_De(rsArchivo);
    if (!QDir().mkpath(carpeta)) {
        Poner_Error(fsError, QStringLiteral("Cannot create directory: ") + carpeta);
        return false;
    }
    // The temporary name is one only Kestrin's writers make, so the clean-up of what a
    // killed writer left never takes a file of the user's for one.
    QTemporaryFile archivo(rsArchivo + QLatin1String(SUFIJO_TEMPORAL_REESCRITURA) + QStringLiteral("XXXXXX"));
    if (!archivo.open()) {
        Poner_Error(fsError, rsArchivo + QStringLiteral(": ") + archivo.errorString());
        return false;
    }
    // The rewritten file keeps the permissions the old one had.
    const QFileInfo anterior(rsArchivo);
    if (anterior.exists())
        archivo.setPermissions(anterior.permissions());
    if (archivo.write(rDatos) != rDatos.size() || !archivo.flush() || ::fsync(archivo.handle()) != 0) {
        Poner_Error(fsError, rsArchivo + QStringLiteral(": ") + archivo.errorString());
        return false;
    }
    if (::rename(QFile::encodeName(archivo.fileName()).constData(), QFile::encodeName(rsArchivo).constData()) != 0) {
        Poner_Error(fsError, rsArchivo + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    archivo.setAutoRemove(false);
    return Sincronizar_Carpeta(carpeta, fsError);
}
} // namespace

bool Comprobar_Fecha_Archivo(const QString &rsLlave, double rdValor, QString *fsError)
{
    if (Fecha_Se_Puede_Grabar(rdValor))
        return true;
    Poner_Error(fsError, rsLlave + QStringLiteral(": ") + QString::number(rdValor, 'f', 6) +
                             QStringLiteral(" is outside the dates a reminder file can hold (1927-05-18 to 2173-10-13)"));
    return false;
}

bool Comprobar_Tarea_Grabable(const TTipoTarea &t, QString *fsError)
{
    const qsizetype mensaje = Lineas_No_Vacias(t.tsMensaje).size();
    if (mensaje > kMaxLineasMensaje) {
        Poner_Error(fsError, QStringLiteral("The message has %1 lines; a reminder keeps at most %2")
                                 .arg(mensaje)
                                 .arg(kMaxLineasMensaje));
        return false;
    }
    const qsizetype resumen = Lineas_No_Vacias(t.tsSummary).size();
    if (resumen > kMaxLineasResumen) {
        Poner_Error(fsError, QStringLiteral("The summary has %1 lines; a reminder keeps at most %2")
                                 .arg(resumen)
                                 .arg(kMaxLineasResumen));
        return false;
    }
    // The dates the writer puts in the file for this type.
    const bool inicio = t.tiTareaTipo != TAREA_AL_INICIAR && t.tiTareaTipo >= TAREA_UNA_VEZ && t.tiTareaTipo <= TAREA_ANUAL;
    const bool fin = t.tiTareaTipo == TAREA_DIARIA || t.tiTareaTipo == TAREA_SEMANAL ||
                     t.tiTareaTipo == TAREA_CADA_HORA || t.tiTareaTipo == TAREA_ANUAL;
    return (!inicio || Comprobar_Fecha_Archivo(QStringLiteral("FechaInicio"), t.tdFechaInicio, fsError)) &&
           (!fin || Comprobar_Fecha_Archivo(QStringLiteral("FechaFin"), t.tdFechaFin, fsError)) &&
           Comprobar_Fecha_Archivo(QStringLiteral("FechaCreacion"), t.tdFechaCreacion, fsError) &&
           Comprobar_Fecha_Archivo(QStringLiteral("SnoozeRun"), t.tdSnoozeRun, fsError) &&
           Comprobar_Fecha_Archivo(QStringLiteral("LastRunTime"), t.tdLastRunTime, fsError);
}

QStringList Lineas_Archivo_Tarea(const TTipoTarea &t)
{
    QStringList l;
    auto par = [&l](const QString &llave, const QString &valor) { l << llave + QLatin1Char('=') + valor; };
    auto num = [&par](const QString &llave, qint64 valor) { par(llave, QString::number(valor)); };

    par(QStringLiteral("TaskName1"), t.tsTaskName);
    int n = 0;
    for (const QString &linea : Lineas_No_Vacias(t.tsMensaje))
        par(QStringLiteral("Mensaje") + QString::number(++n), linea);
    n = 0;
    for (const QString &linea : Lineas_No_Vacias(t.tsSummary))
        par(QStringLiteral("Summary") + QString::number(++n), Recortar(linea));
    num(QStringLiteral("Lenguaje"), t.tiLenguaje);
    num(QStringLiteral("AlertWindow"), t.tiAlertWindow);
    if (t.tiTocarSonido == 1) {
        par(QStringLiteral("TocarSonido"), QStringLiteral("1"));
        num(QStringLiteral("UsarSonidoDefault"), t.tiUsarSonidoDefault);
        par(QStringLiteral("SonidoElegido"), t.tsSonidoElegido);
        par(QStringLiteral("PathSonido"), t.tsPathDelSonido);
        num(QStringLiteral("RepetirSonido"), t.tiRepetirSonido);
    } else {
        par(QStringLiteral("TocarSonido"), QStringLiteral("0"));
        par(QStringLiteral("UsarSonidoDefault"), QStringLiteral("1"));
        par(QStringLiteral("PathSonido"), QStringLiteral("0"));
        par(QStringLiteral("RepetirSonido"), QStringLiteral("0"));
    }
    num(QStringLiteral("TareaTipo"), t.tiTareaTipo);
    auto hasta = [&]() {
        num(QStringLiteral("SiempreHasta"), t.tiSiempreRepetirHasta);
        par(QStringLiteral("FechaFin"), Fecha(t.tdFechaFin));
    };
    switch (t.tiTareaTipo) {
    case TAREA_UNA_VEZ:
        par(QStringLiteral("FechaInicio"), Fecha(t.tdFechaInicio));
        num(QStringLiteral("AutoDelete"), t.tiAutoDelete);
        break;
    case TAREA_DIARIA:
    case TAREA_ANUAL:
        par(QStringLiteral("FechaInicio"), Fecha(t.tdFechaInicio));
        hasta();
        break;
    case TAREA_SEMANAL:
        par(QStringLiteral("FechaInicio"), Fecha(t.tdFechaInicio));
        par(QStringLiteral("DiasSemana"), t.tsDiasSemana);
        hasta();
        break;
    case TAREA_MENSUAL:
        par(QStringLiteral("FechaInicio"), Fecha(t.tdFechaInicio));
        par(QStringLiteral("Meses"), t.tsMeses);
        par(QStringLiteral("Dias"), t.tsDias);
        break;
    case TAREA_CADA_HORA:
        par(QStringLiteral("FechaInicio"), Fecha(t.tdFechaInicio));
        num(QStringLiteral("RangoHoras"), t.tiRangoHoras);
        par(QStringLiteral("RangoHoraInicio"), t.tsRangoHoraInicio);
        par(QStringLiteral("RangoHoraFin"), t.tsRangoHoraFin);
        num(QStringLiteral("RangoCadaHora"), t.tiRangoCadaHora);
        par(QStringLiteral("HorasLista"), t.tsHorasLista);
        par(QStringLiteral("DiasSemana"), t.tsDiasSemana);
        hasta();
        break;
    default: // when the computer starts: no schedule keys
        break;
    }
    par(QStringLiteral("FechaCreacion"), Fecha(t.tdFechaCreacion));
    num(QStringLiteral("SnoozeTime"), t.tiSnoozeTime);
    par(QStringLiteral("SnoozeRun"), Fecha(t.tdSnoozeRun));
    par(QStringLiteral("LastRunTime"), Fecha(t.tdLastRunTime));
    return l;
}

TTipoTarea Datos_Recordatorio_Rapido(int riLenguaje, const QString &rsMensaje, const QString &rsResumen,
                                     double rdFechaInicio, bool rbAutoDelete, bool rbSonido,
                                     const QString &rsPathSonidoDefault, double rdAhora)
{
    TTipoTarea t;
    t.tsTaskName = riLenguaje == 1 ? QStringLiteral("Recordatorio Rápido") : QStringLiteral("Quick Reminder");
    t.tsMensaje = rsMensaje;
    t.tsSummary = rsResumen;
    t.tiLenguaje = riLenguaje;
    t.tiAlertWindow = ALERTA_AMBAS;
    t.tiTocarSonido = rbSonido ? 1 : 0;
    t.tiUsarSonidoDefault = 1;
    t.tsSonidoElegido.clear();
    t.tsPathDelSonido = rbSonido ? rsPathSonidoDefault : QStringLiteral("0");
    t.tiRepetirSonido = rbSonido ? 1 : 0;
    t.tiTareaTipo = TAREA_UNA_VEZ;
    t.tdFechaInicio = rdFechaInicio;
    t.tiAutoDelete = rbAutoDelete ? 1 : 0;
    t.tdFechaCreacion = rdAhora;
    t.tiSnoozeTime = -1;
    t.tdSnoozeRun = 0;
    t.tdLastRunTime = 0;
    return t;
}

bool Grabar_Lineas_Cifradas(const QString &rsArchivo, const QStringList &rLineas, QString *fsError)
{
    return Grabar_Contenido(rsArchivo, Contenido_Cifrado(rLineas), fsError);
}

bool Grabar_Archivo_Tarea(const QString &rsArchivo, const TTipoTarea &rTarea, QString *fsError)
{
    if (!Comprobar_Tarea_Grabable(rTarea, fsError))
        return false;
    const QString carpeta = Carpeta_De(rsArchivo);
    QDir().mkpath(carpeta);
    bool ok;
    {
        TBloqueoCarpeta bloqueo(carpeta);
        if (bloqueo.Agotado()) {
            Poner_Error(fsError, Texto_Carpeta_Bloqueada(carpeta));
            return false;
        }
        ok = Grabar_Lineas_Cifradas(rsArchivo, Lineas_Archivo_Tarea(rTarea), fsError);
    }
    if (ok)
        Checar_si_el_Archivo_ya_fue_Liberado(rsArchivo);
    return ok;
}

QString Nombre_Archivo_Nuevo(const QString &rsDirectorio, double rdAhora)
{
    return QDir(rsDirectorio).filePath(QStringLiteral("data")) + Float_To_Str_Sin_Punto(rdAhora) + QLatin1Char('-') +
           QString::number(QRandomGenerator::global()->bounded(100)) + QStringLiteral(".od");
}

namespace {
// A new reminder's content, and where it waits for its name: an unnamed file where the file
// system has them, else a temporary file in the folder.
struct TTemporalNuevo {
    QByteArray datos;
    int fd = -1;
    std::unique_ptr<QTemporaryFile> archivo;
    TTemporalNuevo() = default;
    TTemporalNuevo(const TTemporalNuevo &) = delete;
    TTemporalNuevo &operator=(const TTemporalNuevo &) = delete;
    ~TTemporalNuevo() { Cerrar(); }
    void Cerrar()
    {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
};

// The content of a new reminder, or false with why it cannot be written.
bool Preparar_Contenido(const TTipoTarea &rTarea, QByteArray &fDatos, QString *fsError)
{
    if (!Comprobar_Tarea_Grabable(rTarea, fsError))
        return false;
    fDatos = Contenido_Cifrado(Lineas_Archivo_Tarea(rTarea));
    if (fDatos.size() > kMaxBytesArchivoTarea) {
        Poner_Error(fsError, QStringLiteral("The reminder needs more than %1 bytes, which no reader would load")
                                 .arg(kMaxBytesArchivoTarea));
        return false;
    }
    return true;
}

// Puts the content in an unnamed file (fbSinNombre: while the file system offers them) or
// else in a temporary file of the folder, which stays until the object goes.
bool Escribir_Temporal(const QString &rsDirectorio, TTemporalNuevo &fTemporal, bool &fbSinNombre, QString *fsError)
{
    if (fbSinNombre) {
        bool noSoportado = false;
        fTemporal.fd = Abrir_Archivo_Sin_Nombre(rsDirectorio, noSoportado, fsError);
        if (fTemporal.fd < 0 && !noSoportado)
            return false;
        fbSinNombre = fTemporal.fd >= 0;
    }
    if (fbSinNombre) {
        if (!Escribir_Todo(fTemporal.fd, fTemporal.datos)) {
            Poner_Error(fsError, rsDirectorio + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno)));
            return false;
        }
        return true;
    }
    fTemporal.archivo = std::make_unique<QTemporaryFile>(QDir(rsDirectorio).filePath(
        QLatin1String(PREFIJO_TEMPORAL_NUEVO) + QStringLiteral("XXXXXX") + QLatin1String(SUFIJO_TEMPORAL_NUEVO)));
    QTemporaryFile &temporal = *fTemporal.archivo;
    if (!temporal.open()) {
        Poner_Error(fsError, rsDirectorio + QStringLiteral(": ") + temporal.errorString());
        return false;
    }
    if (temporal.write(fTemporal.datos) != fTemporal.datos.size() || !temporal.flush()) {
        Poner_Error(fsError, temporal.fileName() + QStringLiteral(": ") + temporal.errorString());
        return false;
    }
    // Closed, the file stays until the object goes: thousands need no open descriptors.
    temporal.close();
    return true;
}

// A claim that never replaces a file gives the written content a new reminder's name.
bool Dar_Nombre_Nuevo(const QString &rsDirectorio, TTemporalNuevo &rTemporal, double rdAhora,
                      QString &fsArchivo, QString *fsError)
{
    for (int intento = 0; intento < 1000; ++intento) {
        // After the random suffixes of this moment, the next milliseconds give new names.
        const QString nombre = Nombre_Archivo_Nuevo(rsDirectorio, rdAhora + double(intento / 100) / double(MS_POR_DIA));
        // A retired copy keeps its name taken: a snooze would bring it back over this one.
        if (QFileInfo::exists(Nombre_Retirado(nombre)))
            continue;
        const TReclamo reclamo = rTemporal.fd >= 0
                                     ? Nombrar_Archivo_Sin_Nombre(rTemporal.fd, rTemporal.datos, nombre, fsError)
                                     : Reclamar_Nombre(rTemporal.archivo->fileName(), rTemporal.datos, nombre, fsError);
        switch (reclamo) {
        case TReclamo::Ocupado:
            continue;
        case TReclamo::Error:
            return false;
        case TReclamo::Ok:
            if (rTemporal.archivo)
                rTemporal.archivo->setAutoRemove(false); // its name is free again
            fsArchivo = nombre;
            return true;
        }
    }
    Poner_Error(fsError, QStringLiteral("No free file name in ") + rsDirectorio);
    return false;
}

// Puts written contents on the disk before any of them takes a name: one file is synced
// alone, many with one sync of their file system (thousands of single syncs would take
// minutes).
bool Llevar_Al_Disco(const QString &rsDirectorio, const std::vector<TTemporalNuevo *> &rTemporales, QString *fsError)
{
    const TTemporalNuevo &primero = *rTemporales.front();
    const bool uno = rTemporales.size() == 1;
    const QString ruta = uno && primero.archivo ? primero.archivo->fileName() : rsDirectorio;
    const int fd = uno && primero.fd >= 0 ? ::dup(primero.fd)
                                          : ::open(QFile::encodeName(ruta).constData(), O_RDONLY | O_CLOEXEC);
    const bool ok = fd >= 0 && (uno ? ::fsync(fd) : ::syncfs(fd)) == 0;
    const int e = errno;
    if (fd >= 0)
        ::close(fd);
    if (!ok)
        Poner_Error(fsError, ruta + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(e)));
    return ok;
}

// How many unnamed files are open at once: half of what the process may open (one sync of
// the file system for each such batch).
qsizetype Archivos_Por_Lote()
{
    rlimit limite{};
    const rlim_t blando = ::getrlimit(RLIMIT_NOFILE, &limite) == 0 ? limite.rlim_cur : 1024;
    return qsizetype(std::clamp<rlim_t>(blando / 2, 16, 1 << 16));
}
} // namespace

int Grabar_Archivos_Tarea_Nuevos(const QString &rsDirectorio, QVector<TArchivoNuevo> &fNuevos)
{
    const qsizetype total = fNuevos.size();
    TArchivoNuevo *nuevos = fNuevos.data(); // detached here, before the threads
    std::vector<TTemporalNuevo> temporales(static_cast<size_t>(total));
    // Enciphering, and then the file system's work for each new file, are spread over every
    // core: items are independent, and a claim never replaces a name another thread took.
    constexpr qsizetype kMinimoPorHilo = 64;
    En_Paralelo(total, kMinimoPorHilo, [&](qsizetype desde, qsizetype hasta) {
        for (qsizetype i = desde; i < hasta; ++i) {
            nuevos[i].sArchivo.clear();
            nuevos[i].sError.clear();
            Preparar_Contenido(*nuevos[i].pTarea, temporales[size_t(i)].datos, &nuevos[i].sError);
        }
    });
    const auto pendiente = [&](qsizetype i) { return nuevos[i].sError.isEmpty(); };
    bool carpetaLista = false;
    const qsizetype lote = Archivos_Por_Lote();
    for (qsizetype inicio = 0; inicio < total; inicio += lote) {
        const qsizetype fin = std::min(total, inicio + lote);
        for (qsizetype i = inicio; i < fin; ++i)
            if (pendiente(i) && !carpetaLista && !(carpetaLista = QDir().mkpath(rsDirectorio)))
                nuevos[i].sError = QStringLiteral("Cannot create directory: ") + rsDirectorio;
        En_Paralelo(fin - inicio, kMinimoPorHilo, [&](qsizetype desde, qsizetype hasta) {
            bool sinNombre = true;
            for (qsizetype i = inicio + desde; i < inicio + hasta; ++i)
                if (pendiente(i))
                    Escribir_Temporal(rsDirectorio, temporales[size_t(i)], sinNombre, &nuevos[i].sError);
        });
        std::vector<TTemporalNuevo *> escritos;
        for (qsizetype i = inicio; i < fin; ++i)
            if (pendiente(i))
                escritos.push_back(&temporales[size_t(i)]);
        QString errorDisco;
        const bool enDisco = escritos.empty() || Llevar_Al_Disco(rsDirectorio, escritos, &errorDisco);
        En_Paralelo(fin - inicio, kMinimoPorHilo, [&](qsizetype desde, qsizetype hasta) {
            for (qsizetype i = inicio + desde; i < inicio + hasta; ++i) {
                TArchivoNuevo &n = nuevos[i];
                if (!pendiente(i))
                    continue;
                if (!enDisco)
                    n.sError = errorDisco;
                else
                    Dar_Nombre_Nuevo(rsDirectorio, temporales[size_t(i)], n.dAhora, n.sArchivo, &n.sError);
                temporales[size_t(i)].Cerrar();
            }
        });
    }
    // A name is reported only once the folder that holds it is on the disk too.
    const bool nombrados = std::any_of(fNuevos.cbegin(), fNuevos.cend(), [](const TArchivoNuevo &n) { return !n.sArchivo.isEmpty(); });
    QString errorCarpeta;
    const bool carpeta = !nombrados || Sincronizar_Carpeta(rsDirectorio, &errorCarpeta);
    int cuantos = 0;
    for (TArchivoNuevo &n : fNuevos) {
        if (n.sArchivo.isEmpty())
            continue;
        if (!carpeta) {
            n.sError = errorCarpeta;
            n.sArchivo.clear();
            continue;
        }
        Checar_si_el_Archivo_ya_fue_Liberado(n.sArchivo);
        ++cuantos;
    }
    return cuantos;
}

bool Grabar_Archivo_Tarea_Nuevo(const QString &rsDirectorio, const TTipoTarea &rTarea, double rdAhora,
                                QString &fsArchivo, QString *fsError)
{
    QVector<TArchivoNuevo> uno{{&rTarea, rdAhora, QString(), QString()}};
    if (Grabar_Archivos_Tarea_Nuevos(rsDirectorio, uno) != 1) {
        Poner_Error(fsError, uno.front().sError);
        return false;
    }
    fsArchivo = uno.front().sArchivo;
    return true;
}

TCambio Cambiar_Valores_En_Archivo(const QString &rsArchivo, const QList<QPair<QString, QString>> &rValores,
                                   QString *fsError)
{
    const QString carpeta = Carpeta_De(rsArchivo);
    TBloqueoCarpeta bloqueo(carpeta);
    if (bloqueo.Agotado()) {
        Poner_Error(fsError, Texto_Carpeta_Bloqueada(carpeta));
        return TCambio::Error;
    }
    // Only the lines that change are enciphered again; every other line is written back
    // exactly as it was stored, one that cannot be deciphered included.
    QStringList guardadas;
    QString error;
    const TLectura lectura = Leer_Lineas_Guardadas(rsArchivo, guardadas, &error);
    if (lectura == TLectura::NoExiste)
        return TCambio::NoExiste;
    if (lectura == TLectura::Error) {
        Poner_Error(fsError, rsArchivo + QStringLiteral(": ") + error);
        return TCambio::Error;
    }
    QStringList llaves;
    llaves.reserve(guardadas.size());
    for (const QString &linea : guardadas) {
        const QString plana = DesEncriptar(linea);
        const qsizetype igual = plana.indexOf(QLatin1Char('='));
        llaves << (igual >= 0 ? plana.left(igual) : QString());
    }
    for (const auto &[llave, valor] : rValores) {
        const QString nueva = Encriptar(llave + QLatin1Char('=') + valor);
        bool hecho = false;
        for (qsizetype i = 0; i < guardadas.size() && !hecho; ++i) {
            if (!llaves[i].isNull() && QString::compare(llaves[i], llave, Qt::CaseInsensitive) == 0) {
                guardadas[i] = nueva;
                hecho = true;
            }
        }
        if (!hecho) {
            guardadas << nueva;
            llaves << llave;
        }
    }
    QByteArray datos;
    for (const QString &linea : guardadas) {
        datos += linea.toLatin1();
        datos += "\r\n";
    }
    if (!Grabar_Contenido(rsArchivo, datos, fsError))
        return TCambio::Error;
    return TCambio::Ok;
}

TCambio Cambiar_Valor_En_Archivo(const QString &rsArchivo, const QString &rsLlave, const QString &rsValor,
                                 QString *fsError)
{
    return Cambiar_Valores_En_Archivo(rsArchivo, {{rsLlave, rsValor}}, fsError);
}

QString Nombre_Retirado(const QString &rsArchivo)
{
    return rsArchivo + QLatin1Char('b');
}

bool Retirar_Archivo_Tarea(const QString &rsArchivo, QString *fsError)
{
    const QString carpeta = Carpeta_De(rsArchivo);
    TBloqueoCarpeta bloqueo(carpeta);
    if (bloqueo.Agotado()) {
        Poner_Error(fsError, Texto_Carpeta_Bloqueada(carpeta));
        return false;
    }
    // rename() replaces an older retired copy, which QFile::rename would refuse.
    if (::rename(QFile::encodeName(rsArchivo).constData(), QFile::encodeName(Nombre_Retirado(rsArchivo)).constData()) !=
        0) {
        Poner_Error(fsError, rsArchivo + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    Sincronizar_Carpeta(carpeta, fsError);
    return true;
}

bool Restaurar_Archivo_Tarea(const QString &rsArchivo, QString *fsError)
{
    const QString carpeta = Carpeta_De(rsArchivo);
    TBloqueoCarpeta bloqueo(carpeta);
    if (bloqueo.Agotado()) {
        Poner_Error(fsError, Texto_Carpeta_Bloqueada(carpeta));
        return false;
    }
    const QString retirado = Nombre_Retirado(rsArchivo);
    if (!QFileInfo::exists(retirado))
        return false;
    // A live reminder of that name wins: the retired copy never replaces it.
    if (Renombrar_Sin_Reemplazar(retirado, rsArchivo, fsError) != TReclamo::Ok)
        return false;
    Sincronizar_Carpeta(carpeta, fsError);
    return true;
}

TCambio Posponer_Archivo_Tarea(const QString &rsArchivo, int riMinutos, double rdAhora, QString *fsError)
{
    const double cuando = rdAhora + double(riMinutos) * 60.0 / 86400.0;
    if (!Comprobar_Fecha_Archivo(QStringLiteral("SnoozeRun"), cuando, fsError))
        return TCambio::Error;
    Restaurar_Archivo_Tarea(rsArchivo);
    if (!QFileInfo::exists(rsArchivo))
        return TCambio::NoExiste;
    return Cambiar_Valores_En_Archivo(
        rsArchivo,
        {{QStringLiteral("SnoozeTime"), QString::number(riMinutos)},
         {QStringLiteral("SnoozeRun"), Float_To_Str_Sin_Punto(cuando)}},
        fsError);
}
