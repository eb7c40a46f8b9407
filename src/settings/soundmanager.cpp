#include "soundmanager.h"
#include "report/modal.h"

#include "settings/dialogwidgets.h"
#include "alerts/previewplayer.h"
#include "alerts/soundnames.h"
#include "report/messagebox.h"
#include "settings/registry.h"
#include "texts/accessiblenames.h"
#include "texts/captions.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct TTextos {
    const char *sPlay, *sStop, *sAgregar, *sBorrar, *sUsar, *sRestaurar, *sCerrar;
    const char *sDefault, *sNinguno;
    const char *sElegir, *sExiste, *sCopia, *sEsDefault, *sSeguroBorrar, *sUsarComo;
    const char *sSinArchivos, *sQuiereRestaurar, *sRestaurados, *sFuera;
};

const TTextos kIngles{"Play", "Stop", "Add", "Delete", "Set As Default", "Restore System Sounds", "Close",
                      "Default Sound: ", "Default Sound: none",
                      "Please choose a sound", "File already exists", "Copy Error\r",
                      "This file is the default sound\r\r", "Are you sure you want to delete ", "Set as default: ",
                      "There are no files to restore", "Do you want to restore the system sounds?",
                      "The sound files were restored", "Not inside the sounds folder"};
const TTextos kEspanol{"Escuchar", "Detener", "Agregar", "Borrar", "Usar Como Predeterminado",
                       "Restaurar Sonidos Del Sistema", "Cerrar",
                       "Sonido Predeterminado: ", "Sonido Predeterminado: ninguno",
                       "Por favor selecciona un sonido", "El archivo ya existe", "Error al copiar\r",
                       "Este archivo es el sonido predeterminado\r\r", "¿Estás seguro de borrar el archivo ",
                       "¿Usar como predeterminado: ", "No hay archivos por restaurar",
                       "¿Quieres restaurar los sonidos del sistema?", "Los archivos de sonido fueron restaurados",
                       "Fuera de la carpeta de sonidos"};

const TTextos &T(int riLenguaje)
{
    return riLenguaje == 1 ? kEspanol : kIngles;
}

QString Q(const char *rs)
{
    return QString::fromUtf8(rs);
}

// The hourglass while the folders are read.
struct TCursorEspera {
    TCursorEspera() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TCursorEspera() { QApplication::restoreOverrideCursor(); }
};

bool gbAbierto = false;

} // namespace

QString Filtro_Sonidos(int riLenguaje)
{
    const QString todos = riLenguaje == 1 ? QStringLiteral("Archivos de sonido") : QStringLiteral("Supported files");
    return todos + QStringLiteral(" (*.wav *.mp3 *.wma *.aiff *.au);;WAV (*.wav);;MP3 (*.mp3);;WMA (*.wma);;"
                                  "AIFF (*.aiff);;AU (*.au)");
}

QString Titulo_Manejador_Sonidos(int riLenguaje)
{
    return QString(Captions_Principal(riLenguaje).mManejadorDeSonidos).remove(QLatin1Char('&'));
}

