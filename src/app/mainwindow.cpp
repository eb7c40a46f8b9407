// The main window: its controls, captions, start-up order, tray, hiding and ending.
#include "mainwindow.h"

#include "filterfield.h"
#include "toolicons.h"
#include "alerts/kestrinicon.h"
#include "platform/bus.h"
#include "platform/fonts.h"
#include "platform/placement.h"
#include "platform/systeminfo.h"
#include "report/eventlog.h"
#include "settings/quickreminder.h"
#include "texts/accessiblenames.h"
#include "texts/captions.h"
#include "texts/language.h"
#include "texts/maintexts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShortcut>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWindowStateChangeEvent>

namespace {
constexpr int kAnchoCliente = 604;
constexpr int kAltoCliente = 402;
constexpr int kAnchoBoton = 64;
constexpr int kAltoBoton = 81;
constexpr int kAltoResumen = 72;

// The list's grid lines: each cell is drawn as usual, then its right and bottom edges.
class TDelegadoCuadricula : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *rPintor, const QStyleOptionViewItem &rOpcion, const QModelIndex &rIndice) const override
    {
        QStyledItemDelegate::paint(rPintor, rOpcion, rIndice);
        rPintor->save();
        rPintor->setPen(rOpcion.palette.color(QPalette::Midlight));
        const QRect r = rOpcion.rect;
        rPintor->drawLine(r.topRight(), r.bottomRight());
        rPintor->drawLine(r.bottomLeft(), r.bottomRight());
        rPintor->restore();
    }
};
} // namespace

TfrmMain::TfrmMain(const TArranquePrincipal &rArranque, TEnlacesPrincipal rEnlaces, QWidget *rParent)
    : QMainWindow(rParent), pCarpetas(rArranque.pCarpetas), pEnlaces(std::move(rEnlaces)),
      pHayBandeja(rArranque.pHayBandeja), pTraza(rArranque.pTraza),
      pAlIniciar(rArranque.pAlIniciar), piTickMs(rArranque.piTickMs)
{
    setObjectName(QStringLiteral("frmMain"));
    if (!pHayBandeja)
        pHayBandeja = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };

    // 1. The start timer fires once, 100 ms after the window exists. "silent" (exactly
    // that) is a start with the session: minimised, and reminders of the start fire.
    TimerInicio = new QTimer(this);
    TimerInicio->setSingleShot(true);
    connect(TimerInicio, &QTimer::timeout, this, &TfrmMain::TimerInicioTimer);
    pbAutoStarted = !rArranque.paArgumentos.isEmpty() && rArranque.paArgumentos.constFirst() == QLatin1String("silent");
    if (pbAutoStarted)
        setWindowState(windowState() | Qt::WindowMinimized);

    // 4. Controls, sort state (next run, ascending).
    Crear_Controles();
    Crear_Menus();
    Crear_Bandeja();
    Crear_Atajos();

    TimerRecarga = new QTimer(this);
    TimerRecarga->setSingleShot(true);
    connect(TimerRecarga, &QTimer::timeout, this, &TfrmMain::Ejecutar_Recarga_Pendiente);
    TimerMedianoche = new QTimer(this);
    TimerMedianoche->setSingleShot(true);
    TimerMedianoche->setTimerType(Qt::CoarseTimer);
    connect(TimerMedianoche, &QTimer::timeout, this, &TfrmMain::TimerMedianocheTimer);

    // 5. Folders; a failure is reported by the deferred start.
    if (rArranque.pPrepararCarpetas)
        rArranque.pPrepararCarpetas(pCarpetas);
    else
        Preparar_Carpetas(pCarpetas);
    Fijar_Carpeta_Log(pCarpetas.psAppDataAllUsers);
    // 6. "View Log" only once there is a log; every entry written makes it visible.
    Mostrar_Log_Existe();
    Fijar_Aviso_Log([this] { Mostrar_Log_Existe(); });

    // 7-8. The language, then every caption in it.
    Set_Language_Captions(Cargar_Lenguaje(System_Language_Name()));
    // The client area is below the menu bar, whose height is known only once its menus
    // have their titles; the window opens centred, and inside the available area even
    // where it is smaller (a large scale factor), menu bar and all.
    Centrar_En_Area(*this, QSize(kAnchoCliente, kAltoCliente + menuBar()->sizeHint().height()));
    // 9. The remaining settings.
    Cargar_Configuracion(pConfiguracion, rArranque.psEjecutable, Fuentes_Del_Escritorio());

    // 10. The tray icon; the commands follow the (still empty) list. A tray that comes
    // later (a panel started after Kestrin at login) shows the icon then; until it does,
    // the window is minimised rather than hidden, and the log says why once.
    TrayIcon->show();
    Hay_Bandeja();
    ListViewSelectItem();

    // 11. Reminders retired by auto-delete and not brought back by a snooze.
    const QDir datos(pCarpetas.psAppDataSystemLocal);
    for (const QString &nombre : datos.entryList({QStringLiteral("*.odb")}, QDir::Files | QDir::Hidden))
        QFile::remove(datos.filePath(nombre));

    if (rArranque.pbEscucharBus) {
        pBus = new TBusListener(this);
        for (const char *nombre : {MSG_KESTRIN, MSG_KESTRIN_SHUTDOWN, MSG_KESTRIN_READ_FILES})
            pBus->Listen(QString::fromLatin1(nombre));
        connect(pBus, &TBusListener::Message_Received, this, &TfrmMain::Mensaje_Bus);
    }

    // 12.
    TimerInicio->start(100);
}

