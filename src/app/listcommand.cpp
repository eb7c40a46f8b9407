#include "listcommand.h"

#include "editor/summary.h"
#include "texts/errortexts.h"
#include "listtexts.h"
#include "platform/systeminfo.h"
#include "settings/settingsload.h"
#include "platform/folders.h"
#include "store/daycount.h"
#include "store/loader.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <cstdio>

namespace {

const QString kList = QStringLiteral("list");
const QString kJson = QStringLiteral("json");
const QString kLanguage = QStringLiteral("language");

struct TFila {
    const TTipoTarea *pTarea;
    QString sProxima;
    QString sUltima;
};

void Imprimir_Tabla(const QVector<TFila> &rFilas, int riLenguaje, QTextStream &fSalida)
{
    QVector<QStringList> celdas;
    celdas << QStringList{Titulo_Columna_Lista(0, riLenguaje), Titulo_Columna_Lista(1, riLenguaje),
                          Titulo_Columna_Lista(2, riLenguaje)};
    for (const TFila &f : rFilas)
        celdas << QStringList{f.pTarea->tsTaskName, f.sProxima, f.sUltima};
    qsizetype ancho[2] = {0, 0};
    for (const QStringList &c : celdas)
        for (int i = 0; i < 2; ++i)
            ancho[i] = std::max(ancho[i], c[i].size());
    for (const QStringList &c : celdas)
        fSalida << c[0].leftJustified(ancho[0]) << "  " << c[1].leftJustified(ancho[1]) << "  " << c[2] << '\n';
}

void Imprimir_Json(const QVector<TFila> &rFilas, const QVector<TArchivoInvalido> &rInvalidos,
                   const QVector<TArchivoIlegible> &rIlegibles, int riLenguaje, QTextStream &fSalida)
{
    QJsonArray tareas;
    for (const TFila &f : rFilas) {
        const TTipoTarea &t = *f.pTarea;
        tareas.append(QJsonObject{
            {QStringLiteral("file"), t.tsFile},
            {QStringLiteral("name"), t.tsTaskName},
            {QStringLiteral("type"), t.tiTareaTipo},
            {QStringLiteral("nextRun"), t.tdNextRunTime},
            {QStringLiteral("nextRunText"), f.sProxima},
            // Stored times are a few microseconds off; shown to the millisecond like the texts.
            {QStringLiteral("lastRun"), Milisegundos_a_Dias(Dias_a_Milisegundos(t.tdLastRunTime))},
            {QStringLiteral("lastRunText"), f.sUltima},
            {QStringLiteral("summary"), Generar_Resumen_Tarea(t, riLenguaje)},
        });
    }
    QJsonArray invalidos;
    for (const TArchivoInvalido &a : rInvalidos)
        invalidos.append(QJsonObject{{QStringLiteral("file"), a.tsFile}, {QStringLiteral("code"), a.tiCodigo}});
    QJsonArray ilegibles;
    for (const TArchivoIlegible &a : rIlegibles)
        ilegibles.append(QJsonObject{{QStringLiteral("file"), a.tsFile}, {QStringLiteral("error"), a.tsError}});
    const QJsonObject raiz{{QStringLiteral("reminders"), tareas},
                           {QStringLiteral("invalid"), invalidos},
                           {QStringLiteral("unreadable"), ilegibles}};
    fSalida << QString::fromUtf8(QJsonDocument(raiz).toJson(QJsonDocument::Indented));
}

} // namespace

void Agregar_Opciones_Listado(QCommandLineParser &fParser)
{
    fParser.addOption({kList, QStringLiteral("Print the reminder list and exit (no display needed).")});
    fParser.addOption({kJson, QStringLiteral("With --list: print the list as JSON.")});
    fParser.addOption({kLanguage, QStringLiteral("With --list or --export: the language of the texts, en or es."),
                       QStringLiteral("en|es")});
}

bool Opcion_Listado_Pedida(const QCommandLineParser &rParser)
{
    return rParser.isSet(kList) || rParser.isSet(kJson) || rParser.isSet(kLanguage);
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
    QTextStream salida(stdout);
    QTextStream errores(stderr);
    if (!rParser.isSet(kList)) {
        errores << "--json and --language go with --list.\n";
        return 1;
    }
    const int lenguaje = Elegir_Lenguaje_Listado(rParser.isSet(kLanguage) ? rParser.value(kLanguage) : QString());
    if (lenguaje < 0) {
        errores << "Unknown language: " << rParser.value(kLanguage) << " (use en or es).\n";
        return 1;
    }
    return Imprimir_Lista_Tareas(Calcular_Carpetas().psAppDataSystemLocal, rParser.isSet(kJson), lenguaje, salida,
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

int Imprimir_Lista_Tareas(const QString &rsDirectorio, bool rbJson, int riLenguaje, QTextStream &fSalida,
                          QTextStream &fErrores)
{
    TResultadoCarga carga = Cargar_Directorio_Tareas(rsDirectorio);
    if (!Informar_Carga_Tareas(carga, rsDirectorio, riLenguaje, fErrores))
        return 1;

    Calcular_Proximas_Ejecuciones_Lista(carga.tabla, Ahora());
    QVector<TFila> filas;
    for (int i : Orden_Lista(carga.tabla, 1, true)) {
        const TTipoTarea &t = carga.tabla.paTipoTarea[i];
        filas.append({&t, Texto_Proxima_Ejecucion(t, riLenguaje), Texto_Ultima_Ejecucion(t, riLenguaje)});
    }
    if (rbJson)
        Imprimir_Json(filas, carga.invalidos, carga.ilegibles, riLenguaje, fSalida);
    else
        Imprimir_Tabla(filas, riLenguaje, fSalida);
    fSalida.flush();
    return carga.ilegibles.isEmpty() ? 0 : 1;
}