TfrmCambiarSonido::TfrmCambiarSonido(QWidget *rOwner, TContextoSonidos &rContexto)
    : QDialog(rOwner), pContexto(rContexto)
{
    setObjectName(QStringLiteral("frmCambiarSonido"));
    setModal(true);

    GroupBoxDefaultSound = Crear<QGroupBox>(this, "GroupBoxDefaultSound");
    LabelSonidoPredeterminado = Crear<QLabel>(GroupBoxDefaultSound, "LabelSonidoPredeterminado");
    LabelSonidoPredeterminado->setMinimumWidth(260);
    BitBtnPlayPredeterminado = Crear<QPushButton>(GroupBoxDefaultSound, "BitBtnPlayPredeterminado");
    BitBtnStopPredeterminado = Crear<QPushButton>(GroupBoxDefaultSound, "BitBtnStopPredeterminado");
    auto *arriba = new QHBoxLayout(GroupBoxDefaultSound);
    arriba->addWidget(LabelSonidoPredeterminado, 1);
    arriba->addWidget(BitBtnPlayPredeterminado);
    arriba->addWidget(BitBtnStopPredeterminado);

    GroupBoxSonidos = Crear<QGroupBox>(this, "GroupBoxSonidos");
    ListBox = Crear<QListWidget>(GroupBoxSonidos, "ListBox");
    ListBox->setMinimumSize(260, 280);
    ListBox->setContextMenuPolicy(Qt::CustomContextMenu);
    BitBtnPlay = Crear<QPushButton>(GroupBoxSonidos, "BitBtnPlay");
    BitBtnStop = Crear<QPushButton>(GroupBoxSonidos, "BitBtnStop");
    BitBtnAgregar = Crear<QPushButton>(GroupBoxSonidos, "BitBtnAgregar");
    BitBtnBorrar = Crear<QPushButton>(GroupBoxSonidos, "BitBtnBorrar");
    BitBtnUsarComoPredeterminado = Crear<QPushButton>(GroupBoxSonidos, "BitBtnUsarComoPredeterminado");
    BitBtnRestaurarSonidosDelSistema = Crear<QPushButton>(GroupBoxSonidos, "BitBtnRestaurarSonidosDelSistema");
    auto *columna = new QVBoxLayout;
    for (QPushButton *b : {BitBtnPlay, BitBtnStop, BitBtnAgregar, BitBtnBorrar, BitBtnUsarComoPredeterminado,
                           BitBtnRestaurarSonidosDelSistema})
        columna->addWidget(b);
    columna->addStretch();
    // No button answers Enter: a stray Enter must not play, delete or close anything.
    for (QPushButton *b : {BitBtnPlayPredeterminado, BitBtnStopPredeterminado, BitBtnPlay, BitBtnStop, BitBtnAgregar,
                           BitBtnBorrar, BitBtnUsarComoPredeterminado, BitBtnRestaurarSonidosDelSistema})
        b->setAutoDefault(false);
    auto *abajo = new QHBoxLayout(GroupBoxSonidos);
    abajo->addWidget(ListBox, 1);
    abajo->addLayout(columna);

    BitBtnCerrar = Crear<QPushButton>(this, "BitBtnCerrar");
    BitBtnCerrar->setAutoDefault(false);
    auto *cerrar = new QHBoxLayout;
    cerrar->addStretch();
    cerrar->addWidget(BitBtnCerrar);

    auto *principal = new QVBoxLayout(this);
    principal->addWidget(GroupBoxDefaultSound);
    principal->addWidget(GroupBoxSonidos);
    principal->addLayout(cerrar);
    principal->setSizeConstraint(QLayout::SetFixedSize);

    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    auto accion = [this](const char *rsNombre, QPushButton *rBoton) {
        QAction *a = PopupMenu->addAction(QString());
        a->setObjectName(QLatin1String(rsNombre));
        connect(a, &QAction::triggered, rBoton, &QPushButton::click);
    };
    accion("mEscuchar", BitBtnPlay);
    accion("mDetener", BitBtnStop);
    PopupMenu->addSeparator();
    accion("mAgregar", BitBtnAgregar);
    accion("mBorrar", BitBtnBorrar);
    PopupMenu->addSeparator();
    accion("mUsarComoPredeterminado", BitBtnUsarComoPredeterminado);

    connect(BitBtnPlayPredeterminado, &QPushButton::clicked, this, &TfrmCambiarSonido::BitBtnPlayPredeterminadoClick);
    connect(BitBtnStopPredeterminado, &QPushButton::clicked, this, &TfrmCambiarSonido::BitBtnStopPredeterminadoClick);
    connect(BitBtnPlay, &QPushButton::clicked, this, &TfrmCambiarSonido::BitBtnPlayClick);
    connect(BitBtnStop, &QPushButton::clicked, this, &TfrmCambiarSonido::BitBtnStopClick);
    connect(BitBtnAgregar, &QPushButton::clicked, this, &TfrmCambiarSonido::BitBtnAgregarClick);
    connect(BitBtnBorrar, &QPushButton::clicked, this, &TfrmCambiarSonido::BitBtnBorrarClick);
    connect(BitBtnUsarComoPredeterminado, &QPushButton::clicked, this,
            &TfrmCambiarSonido::BitBtnUsarComoPredeterminadoClick);
    connect(BitBtnRestaurarSonidosDelSistema, &QPushButton::clicked, this,
            &TfrmCambiarSonido::BitBtnRestaurarSonidosDelSistemaClick);
    connect(BitBtnCerrar, &QPushButton::clicked, this, &QDialog::reject); // Escape does the same
    connect(ListBox, &QListWidget::customContextMenuRequested, this, &TfrmCambiarSonido::ListBoxMouseDown);
}

QString TfrmCambiarSonido::Leyenda() const
{
    return Captions_Principal(pContexto.iLenguaje).psLeyendaSonido;
}