TfrmMain::~TfrmMain()
{
    Fijar_Aviso_Log({});
    Apagar();
}

void TfrmMain::Crear_Controles()
{
    auto *centro = new QWidget(this);
    auto *caja = new QVBoxLayout(centro);
    caja->setContentsMargins(0, 0, 0, 0);
    caja->setSpacing(0);

    auto *barra = new QToolBar(this);
    barra->setObjectName(QStringLiteral("ToolBar"));
    barra->setMovable(false);
    barra->setFloatable(false);
    barra->setIconSize(QSize(40, 40));
    barra->setContextMenuPolicy(Qt::PreventContextMenu);
    addToolBar(Qt::TopToolBarArea, barra);
    const auto boton = [&](const char *nombre, TDibujoBoton dibujo, void (TfrmMain::*comando)()) {
        auto *b = new QToolButton(barra);
        b->setObjectName(QString::fromLatin1(nombre));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setFixedSize(kAnchoBoton, kAltoBoton);
        b->setIconSize(QSize(40, 40));
        b->setIcon(Icono_Boton(dibujo));
        b->setAutoRaise(true);
        connect(b, &QToolButton::clicked, this, comando);
        barra->addWidget(b);
        return b;
    };
    SpeedButtonAgregar = boton("SpeedButtonAgregar", TDibujoBoton::Agregar, &TfrmMain::SpeedButtonAgregarClick);
    SpeedButtonEditar = boton("SpeedButtonEditar", TDibujoBoton::Editar, &TfrmMain::SpeedButtonEditarClick);
    SpeedButtonBorrar = boton("SpeedButtonBorrar", TDibujoBoton::Borrar, &TfrmMain::SpeedButtonBorrarClick);
    SpeedButtonOpciones = boton("SpeedButtonOpciones", TDibujoBoton::Opciones, &TfrmMain::SpeedButtonOpcionesClick);
    SpeedButtonSonido = boton("SpeedButtonSonido", TDibujoBoton::Sonido, &TfrmMain::SpeedButtonSonidoClick);

    // The filter above the list, its count of rows at its right.
    auto *filaFiltro = new QHBoxLayout;
    filaFiltro->setContentsMargins(4, 4, 6, 4);
    filaFiltro->setSpacing(8);
    EditFiltro = new TCampoFiltro(centro);
    EditFiltro->setObjectName(QStringLiteral("EditFiltro"));
    EditFiltro->setClearButtonEnabled(true);
    connect(EditFiltro, &QLineEdit::textChanged, this, &TfrmMain::EditFiltroChange);
    connect(EditFiltro, &QLineEdit::returnPressed, this, &TfrmMain::EditFiltroReturn);
    LabelFiltroCuenta = new QLabel(centro);
    LabelFiltroCuenta->setObjectName(QStringLiteral("LabelFiltroCuenta"));
    filaFiltro->addWidget(EditFiltro, 1);
    filaFiltro->addWidget(LabelFiltroCuenta);
    caja->addLayout(filaFiltro);

    ListView = new QTreeWidget(centro);
    ListView->setObjectName(QStringLiteral("ListView"));
    ListView->setColumnCount(3);
    ListView->setRootIsDecorated(false);
    ListView->setItemsExpandable(false);
    ListView->setUniformRowHeights(true);
    ListView->setAllColumnsShowFocus(true);
    ListView->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView->setItemDelegate(new TDelegadoCuadricula(ListView));
    ListView->setSortingEnabled(false); // the list sorts itself by its own rule
    ListView->header()->setSectionsClickable(true);
    ListView->header()->setSortIndicatorShown(false);
    ListView->header()->setStretchLastSection(true);
    ListView->setColumnWidth(0, 200);
    ListView->setColumnWidth(1, 180);
    ListView->setColumnWidth(2, 180);
    ListView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListView->header(), &QHeaderView::sectionClicked, this, &TfrmMain::ListViewColumnClick);
    connect(ListView, &QTreeWidget::itemSelectionChanged, this, &TfrmMain::ListViewSelectItem);
    connect(ListView, &QTreeWidget::itemDoubleClicked, this, [this] { ListViewDblClick(); });
    connect(ListView, &QTreeWidget::customContextMenuRequested, this,
            [this](const QPoint &punto) { PopupMenuTasks->popup(ListView->viewport()->mapToGlobal(punto)); });
    caja->addWidget(ListView, 1);
    // The window opens on the list, not in the filter: the keys move through the reminders
    // at once, and no caret blinks (waking the program twice a second) in a window left open.
    ListView->setFocus(Qt::OtherFocusReason);

    MemoSummary = new QPlainTextEdit(centro);
    MemoSummary->setObjectName(QStringLiteral("MemoSummary"));
    MemoSummary->setReadOnly(true);
    MemoSummary->setFixedHeight(kAltoResumen);
    MemoSummary->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    caja->addWidget(MemoSummary);
    setCentralWidget(centro);

    setWindowIcon(Icono_Kestrin());
    setMinimumSize(250, 300);
}

