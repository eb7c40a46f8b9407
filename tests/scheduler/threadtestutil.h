#pragma once
// What the scheduler thread tests share: a recording main window, a clock the test
// moves, reminder files in a temporary data folder, and the stand-in alert window.

#include "alertthread.h"
#include "threadcontrol.h"
#include "store/daycount.h"
#include "store/reminderfile.h"
#include "store/textforms.h"
#include "store/writer.h"

#include <QDir>
#include <QFile>
#include <QObject>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <functional>

// The window double: records every call and message, in the order they arrive.
class TVentanaPrueba : public QObject, public TVentanaDelHilo {
public:
    struct TEvento {
        QString tsTipo; // "popup", "sound", "1025", "1026", "1027"
        int tiW = 0;
        int tiL = 0;
        QString tsTexto;
        QString tsArchivo, tsNombre, tsMensaje;
        int tiUsarDefault = 0, tiRepetir = 0;
        QString tsSonido;
        double tdReloj = 0; // the clock when a popup arrived
    };
    QVector<TEvento> paEventos;
    std::function<void()> pAlMostrar; // runs inside the popup call

    QObject *Objeto_Ventana() override { return this; }
    void Mostrar_Desktop_Alert_Thread() override
    {
        TEvento e;
        e.tsTipo = QStringLiteral("popup");
        e.tsArchivo = psThreadArchivo;
        e.tsNombre = psThreadTaskName;
        e.tsMensaje = psThreadMensaje;
        e.tdReloj = Ahora();
        paEventos.append(e);
        if (pAlMostrar)
            pAlMostrar();
    }
    void Tocar_Sonido_Thread() override
    {
        TEvento e;
        e.tsTipo = QStringLiteral("sound");
        e.tiUsarDefault = piThreadUsarSonidoDefault;
        e.tiRepetir = piThreadRepetirSonido;
        e.tsSonido = psThreadPathDelSonido;
        paEventos.append(e);
    }
    void Mensaje_Reporte_Hilo(int w, int l, const QString &t) override { Agregar(QStringLiteral("1025"), w, l, t); }
    void Mensaje_Archivos_Cambiados(int w, int l, const QString &t) override { Agregar(QStringLiteral("1026"), w, l, t); }
    void Mensaje_Hilo_Terminado(int w, int l, const QString &t) override { Agregar(QStringLiteral("1027"), w, l, t); }

    QVector<TEvento> De_Tipo(const QString &rsTipo) const
    {
        QVector<TEvento> r;
        for (const TEvento &e : paEventos)
            if (e.tsTipo == rsTipo)
                r.append(e);
        return r;
    }
    // "popup:<name>" and "1026" in arrival order, other kinds left out.
    QStringList Secuencia() const
    {
        QStringList r;
        for (const TEvento &e : paEventos)
            if (e.tsTipo == QLatin1String("popup"))
                r << QStringLiteral("popup:") + e.tsNombre;
            else if (e.tsTipo == QLatin1String("1026"))
                r << e.tsTipo;
        return r;
    }

private:
    void Agregar(const QString &rsTipo, int w, int l, const QString &t)
    {
        TEvento e;
        e.tsTipo = rsTipo;
        e.tiW = w;
        e.tiL = l;
        e.tsTexto = t;
        paEventos.append(e);
    }
};

// The clock the tests move; local time is UTC in these tests (TZ=UTC).
inline std::atomic<qint64> gRelojMs{0};
inline void Usar_Reloj_De_Prueba()
{
    Establecer_Reloj([] { return QDateTime::fromMSecsSinceEpoch(gRelojMs.load()); });
}
inline QDateTime Momento(int h, int m, int s = 0, int ms = 0, int riDia = 0)
{
    return QDateTime(QDate(2026, 3, 10).addDays(riDia), QTime(h, m, s, ms));
}
inline void Poner_Reloj(const QDateTime &rMomento)
{
    gRelojMs = rMomento.toMSecsSinceEpoch();
}
inline double Dias(const QDateTime &rMomento)
{
    return DateTime_a_Dias(rMomento);
}