int TfrmCambiarSonido::Mensaje(const QString &rsTexto, const QString &rsCaption, int rBotones)
{
    return MessageBoxBeep(this, rsTexto, rsCaption, rBotones);
}

bool TfrmCambiarSonido::Inicializar(const QString &rsBotonCaption)
{
    const TTextos &t = T(pContexto.iLenguaje);
    setWindowTitle(rsBotonCaption);
    BitBtnPlayPredeterminado->setText(Q(t.sPlay));
    BitBtnStopPredeterminado->setText(Q(t.sStop));
    BitBtnPlay->setText(Q(t.sPlay));
    BitBtnStop->setText(Q(t.sStop));
    BitBtnAgregar->setText(Q(t.sAgregar));
    BitBtnBorrar->setText(Q(t.sBorrar));
    BitBtnUsarComoPredeterminado->setText(Q(t.sUsar));
    BitBtnRestaurarSonidosDelSistema->setText(Q(t.sRestaurar));
    BitBtnCerrar->setText(Q(t.sCerrar));
    ListBox->setAccessibleName(Nombres_Accesibles(pContexto.iLenguaje).sListaSonidos);
    // Both pairs of buttons say Play and Stop: a screen reader tells them apart by what they play.
    BitBtnPlay->setAccessibleDescription(ListBox->accessibleName());
    BitBtnStop->setAccessibleDescription(ListBox->accessibleName());
    // The menu items take the captions of their buttons.
    const QList<QPair<const char *, QPushButton *>> menu{{"mEscuchar", BitBtnPlay},
                                                         {"mDetener", BitBtnStop},
                                                         {"mAgregar", BitBtnAgregar},
                                                         {"mBorrar", BitBtnBorrar},
                                                         {"mUsarComoPredeterminado", BitBtnUsarComoPredeterminado}};
    for (const auto &[nombre, boton] : menu)
        if (QAction *a = PopupMenu->findChild<QAction *>(QLatin1String(nombre)))
            a->setText(boton->text());
    return Llenar_Lista();
}

bool TfrmCambiarSonido::Llenar_Lista()
{
    QStringList lista;
    QString error;
    bool ok;
    {
        TCursorEspera espera;
        ok = Llenar_Lista_Sonidos(pContexto.aCarpetas.sSonidos, Leyenda(), lista, &error);
    }
    ListBox->clear();
    if (!ok)
        Mensaje(QStringLiteral("Error 500\r") + error, Caption_Error(), MB_OK);
    ListBox->addItems(lista);
    if (ListBox->count() > 0)
        ListBox->setCurrentRow(0);
    Mostrar_Default();
    Actualizar_Botones();
    return ok;
}

void TfrmCambiarSonido::Mostrar_Default()
{
    const QString archivo = pContexto.pDefaultSound ? *pContexto.pDefaultSound : QString();
    if (Buscar_Archivo_Sonido(pContexto.aCarpetas.sSonidos, archivo).isEmpty()) {
        Default_Ninguno();
        return;
    }
    LabelSonidoPredeterminado->setText(Q(T(pContexto.iLenguaje).sDefault) + Nombre_Mostrado_Default(archivo, Leyenda()));
    BitBtnPlayPredeterminado->setEnabled(true);
    BitBtnStopPredeterminado->setEnabled(true);
    Describir_Predeterminado();
}

void TfrmCambiarSonido::Default_Ninguno()
{
    LabelSonidoPredeterminado->setText(Q(T(pContexto.iLenguaje).sNinguno));
    BitBtnPlayPredeterminado->setEnabled(false);
    BitBtnStopPredeterminado->setEnabled(false);
    Describir_Predeterminado();
}

void TfrmCambiarSonido::Describir_Predeterminado()
{
    BitBtnPlayPredeterminado->setAccessibleDescription(LabelSonidoPredeterminado->text());
    BitBtnStopPredeterminado->setAccessibleDescription(LabelSonidoPredeterminado->text());
}

void TfrmCambiarSonido::Actualizar_Botones()
{
    const bool hay = ListBox->count() > 0;
    for (QPushButton *b : {BitBtnPlay, BitBtnStop, BitBtnBorrar, BitBtnUsarComoPredeterminado})
        b->setEnabled(hay);
    BitBtnAgregar->setEnabled(true);
}

