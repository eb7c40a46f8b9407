// The reminder list of the main window: filling, order, header arrows, selection,
// summary, and the date words that roll over at midnight.
#include "mainwindow.h"

#include "columnwidth.h"
#include "filterfield.h"
#include "listtexts.h"
#include "midnight.h"
#include "editor/summary.h"
#include "report/eventlog.h"
#include "report/messagebox.h"
#include "store/daycount.h"
#include "store/loader.h"
#include "store/textforms.h"
#include "texts/captions.h"
#include "texts/errortexts.h"
#include "texts/language.h"

#include <QApplication>
#include <QFileInfo>
#include <QDateTime>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <algorithm>
#include <exception>
#include <memory>
#include <utility>

namespace {
// A row keeps its own copy of the record, taken when the row is built: the order and
// the summary read it, and its file path names the reminder.
class TFilaLista : public QTreeWidgetItem {
public:
    TFilaLista() : QTreeWidgetItem(UserType) {}
    TTipoTarea pTarea;
    TTextoFiltro pFiltro; // name and message as the filter compares them
};

TFilaLista *Fila_De(QTreeWidgetItem *rItem)
{
    return rItem && rItem->type() == QTreeWidgetItem::UserType ? static_cast<TFilaLista *>(rItem) : nullptr;
}

// The hourglass while the list sorts.
struct TCursorEspera {
    TCursorEspera() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TCursorEspera() { QApplication::restoreOverrideCursor(); }
};
} // namespace

void TfrmMain::Cargar_Tareas_De_Archivos(const QString &rsSeleccionar, bool rbAvisarHilo)
{
    // Asked for from inside a reload (a box of the list's own): it runs right after.
    if (pbRecargando) {
        Anotar_Recarga(rsSeleccionar, false, rbAvisarHilo);
        return;
    }
    pbRecargando = true;
    QStringList cajas;
    try {
        cajas = Recargar_Tabla(rsSeleccionar, rbAvisarHilo);
    } catch (...) {
        pbRecargando = false;
        throw;
    }
    pbRecargando = false;
    pRelojRecarga.start();
    Mostrar_Cajas_Carga(cajas);
    Programar_Recarga();
}

void TfrmMain::Pedir_Recarga(bool rbAvisarHilo)
{
    Anotar_Recarga(QString(), true, rbAvisarHilo);
    Programar_Recarga();
}

void TfrmMain::Anotar_Recarga(const QString &rsSeleccionar, bool rbMantenerSeleccion, bool rbAvisarHilo)
{
    TRecargaPendiente &p = pRecargaPendiente;
    // A file to select (a reminder just saved) wins over keeping the current row.
    if (!rbMantenerSeleccion) {
        p.sSeleccionar = rsSeleccionar;
        p.bMantenerSeleccion = false;
    } else if (!p.bHay) {
        p.bMantenerSeleccion = true;
    }
    p.bHay = true;
    p.bAvisarHilo = p.bAvisarHilo || rbAvisarHilo;
    // The scheduler reads the folder at most once a tick whatever it is told, so it
    // learns at once rather than after the list's own (coalesced) reload.
    if (rbAvisarHilo && pThreadAlerta)
        pThreadAlerta->pbLeerArchivos = true;
}

void TfrmMain::Programar_Recarga()
{
    if (!pRecargaPendiente.bHay || pbRecargando || pbApagado || TimerRecarga->isActive())
        return;
    const qint64 pasado = pRelojRecarga.isValid() ? pRelojRecarga.elapsed() : kMsEntreRecargas;
    if (pasado >= kMsEntreRecargas)
        Ejecutar_Recarga_Pendiente();
    else
        TimerRecarga->start(int(kMsEntreRecargas - pasado));
}

void TfrmMain::Ejecutar_Recarga_Pendiente()
{
    if (!pRecargaPendiente.bHay || pbApagado)
        return;
    const TRecargaPendiente p = std::exchange(pRecargaPendiente, TRecargaPendiente());
    try {
        Cargar_Tareas_De_Archivos(p.bMantenerSeleccion ? Archivo_Seleccionado() : p.sSeleccionar, p.bAvisarHilo);
    } catch (const std::exception &e) {
        Mostrar_Cajas_Carga({Texto_Error_Principal(TErrorPrincipal::E207, QString::fromLocal8Bit(e.what()))});
    } catch (...) {
    }
}