QAction *TfrmMain::Accion(const char *rsNombre, void (TfrmMain::*rComando)())
{
    auto *accion = new QAction(this);
    accion->setObjectName(QString::fromLatin1(rsNombre));
    if (rComando)
        connect(accion, &QAction::triggered, this, rComando);
    return accion;
}

void TfrmMain::Crear_Menus()
{
    QMenuBar *barra = menuBar();
    barra->setObjectName(QStringLiteral("MainMenu"));

    mInicio = barra->addMenu(QString());
    mInicio->setObjectName(QStringLiteral("mInicio"));
    mAgregarTarea = Accion("mAgregarTarea", &TfrmMain::SpeedButtonAgregarClick);
    mEditarTarea = Accion("mEditarTarea", &TfrmMain::SpeedButtonEditarClick);
    mBorrarTarea = Accion("mBorrarTarea", &TfrmMain::SpeedButtonBorrarClick);
    mOcultarVentana = Accion("mOcultarVentana", &TfrmMain::mOcultarVentanaClick);
    mTerminarPrograma = Accion("mTerminarPrograma", &TfrmMain::mTerminarProgramaClick);
    mInicio->addActions({mAgregarTarea, mEditarTarea, mBorrarTarea});
    mInicio->addSeparator();
    mExportar = Accion("mExportar", nullptr);
    mExportarSeleccion = Accion("mExportarSeleccion", nullptr);
    mImportar = Accion("mImportar", nullptr);
    connect(mExportar, &QAction::triggered, this, [this] {
        if (pEnlaces.Exportar_ICal)
            pEnlaces.Exportar_ICal(*this, false);
    });
    connect(mExportarSeleccion, &QAction::triggered, this, [this] {
        if (pEnlaces.Exportar_ICal && Fila_Seleccionada() >= 0)
            pEnlaces.Exportar_ICal(*this, true);
    });
    connect(mImportar, &QAction::triggered, this, [this] {
        if (pEnlaces.Importar_ICal)
            pEnlaces.Importar_ICal(*this);
    });
    mInicio->addActions({mExportar, mExportarSeleccion, mImportar});
    mInicio->addSeparator();
    mInicio->addActions({mOcultarVentana, mTerminarPrograma});

    mRecordatorioRapido = barra->addMenu(QString());
    mRecordatorioRapido->setObjectName(QStringLiteral("mRecordatorioRapido"));
    for (int i = 0; i < CANTIDAD_RAPIDOS; ++i) {
        mEnRapidos[i] = Accion("", nullptr);
        mEnRapidos[i]->setObjectName(Nombre_Entrada_Rapida(i, false));
        connect(mEnRapidos[i], &QAction::triggered, this, [this, i] { Recordatorio_Rapido_Click(i); });
        mRecordatorioRapido->addAction(mEnRapidos[i]);
    }

    mConfigurar = barra->addMenu(QString());
    mConfigurar->setObjectName(QStringLiteral("mConfigurar"));
    mOpciones = Accion("mOpciones", &TfrmMain::SpeedButtonOpcionesClick);
    mManejadorDeSonidos = Accion("mManejadorDeSonidos", &TfrmMain::SpeedButtonSonidoClick);
    mConfigurar->addActions({mOpciones, mManejadorDeSonidos});

    mAyuda = barra->addMenu(QString());
    mAyuda->setObjectName(QStringLiteral("mAyuda"));
    const auto enlace = [this](QAction *accion, int que) {
        connect(accion, &QAction::triggered, this, [this, que] {
            if (pEnlaces.Abrir_Enlace)
                pEnlaces.Abrir_Enlace(*this, que);
        });
    };
    mVerAyuda = Accion("mVerAyuda", nullptr);
    enlace(mVerAyuda, ENLACE_AYUDA);
    mVerLog = Accion("mVerLog", nullptr);
    enlace(mVerLog, ENLACE_LOG);
    mPaginaWeb = Accion("mPaginaWeb", nullptr);
    enlace(mPaginaWeb, ENLACE_PAGINA_WEB);
    mAhoraDisponibleParaIPhoneYIPad = Accion("mAhoraDisponibleParaIPhoneYIPad", nullptr);
    enlace(mAhoraDisponibleParaIPhoneYIPad, ENLACE_IPHONE);
    mCheckForUpdates = Accion("mCheckForUpdates", nullptr);
    connect(mCheckForUpdates, &QAction::triggered, this, [this] {
        if (!pEnlaces.Buscar_Actualizaciones || pbActualizacionesAbierto)
            return;
        pbActualizacionesAbierto = true;
        pEnlaces.Buscar_Actualizaciones(*this);
        pbActualizacionesAbierto = false;
    });
    mAcerca = Accion("mAcerca", &TfrmMain::mAcercaClick);
    mAyuda->addActions({mVerAyuda, mVerLog});
    mAyuda->addSeparator();
    mAyuda->addActions({mPaginaWeb, mAhoraDisponibleParaIPhoneYIPad, mCheckForUpdates});
    mAyuda->addSeparator();
    mAyuda->addAction(mAcerca);

    PopupMenuTasks = new QMenu(this);
    PopupMenuTasks->setObjectName(QStringLiteral("PopupMenuTasks"));
    mAgregarTareaPopup = Accion("mAgregarTareaPopup", &TfrmMain::SpeedButtonAgregarClick);
    mEditarTareaPopup = Accion("mEditarTareaPopup", &TfrmMain::SpeedButtonEditarClick);
    mBorrarTareaPopup = Accion("mBorrarTareaPopup", &TfrmMain::SpeedButtonBorrarClick);
    PopupMenuTasks->addActions({mAgregarTareaPopup, mEditarTareaPopup, mBorrarTareaPopup});
}

