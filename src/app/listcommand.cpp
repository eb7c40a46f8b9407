#include "listcommand.h"

#include "commandoptions.h"

#include "editor/summary.h"
#include "texts/errortexts.h"
#include "jsonwriter.h"
#include "listtexts.h"
#include "platform/systeminfo.h"
#include "settings/settingsload.h"
#include "platform/folders.h"
#include "store/daycount.h"
#include "store/loader.h"
#include "store/parallel.h"

#include <QCommandLineParser>
#include <QTextStream>

#include <cstdio>
#include <vector>

namespace {
// Written to the output in pieces of about this size, never as one whole text.
constexpr qsizetype kTramoSalida = 64 * 1024;

void Escribir(QByteArray &fBytes, std::FILE *fSalida)
{
    std::fwrite(fBytes.constData(), 1, size_t(fBytes.size()), fSalida);
    fBytes.resize(0); // its room is kept for the next piece
}

// The run-time columns of one row, worked out once for the table or the JSON.
struct TFila {
    const TTipoTarea *pTarea;
    QString sProxima;
    QString sUltima;
};

TFila Fila(const TTipoTarea &rTarea, int riLenguaje)
{
    return {&rTarea, Texto_Proxima_Ejecucion(rTarea, riLenguaje), Texto_Ultima_Ejecucion(rTarea, riLenguaje)};
}

// The texts of a row cost far more than printing it: rows are made on every core, in
// pieces of this many, and joined in order.
constexpr qsizetype kFilasPorPieza = 128;
// The JSON is made this many rows at a time, so that only one batch is held in memory.
constexpr qsizetype kFilasPorTanda = 16 * kFilasPorPieza;

// Calls rHacer(desde, hasta) for each piece of [0, riTotal), spread over the cores.
template <typename F> void Por_Piezas(qsizetype riTotal, F rHacer)
{
    const qsizetype piezas = (riTotal + kFilasPorPieza - 1) / kFilasPorPieza;
    En_Paralelo(piezas, 1, [&](qsizetype a, qsizetype b) {
        for (qsizetype p = a; p < b; ++p)
            rHacer(p * kFilasPorPieza, std::min(riTotal, (p + 1) * kFilasPorPieza));
    });
}

void Imprimir_Tabla(const TTablaTareas &rTabla, const QVector<int> &rOrden, int riLenguaje, std::FILE *fSalida)
{
    QVector<TFila> filas(rOrden.size());
    Por_Piezas(rOrden.size(), [&](qsizetype desde, qsizetype hasta) {
        for (qsizetype i = desde; i < hasta; ++i)
            filas[i] = Fila(rTabla.paTipoTarea[rOrden[i]], riLenguaje);
    });
    qsizetype ancho[2] = {Titulo_Columna_Lista(0, riLenguaje).size(), Titulo_Columna_Lista(1, riLenguaje).size()};
    for (const TFila &f : std::as_const(filas)) {
        ancho[0] = std::max(ancho[0], f.pTarea->tsTaskName.size());
        ancho[1] = std::max(ancho[1], f.sProxima.size());
    }
    QByteArray bytes;
    const auto linea = [&](const QString &rsNombre, const QString &rsProxima, const QString &rsUltima) {
        bytes += rsNombre.leftJustified(ancho[0]).toUtf8();
        bytes += "  ";
        bytes += rsProxima.leftJustified(ancho[1]).toUtf8();
        bytes += "  ";
        bytes += rsUltima.toUtf8();
        bytes += '\n';
        if (bytes.size() >= kTramoSalida)
            Escribir(bytes, fSalida);
    };
    linea(Titulo_Columna_Lista(0, riLenguaje), Titulo_Columna_Lista(1, riLenguaje), Titulo_Columna_Lista(2, riLenguaje));
    for (const TFila &f : std::as_const(filas))
        linea(f.pTarea->tsTaskName, f.sProxima, f.sUltima);
    Escribir(bytes, fSalida);
}

void Imprimir_Recordatorio_Json(TEscritorJson &fJson, const TTipoTarea &rTarea, int riLenguaje)
{
    const TFila f = Fila(rTarea, riLenguaje);
    const TTipoTarea &t = *f.pTarea;
    fJson.Abrir_Objeto();
    fJson.Texto(QLatin1StringView("file"), t.tsFile);
    // Stored times are a few microseconds off; shown to the millisecond like the texts.
    fJson.Numero(QLatin1StringView("lastRun"), Milisegundos_a_Dias(Dias_a_Milisegundos(t.tdLastRunTime)));
    fJson.Texto(QLatin1StringView("lastRunText"), f.sUltima);
    fJson.Texto(QLatin1StringView("name"), t.tsTaskName);
    fJson.Numero(QLatin1StringView("nextRun"), t.tdNextRunTime);
    fJson.Texto(QLatin1StringView("nextRunText"), f.sProxima);
    fJson.Texto(QLatin1StringView("summary"), Generar_Resumen_Tarea(t, riLenguaje));
    fJson.Entero(QLatin1StringView("type"), t.tiTareaTipo);
    fJson.Cerrar_Objeto();
}

// Keys in QJsonObject's order (sorted), the bytes QJsonDocument::Indented would give.
void Imprimir_Json(const TResultadoCarga &rCarga, const QVector<int> &rOrden, int riLenguaje, std::FILE *fSalida)
{
    TEscritorJson json;
    json.Abrir_Objeto();
    json.Abrir_Arreglo(QLatin1StringView("invalid"));
    for (const TArchivoInvalido &a : rCarga.invalidos) {
        json.Abrir_Objeto();
        json.Entero(QLatin1StringView("code"), a.tiCodigo);
        json.Texto(QLatin1StringView("file"), a.tsFile);
        json.Cerrar_Objeto();
    }
    json.Cerrar_Arreglo();
    json.Abrir_Arreglo(QLatin1StringView("reminders"));
    // Kept from batch to batch: each piece's room is made once.
    std::vector<TEscritorJson> piezas(size_t(kFilasPorTanda / kFilasPorPieza));
    for (qsizetype tanda = 0; tanda < rOrden.size(); tanda += kFilasPorTanda) {
        const qsizetype filas = std::min(kFilasPorTanda, rOrden.size() - tanda);
        Por_Piezas(filas, [&](qsizetype desde, qsizetype hasta) {
            TEscritorJson &pieza = piezas[size_t(desde / kFilasPorPieza)];
            pieza.Seguir(json, desde);
            for (qsizetype i = desde; i < hasta; ++i)
                Imprimir_Recordatorio_Json(pieza, rCarga.tabla.paTipoTarea[rOrden[tanda + i]], riLenguaje);
        });
        Escribir(json.Bytes(), fSalida);
        const qsizetype usadas = (filas + kFilasPorPieza - 1) / kFilasPorPieza;
        for (qsizetype p = 0; p < usadas; ++p)
            Escribir(piezas[size_t(p)].Bytes(), fSalida);
        json.Seguir(piezas[size_t(usadas - 1)], 0);
    }
    json.Cerrar_Arreglo();
    json.Abrir_Arreglo(QLatin1StringView("unreadable"));
    for (const TArchivoIlegible &a : rCarga.ilegibles) {
        json.Abrir_Objeto();
        json.Texto(QLatin1StringView("error"), a.tsError);
        json.Texto(QLatin1StringView("file"), a.tsFile);
        json.Cerrar_Objeto();
    }
    json.Cerrar_Arreglo();
    json.Cerrar_Objeto();
    Escribir(json.Bytes(), fSalida);
}

} // namespace