void TfrmMain::Mostrar_Cajas_Carga(const QStringList &raCajas)
{
    // One box at a time: a box's event loop goes on delivering reloads, and the boxes
    // those bring wait their turn here instead of opening inside the open one.
    paCajasPendientes += raCajas;
    if (pbMostrandoCajas)
        return;
    pbMostrandoCajas = true;
    while (!paCajasPendientes.isEmpty() && !pbApagado)
        MessageBoxBeep(this, paCajasPendientes.takeFirst(), Caption_Error(), MB_OK);
    paCajasPendientes.clear();
    pbMostrandoCajas = false;
}

void TfrmMain::Anotar_Error_Carga(QStringList &faCajas, QHash<QString, QString> &fVistos, const QString &rsArchivo,
                                  const QString &rsTexto)
{
    // The same error of the same file is said once; a file changed since (or fixed and
    // broken again) is said anew.
    const QFileInfo info(rsArchivo);
    const QString huella = rsTexto + QLatin1Char('\n') + QString::number(info.size()) + QLatin1Char('\n') +
                           QString::number(info.lastModified().toMSecsSinceEpoch());
    fVistos.insert(rsArchivo, huella);
    if (pErroresMostrados.value(rsArchivo) != huella)
        faCajas << rsTexto;
}

QStringList TfrmMain::Recargar_Tabla(const QString &rsSeleccionar, bool rbAvisarHilo)
{
    const int lenguaje = Lenguaje_Actual();
    paTipoTarea.Vaciar();
    QStringList cajas;
    QHash<QString, QString> vistos;
    const QString carpeta = pCarpetas.psAppDataSystemLocal;
    TResultadoCarga carga;
    try {
        carga = Cargar_Directorio_Tareas(carpeta);
    } catch (const std::exception &e) {
        Anotar_Error_Carga(cajas, vistos, carpeta,
                           Texto_Error_Principal(TErrorPrincipal::E207, QString::fromLocal8Bit(e.what())));
        pErroresMostrados = vistos;
        return cajas;
    }
    if (!carga.directorioExiste) {
        Anotar_Error_Carga(cajas, vistos, carpeta, Texto_Sin_Acceso_Directorio(lenguaje, carpeta));
        pErroresMostrados = vistos;
        return cajas;
    }
    paTipoTarea = std::move(carga.tabla);
    for (const TArchivoInvalido &invalido : carga.invalidos)
        Anotar_Error_Carga(cajas, vistos, invalido.tsFile, Texto_Error_205(lenguaje, invalido.tiCodigo, invalido.tsFile));
    // A file that cannot be read is skipped and said; the others still load and fire.
    for (const TArchivoIlegible &ilegible : carga.ilegibles)
        Anotar_Error_Carga(cajas, vistos, ilegible.tsFile,
                           Texto_Error_Principal(TErrorPrincipal::E207,
                                                 ilegible.tsFile + QStringLiteral(": ") + ilegible.tsError));
    if (!carga.error.isEmpty()) {
        // What was read before the failure stays in the table; the list and the
        // scheduler are left as they were, and the next reload tries again.
        Anotar_Error_Carga(cajas, vistos, carpeta, Texto_Error_Principal(TErrorPrincipal::E207, carga.error));
        pErroresMostrados = vistos;
        return cajas;
    }
    pErroresMostrados = vistos;
    Fill_List_View(rsSeleccionar);
    if (rbAvisarHilo && pThreadAlerta) {
        try {
            pThreadAlerta->pbLeerArchivos = true;
        } catch (const std::exception &e) {
            Add_To_Log(Texto_Error_Principal(TErrorPrincipal::E206, QString::fromLocal8Bit(e.what())));
        }
    }
    return cajas;
}

void TfrmMain::Fill_List_View(const QString &rsSeleccionar)
{
    {
        const QSignalBlocker bloqueo(ListView);
        ListView->clear();
        Calcular_Proximas_Ejecuciones_Lista(paTipoTarea, Ahora());
        QList<QTreeWidgetItem *> filas;
        filas.reserve(paTipoTarea.paTipoTarea.size());
        for (const TTipoTarea &tarea : std::as_const(paTipoTarea.paTipoTarea)) {
            try {
                auto fila = std::make_unique<TFilaLista>();
                fila->pTarea = tarea;
                fila->pFiltro = TTextoFiltro(tarea);
                Escribir_Fila(fila.get());
                filas << fila.release();
            } catch (const std::exception &e) {
                MessageBoxBeep(this, Texto_Error_Principal(TErrorPrincipal::E208, QString::fromLocal8Bit(e.what())),
                               Caption_Error(), MB_OK);
            }
        }
        ListView->addTopLevelItems(filas);
        Ordenar_Lista();
        if (!rsSeleccionar.isEmpty()) {
            for (int i = 0; i < ListView->topLevelItemCount(); ++i) {
                QTreeWidgetItem *fila = ListView->topLevelItem(i);
                // A row the filter hides stays unselected: Edit and Delete act on what is seen.
                if (!fila->isHidden() && Comparar_Ignorando_AZ(Fila_De(fila)->pTarea.tsFile, rsSeleccionar) == 0) {
                    ListView->setCurrentItem(fila);
                    ListView->scrollToItem(fila);
                    if (isVisible())
                        ListView->setFocus();
                    break;
                }
            }
        }
    }
    Set_Sort_Glyphs(piColumnClicked);
    Ajustar_Columnas();
    ListViewSelectItem();
    Armar_Medianoche();
    if (pTraza) {
        QStringList nombres;
        for (int i = 0; i < ListView->topLevelItemCount(); ++i)
            nombres << ListView->topLevelItem(i)->text(0);
        Trazar(QStringLiteral("list %1: ").arg(nombres.size()) + nombres.join(QLatin1Char('|')));
    }
}

