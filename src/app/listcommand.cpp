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
#include "store/reserva.h"

#include <QCommandLineParser>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {
// Written to the output in pieces of about this size, never as one whole text.
constexpr qsizetype kTramoSalida = 64 * 1024;

void Escribir(QByteArray &fBytes, std::FILE *fSalida)
{
    std::fwrite(fBytes.constData(), 1, size_t(fBytes.size()), fSalida);
    fBytes.resize(0); // its room is kept for the next piece
}

// One reminder of the list, made on the thread that read its file as soon as it is read,
// so that no record is kept: where it goes in the order, and what is printed of it. Its
// texts are kept in the list's reserve.
struct TFilaListado {
    bool bValida = false;
    qint64 iValor = 0; // its sort value (the next run)
    QStringView sNombre;
    QStringView sProxima; // the table's run-time columns
    QStringView sUltima;
    QByteArrayView sJson; // or its JSON object
};

QStringView Guardar(TReservaBytes &fReserva, QStringView rsTexto)
{
    return QStringView(fReserva.Copiar(rsTexto.utf16(), rsTexto.size()), rsTexto.size());
}

QByteArrayView Guardar(TReservaBytes &fReserva, QByteArrayView rBytes)
{
    return QByteArrayView(fReserva.Copiar(rBytes.data(), rBytes.size()), rBytes.size());
}

void Imprimir_Tabla(const TFilaListado *rFilas, const QVector<int> &rOrden, int riLenguaje, std::FILE *fSalida)
{
    const QString titulos[3] = {Titulo_Columna_Lista(0, riLenguaje), Titulo_Columna_Lista(1, riLenguaje),
                                Titulo_Columna_Lista(2, riLenguaje)};
    qsizetype ancho[2] = {titulos[0].size(), titulos[1].size()};
    for (int i : rOrden) {
        ancho[0] = std::max(ancho[0], rFilas[i].sNombre.size());
        ancho[1] = std::max(ancho[1], rFilas[i].sProxima.size());
    }
    QByteArray bytes;
    const auto columna = [&](QStringView rsTexto, qsizetype riAncho) {
        bytes += rsTexto.toUtf8();
        bytes.append(std::max<qsizetype>(riAncho - rsTexto.size(), 0), ' ');
        bytes += "  ";
    };
    const auto linea = [&](QStringView rsNombre, QStringView rsProxima, QStringView rsUltima) {
        columna(rsNombre, ancho[0]);
        columna(rsProxima, ancho[1]);
        bytes += rsUltima.toUtf8();
        bytes += '\n';
        if (bytes.size() >= kTramoSalida)
            Escribir(bytes, fSalida);
    };
    linea(titulos[0], titulos[1], titulos[2]);
    for (int i : rOrden)
        linea(rFilas[i].sNombre, rFilas[i].sProxima, rFilas[i].sUltima);
    Escribir(bytes, fSalida);
}

void Imprimir_Recordatorio_Json(TEscritorJson &fJson, const TTipoTarea &t, QStringView rsProxima,
                                QStringView rsUltima, int riLenguaje)
{
    fJson.Abrir_Objeto();
    fJson.Texto(QLatin1StringView("file"), t.tsFile);
    // Stored times are a few microseconds off; shown to the millisecond like the texts.
    fJson.Numero(QLatin1StringView("lastRun"), Milisegundos_a_Dias(Dias_a_Milisegundos(t.tdLastRunTime)));
    fJson.Texto(QLatin1StringView("lastRunText"), rsUltima);
    fJson.Texto(QLatin1StringView("name"), t.tsTaskName);
    fJson.Numero(QLatin1StringView("nextRun"), t.tdNextRunTime);
    fJson.Texto(QLatin1StringView("nextRunText"), rsProxima);
    fJson.Texto(QLatin1StringView("summary"), Generar_Resumen_Tarea(t, riLenguaje));
    fJson.Entero(QLatin1StringView("type"), t.tiTareaTipo);
    fJson.Cerrar_Objeto();
}

// Where each reminder's JSON object is made: the array "reminders" of the document, with
// nothing in it yet.
TEscritorJson Arreglo_Recordatorios()
{
    TEscritorJson arreglo;
    arreglo.Abrir_Objeto();
    arreglo.Abrir_Arreglo(QLatin1StringView("reminders"));
    return arreglo;
}

// Keys in QJsonObject's order (sorted), the bytes QJsonDocument::Indented would give.
void Imprimir_Json(const TResultadoCarga &rCarga, const TFilaListado *rFilas,
                   const QVector<int> &rOrden, std::FILE *fSalida)
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
    for (int i : rOrden) {
        json.Agregar_Hecho(rFilas[i].sJson);
        if (json.Bytes().size() >= kTramoSalida)
            Escribir(json.Bytes(), fSalida);
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
    // The list is the program's last work: its rows are left for the system to take back
    // with the process.
    TReservaBytes &reserva = *new TReservaBytes;
    TFilaListado *filas = nullptr;
    qsizetype archivos = 0;
    const double ahora = Ahora();
    const TEscritorJson arreglo = Arreglo_Recordatorios();
    const auto preparar = [&](qsizetype riArchivos) {
        archivos = riArchivos;
        filas = static_cast<TFilaListado *>(reserva.Tomar(size_t(riArchivos) * sizeof(TFilaListado)));
        std::uninitialized_value_construct_n(filas, riArchivos);
    };
    // Neither the table nor the JSON shows a message: they are not joined.
    const TResultadoCarga carga =
        Recorrer_Directorio_Tareas(rsDirectorio, false, preparar, [&](qsizetype riArchivo, TTipoTarea &fTarea) {
            TFilaListado &fila = filas[riArchivo];
            Calcular_Proxima_Ejecucion_Lista(fTarea, ahora);
            fila.bValida = true;
            fila.iValor = Valor_Columna(fTarea, 1);
            fila.sNombre = Guardar(reserva, fTarea.tsTaskName);
            const QString proxima = Texto_Proxima_Ejecucion(fTarea, riLenguaje);
            const QString ultima = Texto_Ultima_Ejecucion(fTarea, riLenguaje);
            if (!rbJson) {
                fila.sProxima = Guardar(reserva, proxima);
                fila.sUltima = Guardar(reserva, ultima);
                return;
            }
            // Made in one writer per thread, whose room is kept from row to row.
            thread_local TEscritorJson pieza;
            pieza.Seguir(arreglo, 0);
            Imprimir_Recordatorio_Json(pieza, fTarea, proxima, ultima, riLenguaje);
            fila.sJson = Guardar(reserva, pieza.Bytes());
        });
    if (!Informar_Carga_Tareas(carga, rsDirectorio, riLenguaje, fErrores))
        return 1;

    // The valid rows in file order, then in the list's.
    std::vector<int> validas;
    validas.reserve(size_t(archivos));
    for (qsizetype i = 0; i < archivos; ++i)
        if (filas[i].bValida)
            validas.push_back(int(i));
    std::vector<qint64> valores(validas.size());
    std::vector<QStringView> nombres(validas.size());
    for (size_t k = 0; k < validas.size(); ++k) {
        valores[k] = filas[validas[k]].iValor;
        nombres[k] = filas[validas[k]].sNombre;
    }
    QVector<int> orden = Orden_Filas(valores, nombres, true);
    for (int &k : orden)
        k = validas[size_t(k)];
    if (rbJson)
        Imprimir_Json(carga, filas, orden, fSalida);
    else
        Imprimir_Tabla(filas, orden, riLenguaje, fSalida);
    std::fflush(fSalida);
    return carga.ilegibles.isEmpty() ? 0 : 1;
}
