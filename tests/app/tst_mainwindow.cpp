// The main window offscreen: captions in both languages, enabled commands, the Edit and
// Delete boxes, the list's order and selection, the scheduler's messages, the links the
// commands call, hiding and ending. Every window gets fresh private folders.
#include "columnwidth.h"
#include "icalmenu.h"
#include "mainwindow.h"

#include "midnight.h"
#include "soundcontext.h"
#include "asnobody.h"
#include "tempxdg.h"
#include "platform/bus.h"
#include "platform/filelock.h"
#include "report/eventlog.h"
#include "report/messagerecorder.h"
#include "store/daycount.h"
#include "store/writer.h"
#include "texts/captions.h"
#include "texts/language.h"

#include <QFontMetrics>
#include <QMenuBar>
#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimeZone>
#include <QToolButton>
#include <QTreeWidget>

#include <algorithm>
#include <atomic>
#include <ctime>
#include <thread>
#include <memory>
#include <stdexcept>

namespace {

// Stops the scheduler's loop but keeps the thread object, so a reload request stays
// visible in its pbLeerArchivos instead of being taken at the next tick.
void Parar_Hilo(TfrmMain &w)
{
    w.pThreadAlerta->Detener();
    w.pThreadAlerta->wait();
    w.pThreadAlerta->pbLeerArchivos = false;
}

// A double-click as the desktop sends it: press, release, then the double-click and
// its release (QTest's own leaves the view in its pressed state).
void Doble_Clic(QWidget *rWidget, QPoint rPunto)
{
    QTest::mouseClick(rWidget, Qt::LeftButton, {}, rPunto);
    QMouseEvent doble(QEvent::MouseButtonDblClick, rPunto, rWidget->mapToGlobal(rPunto), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(rWidget, &doble);
    QTest::mouseRelease(rWidget, Qt::LeftButton, {}, rPunto);
}

// What the links were asked to do, in order.
struct TLlamadas {
    QStringList pa;
};

class TPrueba {
public:
    TPrueba() { QDir().mkpath(Exe()); }
    TCarpetasXdgTemporales pXdg;
    TGrabadorMensajes pCajas;
    TLlamadas pLlamadas;
    bool pbBandeja = true;
    QStringList paAlIniciar; // what the window had done when it called pAlIniciar
    QStringList paTraza;     // what the window traced (a "list" line per refill)
    std::unique_ptr<TfrmMain> pVentana;

    QString Exe() const { return pXdg.Raiz() + QStringLiteral("/bin/"); }
    QString Datos() const { return pXdg.Datos() + QStringLiteral("/Kestrin/System/"); }

    void Con_AlertWindow()
    {
        TCarpetasXdgTemporales::Escribir(Exe() + QStringLiteral("AlertWindow"), "#!/bin/sh\n");
    }

    QString Escribir(const QString &rsNombre, qint32 riTipo, double rdInicio, double rdUltima = 0,
                     double rdSnooze = 0, const QString &rsMensaje = QString())
    {
        TTipoTarea t;
        t.tsTaskName = rsNombre;
        t.tsMensaje = rsMensaje;
        t.tiTareaTipo = riTipo;
        t.tdFechaInicio = rdInicio;
        t.tdFechaFin = rdInicio;
        t.tdLastRunTime = rdUltima;
        t.tdFechaCreacion = Ahora() - 10;
        if (rdSnooze > 0) {
            t.tiSnoozeTime = 10;
            t.tdSnoozeRun = rdSnooze;
        }
        const QString archivo = Datos() + QStringLiteral("data-") + rsNombre + QStringLiteral(".od");
        QString error;
        if (!Grabar_Archivo_Tarea(archivo, t, &error))
            qFatal("cannot write %s: %s", qPrintable(archivo), qPrintable(error));
        return archivo;
    }

    TEnlacesPrincipal Enlaces_Todos()
    {
        TEnlacesPrincipal e;
        e.Abrir_Asistente = [this](TfrmMain &, int fila) { pLlamadas.pa << QStringLiteral("asistente %1").arg(fila); };
        e.Abrir_Opciones = [this](TfrmMain &) {
            pLlamadas.pa << QStringLiteral("opciones");
            return false;
        };
        e.Abrir_Manejador_Sonidos = [this](TfrmMain &, const QString &c) { pLlamadas.pa << QStringLiteral("sonidos ") + c; };
        e.Abrir_Recordatorio_Rapido = [this](TfrmMain &, int m, const QString &c) {
            pLlamadas.pa << QStringLiteral("rapido %1 ").arg(m) + c;
        };
        e.Abrir_Acerca = [this](TfrmMain &) { pLlamadas.pa << QStringLiteral("acerca"); };
        e.Abrir_Enlace = [this](TfrmMain &, int q) { pLlamadas.pa << QStringLiteral("enlace %1").arg(q); };
        e.Buscar_Actualizaciones = [this](TfrmMain &) { pLlamadas.pa << QStringLiteral("actualizaciones"); };
        e.Exportar_ICal = [this](TfrmMain &, bool s) { pLlamadas.pa << QStringLiteral("exportar %1").arg(s); };
        return e;
    }

    TfrmMain &Abrir(TEnlacesPrincipal rEnlaces, const QStringList &raArgumentos = {})
    {
        TArranquePrincipal a;
        a.paArgumentos = raArgumentos;
        a.pCarpetas = Calcular_Carpetas();
        a.pCarpetas.psEXEPath = Exe();
        a.psEjecutable = Exe() + QStringLiteral("kestrin");
        a.pHayBandeja = [this] { return pbBandeja; };
        a.piTickMs = 50;
        a.pbEscucharBus = false;
        a.pTraza = [this](const QString &t) { paTraza << t; };
        a.pAlIniciar = [this](TfrmMain &w) {
            paAlIniciar << QStringLiteral("%1 rows, scheduler %2")
                               .arg(w.paTipoTarea.piTipoTareaTotal())
                               .arg(w.pThreadAlerta && w.pThreadAlerta->isRunning() ? "running" : "absent");
        };
        pVentana = std::make_unique<TfrmMain>(a, std::move(rEnlaces));
        // The deferred start has run once the scheduler runs.
        if (!QTest::qWaitFor([this] { return pVentana->Hilos_Iniciados() == 1; }, 5000))
            qFatal("the deferred start did not run");
        return *pVentana;
    }
    TfrmMain &Abrir() { return Abrir(Enlaces_Todos()); }
    // Mouse clicks reach only a shown window.
    void Mostrar()
    {
        pVentana->show();
        if (!QTest::qWaitForWindowExposed(pVentana.get()))
            qFatal("the window was not shown");
    }

    template <typename T> T *Hijo(const QString &rsNombre) const
    {
        T *hijo = pVentana->findChild<T *>(rsNombre);
        if (!hijo)
            qFatal("no child %s", qPrintable(rsNombre));
        return hijo;
    }
    QTreeWidget *Lista() const { return Hijo<QTreeWidget>(QStringLiteral("ListView")); }
    QStringList Nombres() const
    {
        QStringList n;
        for (int i = 0; i < Lista()->topLevelItemCount(); ++i)
            n << Lista()->topLevelItem(i)->text(0);
        return n;
    }
    void Seleccionar(const QString &rsNombre)
    {
        const auto filas = Lista()->findItems(rsNombre, Qt::MatchExactly, 0);
        if (filas.size() != 1)
            qFatal("no single row %s", qPrintable(rsNombre));
        Lista()->setCurrentItem(filas.constFirst());
    }
    QStringList Log() const
    {
        QFile f(Ruta_Log());
        if (!f.open(QIODevice::ReadOnly))
            return {};
        QStringList lineas;
        for (const QByteArray &l : f.readAll().split('\n'))
            if (!l.trimmed().isEmpty())
                lineas << QString::fromUtf8(l.trimmed()).section(QStringLiteral(" - "), 1, -1);
        return lineas;
    }
    QStringList Textos_Cajas() const
    {
        QStringList t;
        for (const TCajaRegistrada &c : pCajas.paCajas)
            t << c.sTexto;
        return t;
    }
};

} // namespace

class TstMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { Establecer_Lenguaje(0); }

    void captions_data();
    void captions();
    void ical_export_import();
    void client_area_below_the_menus();
    void language_switch_through_options();
    void options_cancel_changes_nothing();
    void empty_links_disable_commands();
    void edit_delete_enabled_by_selection();
    void edit_delete_boxes();
    void delete_confirmed();
    void delete_of_file_already_gone();
    void delete_refused_by_folder();
    void unreadable_file_skipped();
    void sound_manager_shows_and_sets_the_default();
    void delete_waits_for_a_write_back();
    void sort_data();
    void sort();
    void equal_times_sort_by_name_and_reverse();
    void empty_list_shows_no_arrow();
    void added_row_selected_reload_keeps_selection();
    void never_and_snooze_texts();
    void scheduler_reports();
    void scheduler_stopped_restarts();
    void links_called_by_commands();
    void synchronised_calls_and_their_failures();
    void second_add_while_open_ignored();
    void startup_order_and_leftovers();
    void silent_start();
    void close_hides_or_minimises();
    void shut_down_asks_first();
    void bus_messages();
    void reloads_never_nest_and_say_a_file_once();
    void reload_requests_coalesce();
    void midnight_data();
    void midnight();
    void keys_data();
    void keys();
    void filter_acts_on_the_rows_seen();
    void column_widths_as_qt_measures_data();
    void column_widths_as_qt_measures();
};

