#include "writer.h"

#include "cipher.h"
#include "daycount.h"
#include "loader.h"
#include "reminderfile.h"
#include "textforms.h"
#include "platform/filelock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>
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
} // namespace

QStringList Lineas_Archivo_Tarea(const TTipoTarea &t)
{
    QStringList l;
    auto par = [&l](const QString &llave, const QString &valor) { l << llave + QLatin1Char('=') + valor; };
    auto num = [&par](const QString &llave, qint64 valor) { par(llave, QString::number(valor)); };

    par(QStringLiteral("TaskName1"), t.tsTaskName);
    int n = 0;
    const QStringList mensaje = QString(t.tsMensaje).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(QLatin1Char('\n'));
    for (const QString &linea : mensaje)
        if (!Recortar(linea).isEmpty())
            par(QStringLiteral("Mensaje") + QString::number(++n), linea);
    n = 0;
    const QStringList resumen = QString(t.tsSummary).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(QLatin1Char('\n'));
    for (const QString &linea : resumen)
        if (!Recortar(linea).isEmpty())
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
    const QString carpeta = Carpeta_De(rsArchivo);
    if (!QDir().mkpath(carpeta)) {
        Poner_Error(fsError, QStringLiteral("Cannot create directory: ") + carpeta);
        return false;
    }
    QSaveFile archivo(rsArchivo);
    if (!archivo.open(QIODevice::WriteOnly)) {
        Poner_Error(fsError, rsArchivo + QStringLiteral(": ") + archivo.errorString());
        return false;
    }
    const QByteArray datos = Contenido_Cifrado(rLineas);
    if (archivo.write(datos) != datos.size() || !archivo.commit()) {
        Poner_Error(fsError, rsArchivo + QStringLiteral(": ") + archivo.errorString());
        return false;
    }
    return true;
}

bool Grabar_Archivo_Tarea(const QString &rsArchivo, const TTipoTarea &rTarea, QString *fsError)
{
    const QString carpeta = Carpeta_De(rsArchivo);
    QDir().mkpath(carpeta);
    bool ok;
    {
        TBloqueoCarpeta bloqueo(carpeta);
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

bool Grabar_Archivo_Tarea_Nuevo(const QString &rsDirectorio, const TTipoTarea &rTarea, double rdAhora,
                                QString &fsArchivo, QString *fsError)
{
    if (!QDir().mkpath(rsDirectorio)) {
        Poner_Error(fsError, QStringLiteral("Cannot create directory: ") + rsDirectorio);
        return false;
    }
    // The content goes to a temporary file first; a hard link then claims the new name,
    // which fails rather than replace a file that already has it.
    QTemporaryFile temporal(QDir(rsDirectorio).filePath(QStringLiteral("data.XXXXXX.new")));
    if (!temporal.open()) {
        Poner_Error(fsError, rsDirectorio + QStringLiteral(": ") + temporal.errorString());
        return false;
    }
    const QByteArray datos = Contenido_Cifrado(Lineas_Archivo_Tarea(rTarea));
    if (temporal.write(datos) != datos.size() || !temporal.flush() || ::fsync(temporal.handle()) != 0) {
        Poner_Error(fsError, temporal.fileName() + QStringLiteral(": ") + temporal.errorString());
        return false;
    }
    const QByteArray origen = QFile::encodeName(temporal.fileName());
    for (int intento = 0; intento < 1000; ++intento) {
        // After the random suffixes of this moment, the next milliseconds give new names.
        const QString nombre = Nombre_Archivo_Nuevo(rsDirectorio, rdAhora + double(intento / 100) / double(MS_POR_DIA));
        if (::link(origen.constData(), QFile::encodeName(nombre).constData()) == 0) {
            fsArchivo = nombre;
            Checar_si_el_Archivo_ya_fue_Liberado(nombre);
            return true;
        }
        if (errno != EEXIST) {
            Poner_Error(fsError, nombre + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno)));
            return false;
        }
    }
    Poner_Error(fsError, QStringLiteral("No free file name in ") + rsDirectorio);
    return false;
}

TCambio Cambiar_Valores_En_Archivo(const QString &rsArchivo, const QList<QPair<QString, QString>> &rValores,
                                   QString *fsError)
{
    TBloqueoCarpeta bloqueo(Carpeta_De(rsArchivo));
    QStringList lineas;
    QString error;
    const TLectura lectura = Leer_Lineas_Planas(rsArchivo, lineas, &error);
    if (lectura == TLectura::NoExiste)
        return TCambio::NoExiste;
    if (lectura == TLectura::Error) {
        Poner_Error(fsError, error);
        return TCambio::Error;
    }
    for (const auto &[llave, valor] : rValores) {
        const QString nueva = llave + QLatin1Char('=') + valor;
        bool hecho = false;
        for (QString &linea : lineas) {
            const qsizetype igual = linea.indexOf(QLatin1Char('='));
            if (igual >= 0 && QString::compare(linea.left(igual), llave, Qt::CaseInsensitive) == 0) {
                linea = nueva;
                hecho = true;
                break;
            }
        }
        if (!hecho)
            lineas << nueva;
    }
    if (!Grabar_Lineas_Cifradas(rsArchivo, lineas, fsError))
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

bool Retirar_Archivo_Tarea(const QString &rsArchivo)
{
    TBloqueoCarpeta bloqueo(Carpeta_De(rsArchivo));
    // rename() replaces an older retired copy, which QFile::rename would refuse.
    return ::rename(QFile::encodeName(rsArchivo).constData(),
                    QFile::encodeName(Nombre_Retirado(rsArchivo)).constData()) == 0;
}

bool Restaurar_Archivo_Tarea(const QString &rsArchivo)
{
    TBloqueoCarpeta bloqueo(Carpeta_De(rsArchivo));
    const QString retirado = Nombre_Retirado(rsArchivo);
    if (!QFileInfo::exists(retirado))
        return false;
    return ::rename(QFile::encodeName(retirado).constData(), QFile::encodeName(rsArchivo).constData()) == 0;
}

TCambio Posponer_Archivo_Tarea(const QString &rsArchivo, int riMinutos, double rdAhora, QString *fsError)
{
    Restaurar_Archivo_Tarea(rsArchivo);
    if (!QFileInfo::exists(rsArchivo))
        return TCambio::NoExiste;
    return Cambiar_Valores_En_Archivo(
        rsArchivo,
        {{QStringLiteral("SnoozeTime"), QString::number(riMinutos)},
         {QStringLiteral("SnoozeRun"), Float_To_Str_Sin_Punto(rdAhora + double(riMinutos) * 60.0 / 86400.0)}},
        fsError);
}
