#include "icalmenu.h"

#include "mainwindow.h"

#include "editor/summary.h"
#include "ical/icalexport.h"
#include "ical/icalimport.h"
#include "ical/icaltexts.h"
#include "ical/icaluids.h"
#include "report/messagebox.h"
#include "store/daycount.h"
#include "texts/captions.h"
#include "texts/language.h"

#include <QDir>
#include <QFileDialog>
#include <QSaveFile>

namespace {
const QString kFiltro = QStringLiteral("iCalendar (*.ics)");

QString Sin_Ampersand(QString rsCaption)
{
    return rsCaption.remove(QLatin1Char('&'));
}
} // namespace

void Exportar_ICal_Ventana(TfrmMain &rVentana, bool rbSeleccion)
{
    const int lenguaje = Lenguaje_Actual();
    const TCaptionsPrincipal &c = Captions_Principal(lenguaje);
    const QString archivo = QFileDialog::getSaveFileName(
        &rVentana, Sin_Ampersand(rbSeleccion ? c.mExportarSeleccion : c.mExportar),
        QDir::home().filePath(QStringLiteral("kestrin.ics")), kFiltro);
    if (!archivo.isEmpty())
        Exportar_ICal_A_Archivo(rVentana, archivo, rbSeleccion);
}

void Exportar_ICal_A_Archivo(TfrmMain &rVentana, const QString &archivo, bool rbSeleccion)
{
    const int lenguaje = Lenguaje_Actual();
    QVector<TTipoTarea> tareas = rVentana.paTipoTarea.paTipoTarea;
    if (rbSeleccion) {
        // The selection may have gone with a reload while the dialog was open: nothing is exported then.
        const int fila = rVentana.Fila_Seleccionada();
        if (fila < 0)
            return;
        tareas = {tareas[fila]};
    }
    const TExportacionICal r =
        Exportar_ICal(tareas, Zona_Sistema_ICal(), Ahora(), lenguaje,
                      Uids_Por_Archivo(Leer_Uids(Archivo_Uids(rVentana.pCarpetas.psAppDataLocal))));
    QSaveFile salida(archivo);
    if (!salida.open(QIODevice::WriteOnly) || salida.write(r.sDatos) != r.sDatos.size() || !salida.commit()) {
        MessageBoxBeep(&rVentana, archivo + QStringLiteral(": ") + salida.errorString(), Caption_Error(), MB_OK);
        return;
    }
    QStringList lineas{tareas.size() == 1
                           ? Texto_ICal(TTextoICal::ExportadaUna, lenguaje).arg(tareas.front().tsTaskName, archivo)
                           : Texto_ICal(TTextoICal::Exportadas, lenguaje).arg(r.iTareas).arg(archivo)};
    lineas << r.aNotas;
    MessageBoxBeep(&rVentana, lineas.join(QLatin1Char('\n')), Caption_Informacion(lenguaje), MB_OK);
}

void Importar_ICal_Ventana(TfrmMain &rVentana)
{
    const int lenguaje = Lenguaje_Actual();
    const QString archivo = QFileDialog::getOpenFileName(&rVentana, Sin_Ampersand(Captions_Principal(lenguaje).mImportar),
                                                         QDir::homePath(), kFiltro);
    if (!archivo.isEmpty())
        Importar_ICal_De_Archivo(rVentana, archivo);
}

void Importar_ICal_De_Archivo(TfrmMain &rVentana, const QString &archivo)
{
    const int lenguaje = Lenguaje_Actual();
    TContextoImport contexto;
    contexto.sCarpetaDatos = rVentana.pCarpetas.psAppDataSystemLocal;
    contexto.sArchivoUids = Archivo_Uids(rVentana.pCarpetas.psAppDataLocal);
    contexto.sPathSonidoDefault = rVentana.pCarpetas.psAppDataSoundsAllUsers + rVentana.pConfiguracion.psDefaultSound;
    contexto.iLenguaje = lenguaje;
    contexto.dAhora = Ahora();
    contexto.Resumen = [](const TTipoTarea &rTarea, int riLenguaje) { return Generar_Resumen_Tarea(rTarea, riLenguaje); };
    TPlanImport plan = Planear_Import_ICal(archivo, contexto);
    if (!plan.sError.isEmpty()) {
        MessageBoxBeep(&rVentana, Texto_ICal(TTextoICal::ArchivoIlegible, lenguaje).arg(archivo, plan.sError),
                       Caption_Error(), MB_OK);
        return;
    }
    if (Aplicar_Import_ICal(plan, contexto) > 0)
        rVentana.Cargar_Tareas_De_Archivos(QString(), true);
    // The counts first, then only the lines of what was skipped.
    QStringList lineas = Lineas_Informe_Import(plan, false, lenguaje);
    QStringList caja{lineas.takeLast()};
    for (qsizetype i = 0; i < plan.aEventos.size(); ++i)
        if (plan.aEventos[i].iAccion == TAccionImport::Omitir)
            caja << lineas[i];
    if (!plan.sError.isEmpty())
        caja << plan.sError;
    MessageBoxBeep(&rVentana, caja.join(QLatin1Char('\n')),
                   plan.Cuantos(TAccionImport::Omitir) > 0 ? Caption_Error() : Caption_Informacion(lenguaje), MB_OK);
}
