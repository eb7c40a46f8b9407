#include "icalcommand.h"

#include "commandline.h"
#include "listcommand.h"
#include "quickcommand.h"

#include "editor/summary.h"
#include "ical/icalexport.h"
#include "ical/icalimport.h"
#include "ical/icaltexts.h"
#include "ical/icaluids.h"
#include "platform/bus.h"
#include "platform/folders.h"
#include "platform/systeminfo.h"
#include "settings/settingsload.h"
#include "store/daycount.h"
#include "store/loader.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

namespace {
int Exportar(const QString &rsDestino, int riLenguaje, QTextStream &fSalida, QTextStream &fErrores)
{
    const TCarpetas carpetas = Calcular_Carpetas();
    const TResultadoCarga carga = Cargar_Directorio_Tareas(carpetas.psAppDataSystemLocal);
    if (!Informar_Carga_Tareas(carga, carpetas.psAppDataSystemLocal, riLenguaje, fErrores))
        return 1;
    const TExportacionICal r =
        Exportar_ICal(carga.tabla.paTipoTarea, Zona_Sistema_ICal(), Ahora(), riLenguaje,
                      Uids_Por_Archivo(Leer_Uids(Archivo_Uids(carpetas.psAppDataLocal))));
    for (const QString &nota : r.aNotas)
        fErrores << nota << '\n';
    const bool salidaEstandar = rsDestino == QLatin1String("-");
    if (salidaEstandar) {
        QFile salida;
        if (!salida.open(stdout, QIODevice::WriteOnly) || salida.write(r.sDatos) != r.sDatos.size()) {
            fErrores << "Cannot write to standard output\n";
            return 1;
        }
    } else {
        QSaveFile archivo(rsDestino);
        if (!archivo.open(QIODevice::WriteOnly) || archivo.write(r.sDatos) != r.sDatos.size() || !archivo.commit()) {
            fErrores << rsDestino << ": " << archivo.errorString() << '\n';
            return 1;
        }
    }
    // With the calendar on standard output, the report goes to the errors stream.
    (salidaEstandar ? fErrores : fSalida)
        << Texto_ICal(TTextoICal::Exportadas, riLenguaje).arg(r.iTareas).arg(salidaEstandar ? QStringLiteral("-") : rsDestino)
        << '\n';
    return carga.ilegibles.isEmpty() ? 0 : 1;
}

int Importar(const QString &rsOrigen, bool rbPrueba, QTextStream &fSalida, QTextStream &fErrores)
{
    const TCarpetas carpetas = Calcular_Carpetas();
    TContextoImport contexto;
    contexto.sCarpetaDatos = carpetas.psAppDataSystemLocal;
    contexto.sArchivoUids = Archivo_Uids(carpetas.psAppDataLocal);
    contexto.sPathSonidoDefault = carpetas.psAppDataSoundsAllUsers + Sonido_Default_Guardado();
    contexto.iLenguaje = Leer_Lenguaje_Sin_Grabar(System_Language_Name());
    contexto.dAhora = Ahora();
    contexto.Resumen = [](const TTipoTarea &rTarea, int riLenguaje) { return Generar_Resumen_Tarea(rTarea, riLenguaje); };
    TPlanImport plan = Planear_Import_ICal(rsOrigen, contexto);
    if (!plan.sError.isEmpty()) {
        fErrores << Texto_ICal(TTextoICal::ArchivoIlegible, contexto.iLenguaje).arg(rsOrigen, plan.sError) << '\n';
        return 2;
    }
    if (!rbPrueba && Aplicar_Import_ICal(plan, contexto) > 0)
        Broadcast_Message(QString::fromLatin1(MSG_KESTRIN_READ_FILES)); // once, at the end
    if (!plan.sError.isEmpty())
        fErrores << plan.sError << '\n';
    for (const QString &linea : Lineas_Informe_Import(plan, rbPrueba, contexto.iLenguaje))
        fSalida << linea << '\n';
    return plan.Cuantos(TAccionImport::Omitir) > 0 ? 1 : 0;
}
} // namespace

int Ejecutar_Opcion_ICal(const QCommandLineParser &rParser)
{
    QTextStream salida(stdout);
    QTextStream errores(stderr);
    if (!Una_Sola_Accion(rParser, errores))
        return 2;
    if (rParser.isSet(kOpcionDryRun) && !rParser.isSet(kOpcionImport)) {
        errores << "--dry-run goes with --import.\n";
        return 2;
    }
    if (rParser.isSet(kOpcionImport)) {
        if (rParser.isSet(kOpcionLanguage)) {
            errores << "--language goes with --list or --export; an import uses the language of the settings.\n";
            return 2;
        }
        return Importar(rParser.value(kOpcionImport), rParser.isSet(kOpcionDryRun), salida, errores);
    }
    const int lenguaje = Elegir_Lenguaje_Listado(rParser.isSet(kOpcionLanguage) ? rParser.value(kOpcionLanguage) : QString());
    if (lenguaje < 0) {
        errores << "Unknown language: " << rParser.value(kOpcionLanguage) << " (use en or es).\n";
        return 2;
    }
    return Exportar(rParser.value(kOpcionExport), lenguaje, salida, errores);
}