void Agregar_Opciones_Listado(QCommandLineParser &fParser)
{
    fParser.addOption({kOpcionList, QStringLiteral("Print the reminder list and exit (no display needed).")});
    fParser.addOption({kOpcionJson, QStringLiteral("With --list: print the list as JSON.")});
    fParser.addOption({kOpcionLanguage, QStringLiteral("With --list or --export: the language of the texts, en or es."),
                       QStringLiteral("en|es")});
}

bool Opcion_Listado_Pedida(const QCommandLineParser &rParser)
{
    return rParser.isSet(kOpcionList) || rParser.isSet(kOpcionJson) || rParser.isSet(kOpcionLanguage);
}

int Elegir_Lenguaje_Listado(const QString &rsOpcionLenguaje)
{
    if (rsOpcionLenguaje.isNull())
        return Leer_Lenguaje_Sin_Grabar(System_Language_Name()); // the stored choice; nothing written
    if (rsOpcionLenguaje == QLatin1String("en"))
        return 0;
    if (rsOpcionLenguaje == QLatin1String("es"))
        return 1;
    return -1;
}

int Ejecutar_Opcion_Listado(const QCommandLineParser &rParser)
{
    QTextStream errores(stderr);
    if (!rParser.isSet(kOpcionList)) {
        errores << "--json and --language go with --list.\n";
        return 1;
    }
    const int lenguaje =
        Elegir_Lenguaje_Listado(rParser.isSet(kOpcionLanguage) ? rParser.value(kOpcionLanguage) : QString());
    if (lenguaje < 0) {
        errores << "Unknown language: " << rParser.value(kOpcionLanguage) << " (use en or es).\n";
        return 1;
    }
    return Imprimir_Lista_Tareas(Calcular_Carpetas().psAppDataSystemLocal, rParser.isSet(kOpcionJson), lenguaje, stdout,
                                 errores);
}