void TfrmMain::Escribir_Fila(QTreeWidgetItem *rFila)
{
    const TFilaLista *fila = Fila_De(rFila);
    const int lenguaje = Lenguaje_Actual();
    rFila->setText(0, fila->pTarea.tsTaskName);
    rFila->setText(1, Texto_Proxima_Ejecucion(fila->pTarea, lenguaje));
    rFila->setText(2, Texto_Ultima_Ejecucion(fila->pTarea, lenguaje));
}

void TfrmMain::Ordenar_Lista()
{
    const TCursorEspera espera;
    const QSignalBlocker bloqueo(ListView);
    QTreeWidgetItem *seleccionada = ListView->currentItem();
    const bool habiaSeleccion = seleccionada && seleccionada->isSelected();
    QList<QTreeWidgetItem *> filas = ListView->invisibleRootItem()->takeChildren();
    std::stable_sort(filas.begin(), filas.end(), [this](QTreeWidgetItem *a, QTreeWidgetItem *b) {
        const TFilaLista *fa = Fila_De(a);
        const TFilaLista *fb = Fila_De(b);
        // A row's first text is its record's name: read there, not copied out of the item.
        if (fa && fb)
            return ListViewCompare(fa->pTarea, fb->pTarea, piColumnClicked, pbAscending) < 0;
        return ListViewCompare(a->text(0), fa ? &fa->pTarea : nullptr, b->text(0), fb ? &fb->pTarea : nullptr,
                               piColumnClicked, pbAscending) < 0;
    });
    ListView->addTopLevelItems(filas);
    if (habiaSeleccion) {
        ListView->setCurrentItem(seleccionada);
        ListView->scrollToItem(seleccionada);
    } else {
        ListView->setCurrentItem(nullptr);
        ListView->clearSelection();
    }
    // Rows taken out and put back are shown again: the filter hides its rows anew.
    Ocultar_Filas_Filtradas();
}

void TfrmMain::EditFiltroChange()
{
    psFiltro = Forma_Filtro(EditFiltro->text());
    {
        const QSignalBlocker bloqueo(ListView);
        Ocultar_Filas_Filtradas();
    }
    ListViewSelectItem();
}

void TfrmMain::Ocultar_Filas_Filtradas()
{
    // Row by row through the view: an item's own setHidden looks for its row first.
    const QModelIndex raiz;
    piFilasFiltradas = 0;
    for (int i = 0; i < ListView->topLevelItemCount(); ++i) {
        const TFilaLista *fila = Fila_De(ListView->topLevelItem(i));
        const bool ocultar = fila && !fila->pFiltro.Coincide(psFiltro);
        piFilasFiltradas += ocultar ? 0 : 1;
        if (ListView->isRowHidden(i, raiz) != ocultar)
            ListView->setRowHidden(i, raiz, ocultar);
    }
    QTreeWidgetItem *actual = ListView->currentItem();
    if (actual && actual->isHidden()) {
        ListView->setCurrentItem(nullptr);
        ListView->clearSelection();
    }
    Mostrar_Cuenta_Filtro();
}

void TfrmMain::Mostrar_Cuenta_Filtro()
{
    // Said only while the filter holds text; the list without a filter looks as it always did.
    if (psFiltro.isEmpty()) {
        LabelFiltroCuenta->clear();
        return;
    }
    LabelFiltroCuenta->setText(Captions_Principal(Lenguaje_Actual())
                                   .LabelFiltroCuenta.arg(piFilasFiltradas)
                                   .arg(ListView->topLevelItemCount()));
}