// Reminder records. Times are whole seconds, as the editor writes them.
inline TTipoTarea Tarea_Base(const QString &rsNombre, int riTipo, int riModo = ALERTA_POPUP)
{
    TTipoTarea t;
    t.tsTaskName = rsNombre;
    t.tsMensaje = QStringLiteral("Mensaje de ") + rsNombre;
    t.tiAlertWindow = riModo;
    t.tiTareaTipo = riTipo;
    t.tdFechaCreacion = Dias(Momento(0, 0, 0, 0, -30));
    return t;
}
inline TTipoTarea Diaria(const QString &rsNombre, int h, int m, int riModo = ALERTA_POPUP)
{
    TTipoTarea t = Tarea_Base(rsNombre, TAREA_DIARIA, riModo);
    t.tdFechaInicio = Dias(Momento(h, m, 0, 0, -7));
    t.tdFechaFin = t.tdFechaInicio;
    return t;
}
inline TTipoTarea Una_Vez(const QString &rsNombre, const QDateTime &rCuando, int riModo = ALERTA_POPUP)
{
    TTipoTarea t = Tarea_Base(rsNombre, TAREA_UNA_VEZ, riModo);
    t.tdFechaInicio = Dias(rCuando);
    return t;
}

// A temporary data folder, program folder and sound folder, with blanks and letters
// beyond ASCII in every path.
struct TCarpetasPrueba {
    QTemporaryDir pRaiz;
    QString psDatos, psPrograma, psSonidos;
    TCarpetasPrueba()
    {
        psDatos = pRaiz.path() + QStringLiteral("/Datos del usuario ö/Kestrin/System/");
        psPrograma = pRaiz.path() + QStringLiteral("/Programa Ñandú con espacios/");
        psSonidos = pRaiz.path() + QStringLiteral("/Común/Kestrin/Sounds/");
        QDir().mkpath(psDatos);
        QDir().mkpath(psPrograma);
        QDir().mkpath(psSonidos);
    }
    QString Archivo(const QString &rsNombre) const { return psDatos + rsNombre; }
    QString Grabar(const QString &rsNombre, const TTipoTarea &rTarea) const
    {
        const QString ruta = Archivo(rsNombre);
        if (!Grabar_Archivo_Tarea(ruta, rTarea))
            qFatal("cannot write %s", qPrintable(ruta));
        return ruta;
    }
    // Puts the stand-in alert window where the scheduler looks for the real one.
    void Instalar_AlertWindow() const
    {
        const QString destino = Ruta_AlertWindow_Prueba();
        QFile::remove(destino);
        if (!QFile::copy(QStringLiteral(KESTRIN_STANDIN_PATH), destino))
            qFatal("cannot copy the stand-in");
        QFile::setPermissions(destino, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    QString Ruta_AlertWindow_Prueba() const { return psPrograma + QStringLiteral("AlertWindow"); }
    // The argument lists the stand-in recorded, in no particular order.
    QList<QStringList> Llamadas() const
    {
        QList<QStringList> r;
        QDir dir(psPrograma + QStringLiteral("calls"));
        for (const QString &nombre : dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name)) {
            QFile f(dir.filePath(nombre));
            if (!f.open(QIODevice::ReadOnly))
                continue;
            QStringList args = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
            if (!args.isEmpty() && args.last().isEmpty())
                args.removeLast();
            r << args;
        }
        return r;
    }
};

// The value a reminder file holds for a key ("" when the file cannot be read).
inline QString Valor_En_Archivo(const QString &rsArchivo, const QString &rsLlave)
{
    QStringList lineas;
    if (Leer_Lineas_Planas(rsArchivo, lineas) != TLectura::Ok)
        return QString();
    return TValoresTarea(lineas).Valor(rsLlave);
}