void TstMainWindow::captions_data()
{
    QTest::addColumn<QString>("objeto");
    QTest::addColumn<QString>("ingles");
    QTest::addColumn<QString>("espanol");
    QTest::addColumn<QString>("tecla"); // shown beside the caption
    const auto fila = [](const char *o, const char *en, const char *es, const char *tecla = "") {
        QTest::newRow(o) << QString::fromLatin1(o) << QString::fromUtf8(en) << QString::fromUtf8(es)
                         << QString::fromLatin1(tecla);
    };
    fila("mTrayAbrir", "Open", "Abrir");
    fila("mTrayAgregarTarea", "Add Reminder", "Agregar Recordatorio");
    fila("mTrayRecordatorioRapido", "Quick Reminder", "Recordatorio Rápido");
    fila("mTrayOpciones", "Options", "Opciones");
    fila("mTrayManejadorDeSonidos", "Sound Manager", "Manejador de Sonidos");
    fila("mTrayPaginaWeb", "Kestrin Homepage", "Página Web de Kestrin");
    fila("mTrayAcerca", "About Kestrin", "Acerca Kestrin");
    fila("mInicio", "&Start", "&Inicio");
    fila("mAgregarTarea", "&Add Reminder", "&Agregar Recordatorio", "Ctrl+N");
    fila("mAgregarTareaPopup", "&Add Reminder", "&Agregar Recordatorio");
    fila("mEditarTarea", "&Edit Reminder", "&Editar Recordatorio", "F2");
    fila("mEditarTareaPopup", "&Edit Reminder", "&Editar Recordatorio");
    fila("mBorrarTarea", "&Delete Reminder", "&Borrar Recordatorio", "Del");
    fila("mBorrarTareaPopup", "&Delete Reminder", "&Borrar Recordatorio");
    fila("mExportar", "E&xport…", "E&xportar…");
    fila("mExportarSeleccion", "Export Se&lected…", "Exportar &Seleccionado…");
    fila("mImportar", "&Import…", "&Importar…");
    fila("mOcultarVentana", "&Hide Window", "&Ocultar Ventana", "Ctrl+W");
    fila("mTerminarPrograma", "&Shut Down Kestrin", "&Terminar Kestrin", "Ctrl+Q");
    fila("mRecordatorioRapido", "&Quick Reminder", "&Recordatorio Rápido");
    fila("mConfigurar", "&Configure", "&Configurar");
    fila("mOpciones", "&Options", "&Opciones");
    fila("mManejadorDeSonidos", "&Sound Manager", "&Manejador de Sonidos");
    fila("mAyuda", "&Help", "&Ayuda");
    fila("mVerAyuda", "&View Help", "&Ver Ayuda", "F1");
    fila("mVerLog", "View &Log", "Ver &Log");
    fila("mPaginaWeb", "Kestrin Home&page", "&Página Web de Kestrin");
    fila("mAhoraDisponibleParaIPhoneYIPad", "&Now available for iPhone, iPod touch and iPad",
         "A&hora disponible para iPhone, iPod touch y iPad");
    fila("mCheckForUpdates", "Check for &Updates", "&Buscar Actualizaciones");
    fila("mAcerca", "&About Kestrin", "&Acerca Kestrin");
    fila("SpeedButtonAgregar", "Add|Add Reminder", "Agregar|Agregar Recordatorio");
    fila("SpeedButtonEditar", "Edit|Edit Reminder", "Editar|Editar Recordatorio");
    fila("SpeedButtonBorrar", "Delete|Delete Reminder", "Borrar|Borrar Recordatorio");
    fila("SpeedButtonOpciones", "Options|Options", "Opciones|Opciones");
    fila("SpeedButtonSonido", "Sound|Sound Manager", "Sonido|Manejador de Sonidos");
    fila("ListView", "Name|Next Run Time|Last Run Time", "Nombre|Próxima Ejecución|Ultima Ejecución");
    fila("frmMain", "Kestrin 1.6", "Kestrin 1.6");
    fila("mEn1Minuto", "In 1 Minute", "En 1 Minuto");
    fila("mTrayEn5Minutos", "In 5 Minutes", "En 5 Minutos");
    fila("mEn1Hora", "In 1 Hour", "En 1 Hora");
    fila("mTrayEn5Horas", "In 5 Hours", "En 5 Horas");
}

// The visible text of a control, whatever its kind.
static QString Texto_De(QObject *rObjeto)
{
    if (auto *a = qobject_cast<QAction *>(rObjeto))
        return a->text();
    if (auto *m = qobject_cast<QMenu *>(rObjeto))
        return m->title();
    if (auto *b = qobject_cast<QToolButton *>(rObjeto))
        return b->text() + u'|' + b->toolTip();
    if (auto *l = qobject_cast<QTreeWidget *>(rObjeto)) {
        QStringList t;
        for (int i = 0; i < l->columnCount(); ++i)
            t << l->headerItem()->text(i);
        return t.join(u'|');
    }
    if (auto *w = qobject_cast<QWidget *>(rObjeto))
        return w->windowTitle();
    return {};
}

void TstMainWindow::captions()
{
    QFETCH(QString, objeto);
    QFETCH(QString, ingles);
    QFETCH(QString, espanol);
    QFETCH(QString, tecla);
    TPrueba p;
    TfrmMain &w = p.Abrir();
    QObject *control = objeto == w.objectName() ? &w : w.findChild<QObject *>(objeto);
    QVERIFY2(control, qPrintable(objeto));
    if (auto *accion = qobject_cast<QAction *>(control))
        QCOMPARE(accion->shortcut().toString(), tecla);
    QCOMPARE(Texto_De(control), ingles);
    Establecer_Lenguaje(1);
    w.Set_Language_Captions(1);
    QCOMPARE(Texto_De(control), espanol);
    Establecer_Lenguaje(0);
    w.Set_Language_Captions(0);
    QCOMPARE(Texto_De(control), ingles);
}

void TstMainWindow::client_area_below_the_menus()
{
    // 604 by 402 below a menu bar measured with its titles in: at least a line of text.
    TPrueba p;
    TfrmMain &w = p.Abrir();
    const int menus = w.menuBar()->sizeHint().height();
    QVERIFY2(menus >= QFontMetrics(w.menuBar()->font()).height(), qPrintable(QString::number(menus)));
    QCOMPARE(w.size(), QSize(604, 402 + menus));
}

void TstMainWindow::language_switch_through_options()
{
    TPrueba p;
    p.Con_AlertWindow();
    p.Escribir(QStringLiteral("pasado"), TAREA_UNA_VEZ, Ahora() - 2);
    p.Escribir(QStringLiteral("una cita con un nombre bastante largo para la columna"), TAREA_UNA_VEZ, Ahora() + 300,
               Ahora() - 1);
    TEnlacesPrincipal e = p.Enlaces_Todos();
    e.Abrir_Opciones = [](TfrmMain &w) {
        Establecer_Lenguaje(0);
        w.pConfiguracion.piDefaultSnoozeTime = 25;
        w.pConfiguracion.psFontMensaje = QStringLiteral("DejaVu Serif");
        return true;
    };
    TfrmMain &w = p.Abrir(e);
    Establecer_Lenguaje(1);
    w.Set_Language_Captions(1);
    w.Cargar_Tareas_De_Archivos(QString(), false);
    p.Seleccionar(QStringLiteral("pasado"));
    QCOMPARE(p.Lista()->findItems(QStringLiteral("pasado"), Qt::MatchExactly, 0).value(0)->text(1), QStringLiteral("Nunca"));
    // The columns fit their longest text in the language shown (Spanish dates are long);
    // the last takes the rest of the width.
    const auto columnas_caben = [&p] {
        QTreeWidget *lista = p.Lista();
        const QFontMetrics medidas(lista->font());
        for (int c = 0; c + 1 < lista->columnCount(); ++c)
            for (int i = 0; i < lista->topLevelItemCount(); ++i)
                if (lista->columnWidth(c) < medidas.horizontalAdvance(lista->topLevelItem(i)->text(c)))
                    return false;
        return lista->header()->stretchLastSection();
    };
    QVERIFY(columnas_caben());
    const QString resumenEs = p.Hijo<QPlainTextEdit>(QStringLiteral("MemoSummary"))->toPlainText();
    QVERIFY(!resumenEs.isEmpty());

    w.SpeedButtonOpcionesClick();
    QCOMPARE(p.Lista()->findItems(QStringLiteral("pasado"), Qt::MatchExactly, 0).value(0)->text(1), QStringLiteral("Never"));
    QCOMPARE(p.Lista()->headerItem()->text(0), QStringLiteral("Name"));
    QVERIFY(columnas_caben());
    QCOMPARE(w.windowTitle(), QStringLiteral("Kestrin 1.6"));
    // The selected reminder stays selected and its summary follows the language.
    QCOMPARE(w.Archivo_Seleccionado(), p.Datos() + QStringLiteral("data-pasado.od"));
    const QString resumenEn = p.Hijo<QPlainTextEdit>(QStringLiteral("MemoSummary"))->toPlainText();
    QVERIFY(!resumenEn.isEmpty());
    QVERIFY(resumenEn != resumenEs);
    // The running scheduler got the new snooze time and font.
    QCOMPARE(w.pThreadAlerta->piDefaultSnoozeTime.load(), 25);
    QCOMPARE(w.pThreadAlerta->psFontMensaje.Leer(), QStringLiteral("DejaVu Serif"));
}

void TstMainWindow::options_cancel_changes_nothing()
{
    TPrueba p;
    p.Con_AlertWindow();
    p.Escribir(QStringLiteral("pasado"), TAREA_UNA_VEZ, Ahora() - 2);
    TEnlacesPrincipal e = p.Enlaces_Todos();
    e.Abrir_Opciones = [](TfrmMain &w) {
        w.pConfiguracion.piDefaultSnoozeTime = 99;
        return false;
    };
    TfrmMain &w = p.Abrir(e);
    const int antes = w.pThreadAlerta->piDefaultSnoozeTime.load();
    w.SpeedButtonOpcionesClick();
    QCOMPARE(w.pThreadAlerta->piDefaultSnoozeTime.load(), antes);
    QCOMPARE(p.Lista()->topLevelItem(0)->text(1), QStringLiteral("Never"));
}