// Enter in the filter goes to the list, on the first row shown when none is selected.
void TfrmMain::EditFiltroReturn()
{
    if (ListView->selectedItems().isEmpty()) {
        for (int i = 0; i < ListView->topLevelItemCount(); ++i) {
            if (!ListView->isRowHidden(i, QModelIndex())) {
                ListView->setCurrentItem(ListView->topLevelItem(i));
                break;
            }
        }
    }
    ListView->setFocus(Qt::OtherFocusReason);
}

void TfrmMain::Recargar_A_Mano()
{
    pErroresMostrados.clear();
    Cargar_Tareas_De_Archivos(Archivo_Seleccionado(), true);
}

void TfrmMain::Set_Sort_Glyphs(int riColumna)
{
    QHeaderView *cabecera = ListView->header();
    // An empty list shows no arrow at all.
    cabecera->setSortIndicatorShown(ListView->topLevelItemCount() > 0);
    // The arrow points up for ascending. Qt's header draws Qt::AscendingOrder as a
    // downward arrow, so the order it is given is the opposite one.
    cabecera->setSortIndicator(riColumna, pbAscending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void TfrmMain::ListViewColumnClick(int riColumna)
{
    if (riColumna < 0 || riColumna > 2)
        return;
    if (riColumna == piColumnClicked) {
        pbAscending = !pbAscending;
    } else {
        piColumnClicked = riColumna;
        pbAscending = true;
    }
    Ordenar_Lista();
    Set_Sort_Glyphs(riColumna);
}

void TfrmMain::ListViewMouseDown()
{
    const bool una = ListView->selectedItems().size() == 1;
    const bool asistente = static_cast<bool>(pEnlaces.Abrir_Asistente);
    SpeedButtonEditar->setEnabled(una && asistente);
    mEditarTarea->setEnabled(una && asistente);
    mEditarTareaPopup->setEnabled(una && asistente);
    SpeedButtonBorrar->setEnabled(una);
    mBorrarTarea->setEnabled(una);
    mBorrarTareaPopup->setEnabled(una);
    Actualizar_Comandos_Enlaces();
}

void TfrmMain::ListViewSelectItem()
{
    ListViewMouseDown();
    const QList<QTreeWidgetItem *> seleccion = ListView->selectedItems();
    if (ListView->topLevelItemCount() == 0 || seleccion.isEmpty()) {
        MemoSummary->clear();
        return;
    }
    const TFilaLista *fila = Fila_De(seleccion.constFirst());
    QString resumen = fila ? Generar_Resumen_Tarea(fila->pTarea, Lenguaje_Actual()) : QString();
    resumen.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    MemoSummary->setPlainText(resumen);
}

void TfrmMain::ListViewDblClick()
{
    if (ListView->topLevelItemCount() > 0 && !ListView->selectedItems().isEmpty())
        SpeedButtonEditarClick();
}

QString TfrmMain::Archivo_Seleccionado() const
{
    const QList<QTreeWidgetItem *> seleccion = ListView->selectedItems();
    if (seleccion.size() != 1)
        return QString();
    const TFilaLista *fila = Fila_De(seleccion.constFirst());
    return fila ? fila->pTarea.tsFile : QString();
}

int TfrmMain::Fila_Seleccionada() const
{
    const QString archivo = Archivo_Seleccionado();
    if (archivo.isEmpty())
        return -1;
    const QVector<TTipoTarea> &tabla = paTipoTarea.paTipoTarea;
    for (int i = 0; i < tabla.size(); ++i)
        if (tabla[i].tsFile == archivo)
            return i;
    return -1;
}

// One single-shot timer for the next midnight, so the date words follow the calendar
// without waking the program for anything else.
void TfrmMain::Armar_Medianoche()
{
    if (!pbApagado)
        TimerMedianoche->start(int(Ms_Hasta_Medianoche(Ahora_DateTime())));
}

void TfrmMain::TimerMedianocheTimer()
{
    for (int i = 0; i < ListView->topLevelItemCount(); ++i)
        Escribir_Fila(ListView->topLevelItem(i));
    Ajustar_Columnas();
    Armar_Medianoche();
}

void TfrmMain::Ajustar_Columnas()
{
    // Every column but the last as wide as its longest text, header included, in the
    // language shown ("11/Dic/2026 a las 5:30:00 p. m." is longer than its English form);
    // the last one takes the rest of the width.
    // Measured as resizeColumnToContents would, without laying out every row's text.
    for (int i = 0; i + 1 < ListView->columnCount(); ++i)
        ListView->header()->resizeSection(i, Ancho_Columna_Contenido(ListView, i));
}