QString TfrmCambiarSonido::Seleccionado() const
{
    const QListWidgetItem *item = ListBox->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void TfrmCambiarSonido::Detener()
{
    if (pContexto.pReproductor)
        pContexto.pReproductor->Stop_Audio_Interno();
}

void TfrmCambiarSonido::done(int riResultado)
{
    Detener();
    QDialog::done(riResultado);
}

void TfrmCambiarSonido::ListBoxMouseDown(const QPoint &rPunto)
{
    QListWidgetItem *item = ListBox->itemAt(rPunto);
    if (item)
        ListBox->setCurrentItem(item);
    else
        ListBox->setCurrentItem(nullptr);
    PopupMenu->popup(ListBox->viewport()->mapToGlobal(rPunto));
}

void TfrmCambiarSonido::BitBtnPlayPredeterminadoClick()
{
    const QString ruta = Buscar_Archivo_Sonido(pContexto.aCarpetas.sSonidos,
                                               pContexto.pDefaultSound ? *pContexto.pDefaultSound : QString());
    if (ruta.isEmpty()) {
        Default_Ninguno();
        return;
    }
    if (pContexto.pReproductor)
        pContexto.pReproductor->Play_Audio_Interno(this, ruta, false, true);
}

void TfrmCambiarSonido::BitBtnStopPredeterminadoClick()
{
    Detener();
}

void TfrmCambiarSonido::BitBtnStopClick()
{
    Detener();
}

void TfrmCambiarSonido::BitBtnPlayClick()
{
    const QString nombre = Seleccionado();
    if (nombre.isEmpty()) {
        Mensaje(Q(T(pContexto.iLenguaje).sElegir), Caption_Informacion(pContexto.iLenguaje), MB_OK);
        return;
    }
    const QString ruta = Ruta_De_Nombre_Mostrado(pContexto.aCarpetas.sSonidos, nombre, Leyenda());
    if (ruta.isEmpty()) {
        Mensaje(Texto_File_Not_Found(pContexto.iLenguaje, QString()), Caption_Error(), MB_OK);
        return;
    }
    if (pContexto.pReproductor)
        pContexto.pReproductor->Play_Audio_Interno(this, ruta, false, true);
}

void TfrmCambiarSonido::BitBtnAgregarClick()
{
    Detener();
    const TTextos &t = T(pContexto.iLenguaje);
    const QString filtro = Filtro_Sonidos(pContexto.iLenguaje);
    QString elegido;
    if (pContexto.Elegir_Archivo) {
        elegido = pContexto.Elegir_Archivo(this, BitBtnAgregar->text(), filtro);
    } else {
        QFileDialog dialogo(this, BitBtnAgregar->text(), QString(), filtro);
        dialogo.setFileMode(QFileDialog::ExistingFile);
        if (Ejecutar_Modal(dialogo) == QDialog::Accepted)
            elegido = dialogo.selectedFiles().value(0);
    }
    if (elegido.isEmpty())
        return;
    QString nombre, error;
    switch (Agregar_Archivo_Sonido(pContexto.aCarpetas, elegido, nombre, &error)) {
    case TResultadoSonido::Ok:
        ListBox->addItem(nombre);
        ListBox->setCurrentRow(ListBox->count() - 1);
        Actualizar_Botones();
        break;
    case TResultadoSonido::Existe:
        Mensaje(Q(t.sExiste), Caption_Error(), MB_OK);
        break;
    case TResultadoSonido::Fuera:
        Mensaje(Q(t.sCopia) + Q(t.sFuera), Caption_Error(), MB_OK);
        break;
    default:
        Mensaje(Q(t.sCopia) + error, Caption_Error(), MB_OK);
        break;
    }
}

void TfrmCambiarSonido::BitBtnBorrarClick()
{
    Detener();
    const TTextos &t = T(pContexto.iLenguaje);
    const QString nombre = Seleccionado();
    if (nombre.isEmpty()) {
        Mensaje(Q(t.sElegir), Caption_Informacion(pContexto.iLenguaje), MB_OK);
        return;
    }
    const bool sistema = Es_Sonido_Del_Sistema(nombre, Leyenda());
    const QString archivo = Convertir_Sound_X_a_sX_mp3(nombre, Leyenda());
    const QString ruta = Buscar_Archivo_Sonido(pContexto.aCarpetas.sSonidos, archivo);
    QListWidgetItem *item = ListBox->currentItem();
    if (ruta.isEmpty()) {
        delete item;
        Actualizar_Botones();
        return;
    }
    const QString nombreReal = QFileInfo(ruta).fileName();
    const bool esDefault = pContexto.pDefaultSound &&
                           (nombreReal == *pContexto.pDefaultSound || archivo == *pContexto.pDefaultSound);
    const QString pregunta =
        (esDefault ? Q(t.sEsDefault) : QString()) + Q(t.sSeguroBorrar) + nombre + QLatin1Char('?');
    if (Mensaje(pregunta, Caption_Confirmacion(pContexto.iLenguaje), MB_OKCANCEL) != IDOK)
        return;

    QString error;
    int numero = 0;
    TResultadoSonido r;
    if (sistema && Es_Archivo_Numerado(archivo, false, &numero))
        r = Retirar_Sonido_Del_Sistema(pContexto.aCarpetas, ruta, numero, &error);
    else
        r = Borrar_Archivo_Sonido(pContexto.aCarpetas, ruta, &error);
    if (r == TResultadoSonido::SinCarpeta)
        return;
    if (r != TResultadoSonido::Ok) {
        const QString codigo = sistema ? QStringLiteral("Error 501\r") : QStringLiteral("Error 503\r");
        Mensaje(codigo + (r == TResultadoSonido::Fuera ? Q(t.sFuera) : error) + u'\r' + ruta, Caption_Error(),
                MB_OK);
        return;
    }
    delete item;
    if (esDefault)
        Default_Ninguno();
    Actualizar_Botones();
}

void TfrmCambiarSonido::BitBtnUsarComoPredeterminadoClick()
{
    Detener();
    const TTextos &t = T(pContexto.iLenguaje);
    const QString nombre = Seleccionado();
    if (nombre.isEmpty()) {
        Mensaje(Q(t.sElegir), Caption_Informacion(pContexto.iLenguaje), MB_OK);
        return;
    }
    const QString ruta = Ruta_De_Nombre_Mostrado(pContexto.aCarpetas.sSonidos, nombre, Leyenda());
    if (ruta.isEmpty()) {
        Mensaje(Texto_File_Not_Found(pContexto.iLenguaje, QString()), Caption_Error(), MB_OK);
        return;
    }
    const QString pregunta = Q(t.sUsarComo) + nombre + QLatin1Char('?');
    if (Mensaje(pregunta, Caption_Confirmacion(pContexto.iLenguaje), MB_OKCANCEL) != IDOK)
        return;
    // The name on disk, so that whoever plays the default finds it on this
    // letter-case-sensitive file system.
    const QString archivo = QFileInfo(ruta).fileName();
    if (pContexto.pDefaultSound)
        *pContexto.pDefaultSound = archivo;
    Grabar_Registry(HKEY_CURRENT_USER, LLAVE_KESTRIN, QStringLiteral("DefaultSound"), archivo);
    if (pContexto.Default_Cambiado)
        pContexto.Default_Cambiado(archivo);
    LabelSonidoPredeterminado->setText(Q(t.sDefault) + nombre);
    BitBtnPlayPredeterminado->setEnabled(true);
    BitBtnStopPredeterminado->setEnabled(true);
}

void TfrmCambiarSonido::BitBtnRestaurarSonidosDelSistemaClick()
{
    const TTextos &t = T(pContexto.iLenguaje);
    if (!QFileInfo(pContexto.aCarpetas.sRestaurar).isDir()) {
        Mensaje(Q(t.sSinArchivos), Caption_Informacion(pContexto.iLenguaje), MB_OK);
        return;
    }
    if (Mensaje(Q(t.sQuiereRestaurar), Caption_Confirmacion(pContexto.iLenguaje), MB_OKCANCEL) != IDOK)
        return;
    TResultadoRestaurar r;
    {
        TCursorEspera espera;
        r = Restaurar_Sonidos_Del_Sistema(pContexto.aCarpetas);
    }
    for (const QString &error : std::as_const(r.aErrores))
        Mensaje(QStringLiteral("Error 504\r") + error, Caption_Error(), MB_OK);
    if (r.iManejados > 0) {
        Llenar_Lista();
        if (r.aErrores.isEmpty())
            Mensaje(Q(t.sRestaurados), Caption_Informacion(pContexto.iLenguaje), MB_OK);
    } else {
        Mensaje(Q(t.sSinArchivos), Caption_Informacion(pContexto.iLenguaje), MB_OK);
    }
}

void Abrir_Manejador_Sonidos(QWidget *rOwner, TContextoSonidos &rContexto, const QString &rsTitulo)
{
    if (gbAbierto)
        return;
    gbAbierto = true;
    {
        TfrmCambiarSonido dialogo(rOwner, rContexto);
        if (dialogo.Inicializar(rsTitulo))
            Ejecutar_Modal(dialogo);
    }
    gbAbierto = false;
}