// The usual keys of the desktop; those of menu items show beside their captions.
void TfrmMain::Crear_Atajos()
{
    // The key named first is the one the menu shows; the desktop's own keys for the same
    // thing follow (a desktop without a theme of its own has no Ctrl+Q for Quit).
    const auto teclas = [](QKeySequence rPrimera, std::initializer_list<QKeySequence::StandardKey> raEstandar) {
        QList<QKeySequence> lista{rPrimera};
        for (const QKeySequence::StandardKey estandar : raEstandar)
            for (const QKeySequence &tecla : QKeySequence::keyBindings(estandar))
                if (!lista.contains(tecla))
                    lista << tecla;
        return lista;
    };
    mAgregarTarea->setShortcuts(teclas(Qt::CTRL | Qt::Key_N, {QKeySequence::New}));
    mEditarTarea->setShortcut(QKeySequence(Qt::Key_F2));
    mBorrarTarea->setShortcuts(teclas(Qt::Key_Delete, {QKeySequence::Delete}));
    mOcultarVentana->setShortcuts(teclas(Qt::CTRL | Qt::Key_W, {QKeySequence::Close, QKeySequence::Cancel}));
    mTerminarPrograma->setShortcuts(teclas(Qt::CTRL | Qt::Key_Q, {QKeySequence::Quit}));
    mVerAyuda->setShortcuts(teclas(Qt::Key_F1, {QKeySequence::HelpContents}));
    // Enter edits the row of the list that has the keyboard, as F2 does anywhere.
    for (const int tecla : {Qt::Key_Return, Qt::Key_Enter}) {
        auto *enter = new QShortcut(QKeySequence(tecla), ListView, nullptr, nullptr, Qt::WidgetShortcut);
        connect(enter, &QShortcut::activated, this, &TfrmMain::ListViewDblClick);
    }
    ActionFiltrar = Accion("ActionFiltrar", nullptr);
    ActionFiltrar->setShortcuts(teclas(Qt::CTRL | Qt::Key_F, {QKeySequence::Find}));
    connect(ActionFiltrar, &QAction::triggered, this, [this] {
        EditFiltro->setFocus(Qt::ShortcutFocusReason);
        EditFiltro->selectAll();
    });
    ActionRecargar = Accion("ActionRecargar", &TfrmMain::Recargar_A_Mano);
    ActionRecargar->setShortcuts(teclas(Qt::Key_F5, {QKeySequence::Refresh}));
    addActions({ActionFiltrar, ActionRecargar});
}