void TstMainWindow::empty_links_disable_commands()
{
    TPrueba p;
    p.Con_AlertWindow();
    p.Escribir(QStringLiteral("uno"), TAREA_UNA_VEZ, Ahora() + 1);
    TfrmMain &w = p.Abrir(TEnlacesPrincipal{});
    p.Seleccionar(QStringLiteral("uno"));
    for (const char *nombre : {"mAgregarTarea", "mAgregarTareaPopup", "mTrayAgregarTarea", "mEditarTarea",
                               "mEditarTareaPopup", "mOpciones", "mTrayOpciones", "mManejadorDeSonidos",
                               "mTrayManejadorDeSonidos", "mVerAyuda", "mPaginaWeb", "mTrayPaginaWeb",
                               "mAhoraDisponibleParaIPhoneYIPad", "mCheckForUpdates", "mAcerca", "mTrayAcerca",
                               "mExportar", "mExportarSeleccion", "mImportar"})
        QVERIFY2(!p.Hijo<QAction>(QString::fromLatin1(nombre))->isEnabled(), nombre);
    for (const char *nombre : {"mRecordatorioRapido", "mTrayRecordatorioRapido"})
        QVERIFY2(!p.Hijo<QMenu>(QString::fromLatin1(nombre))->isEnabled(), nombre);
    for (const char *nombre : {"SpeedButtonAgregar", "SpeedButtonEditar", "SpeedButtonOpciones", "SpeedButtonSonido"})
        QVERIFY2(!p.Hijo<QToolButton>(QString::fromLatin1(nombre))->isEnabled(), nombre);
    // Delete needs no link; the window's own commands stay.
    QVERIFY(p.Hijo<QToolButton>(QStringLiteral("SpeedButtonBorrar"))->isEnabled());
    QVERIFY(p.Hijo<QAction>(QStringLiteral("mTerminarPrograma"))->isEnabled());
    // A disabled command called anyway does nothing.
    w.SpeedButtonAgregarClick();
    w.SpeedButtonEditarClick();
    QVERIFY(p.pCajas.paCajas.isEmpty());
}

void TstMainWindow::edit_delete_enabled_by_selection()
{
    TPrueba p;
    p.Con_AlertWindow();
    TfrmMain &w = p.Abrir();
    const QStringList mandos{"mEditarTarea", "mEditarTareaPopup", "mBorrarTarea", "mBorrarTareaPopup"};
    const auto habilitados = [&](bool esperado) {
        for (const QString &m : mandos)
            if (p.Hijo<QAction>(m)->isEnabled() != esperado)
                return false;
        return p.Hijo<QToolButton>(QStringLiteral("SpeedButtonEditar"))->isEnabled() == esperado &&
               p.Hijo<QToolButton>(QStringLiteral("SpeedButtonBorrar"))->isEnabled() == esperado;
    };
    QVERIFY(habilitados(false));
    p.Escribir(QStringLiteral("uno"), TAREA_UNA_VEZ, Ahora() + 1);
    w.Cargar_Tareas_De_Archivos(QString(), false);
    QVERIFY(habilitados(false)); // rows, none selected
    p.Mostrar();
    QTest::mouseClick(p.Lista()->viewport(), Qt::LeftButton, {},
                      p.Lista()->visualItemRect(p.Lista()->topLevelItem(0)).center());
    QVERIFY(habilitados(true));
    p.Lista()->clearSelection();
    QVERIFY(habilitados(false));
    QVERIFY(p.Hijo<QPlainTextEdit>(QStringLiteral("MemoSummary"))->toPlainText().isEmpty());
}

void TstMainWindow::edit_delete_boxes()
{
    TPrueba p;
    p.Con_AlertWindow();
    TfrmMain &w = p.Abrir();
    w.SpeedButtonEditarClick();
    w.SpeedButtonBorrarClick();
    QCOMPARE(p.Textos_Cajas(), QStringList(2, QStringLiteral("The reminder list is empty. Please add a reminder")));
    p.Escribir(QStringLiteral("uno"), TAREA_UNA_VEZ, Ahora() + 1);
    w.Cargar_Tareas_De_Archivos(QString(), false);
    p.pCajas.paCajas.clear();
    Establecer_Lenguaje(1);
    w.SpeedButtonBorrarClick();
    w.ListViewDblClick(); // no selection: no edit, no box
    QCOMPARE(p.Textos_Cajas(), QStringList{QStringLiteral("Por favor selecciona un recordatorio")});
    QCOMPARE(p.pCajas.paCajas.constFirst().iIcono, MB_ICONERROR);
    QVERIFY(p.pLlamadas.pa.isEmpty());
}

void TstMainWindow::delete_confirmed()
{
    TPrueba p;
    p.Con_AlertWindow();
    const QString uno = p.Escribir(QStringLiteral("uno"), TAREA_UNA_VEZ, Ahora() + 1);
    p.Escribir(QStringLiteral("dos"), TAREA_UNA_VEZ, Ahora() + 2);
    TfrmMain &w = p.Abrir();
    p.Seleccionar(QStringLiteral("uno"));
    p.pCajas.piRespuesta = IDCANCEL;
    w.SpeedButtonBorrarClick();
    QVERIFY(QFileInfo::exists(uno));
    QCOMPARE(p.pCajas.paCajas.size(), 1);
    const TCajaRegistrada caja = p.pCajas.paCajas.constFirst();
    QCOMPARE(caja.sTexto, QStringLiteral("Are you sure you want to delete the reminder: uno?"));
    QCOMPARE(caja.iIcono, MB_ICONQUESTION);
    QCOMPARE(caja.iBotones, MB_OKCANCEL);
    QCOMPARE(p.pCajas.paEventos, (QStringList{QStringLiteral("beep"), QStringLiteral("box")}));

    p.pCajas.piRespuesta = IDOK;
    Parar_Hilo(w);
    w.SpeedButtonBorrarClick();
    QVERIFY(!QFileInfo::exists(uno));
    QCOMPARE(p.Nombres(), QStringList{QStringLiteral("dos")});
    QVERIFY(p.Lista()->selectedItems().isEmpty());
    QVERIFY(p.Hijo<QPlainTextEdit>(QStringLiteral("MemoSummary"))->toPlainText().isEmpty());
    QVERIFY(w.pThreadAlerta->pbLeerArchivos); // the scheduler is told to reload
    QCOMPARE(w.paTipoTarea.piTipoTareaTotal(), 1);
}

void TstMainWindow::delete_of_file_already_gone()
{
    TPrueba p;
    p.Con_AlertWindow();
    const QString uno = p.Escribir(QStringLiteral("uno"), TAREA_UNA_VEZ, Ahora() + 1);
    TfrmMain &w = p.Abrir();
    p.Seleccionar(QStringLiteral("uno"));
    QVERIFY(QFile::remove(uno));
    w.SpeedButtonBorrarClick();
    QCOMPARE(p.pCajas.paCajas.size(), 1); // the question only
    QVERIFY(p.Nombres().isEmpty());
}