bool Informar_Carga_Tareas(const TResultadoCarga &carga, const QString &rsDirectorio, int riLenguaje,
                           QTextStream &fErrores)
{
    // A fresh profile: Kestrin makes the folder at its first start. Nothing is listed.
    if (carga.carpetaFalta)
        return true;
    if (!carga.directorioExiste) {
        // A folder that cannot be listed, or something else in its place.
        fErrores << Texto_Sin_Acceso_Directorio(riLenguaje, rsDirectorio) << '\n';
        if (!carga.error.isEmpty())
            fErrores << carga.error << '\n';
        return false;
    }
    for (const TArchivoInvalido &a : carga.invalidos)
        // A terminal shows the box's CR as a line break.
        fErrores << Texto_Error_205(riLenguaje, a.tiCodigo, a.tsFile).replace(QLatin1Char('\r'), QLatin1Char('\n'))
                 << '\n';
    // A file that cannot be read is reported once and left out; the others are listed,
    // and the status still tells a script that something is missing.
    for (const TArchivoIlegible &a : carga.ilegibles)
        fErrores << Texto_Error_Principal(TErrorPrincipal::E207, a.tsFile + QStringLiteral(": ") + a.tsError) << '\n';
    fErrores.flush();
    return true;
}

int Imprimir_Lista_Tareas(const QString &rsDirectorio, bool rbJson, int riLenguaje, std::FILE *fSalida,
                          QTextStream &fErrores)
{
    // The list is the program's last work: the records read are left for the system to take
    // back with the process, not freed one by one, which only delayed the exit.
    // Neither the table nor the JSON shows a message: they are not joined.
    TResultadoCarga &carga = *new TResultadoCarga(Cargar_Directorio_Tareas(rsDirectorio, false));
    if (!Informar_Carga_Tareas(carga, rsDirectorio, riLenguaje, fErrores))
        return 1;

    Calcular_Proximas_Ejecuciones_Lista(carga.tabla, Ahora());
    const QVector<int> orden = Orden_Lista(carga.tabla, 1, true);
    if (rbJson)
        Imprimir_Json(carga, orden, riLenguaje, fSalida);
    else
        Imprimir_Tabla(carga.tabla, orden, riLenguaje, fSalida);
    std::fflush(fSalida);
    return carga.ilegibles.isEmpty() ? 0 : 1;
}