void TfrmMain::Crear_Bandeja()
{
    PopupMenuTray = new QMenu(this);
    PopupMenuTray->setObjectName(QStringLiteral("PopupMenuTray"));
    // The tray's commands show the window first.
    const auto mostrar_y = [this](QAction *accion, std::function<void()> comando) {
        connect(accion, &QAction::triggered, this, [this, comando = std::move(comando)] {
            TrayIconClick();
            if (comando)
                comando();
        });
    };
    mTrayAbrir = Accion("mTrayAbrir", &TfrmMain::TrayIconClick);
    QFont negrita = mTrayAbrir->font();
    negrita.setBold(true);
    mTrayAbrir->setFont(negrita);
    mTrayAgregarTarea = Accion("mTrayAgregarTarea", nullptr);
    mostrar_y(mTrayAgregarTarea, [this] { SpeedButtonAgregarClick(); });
    mTrayRecordatorioRapido = new QMenu(PopupMenuTray);
    mTrayRecordatorioRapido->setObjectName(QStringLiteral("mTrayRecordatorioRapido"));
    for (int i = 0; i < CANTIDAD_RAPIDOS; ++i) {
        mTrayEnRapidos[i] = Accion("", nullptr);
        mTrayEnRapidos[i]->setObjectName(Nombre_Entrada_Rapida(i, true));
        mostrar_y(mTrayEnRapidos[i], [this, i] { Recordatorio_Rapido_Click(i); });
        mTrayRecordatorioRapido->addAction(mTrayEnRapidos[i]);
    }
    mTrayOpciones = Accion("mTrayOpciones", nullptr);
    mostrar_y(mTrayOpciones, [this] { SpeedButtonOpcionesClick(); });
    mTrayManejadorDeSonidos = Accion("mTrayManejadorDeSonidos", nullptr);
    mostrar_y(mTrayManejadorDeSonidos, [this] { SpeedButtonSonidoClick(); });
    mTrayPaginaWeb = Accion("mTrayPaginaWeb", nullptr);
    connect(mTrayPaginaWeb, &QAction::triggered, this, [this] {
        if (pEnlaces.Abrir_Enlace)
            pEnlaces.Abrir_Enlace(*this, ENLACE_PAGINA_WEB);
    });
    mTrayAcerca = Accion("mTrayAcerca", nullptr);
    mostrar_y(mTrayAcerca, [this] { mAcercaClick(); });

    PopupMenuTray->addAction(mTrayAbrir);
    PopupMenuTray->setDefaultAction(mTrayAbrir);
    PopupMenuTray->addSeparator();
    PopupMenuTray->addAction(mTrayAgregarTarea);
    PopupMenuTray->addMenu(mTrayRecordatorioRapido);
    PopupMenuTray->addActions({mTrayOpciones, mTrayManejadorDeSonidos});
    PopupMenuTray->addSeparator();
    PopupMenuTray->addAction(mTrayPaginaWeb);
    PopupMenuTray->addSeparator();
    PopupMenuTray->addAction(mTrayAcerca);

    // The window's own icon: each new one decodes its images again.
    TrayIcon = new QSystemTrayIcon(windowIcon(), this);
    TrayIcon->setObjectName(QStringLiteral("TrayIcon"));
    TrayIcon->setContextMenu(PopupMenuTray);
    connect(TrayIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason motivo) {
        if (motivo == QSystemTrayIcon::Trigger || motivo == QSystemTrayIcon::DoubleClick)
            TrayIconClick();
    });
}