void TstMainWindow::delete_refused_by_folder()
{
    if (TCarpetasXdgTemporales::Es_Root())
        QSKIP("root removes files from a read-only folder");
    TPrueba p;
    p.Con_AlertWindow();
    const QString uno = p.Escribir(QStringLiteral("uno"), TAREA_UNA_VEZ, Ahora() + 1);
    TfrmMain &w = p.Abrir();
    p.Seleccionar(QStringLiteral("uno"));
    QFile::setPermissions(p.Datos(), QFile::ReadOwner | QFile::ExeOwner);
    w.SpeedButtonBorrarClick();
    QFile::setPermissions(p.Datos(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(QFileInfo::exists(uno));
    QCOMPARE(p.Textos_Cajas().value(1), QStringLiteral("Unable to delete the file: ") + uno);
    QCOMPARE(p.Nombres(), QStringList{QStringLiteral("uno")});
}

// One file that cannot be read is said once and skipped; the others are listed.
void TstMainWindow::unreadable_file_skipped()
{
    KESTRIN_COMO_NOBODY();
    TPrueba p;
    p.Con_AlertWindow();
    p.Escribir(QStringLiteral("uno"), TAREA_UNA_VEZ, Ahora() + 1);
    const QString dos = p.Escribir(QStringLiteral("dos"), TAREA_UNA_VEZ, Ahora() + 2);
    p.Escribir(QStringLiteral("tres"), TAREA_UNA_VEZ, Ahora() + 3);
    QVERIFY(QFile::setPermissions(dos, {}));
    p.Abrir();
    QCOMPARE(p.Nombres(), (QStringList{QStringLiteral("uno"), QStringLiteral("tres")}));
    QCOMPARE(p.Textos_Cajas().size(), 1);
    QVERIFY2(p.Textos_Cajas().value(0).startsWith(QStringLiteral("Error 207 - ") + dos + QStringLiteral(": ")),
             qPrintable(p.Textos_Cajas().value(0)));
}

// The sound manager opened from the main window shows its default sound, and Set As
// Default changes the window's setting and the running scheduler's copy.
void TstMainWindow::sound_manager_shows_and_sets_the_default()
{
    TPrueba p;
    p.Con_AlertWindow();
    TfrmMain &w = p.Abrir();
    const QString sonidos = w.pCarpetas.psAppDataSoundsAllUsers;
    for (const char *n : {"s1.mp3", "s2.mp3"}) {
        QFile f(sonidos + QLatin1String(n));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    w.pConfiguracion.psDefaultSound = QStringLiteral("s1.mp3");
    TContextoSonidos contexto = Contexto_Sonidos(w, nullptr);
    TfrmCambiarSonido dialogo(&w, contexto);
    QVERIFY(dialogo.Inicializar(QStringLiteral("Sound Manager")));
    QCOMPARE(dialogo.findChild<QLabel *>(QStringLiteral("LabelSonidoPredeterminado"))->text(),
             QStringLiteral("Default Sound: Sound 1"));

    auto *lista = dialogo.findChild<QListWidget *>(QStringLiteral("ListBox"));
    QVERIFY(lista);
    const auto fila = lista->findItems(QStringLiteral("Sound 2"), Qt::MatchExactly);
    QCOMPARE(fila.size(), 1);
    lista->setCurrentItem(fila.first());
    dialogo.BitBtnUsarComoPredeterminadoClick();
    QCOMPARE(w.pConfiguracion.psDefaultSound, QStringLiteral("s2.mp3"));
    QVERIFY(w.pThreadAlerta);
    QCOMPARE(w.pThreadAlerta->psDefaultSound.Leer(), QStringLiteral("s2.mp3"));
}

// A write-back (the scheduler's last run, a snooze) that holds the folder's lock while it
// rewrites the file: the delete waits for it, so the rewrite cannot bring the file back.
void TstMainWindow::delete_waits_for_a_write_back()
{
    TPrueba p;
    p.Con_AlertWindow();
    const QString uno = p.Escribir(QStringLiteral("uno"), TAREA_UNA_VEZ, Ahora() + 1);
    TfrmMain &w = p.Abrir();
    Parar_Hilo(w);
    p.Seleccionar(QStringLiteral("uno"));
    std::atomic<bool> bloqueado{false};
    std::thread escritor([&] {
        TBloqueoCarpeta bloqueo(p.Datos());
        bloqueado = true;
        QThread::msleep(300);
        // The rewrite of a write-back: a new file renamed over the old one.
        QString error;
        if (!Grabar_Lineas_Cifradas(uno, {QStringLiteral("TaskName1=uno"), QStringLiteral("LastRunTime=1")}, &error))
            qWarning("rewrite failed: %s", qPrintable(error));
    });
    while (!bloqueado)
        QThread::yieldCurrentThread();
    w.SpeedButtonBorrarClick();
    escritor.join();
    QVERIFY(!QFileInfo::exists(uno));
    QVERIFY(p.Nombres().isEmpty());
}

void TstMainWindow::sort_data()
{
    QTest::addColumn<QList<int>>("clics");
    QTest::addColumn<QStringList>("orden");
    QTest::addColumn<int>("columna");
    QTest::addColumn<bool>("ascendente");
    // alpha next tomorrow, never run; Bravo in two days, ran two days ago; charlie never
    // again, ran yesterday; delta at the next start, ran three days ago.
    const QStringList porProxima{"alpha", "Bravo", "delta", "charlie"};
    const QStringList porNombre{"alpha", "Bravo", "charlie", "delta"};
    const QStringList porUltima{"delta", "Bravo", "charlie", "alpha"};
    const auto inverso = [](QStringList l) {
        std::reverse(l.begin(), l.end());
        return l;
    };
    QTest::newRow("next, ascending (start)") << QList<int>{} << porProxima << 1 << true;
    QTest::newRow("next, descending") << QList<int>{1} << inverso(porProxima) << 1 << false;
    QTest::newRow("name, ascending") << QList<int>{0} << porNombre << 0 << true;
    QTest::newRow("name, descending") << QList<int>{0, 0} << inverso(porNombre) << 0 << false;
    QTest::newRow("last, ascending") << QList<int>{2} << porUltima << 2 << true;
    QTest::newRow("last, descending") << QList<int>{2, 2} << inverso(porUltima) << 2 << false;
    QTest::newRow("other column starts ascending") << QList<int>{1, 0} << porNombre << 0 << true;
    QTest::newRow("three clicks") << QList<int>{2, 2, 2} << porUltima << 2 << true;
}

void TstMainWindow::sort()
{
    QFETCH(QList<int>, clics);
    QFETCH(QStringList, orden);
    QFETCH(int, columna);
    QFETCH(bool, ascendente);
    TPrueba p;
    p.Con_AlertWindow();
    const double ahora = Ahora();
    p.Escribir(QStringLiteral("charlie"), TAREA_UNA_VEZ, ahora - 5, ahora - 1);
    p.Escribir(QStringLiteral("delta"), TAREA_AL_INICIAR, ahora - 5, ahora - 3);
    p.Escribir(QStringLiteral("Bravo"), TAREA_UNA_VEZ, ahora + 2, ahora - 2);
    p.Escribir(QStringLiteral("alpha"), TAREA_UNA_VEZ, ahora + 1, 0);
    TfrmMain &w = p.Abrir();
    p.Mostrar();
    p.Seleccionar(QStringLiteral("charlie"));
    for (int c : clics) {
        QHeaderView *cabecera = p.Lista()->header();
        QTest::mouseClick(cabecera->viewport(), Qt::LeftButton, {},
                          QPoint(cabecera->sectionViewportPosition(c) + 5, cabecera->height() / 2));
    }
    QCOMPARE(p.Nombres(), orden);
    QCOMPARE(w.piColumnClicked, columna);
    QCOMPARE(w.pbAscending, ascendente);
    QHeaderView *cabecera = p.Lista()->header();
    QVERIFY(cabecera->isSortIndicatorShown());
    QCOMPARE(cabecera->sortIndicatorSection(), columna);
    // Qt draws its Descending order as the upward arrow that marks an ascending column.
    QCOMPARE(cabecera->sortIndicatorOrder(), ascendente ? Qt::DescendingOrder : Qt::AscendingOrder);
    // The selection follows its row through the sort.
    QCOMPARE(p.Lista()->selectedItems().size(), 1);
    QCOMPARE(p.Lista()->selectedItems().constFirst()->text(0), QStringLiteral("charlie"));
    // A reload keeps the order.
    w.Cargar_Tareas_De_Archivos(QString(), false);
    QCOMPARE(p.Nombres(), orden);
}

void TstMainWindow::equal_times_sort_by_name_and_reverse()
{
    TPrueba p;
    p.Con_AlertWindow();
    const double manana = Solo_Fecha(Ahora()) + 1.5;
    for (const char *n : {"mike", "Kilo", "lima", "juliet"})
        p.Escribir(QString::fromLatin1(n), TAREA_UNA_VEZ, manana);
    TfrmMain &w = p.Abrir();
    QCOMPARE(p.Nombres(), (QStringList{"juliet", "Kilo", "lima", "mike"}));
    w.ListViewColumnClick(1);
    QCOMPARE(p.Nombres(), (QStringList{"mike", "lima", "Kilo", "juliet"}));
}

void TstMainWindow::empty_list_shows_no_arrow()
{
    TPrueba p;
    p.Con_AlertWindow();
    TfrmMain &w = p.Abrir();
    QVERIFY(!p.Lista()->header()->isSortIndicatorShown());
    w.ListViewColumnClick(0);
    QVERIFY(!p.Lista()->header()->isSortIndicatorShown());
    p.Escribir(QStringLiteral("uno"), TAREA_UNA_VEZ, Ahora() + 1);
    w.Cargar_Tareas_De_Archivos(QString(), false);
    QVERIFY(p.Lista()->header()->isSortIndicatorShown());
    QCOMPARE(p.Lista()->header()->sortIndicatorSection(), 0);
}

void TstMainWindow::added_row_selected_reload_keeps_selection()
{
    TPrueba p;
    p.Con_AlertWindow();
    for (int i = 0; i < 60; ++i)
        p.Escribir(QStringLiteral("r%1").arg(i, 2, 10, QLatin1Char('0')), TAREA_UNA_VEZ, Ahora() + 1 + i);
    TfrmMain &w = p.Abrir();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QString nuevo = p.Escribir(QStringLiteral("zz-nuevo"), TAREA_UNA_VEZ, Ahora() + 100);
    Parar_Hilo(w);
    // The path given in other letter case still finds the row.
    QString otraForma = nuevo;
    otraForma.replace(QStringLiteral("zz-nuevo"), QStringLiteral("ZZ-Nuevo"));
    w.Cargar_Tareas_De_Archivos(otraForma, true);
    QCOMPARE(w.Archivo_Seleccionado(), nuevo);
    QVERIFY(w.pThreadAlerta->pbLeerArchivos);
    w.pThreadAlerta->pbLeerArchivos = false;
    QTreeWidgetItem *fila = p.Lista()->selectedItems().constFirst();
    QVERIFY(p.Lista()->viewport()->rect().intersects(p.Lista()->visualItemRect(fila)));
    QVERIFY(p.Lista()->hasFocus());
    QCOMPARE(p.Hijo<QPlainTextEdit>(QStringLiteral("MemoSummary"))->toPlainText().isEmpty(), false);
    // A message of the scheduler (files changed) keeps the selection and does not ask
    // the scheduler to reload.
    w.Mensaje_Archivos_Cambiados(1, 0, QString());
    QCOMPARE(w.Archivo_Seleccionado(), nuevo);
    QVERIFY(!w.pThreadAlerta->pbLeerArchivos);
    QCOMPARE(p.Lista()->topLevelItemCount(), 61);
    QCOMPARE(w.Fila_Seleccionada() >= 0, true);
    QCOMPARE(w.paTipoTarea.paTipoTarea.at(w.Fila_Seleccionada()).tsFile, nuevo);
}

void TstMainWindow::never_and_snooze_texts()
{
    TPrueba p;
    p.Con_AlertWindow();
    const double ahora = Ahora();
    const double snooze = ahora + 3;
    p.Escribir(QStringLiteral("pasado"), TAREA_UNA_VEZ, ahora - 2);
    p.Escribir(QStringLiteral("pospuesto"), TAREA_UNA_VEZ, ahora - 2, 0, snooze);
    p.Escribir(QStringLiteral("inicio"), TAREA_AL_INICIAR, ahora - 2, 0, snooze);
    TfrmMain &w = p.Abrir();
    const auto texto = [&](const QString &n, int c) {
        return p.Lista()->findItems(n, Qt::MatchExactly, 0).constFirst()->text(c);
    };
    QCOMPARE(texto(QStringLiteral("pasado"), 1), QStringLiteral("Never"));
    QCOMPARE(texto(QStringLiteral("pasado"), 2), QStringLiteral("Never"));
    QVERIFY(texto(QStringLiteral("pospuesto"), 1) != QStringLiteral("Never"));
    QCOMPARE(texto(QStringLiteral("inicio"), 1), QStringLiteral("When the Computer Starts"));
    // The snoozed start-up reminder sorts by its snooze time, like the snoozed one.
    QCOMPARE(p.Nombres().last(), QStringLiteral("pasado"));
    // The table holds the next run each row shows.
    for (const TTipoTarea &t : std::as_const(w.paTipoTarea.paTipoTarea))
        if (t.tsTaskName == QLatin1String("pasado"))
            QCOMPARE(t.tdNextRunTime, 0.0);
        else
            QVERIFY(qAbs(t.tdNextRunTime - snooze) < 1e-6);
}

void TstMainWindow::scheduler_reports()
{
    TPrueba p;
    p.Con_AlertWindow();
    TfrmMain &w = p.Abrir();
    for (int i = 1; i <= 4; ++i)
        w.Mensaje_Reporte_Hilo(1, 0, QStringLiteral("load failed %1").arg(i));
    QCOMPARE(p.Log(), (QStringList{"Error 1 - load failed 1", "Error 1 - load failed 2", "Error 1 - load failed 3"}));
    QCOMPARE(w.Hilos_Iniciados(), 4);
    QVERIFY(w.pThreadAlerta && w.pThreadAlerta->isRunning());
    QCOMPARE(p.Textos_Cajas(), QStringList{QStringLiteral("Kestrin\rError 1\rload failed 4")});
    QVERIFY(p.Hijo<QAction>(QStringLiteral("mVerLog"))->isVisible());

    p.pCajas.paCajas.clear();
    w.Mensaje_Reporte_Hilo(2, 0, QStringLiteral("two"));
    w.Mensaje_Reporte_Hilo(99, 0, QStringLiteral("other"));
    QCOMPARE(p.Log().size(), 3);
    QVERIFY(p.pCajas.paCajas.isEmpty());
    w.Mensaje_Reporte_Hilo(3, 17, QStringLiteral("/some/file.od"));
    QCOMPARE(p.Log().last(), QStringLiteral("Error 3 - /some/file.od"));
    for (int codigo : {4, 5, 6, 7})
        w.Mensaje_Reporte_Hilo(codigo, 0, QStringLiteral("text"));
    QCOMPARE(p.Textos_Cajas(), (QStringList{"Kestrin\rError 4\rtext", "Kestrin\rError 5\rtext",
                                            "Kestrin\rError 6\rtext", "Kestrin\rError 7\rtext"}));
    QCOMPARE(w.Hilos_Iniciados(), 4);
}

void TstMainWindow::scheduler_stopped_restarts()
{
    TPrueba p;
    p.Con_AlertWindow();
    TfrmMain &w = p.Abrir();
    for (int i = 0; i < 5; ++i)
        w.Mensaje_Hilo_Terminado(1, 0, QStringLiteral("boom"));
    QCOMPARE(w.Hilos_Iniciados(), 6); // always restarts
    QCOMPARE(p.Log(), QStringList(5, QStringLiteral("Error 200 - boom")));
    QVERIFY(p.pCajas.paCajas.isEmpty());
}

void TstMainWindow::links_called_by_commands()
{
    TPrueba p;
    p.Con_AlertWindow();
    p.Escribir(QStringLiteral("uno"), TAREA_UNA_VEZ, Ahora() + 1);
    p.Escribir(QStringLiteral("dos"), TAREA_UNA_VEZ, Ahora() + 2);
    TfrmMain &w = p.Abrir();
    p.Seleccionar(QStringLiteral("dos"));
    const int filaDos = w.Fila_Seleccionada();
    QCOMPARE(w.paTipoTarea.paTipoTarea.at(filaDos).tsTaskName, QStringLiteral("dos"));
    p.Mostrar();
    QTest::mouseClick(p.Hijo<QToolButton>(QStringLiteral("SpeedButtonAgregar")), Qt::LeftButton);
    QTest::mouseClick(p.Hijo<QToolButton>(QStringLiteral("SpeedButtonEditar")), Qt::LeftButton);
    Doble_Clic(p.Lista()->viewport(), p.Lista()->visualItemRect(p.Lista()->selectedItems().constFirst()).center());
    QTest::mouseClick(p.Hijo<QToolButton>(QStringLiteral("SpeedButtonSonido")), Qt::LeftButton);
    p.Hijo<QAction>(QStringLiteral("mEn10Minutos"))->trigger();
    p.Hijo<QAction>(QStringLiteral("mTrayEn5Horas"))->trigger();
    p.Hijo<QAction>(QStringLiteral("mAcerca"))->trigger();
    p.Hijo<QAction>(QStringLiteral("mVerAyuda"))->trigger();
    p.Hijo<QAction>(QStringLiteral("mPaginaWeb"))->trigger();
    p.Hijo<QAction>(QStringLiteral("mTrayPaginaWeb"))->trigger();
    p.Hijo<QAction>(QStringLiteral("mAhoraDisponibleParaIPhoneYIPad"))->trigger();
    p.Hijo<QAction>(QStringLiteral("mCheckForUpdates"))->trigger();
    w.hide();
    p.Hijo<QAction>(QStringLiteral("mTrayManejadorDeSonidos"))->trigger();
    QVERIFY(w.isVisible()); // the tray's commands show the window first
    Establecer_Lenguaje(1);
    w.Set_Language_Captions(1);
    p.Hijo<QAction>(QStringLiteral("mManejadorDeSonidos"))->trigger();
    p.Hijo<QAction>(QStringLiteral("mTrayEn1Minuto"))->trigger();
    const QString fila = QString::number(filaDos);
    QCOMPARE(p.pLlamadas.pa, (QStringList{"asistente -1", "asistente " + fila, "asistente " + fila,
                                          "sonidos Sound Manager", "rapido 10 In 10 Minutes",
                                          "rapido 300 In 5 Hours", "acerca", "enlace 2", "enlace 0", "enlace 0",
                                          "enlace 1", "actualizaciones", "sonidos Sound Manager",
                                          "sonidos Manejador de Sonidos", "rapido 1 En 1 Minuto"}));
}

// The scheduler waits on these calls; a failure in them is reported here and never
// reaches the event loop. Shutdown stops the players once.
void TstMainWindow::synchronised_calls_and_their_failures()
{
    TPrueba p;
    p.Con_AlertWindow();
    int detener = 0;
    QStringList popups;
    TEnlacesPrincipal e = p.Enlaces_Todos();
    e.Mostrar_Desktop_Alert = [&](TfrmMain &w) {
        popups << w.psThreadTaskName;
        if (w.psThreadTaskName == QLatin1String("bad"))
            throw std::runtime_error("no screen");
    };
    e.Tocar_Sonido = [](TfrmMain &) { throw std::runtime_error("no audio"); };
    e.Detener_Sonidos = [&](TfrmMain &) { ++detener; };
    TfrmMain &w = p.Abrir(e);
    w.psThreadTaskName = QStringLiteral("good");
    w.Mostrar_Desktop_Alert_Thread();
    w.psThreadTaskName = QStringLiteral("bad");
    w.Mostrar_Desktop_Alert_Thread();
    w.Tocar_Sonido_Thread();
    QCOMPARE(popups, (QStringList{"good", "bad"}));
    QCOMPARE(p.Textos_Cajas(), QStringList{QStringLiteral("Error 209. no screen")});
    QCOMPARE(p.Log(), QStringList{QStringLiteral("Error 204. no audio")});
    w.Terminar_Programa();
    w.Terminar_Programa();
    QCOMPARE(detener, 1);
    w.Mostrar_Desktop_Alert_Thread(); // after the end: nothing
    QCOMPARE(popups.size(), 2);
    // Without links the calls do nothing.
    TPrueba q;
    q.Con_AlertWindow();
    TfrmMain &v = q.Abrir(TEnlacesPrincipal{});
    v.Mostrar_Desktop_Alert_Thread();
    v.Tocar_Sonido_Thread();
    QVERIFY(q.pCajas.paCajas.isEmpty());
}

void TstMainWindow::second_add_while_open_ignored()
{
    TPrueba p;
    p.Con_AlertWindow();
    p.Escribir(QStringLiteral("uno"), TAREA_UNA_VEZ, Ahora() + 1);
    int llamadas = 0;
    TEnlacesPrincipal e = p.Enlaces_Todos();
    // While the wizard is open (its own event loop), the tray and the toolbar ask again.
    e.Abrir_Asistente = [&](TfrmMain &w, int) {
        ++llamadas;
        w.SpeedButtonAgregarClick();
        w.findChild<QAction *>(QStringLiteral("mTrayAgregarTarea"))->trigger();
        w.ListViewDblClick();
    };
    int opciones = 0;
    e.Abrir_Opciones = [&](TfrmMain &w) {
        ++opciones;
        w.SpeedButtonOpcionesClick();
        return false;
    };
    TfrmMain &w = p.Abrir(e);
    w.SpeedButtonAgregarClick();
    QCOMPARE(llamadas, 1);
    p.Seleccionar(QStringLiteral("uno"));
    w.SpeedButtonEditarClick();
    QCOMPARE(llamadas, 2);
    w.SpeedButtonOpcionesClick();
    w.SpeedButtonOpcionesClick();
    QCOMPARE(opciones, 2); // once each time, never nested
}

void TstMainWindow::startup_order_and_leftovers()
{
    TPrueba p;
    const QString od = p.Escribir(QStringLiteral("uno"), TAREA_UNA_VEZ, Ahora() + 1);
    const QString odb = p.Datos() + QStringLiteral("retirado.odb");
    QVERIFY(QFile::copy(od, odb));
    const QString tmp = p.Datos() + QStringLiteral("prueba.tmp");
    QVERIFY(QFile::copy(od, tmp));
    // An invalid file is shown with its code, before the missing AlertWindow, and only
    // once the scheduler runs: a box nobody answers must not hold the reminders back.
    TCarpetasXdgTemporales::Escribir(p.Datos() + QStringLiteral("malo.od"), "not a reminder\r\n");
    QStringList alMostrar;
    p.pCajas.pAlMostrar = [&](const TCajaRegistrada &) {
        alMostrar << (p.pVentana->pThreadAlerta && p.pVentana->pThreadAlerta->isRunning() ? "running" : "absent");
    };
    TfrmMain &w = p.Abrir();
    QCOMPARE(alMostrar, (QStringList{"running", "running"}));
    QVERIFY(!QFileInfo::exists(odb));
    QVERIFY(QFileInfo::exists(od));
    QVERIFY(QFileInfo::exists(tmp));
    QCOMPARE(p.Nombres(), QStringList{QStringLiteral("uno")});
    const QStringList cajas = p.Textos_Cajas();
    QCOMPARE(cajas.size(), 2);
    QVERIFY2(cajas[0].startsWith(QStringLiteral("Error 205-1\rInvalid format: ")), qPrintable(cajas[0]));
    QCOMPARE(cajas[1], QStringLiteral("File not found: ") + p.Exe() + QStringLiteral("AlertWindow\rPlease reinstall Kestrin"));
    // The scheduler started all the same, without the automatic start.
    QVERIFY(w.pThreadAlerta && w.pThreadAlerta->isRunning());
    QVERIFY(!w.pThreadAlerta->pbAutoStarted);
    QVERIFY(!w.isMinimized());
    // Sleep and resume start once the table is loaded and the scheduler runs, and only once.
    w.Mensaje_Hilo_Terminado(1, 0, QStringLiteral("x"));
    QCOMPARE(p.paAlIniciar, QStringList{QStringLiteral("1 rows, scheduler running")});
}

void TstMainWindow::silent_start()
{
    {
        TPrueba p;
        p.Con_AlertWindow();
        TfrmMain &w = p.Abrir(p.Enlaces_Todos(), {QStringLiteral("silent")});
        QVERIFY(w.pThreadAlerta->pbAutoStarted);
        QVERIFY(!w.pbAutoStarted);
        QVERIFY(w.windowState() & Qt::WindowMinimized);
        w.Mostrar_Al_Iniciar();
        QVERIFY(!w.isVisible()); // in the tray only
        // Only the first thread of the run sees the automatic start.
        w.Mensaje_Hilo_Terminado(1, 0, QStringLiteral("x"));
        QCOMPARE(w.Hilos_Iniciados(), 2);
        QVERIFY(!w.pThreadAlerta->pbAutoStarted);
    }
    {
        // Without a tray the window shows, minimised.
        TPrueba p;
        p.Con_AlertWindow();
        p.pbBandeja = false;
        TfrmMain &w = p.Abrir(p.Enlaces_Todos(), {QStringLiteral("silent")});
        w.Mostrar_Al_Iniciar();
        QVERIFY(w.isVisible());
        QVERIFY(w.isMinimized());
    }
    for (const char *otro : {"Silent", "SILENT", "silent "}) {
        TPrueba p;
        p.Con_AlertWindow();
        TfrmMain &w = p.Abrir(p.Enlaces_Todos(), {QString::fromLatin1(otro)});
        QVERIFY2(!w.pThreadAlerta->pbAutoStarted, otro);
        w.Mostrar_Al_Iniciar();
        QVERIFY(w.isVisible());
        QVERIFY(!w.isMinimized());
    }
}

void TstMainWindow::close_hides_or_minimises()
{
    TPrueba p;
    p.Con_AlertWindow();
    TfrmMain &w = p.Abrir();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(!w.close());
    QVERIFY(!w.isVisible());
    QVERIFY(w.pThreadAlerta && w.pThreadAlerta->isRunning());
    w.TrayIconClick();
    QVERIFY(w.isVisible());
    p.Hijo<QAction>(QStringLiteral("mOcultarVentana"))->trigger();
    QVERIFY(!w.isVisible());
    w.TrayIconClick();
    // Minimising while the tray icon shows hides the window instead.
    w.showMinimized();
    QTRY_VERIFY(!w.isVisible());
    w.TrayIconClick();
    QVERIFY(w.isVisible());
    QVERIFY(!w.isMinimized());
    // Without a tray host the window is never hidden; the log says why, once.
    p.pbBandeja = false;
    QVERIFY(!w.close());
    QVERIFY(w.isVisible());
    QVERIFY(w.windowState() & Qt::WindowMinimized);
    p.Hijo<QAction>(QStringLiteral("mOcultarVentana"))->trigger();
    QVERIFY(w.isVisible());
    QCOMPARE(p.Log().filter(QStringLiteral("notification area")).size(), 1);
    w.TrayIconClick();
    QVERIFY(!(w.windowState() & Qt::WindowMinimized));
}

void TstMainWindow::shut_down_asks_first()
{
    TPrueba p;
    p.Con_AlertWindow();
    TfrmMain &w = p.Abrir();
    w.show();
    p.pCajas.piRespuesta = IDCANCEL;
    p.Hijo<QAction>(QStringLiteral("mTerminarPrograma"))->trigger();
    QVERIFY(w.pThreadAlerta);
    QVERIFY(!w.pbShutDown);
    QCOMPARE(p.pCajas.paCajas.constFirst().sTexto.left(28), QStringLiteral("This will shut down Kestrin."));
    QCOMPARE(p.pCajas.paCajas.constFirst().iIcono, MB_ICONQUESTION);
    p.pCajas.piRespuesta = IDOK;
    QPointer<TThreadAlerta> hilo(w.pThreadAlerta.get());
    p.Hijo<QAction>(QStringLiteral("mTerminarPrograma"))->trigger();
    QVERIFY(w.pbShutDown);
    QVERIFY(!w.pThreadAlerta);
    QVERIFY(!hilo);
    QVERIFY(w.paTipoTarea.paTipoTarea.isEmpty());
    // Messages that arrive afterwards do nothing.
    w.Mensaje_Hilo_Terminado(1, 0, QStringLiteral("late"));
    QVERIFY(!w.pThreadAlerta);
}

void TstMainWindow::bus_messages()
{
    TPrueba p;
    p.Con_AlertWindow();
    p.Escribir(QStringLiteral("uno"), TAREA_UNA_VEZ, Ahora() + 1);
    TfrmMain &w = p.Abrir();
    QVERIFY(!w.isVisible());
    w.Mensaje_Bus(QString::fromLatin1(MSG_KESTRIN));
    QVERIFY(w.isVisible());
    w.showMinimized();
    w.Mensaje_Bus(QString::fromLatin1(MSG_KESTRIN));
    QVERIFY(!(w.windowState() & Qt::WindowMinimized));

    p.Seleccionar(QStringLiteral("uno"));
    p.Escribir(QStringLiteral("dos"), TAREA_UNA_VEZ, Ahora() + 2);
    Parar_Hilo(w);
    w.Mensaje_Bus(QString::fromLatin1(MSG_KESTRIN_READ_FILES));
    QTRY_COMPARE(p.Nombres(), (QStringList{"uno", "dos"}));
    QVERIFY(w.pThreadAlerta->pbLeerArchivos);
    QCOMPARE(w.Archivo_Seleccionado(), p.Datos() + QStringLiteral("data-uno.od"));

    w.Mensaje_Bus(QString::fromLatin1(MSG_KESTRIN_SHUTDOWN));
    QVERIFY(w.pbShutDown);
    QVERIFY(!w.pThreadAlerta);
    QVERIFY(p.pCajas.paCajas.isEmpty()); // no question
}

void TstMainWindow::midnight_data()
{
    QTest::addColumn<QString>("zona");
    QTest::addColumn<QDateTime>("ahora");
    QTest::addColumn<qint64>("ms");
    const QTimeZone madrid("Europe/Madrid");
    QTest::newRow("noon") << "Europe/Madrid" << QDateTime({2026, 5, 4}, {12, 0}, madrid) << qint64(12) * 3600000;
    QTest::newRow("one ms before") << "Europe/Madrid" << QDateTime({2026, 5, 4}, {23, 59, 59, 999}, madrid)
                                   << qint64(1);
    QTest::newRow("at midnight: a whole day") << "Europe/Madrid" << QDateTime({2026, 5, 4}, {0, 0}, madrid)
                                              << qint64(24) * 3600000;
    QTest::newRow("day of 23 hours") << "Europe/Madrid" << QDateTime({2026, 3, 29}, {1, 30}, madrid)
                                     << qint64(21) * 3600000 + 1800000;
    QTest::newRow("day of 25 hours") << "Europe/Madrid" << QDateTime({2026, 10, 25}, {0, 30}, madrid)
                                     << qint64(24) * 3600000 + 1800000;
    QTest::newRow("year end") << "Europe/Madrid" << QDateTime({2026, 12, 31}, {18, 0}, madrid)
                              << qint64(6) * 3600000;
    // Where the day starts at 01:00 (no midnight that day), it starts then.
    const QTimeZone santiago("America/Santiago");
    QTest::newRow("no midnight") << "America/Santiago" << QDateTime({2026, 9, 5}, {22, 0}, santiago)
                                 << qint64(2) * 3600000;
}

void TstMainWindow::midnight()
{
    QFETCH(QString, zona);
    QFETCH(QDateTime, ahora);
    QFETCH(qint64, ms);
    if (!QTimeZone(zona.toLatin1()).isValid())
        QSKIP("time zone data missing");
    const QByteArray antes = qgetenv("TZ");
    qputenv("TZ", zona.toLatin1());
    tzset();
    const qint64 obtenido = Ms_Hasta_Medianoche(ahora);
    qputenv("TZ", antes);
    tzset();
    QCOMPARE(obtenido, ms);
}


// A real box runs the event loop, which goes on delivering reloads: they run (the list
// stays current) but never open a box inside the open one; each bad file is said once,
// and again only once it has changed.
void TstMainWindow::reloads_never_nest_and_say_a_file_once()
{
    TPrueba p;
    p.Con_AlertWindow();
    p.Escribir(QStringLiteral("uno"), TAREA_UNA_VEZ, Ahora() + 1);
    const QString malo = p.Datos() + QStringLiteral("malo.od");
    TCarpetasXdgTemporales::Escribir(malo, "not a reminder\r\n");
    int abiertas = 0, maximo = 0;
    QStringList listaEnLaCaja;
    p.pCajas.pAlMostrar = [&](const TCajaRegistrada &) {
        ++abiertas;
        maximo = std::max(maximo, abiertas);
        p.Escribir(QStringLiteral("dos"), TAREA_UNA_VEZ, Ahora() + 2);
        for (int i = 0; i < 50; ++i) {
            p.pVentana->Mensaje_Bus(QString::fromLatin1(MSG_KESTRIN_READ_FILES));
            p.pVentana->Cargar_Tareas_De_Archivos(QString(), true);
            p.pVentana->Mensaje_Archivos_Cambiados(1, 0, QString());
        }
        listaEnLaCaja = p.Nombres();
        --abiertas;
    };
    TfrmMain &w = p.Abrir();
    QCOMPARE(maximo, 1);
    QCOMPARE(p.Textos_Cajas().size(), 1);
    QVERIFY2(p.Textos_Cajas().constFirst().startsWith(QStringLiteral("Error 205-")), qPrintable(p.Textos_Cajas().constFirst()));
    QCOMPARE(listaEnLaCaja, (QStringList{"uno", "dos"}));
    QVERIFY(w.pThreadAlerta->pbLeerArchivos || w.pThreadAlerta->isRunning());
    QTest::qWait(2 * TfrmMain::kMsEntreRecargas);
    QCOMPARE(p.Textos_Cajas().size(), 1);

    // Changed and still bad: said again, once.
    TCarpetasXdgTemporales::Escribir(malo, "still not a reminder, and longer\r\n");
    p.pCajas.pAlMostrar = nullptr;
    w.Cargar_Tareas_De_Archivos(QString(), false);
    w.Cargar_Tareas_De_Archivos(QString(), false);
    QCOMPARE(p.Textos_Cajas().size(), 2);
    // Mended, then broken again: said again.
    QVERIFY(QFile::remove(malo));
    w.Cargar_Tareas_De_Archivos(QString(), false);
    TCarpetasXdgTemporales::Escribir(malo, "still not a reminder, and longer\r\n");
    w.Cargar_Tareas_De_Archivos(QString(), false);
    QCOMPARE(p.Textos_Cajas().size(), 3);
}

// A flood of KestrinReadFiles costs a handful of reloads, one of them after the last
// request, which sees what was written just before it.
void TstMainWindow::reload_requests_coalesce()
{
    TPrueba p;
    p.Con_AlertWindow();
    p.Escribir(QStringLiteral("uno"), TAREA_UNA_VEZ, Ahora() + 1);
    TfrmMain &w = p.Abrir();
    p.Seleccionar(QStringLiteral("uno"));
    const int antes = p.paTraza.filter(QStringLiteral("list ")).size();
    for (int i = 0; i < 5000; ++i) {
        if (i == 4999)
            p.Escribir(QStringLiteral("dos"), TAREA_UNA_VEZ, Ahora() + 2);
        w.Mensaje_Bus(QString::fromLatin1(MSG_KESTRIN_READ_FILES));
    }
    QVERIFY(p.paTraza.filter(QStringLiteral("list ")).size() - antes <= 1);
    QTRY_COMPARE(p.Nombres(), (QStringList{"uno", "dos"}));
    QTest::qWait(2 * TfrmMain::kMsEntreRecargas);
    QVERIFY(p.paTraza.filter(QStringLiteral("list ")).size() - antes <= 2);
    QCOMPARE(w.Archivo_Seleccionado(), p.Datos() + QStringLiteral("data-uno.od"));
    QVERIFY(w.pThreadAlerta->pbLeerArchivos || w.pThreadAlerta->isRunning());
}

// Each key on the shown, active window, from the control that has the keyboard, and
// what the window did: the links it called, the boxes it showed, then either "hidden"
// or the selected row, the control with the keyboard and the filter's text.
void TstMainWindow::keys_data()
{
    QTest::addColumn<QString>("foco");
    QTest::addColumn<QString>("filtro");
    QTest::addColumn<QKeySequence>("tecla");
    QTest::addColumn<QString>("efecto"); // %f: the table index of "uno"
    const auto fila = [](const char *caso, const char *foco, const char *filtro, QKeySequence tecla,
                         const char *efecto) {
        QTest::newRow(caso) << QString::fromLatin1(foco) << QString::fromLatin1(filtro) << tecla
                            << QString::fromUtf8(efecto);
    };
    const QKeySequence ctrl(Qt::CTRL);
    // No focus given: the one the window opened with.
    fila("the window opens on the list", "", "", QKeySequence(Qt::Key_Down), "dos | ListView");
    fila("Ctrl+N adds", "ListView", "", QKeySequence(Qt::CTRL | Qt::Key_N), "asistente -1 | uno | ListView");
    fila("F2 edits", "ListView", "", QKeySequence(Qt::Key_F2), "asistente %f | uno | ListView");
    fila("F2 from the filter edits", "EditFiltro", "un", QKeySequence(Qt::Key_F2),
         "asistente %f | uno | EditFiltro | un");
    fila("Enter edits", "ListView", "", QKeySequence(Qt::Key_Return), "asistente %f | uno | ListView");
    fila("keypad Enter edits", "ListView", "", QKeySequence(Qt::Key_Enter), "asistente %f | uno | ListView");
    fila("Delete asks first", "ListView", "", QKeySequence(Qt::Key_Delete),
         "box Are you sure you want to delete the reminder: uno? | uno | ListView");
    fila("Delete in the filter is the field's", "EditFiltro", "un", QKeySequence(Qt::Key_Delete),
         "uno | EditFiltro | un");
    fila("Ctrl+Q asks first", "ListView", "", QKeySequence(Qt::CTRL | Qt::Key_Q),
         "box This will shut down Kestrin. Use Hide Window to minimize the | uno | ListView");
    fila("F1 opens the help", "ListView", "", QKeySequence(Qt::Key_F1), "enlace 2 | uno | ListView");
    fila("Ctrl+W hides", "ListView", "", QKeySequence(Qt::CTRL | Qt::Key_W), "hidden");
    fila("Escape hides", "ListView", "", QKeySequence(Qt::Key_Escape), "hidden");
    fila("Escape in an empty filter hides", "EditFiltro", "", QKeySequence(Qt::Key_Escape), "hidden");
    fila("Escape in the filter clears it first", "EditFiltro", "un", QKeySequence(Qt::Key_Escape),
         "uno | EditFiltro");
    fila("Ctrl+F goes to the filter", "ListView", "", QKeySequence(Qt::CTRL | Qt::Key_F), "uno | EditFiltro");
    fila("Enter in the filter goes to the first row shown", "EditFiltro", "do", QKeySequence(Qt::Key_Return),
         "dos | ListView | do");
    fila("F5 says a bad file again", "ListView", "", QKeySequence(Qt::Key_F5),
         "box Error 205-1 Invalid format: malo.od | uno | ListView");
}

void TstMainWindow::keys()
{
    QFETCH(QString, foco);
    QFETCH(QString, filtro);
    QFETCH(QKeySequence, tecla);
    QFETCH(QString, efecto);
    TPrueba p;
    p.Con_AlertWindow();
    p.Escribir(QStringLiteral("uno"), TAREA_UNA_VEZ, Ahora() + 1);
    p.Escribir(QStringLiteral("dos"), TAREA_UNA_VEZ, Ahora() + 2);
    TCarpetasXdgTemporales::Escribir(p.Datos() + QStringLiteral("malo.od"), "not a reminder\r\n");
    TfrmMain &w = p.Abrir();
    p.Mostrar();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    p.Seleccionar(QStringLiteral("uno"));
    const int fila = w.Fila_Seleccionada();
    auto *campo = p.Hijo<QLineEdit>(QStringLiteral("EditFiltro"));
    campo->setText(filtro);
    if (!foco.isEmpty())
        p.Hijo<QWidget>(foco)->setFocus();
    p.pCajas.paCajas.clear();
    p.pCajas.piRespuesta = IDCANCEL;

    QTest::keySequence(QApplication::focusWidget(), tecla);

    QStringList hecho = p.pLlamadas.pa;
    for (QString caja : p.Textos_Cajas())
        hecho << QStringLiteral("box ") + caja.replace(p.Datos(), QString()).replace(u'\r', u' ').left(60);
    if (!w.isVisible()) {
        hecho << QStringLiteral("hidden");
    } else {
        const QList<QTreeWidgetItem *> seleccion = p.Lista()->selectedItems();
        hecho << (seleccion.isEmpty() ? QStringLiteral("none") : seleccion.constFirst()->text(0));
        hecho << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QStringLiteral("none"));
        if (!campo->text().isEmpty())
            hecho << campo->text();
    }
    QCOMPARE(hecho.join(QStringLiteral(" | ")), efecto.replace(QStringLiteral("%f"), QString::number(fila)));
}

// Edit and Delete act on the row the user sees: a row the filter hides is never the
// selected one, and Delete removes the file of the row shown.
void TstMainWindow::filter_acts_on_the_rows_seen()
{
    TPrueba p;
    p.Con_AlertWindow();
    p.Escribir(QStringLiteral("Café con Ana"), TAREA_UNA_VEZ, Ahora() + 1);
    const QString nandu = p.Escribir(QStringLiteral("ñandú"), TAREA_UNA_VEZ, Ahora() + 2);
    const QString dentista = p.Escribir(QStringLiteral("dentista"), TAREA_UNA_VEZ, Ahora() + 3, 0, 0,
                                        QStringLiteral("Llamar a la\r\nClínica"));
    TfrmMain &w = p.Abrir();
    p.Mostrar();
    p.Seleccionar(QStringLiteral("dentista"));
    auto *campo = p.Hijo<QLineEdit>(QStringLiteral("EditFiltro"));
    campo->setFocus(); // the window opens on the list
    QTest::keyClicks(campo, QStringLiteral("ÑAND"));
    QVERIFY(p.Lista()->selectedItems().isEmpty());
    QVERIFY(!p.Hijo<QAction>(QStringLiteral("mBorrarTarea"))->isEnabled());
    QVERIFY(p.Hijo<QPlainTextEdit>(QStringLiteral("MemoSummary"))->toPlainText().isEmpty());
    w.SpeedButtonBorrarClick();
    QCOMPARE(p.Textos_Cajas(), QStringList{QStringLiteral("Please select a reminder")});
    // A reload asked to select the hidden row leaves it unselected.
    w.Cargar_Tareas_De_Archivos(dentista, false);
    QVERIFY(p.Lista()->selectedItems().isEmpty());

    QTest::keyClick(campo, Qt::Key_Return);
    QCOMPARE(w.Archivo_Seleccionado(), nandu);
    QCOMPARE(w.paTipoTarea.paTipoTarea.at(w.Fila_Seleccionada()).tsFile, nandu);
    w.SpeedButtonEditarClick();
    QCOMPARE(p.pLlamadas.pa, QStringList{QStringLiteral("asistente %1").arg(w.Fila_Seleccionada())});
    w.SpeedButtonBorrarClick();
    QVERIFY(!QFileInfo::exists(nandu));
    QVERIFY(QFileInfo::exists(dentista));
    QCOMPARE(p.Textos_Cajas().last(), QStringLiteral("Are you sure you want to delete the reminder: ñandú?"));
    // Sorting, a reload and the other language keep the filter; the count follows.
    auto *cuenta = p.Hijo<QLabel>(QStringLiteral("LabelFiltroCuenta"));
    campo->setText(QStringLiteral("CLINICA"));
    w.ListViewColumnClick(0);
    w.ListViewColumnClick(0); // by name, descending
    w.Cargar_Tareas_De_Archivos(QString(), true);
    QCOMPARE(p.Nombres(), (QStringList{QStringLiteral("dentista"), QStringLiteral("Café con Ana")}));
    QVERIFY(p.Lista()->topLevelItem(1)->isHidden());
    QCOMPARE(cuenta->text(), QStringLiteral("1 of 2"));
    Establecer_Lenguaje(1);
    w.Set_Language_Captions(1);
    QCOMPARE(cuenta->text(), QStringLiteral("1 de 2"));
    QCOMPARE(campo->accessibleName(), QStringLiteral("Filtrar"));
    campo->clear();
    QVERIFY(!p.Lista()->topLevelItem(1)->isHidden());
    QVERIFY(cuenta->text().isEmpty());
}

// The list's columns get the width Qt's own measure of every row gives, for texts whose
// widest is not the longest, kerned pairs, accents, other scripts, ties, hidden rows.
void TstMainWindow::column_widths_as_qt_measures_data()
{
    QTest::addColumn<QStringList>("textos");
    QTest::addColumn<int>("ocultas"); // the first rows hidden, as the filter hides them
    QStringList numerados;
    for (int i = 0; i < 1500; ++i)
        numerados << QStringLiteral("Reminder %1").arg(i);
    QStringList fechas;
    for (int i = 0; i < 300; ++i)
        fechas << QStringLiteral("Dec %1, 2026 at %2:%3:00 AM").arg(1 + i % 31).arg(1 + i % 12).arg(i % 60, 2, 10, QLatin1Char('0'));
    fechas << QStringLiteral("11/Dic/2026 a las 5:30:00 p. m.") << QStringLiteral("Mañana a las 12:00:00 a. m.");
    QTest::newRow("empty") << QStringList{} << 0;
    QTest::newRow("header wider than the rows") << QStringList{"a", "b"} << 0;
    QTest::newRow("narrow long, wide short") << QStringList{"iiiiiiiiiiiiiiiiiiiiiii", "WWWWWWWWWWWWWWW", "lll"} << 0;
    QTest::newRow("kerned pairs") << QStringList{"AVAVAVAVAVAVAVAV To Wa Ty", "AHAHAHAHAHAHAHAH Tl Wl Tl", "VA"} << 0;
    QTest::newRow("accents and other scripts") << QStringList{"Cita con el médico", "Ğüşçö İstanbul", "会议提醒 meeting",
                                                              "e\u0301e\u0301e\u0301 combining", "😀 party"} << 0;
    QTest::newRow("numbered names, many ties") << numerados << 0;
    QTest::newRow("dates in both languages") << fechas << 0;
    QTest::newRow("widest row hidden") << QStringList{"WWWWWWWWWWWWWWWWWWWWWWWWWWWWW", "short", "shorter still"} << 1;
}

void TstMainWindow::column_widths_as_qt_measures()
{
    QFETCH(QStringList, textos);
    QFETCH(int, ocultas);
    QTreeWidget lista;
    lista.setColumnCount(3); // the last one stretches, as in the window
    lista.setRootIsDecorated(false);
    lista.setUniformRowHeights(true);
    lista.setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Next Run"), QStringLiteral("Last Run")});
    QList<QTreeWidgetItem *> filas;
    for (const QString &t : std::as_const(textos))
        filas << new QTreeWidgetItem(QStringList{t, t + t});
    lista.addTopLevelItems(filas);
    for (int i = 0; i < ocultas; ++i)
        lista.setRowHidden(i, QModelIndex(), true);
    lista.show();
    for (int c = 0; c < 2; ++c) {
        const int nuestro = Ancho_Columna_Contenido(&lista, c);
        lista.header()->setResizeContentsPrecision(-1); // Qt's measure of every row
        lista.resizeColumnToContents(c);
        QCOMPARE(nuestro, lista.columnWidth(c));
    }
}

QTEST_MAIN(TstMainWindow)
// Start > Export… and Import… after their dialogs: one box each, with the counts and the
// skipped lines in the interface language, and the list reloaded with what was added.
void TstMainWindow::ical_export_import()
{
    TPrueba p;
    p.Con_AlertWindow();
    p.Escribir(QStringLiteral("uno"), TAREA_UNA_VEZ, Ahora() + 1);
    p.Escribir(QStringLiteral("dos"), TAREA_DIARIA, Ahora() + 1);
    TfrmMain &w = p.Abrir(p.Enlaces_Todos());
    const QString ics = p.pXdg.Raiz() + QStringLiteral("/out.ics");
    Exportar_ICal_A_Archivo(w, ics);
    QCOMPARE(p.pCajas.paCajas.size(), 1);
    QCOMPARE(p.pCajas.paCajas.last().sTexto, QStringLiteral("Exported 2 reminders to %1.").arg(ics));
    QCOMPARE(p.pCajas.paCajas.last().iIcono, MB_ICONINFORMATION);
    // Export Selected… is for one chosen reminder only.
    QAction *seleccion = p.Hijo<QAction>(QStringLiteral("mExportarSeleccion"));
    p.Mostrar();
    p.Lista()->clearSelection();
    QVERIFY(!seleccion->isEnabled());
    QTest::mouseClick(p.Lista()->viewport(), Qt::LeftButton, {},
                      p.Lista()->visualItemRect(p.Lista()->findItems(QStringLiteral("dos"), Qt::MatchExactly).constFirst()).center());
    QVERIFY(seleccion->isEnabled());
    seleccion->trigger();
    QCOMPARE(p.pLlamadas.pa.last(), QStringLiteral("exportar 1"));
    Exportar_ICal_A_Archivo(w, ics + QStringLiteral(".one"), true);
    QCOMPARE(p.pCajas.paCajas.last().sTexto, QStringLiteral("Exported \"dos\" to %1.one.").arg(ics));
    QFile una(ics + QStringLiteral(".one"));
    QVERIFY(una.open(QIODevice::ReadOnly));
    const QByteArray datos = una.readAll();
    QCOMPARE(datos.count("BEGIN:VEVENT"), 1);
    QVERIFY(datos.contains("SUMMARY:dos") && !datos.contains("SUMMARY:uno"));

    Importar_ICal_De_Archivo(w, QStringLiteral(ICAL_FIXTURES "/gnome.ics"));
    QCOMPARE(p.pCajas.paCajas.size(), 3);
    QCOMPARE(p.pCajas.paCajas.last().sTexto,
             QStringLiteral("3 added, 0 updated, 0 already there, 2 skipped.\n"
                            "Skipped: Piano lesson: weekly every 2 weeks cannot be held\n"
                            "Skipped: Book club: a numbered weekday (1MO) cannot be held"));
    QTRY_COMPARE(p.Lista()->topLevelItemCount(), 5);

    Establecer_Lenguaje(1);
    w.Set_Language_Captions(1);
    Importar_ICal_De_Archivo(w, QStringLiteral(ICAL_FIXTURES "/gnome.ics"));
    QCOMPARE(p.pCajas.paCajas.last().sTexto,
             QStringLiteral("0 agregados, 0 actualizados, 3 ya estaban, 2 omitidos.\n"
                            "Omitido: Piano lesson: semanal cada 2 semanas no se puede guardar\n"
                            "Omitido: Book club: un día de la semana numerado (1MO) no se puede guardar"));
    Importar_ICal_De_Archivo(w, ics + QStringLiteral(".missing"));
    QCOMPARE(p.pCajas.paCajas.last().iIcono, MB_ICONERROR);
    QVERIFY(p.pCajas.paCajas.last().sTexto.startsWith(QStringLiteral("No se puede importar ")));
    QCOMPARE(p.Lista()->topLevelItemCount(), 5);
}

#include "tst_mainwindow.moc"