void TfrmMain::Set_Language_Captions(int riLenguaje)
{
    const TCaptionsPrincipal &c = Captions_Principal(riLenguaje);
    setWindowTitle(c.sTitulo);
    TrayIcon->setToolTip(c.sTitulo);
    mTrayAbrir->setText(c.mTrayAbrir);
    mTrayAgregarTarea->setText(c.mTrayAgregarTarea);
    mTrayRecordatorioRapido->setTitle(c.mTrayRecordatorioRapido);
    mTrayOpciones->setText(c.mTrayOpciones);
    mTrayManejadorDeSonidos->setText(c.mTrayManejadorDeSonidos);
    mTrayPaginaWeb->setText(c.mTrayPaginaWeb);
    mTrayAcerca->setText(c.mTrayAcerca);
    mInicio->setTitle(c.mInicio);
    mAgregarTarea->setText(c.mAgregarTarea);
    mAgregarTareaPopup->setText(c.mAgregarTarea);
    mEditarTarea->setText(c.mEditarTarea);
    mEditarTareaPopup->setText(c.mEditarTarea);
    mBorrarTarea->setText(c.mBorrarTarea);
    mBorrarTareaPopup->setText(c.mBorrarTarea);
    mExportar->setText(c.mExportar);
    mExportarSeleccion->setText(c.mExportarSeleccion);
    mImportar->setText(c.mImportar);
    mOcultarVentana->setText(c.mOcultarVentana);
    mTerminarPrograma->setText(c.mTerminarPrograma);
    mRecordatorioRapido->setTitle(c.mRecordatorioRapido);
    mConfigurar->setTitle(c.mConfigurar);
    mOpciones->setText(c.mOpciones);
    mManejadorDeSonidos->setText(c.mManejadorDeSonidos);
    mAyuda->setTitle(c.mAyuda);
    mVerAyuda->setText(c.mVerAyuda);
    mVerLog->setText(c.mVerLog);
    mPaginaWeb->setText(c.mPaginaWeb);
    mAhoraDisponibleParaIPhoneYIPad->setText(c.mAhoraDisponibleParaIPhoneYIPad);
    mCheckForUpdates->setText(c.mCheckForUpdates);
    mAcerca->setText(c.mAcerca);
    const std::array<std::pair<QToolButton *, std::pair<QString, QString>>, 5> botones{{
        {SpeedButtonAgregar, {c.SpeedButtonAgregar, c.SpeedButtonAgregarHint}},
        {SpeedButtonEditar, {c.SpeedButtonEditar, c.SpeedButtonEditarHint}},
        {SpeedButtonBorrar, {c.SpeedButtonBorrar, c.SpeedButtonBorrarHint}},
        {SpeedButtonOpciones, {c.SpeedButtonOpciones, c.SpeedButtonOpcionesHint}},
        {SpeedButtonSonido, {c.SpeedButtonSonido, c.SpeedButtonSonidoHint}},
    }};
    for (const auto &[boton, textos] : botones) {
        boton->setText(textos.first);
        boton->setToolTip(textos.second);
    }
    ListView->setHeaderLabels({c.asColumnas[0], c.asColumnas[1], c.asColumnas[2]});
    EditFiltro->setPlaceholderText(c.EditFiltro);
    EditFiltro->setAccessibleName(c.EditFiltro);
    Mostrar_Cuenta_Filtro();
    Ajustar_Columnas();
    // The list, the summary and the toolbar's overflow button have no label to be read by.
    const TNombresAccesibles &n = Nombres_Accesibles(riLenguaje);
    ListView->setAccessibleName(n.sListaRecordatorios);
    MemoSummary->setAccessibleName(n.sResumen);
    if (auto *mas = findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button")))
        mas->setAccessibleName(n.sMasBotones);
    // Qt draws the filter's clear button as a tool button without a text.
    for (QToolButton *borrar : EditFiltro->findChildren<QToolButton *>())
        borrar->setAccessibleName(n.sBorrarFiltro);
    for (int i = 0; i < CANTIDAD_RAPIDOS; ++i) {
        mEnRapidos[i]->setText(c.asRapidos[i]);
        mTrayEnRapidos[i]->setText(c.asRapidos[i]);
    }
    // Texts built from the record follow the language too.
    ListViewSelectItem();
}

void TfrmMain::Mostrar_Log_Existe()
{
    const bool existe = Existe_Log();
    mVerLog->setVisible(existe);
    mVerLog->setEnabled(existe && pEnlaces.Abrir_Enlace);
}

bool TfrmMain::Hay_Bandeja()
{
    const bool hay = pHayBandeja();
    if (!hay && !pbSinBandejaAvisado) {
        pbSinBandejaAvisado = true;
        Add_To_Log(Texto_Sin_Bandeja());
    }
    return hay;
}

void TfrmMain::TrayIconClick()
{
    if (isMinimized())
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    if (!isVisible())
        show();
    raise();
    activateWindow();
}

QRect TfrmMain::Geometria_Bandeja() const
{
    return TrayIcon && TrayIcon->isVisible() ? TrayIcon->geometry() : QRect();
}

void TfrmMain::Mostrar_Al_Iniciar()
{
    if (isMinimized() && Hay_Bandeja())
        return;
    show();
}

// Close and Hide put the window in the tray; where there is no tray nothing could bring
// it back, so it is minimised instead.
void TfrmMain::Ocultar_O_Minimizar()
{
    if (Hay_Bandeja())
        hide();
    else
        showMinimized();
}

void TfrmMain::closeEvent(QCloseEvent *rEvento)
{
    if (!pbShutDown) {
        rEvento->ignore();
        Ocultar_O_Minimizar();
        return;
    }
    rEvento->accept();
    Apagar();
    QCoreApplication::quit();
}

void TfrmMain::changeEvent(QEvent *rEvento)
{
    QMainWindow::changeEvent(rEvento);
    if (rEvento->type() == QEvent::WindowStateChange && isMinimized() && isVisible() && !pbShutDown &&
        Hay_Bandeja() && TrayIcon->isVisible()) {
        // Minimising while the tray icon shows hides the window instead (after the
        // state change has been handled).
        QTimer::singleShot(0, this, [this] {
            if (isMinimized())
                hide();
        });
    }
}

void TfrmMain::mOcultarVentanaClick()
{
    pbShutDown = false;
    close();
}

void TfrmMain::Terminar_Programa()
{
    pbShutDown = true;
    Apagar();
    hide();
    QCoreApplication::quit();
}

// Ending: the sounds, then the scheduler, which finishes a file write in progress
// before it stops; the table last. Runs once.
void TfrmMain::Apagar()
{
    if (pbApagado)
        return;
    pbApagado = true;
    TimerInicio->stop();
    TimerRecarga->stop();
    TimerMedianoche->stop();
    try {
        if (pEnlaces.Detener_Sonidos)
            pEnlaces.Detener_Sonidos(*this);
    } catch (...) {
    }
    try {
        Detener_Thread_Alerta(pThreadAlerta);
    } catch (...) {
    }
    paTipoTarea.Vaciar();
    if (TrayIcon)
        TrayIcon->hide();
    Trazar(QStringLiteral("ended"));
}

void TfrmMain::Trazar(const QString &rsTexto)
{
    if (pTraza)
        pTraza(rsTexto);
}
