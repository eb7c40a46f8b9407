// The alert and sound page: name, message, alert mode, sound, preview and the test.
#include "agregartarea.h"

#include "alerts/previewplayer.h"
#include "report/messagebox.h"
#include "scheduler/alertlaunch.h"
#include "store/daycount.h"
#include "store/textforms.h"
#include "store/writer.h"
#include "settings/soundlibrary.h"

#include <stdexcept>
#include "texts/captions.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QValidator>
#include <QVBoxLayout>

#include <cerrno>
#include <exception>

namespace {
inline constexpr int MAXIMO_NOMBRE = 50;
inline constexpr int MAXIMO_MENSAJE = 500;

QPushButton *Boton_Tres(QWidget *rPadre, const char *rsNombre)
{
    auto *b = new QPushButton(rPadre);
    b->setObjectName(QLatin1String(rsNombre));
    b->setAutoDefault(false);
    return b;
}

QRadioButton *Radio_Tres(QWidget *rPadre, const char *rsNombre)
{
    auto *r = new QRadioButton(rPadre);
    r->setObjectName(QLatin1String(rsNombre));
    return r;
}

// The lines of a message that are not blank, joined with CR LF.
QString Mensaje_Sin_Blancos(const QString &rsMensaje)
{
    QStringList lineas;
    for (const QString &linea : QString(rsMensaje).replace(QLatin1Char('\r'), QString()).split(QLatin1Char('\n')))
        if (!Recortar(linea).isEmpty())
            lineas << linea;
    return lineas.join(QStringLiteral("\r\n"));
}

TfrmAgregarTarea *pAsistenteAbierto = nullptr;

// The name's limit: typing and pasting stop at riLimite characters, while a longer name
// put in while *rbCargando (a reminder loaded from its file) stays whole. A line edit's
// own maximum length, like any validator, would cut that name the moment it is shown.
class TLimiteNombre : public QValidator {
public:
    TLimiteNombre(QLineEdit *rEdit, int riLimite, const bool *rbCargando)
        : QValidator(rEdit), piLimite(riLimite), pbCargando(rbCargando)
    {
        // The validator sees the text after the edit; the length before it is kept here.
        connect(rEdit, &QLineEdit::textChanged, this, [this](const QString &rsTexto) { piLargo = int(rsTexto.size()); });
    }
    State validate(QString &fsTexto, int &fiPos) const override
    {
        const int exceso = *pbCargando ? 0 : Exceso_Escrito(int(fsTexto.size()), piLargo, piLimite);
        if (exceso > 0) {
            // What was just typed ends at the cursor: the end of it goes.
            const int desde = std::max(0, fiPos - exceso);
            fsTexto.remove(desde, exceso);
            fiPos = desde;
        }
        return Acceptable;
    }

private:
    int piLimite;
    const bool *pbCargando;
    int piLargo = 0;
};
} // namespace

QWidget *TfrmAgregarTarea::Crear_Pagina_Tres()
{
    auto *pagina = new QWidget;
    pagina->setObjectName(QStringLiteral("TabSheetTres"));
    auto *capa = new QVBoxLayout(pagina);
    capa->setSpacing(4);

    LabelNombreTres = new QLabel(pagina);
    LabelNombreTres->setObjectName(QStringLiteral("LabelNombreTres"));
    EditTresTituloTarea = new QLineEdit(pagina);
    EditTresTituloTarea->setObjectName(QStringLiteral("EditTresTituloTarea"));
    EditTresTituloTarea->setValidator(new TLimiteNombre(EditTresTituloTarea, MAXIMO_NOMBRE, &pbIniciando));
    LabelNombreTres->setBuddy(EditTresTituloTarea);
    LabelTresMensaje = new QLabel(pagina);
    LabelTresMensaje->setObjectName(QStringLiteral("LabelTresMensaje"));
    MemoTresMensaje = new QPlainTextEdit(pagina);
    MemoTresMensaje->setObjectName(QStringLiteral("MemoTresMensaje"));
    MemoTresMensaje->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoTresMensaje->setTabChangesFocus(true);
    MemoTresMensaje->setFixedHeight(110);
    if (!Configuracion().psFontMensaje.isEmpty()) {
        QFont fuente(Configuracion().psFontMensaje);
        fuente.setPointSize(10);
        MemoTresMensaje->setFont(fuente);
    }
    // The message's limit, as the name's: what is typed or pasted stops at 500
    // characters; a longer message loaded from the file is shown and saved whole.
    connect(MemoTresMensaje->document(), &QTextDocument::contentsChange, this,
            [this](int riPosicion, int, int riAgregados) { piFinEdicion = riPosicion + riAgregados; });
    connect(MemoTresMensaje, &QPlainTextEdit::textChanged, this, [this] {
        const int largo = int(MemoTresMensaje->toPlainText().size());
        const int exceso = pbIniciando ? 0 : Exceso_Escrito(largo, piLargoMensaje, MAXIMO_MENSAJE);
        if (exceso <= 0) {
            piLargoMensaje = largo;
            return;
        }
        // What was just typed or pasted ends at piFinEdicion: the end of it goes.
        const int fin = std::min(piFinEdicion, largo);
        QTextCursor cursor(MemoTresMensaje->document());
        cursor.setPosition(std::max(0, fin - exceso));
        cursor.setPosition(fin, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    });
    LabelTresMensaje->setBuddy(MemoTresMensaje);
    capa->addWidget(LabelNombreTres);
    capa->addWidget(EditTresTituloTarea);
    capa->addWidget(LabelTresMensaje);
    capa->addWidget(MemoTresMensaje);

    LabelTresCuandoInicie = new QLabel(pagina);
    LabelTresCuandoInicie->setObjectName(QStringLiteral("LabelTresCuandoInicie"));
    capa->addWidget(LabelTresCuandoInicie);
    GroupBoxTresCuandoInicie = new QGroupBox(pagina);
    GroupBoxTresCuandoInicie->setObjectName(QStringLiteral("GroupBoxTresCuandoInicie"));
    auto *cm = new QVBoxLayout(GroupBoxTresCuandoInicie);
    cm->setSpacing(2);
    RadioButtonTresMostrarMensaje = Radio_Tres(GroupBoxTresCuandoInicie, "RadioButtonTresMostrarMensaje");
    RadioButtonTresAbrirVentana = Radio_Tres(GroupBoxTresCuandoInicie, "RadioButtonTresAbrirVentana");
    RadioButtonTresAmbas = Radio_Tres(GroupBoxTresCuandoInicie, "RadioButtonTresAmbas");
    for (QRadioButton *r : {RadioButtonTresMostrarMensaje, RadioButtonTresAbrirVentana, RadioButtonTresAmbas})
        cm->addWidget(r);
    capa->addWidget(GroupBoxTresCuandoInicie);

    CheckBoxTresTocarSonido = new QCheckBox(pagina);
    CheckBoxTresTocarSonido->setObjectName(QStringLiteral("CheckBoxTresTocarSonido"));
    capa->addWidget(CheckBoxTresTocarSonido);
    GroupBoxTresTocarSonido = new QGroupBox(pagina);
    GroupBoxTresTocarSonido->setObjectName(QStringLiteral("GroupBoxTresTocarSonido"));
    auto *cs = new QGridLayout(GroupBoxTresTocarSonido);
    cs->setVerticalSpacing(2);
    RadioButtonTresUsarSonidoDefault = Radio_Tres(GroupBoxTresTocarSonido, "RadioButtonTresUsarSonidoDefault");
    RadioButtonTresSeleccionarSonido = Radio_Tres(GroupBoxTresTocarSonido, "RadioButtonTresSeleccionarSonido");
    ComboBoxTresSeleccionaUnSonido = new QComboBox(GroupBoxTresTocarSonido);
    ComboBoxTresSeleccionaUnSonido->setObjectName(QStringLiteral("ComboBoxTresSeleccionaUnSonido"));
    ComboBoxTresSeleccionaUnSonido->setMaxVisibleItems(20);
    ComboBoxTresSeleccionaUnSonido->setMinimumWidth(180);
    CheckBoxTresRepetirSonido = new QCheckBox(GroupBoxTresTocarSonido);
    CheckBoxTresRepetirSonido->setObjectName(QStringLiteral("CheckBoxTresRepetirSonido"));
    BitBtnTresPlaySound = Boton_Tres(GroupBoxTresTocarSonido, "BitBtnTresPlaySound");
    BitBtnTresStopSound = Boton_Tres(GroupBoxTresTocarSonido, "BitBtnTresStopSound");
    BitBtnTresManejadorDeSonidos = Boton_Tres(GroupBoxTresTocarSonido, "BitBtnTresManejadorDeSonidos");
    cs->addWidget(RadioButtonTresUsarSonidoDefault, 0, 0, 1, 2);
    cs->addWidget(RadioButtonTresSeleccionarSonido, 1, 0);
    cs->addWidget(ComboBoxTresSeleccionaUnSonido, 1, 1);
    cs->addWidget(CheckBoxTresRepetirSonido, 2, 0);
    auto *botones = new QHBoxLayout;
    botones->addWidget(BitBtnTresPlaySound);
    botones->addWidget(BitBtnTresStopSound);
    botones->addWidget(BitBtnTresManejadorDeSonidos);
    botones->addStretch(1);
    cs->addLayout(botones, 2, 1, 1, 2);
    cs->setColumnStretch(2, 1);
    capa->addWidget(GroupBoxTresTocarSonido);

    BitBtnTresTestTask = Boton_Tres(pagina, "BitBtnTresTestTask");
    auto *prueba = new QHBoxLayout;
    prueba->addStretch(1);
    prueba->addWidget(BitBtnTresTestTask);
    capa->addLayout(prueba);
    capa->addStretch(1);

    connect(CheckBoxTresTocarSonido, &QCheckBox::toggled, this, [this] { CheckBoxTresTocarSonidoClick(); });
    connect(RadioButtonTresUsarSonidoDefault, &QRadioButton::toggled, this, [this] { CheckBoxTresTocarSonidoClick(); });
    connect(ComboBoxTresSeleccionaUnSonido, &QComboBox::currentIndexChanged, this, [this] { Detener_Sonido(); });
    connect(BitBtnTresPlaySound, &QPushButton::clicked, this, [this] { BitBtnTresPlaySoundClick(true); });
    connect(BitBtnTresStopSound, &QPushButton::clicked, this, &TfrmAgregarTarea::BitBtnTresStopSoundClick);
    connect(CheckBoxTresRepetirSonido, &QCheckBox::toggled, this, &TfrmAgregarTarea::CheckBoxTresRepetirSonidoClick);
    connect(BitBtnTresManejadorDeSonidos, &QPushButton::clicked, this,
            &TfrmAgregarTarea::BitBtnTresManejadorDeSonidosClick);
    connect(BitBtnTresTestTask, &QPushButton::clicked, this, &TfrmAgregarTarea::BitBtnTresTestTaskClick);
    pAsistenteAbierto = this;
    connect(this, &QObject::destroyed, [rYo = this] {
        if (pAsistenteAbierto == rYo)
            pAsistenteAbierto = nullptr;
    });
    return pagina;
}

void Popup_Prueba_Cerrado()
{
    if (pAsistenteAbierto)
        pAsistenteAbierto->Desktop_Alert_Prueba_Close();
}

TDatosSonido TfrmAgregarTarea::Datos_Sonido() const
{
    TDatosSonido s;
    s.sCarpeta = pContexto.pCarpetas.psAppDataSoundsAllUsers;
    s.sDefaultSound = Configuracion().psDefaultSound;
    s.sLeyenda = Captions_Principal(pContexto.piLenguaje).psLeyendaSonido;
    return s;
}

QString TfrmAgregarTarea::Sonido_Seleccionado() const
{
    return ComboBoxTresSeleccionaUnSonido->currentIndex() < 0 ? QString()
                                                              : ComboBoxTresSeleccionaUnSonido->currentText();
}

TValoresAlerta TfrmAgregarTarea::Valores_Alerta() const
{
    TValoresAlerta a;
    a.sNombre = EditTresTituloTarea->text();
    a.sMensaje = MemoTresMensaje->toPlainText();
    a.iModo = RadioButtonTresMostrarMensaje->isChecked() ? ALERTA_POPUP
              : RadioButtonTresAbrirVentana->isChecked() ? ALERTA_VENTANA
                                                         : ALERTA_AMBAS;
    a.bTocarSonido = CheckBoxTresTocarSonido->isChecked();
    a.bSonidoDefault = RadioButtonTresUsarSonidoDefault->isChecked();
    a.sSonidoElegido = Sonido_Seleccionado();
    a.bRepetirSonido = CheckBoxTresRepetirSonido->isChecked();
    return a;
}

bool TfrmAgregarTarea::Llenar_Lista_Sonidos(QWidget *rOwner)
{
    const QSignalBlocker bloqueo(ComboBoxTresSeleccionaUnSonido);
    try {
        ComboBoxTresSeleccionaUnSonido->clear();
        // The same list, rule for rule, as the sound manager shows.
        QStringList entradas;
        QString error;
        if (!::Llenar_Lista_Sonidos(pContexto.pCarpetas.psAppDataSoundsAllUsers, Datos_Sonido().sLeyenda, entradas,
                                    &error))
            throw std::runtime_error(error.toStdString());
        ComboBoxTresSeleccionaUnSonido->addItems(entradas);
        if (ComboBoxTresSeleccionaUnSonido->count() > 0)
            ComboBoxTresSeleccionaUnSonido->setCurrentIndex(0);
    } catch (const std::exception &e) {
        MessageBoxBeep(rOwner, QStringLiteral("Error 400\r") + QString::fromLocal8Bit(e.what()), Caption_Error(), MB_OK);
        return false;
    }
    return true;
}

void TfrmAgregarTarea::Detener_Sonido()
{
    if (pContexto.pReproductor)
        pContexto.pReproductor->Stop_Audio_Interno();
}

void TfrmAgregarTarea::CheckBoxTresTocarSonidoClick()
{
    Detener_Sonido();
    const bool tocar = CheckBoxTresTocarSonido->isChecked();
    for (QWidget *w : std::initializer_list<QWidget *>{RadioButtonTresUsarSonidoDefault, RadioButtonTresSeleccionarSonido,
                                                       CheckBoxTresRepetirSonido, BitBtnTresPlaySound,
                                                       BitBtnTresStopSound, BitBtnTresManejadorDeSonidos})
        w->setEnabled(tocar);
    ComboBoxTresSeleccionaUnSonido->setEnabled(tocar && RadioButtonTresSeleccionarSonido->isChecked());
    if (tocar && ComboBoxTresSeleccionaUnSonido->currentIndex() < 0) {
        BitBtnTresPlaySound->setEnabled(false);
        BitBtnTresStopSound->setEnabled(false);
    }
}

void TfrmAgregarTarea::BitBtnTresPlaySoundClick(bool rbUsuario)
{
    if (!CheckBoxTresTocarSonido->isChecked())
        return;
    const TTextosAsistente &t = Textos_Asistente(pContexto.piLenguaje);
    const bool repetir = CheckBoxTresRepetirSonido->isChecked();
    auto tocar = [&](const QString &rsArchivo) {
        if (pContexto.pReproductor)
            pContexto.pReproductor->Play_Audio_Interno(this, rsArchivo, repetir, rbUsuario);
    };
    if (RadioButtonTresUsarSonidoDefault->isChecked()) {
        const TDatosSonido s = Datos_Sonido();
        const QString archivo = s.sCarpeta + s.sDefaultSound;
        if (!s.sDefaultSound.isEmpty() && QFileInfo(archivo).isFile()) {
            tocar(archivo);
        } else if (rbUsuario) {
            if (MessageBoxBeep(this, t.sSinSonidoDefault, Caption_Confirmacion(pContexto.piLenguaje), MB_OKCANCEL) ==
                IDOK)
                BitBtnTresManejadorDeSonidosClick();
        }
        return;
    }
    if (ComboBoxTresSeleccionaUnSonido->currentIndex() < 0) {
        BitBtnTresPlaySound->setEnabled(false);
        BitBtnTresStopSound->setEnabled(false);
        return;
    }
    const QString archivo = Ruta_Sonido_Elegido(Datos_Sonido(), Sonido_Seleccionado());
    if (QFileInfo(archivo).isFile())
        tocar(archivo);
    else if (rbUsuario)
        File_Not_Found(this, QString());
}

void TfrmAgregarTarea::BitBtnTresStopSoundClick()
{
    Detener_Sonido();
}

void TfrmAgregarTarea::CheckBoxTresRepetirSonidoClick()
{
    // Unticked, a preview playing now ends at its end instead of starting again.
    if (!CheckBoxTresRepetirSonido->isChecked() && pContexto.pReproductor)
        pContexto.pReproductor->Loop_Audio_Interno(false);
}

void TfrmAgregarTarea::BitBtnTresManejadorDeSonidosClick()
{
    Detener_Sonido();
    if (!pContexto.Abrir_Manejador_Sonidos)
        return;
    const QString elegido = Sonido_Seleccionado();
    pContexto.Abrir_Manejador_Sonidos(this, BitBtnTresManejadorDeSonidos->text());
    Llenar_Lista_Sonidos(this);
    CheckBoxTresTocarSonidoClick();
    if (!elegido.isEmpty()) {
        const int fila = ComboBoxTresSeleccionaUnSonido->findText(elegido, Qt::MatchFixedString | Qt::MatchCaseSensitive);
        if (fila >= 0)
            ComboBoxTresSeleccionaUnSonido->setCurrentIndex(fila);
    }
}

void TfrmAgregarTarea::BitBtnTresTestTaskClick()
{
    const TTextosAsistente &t = Textos_Asistente(pContexto.piLenguaje);
    if (CheckBoxTresTocarSonido->isChecked() && RadioButtonTresSeleccionarSonido->isChecked() &&
        ComboBoxTresSeleccionaUnSonido->currentIndex() < 0) {
        MessageBoxBeep(this, t.sEligeSonido, Caption_Informacion(pContexto.piLenguaje), MB_OK);
        return;
    }
    BitBtnTresTestTask->setEnabled(false);
    repaint();
    Detener_Sonido();
    Terminar_Ventana_Alerta_Prueba();

    const TValoresAlerta alerta = Valores_Alerta();
    const QString nombre = Recortar(alerta.sNombre).isEmpty() ? LabelNombreTres->text() : Recortar(alerta.sNombre);
    const QString mensaje = Mensaje_Sin_Blancos(alerta.sMensaje);
    pbDesktopAlertAbierto = false;
    pbVentanaAlertaAbierta = false;

    if (alerta.iModo == ALERTA_POPUP || alerta.iModo == ALERTA_AMBAS) {
        QString error;
        if (!pContexto.Mostrar_Popup_Prueba) {
            error = QStringLiteral("no popup");
        } else {
            try {
                error = pContexto.Mostrar_Popup_Prueba(QString(), nombre, mensaje);
            } catch (const std::exception &e) {
                error = QString::fromLocal8Bit(e.what());
            }
        }
        if (!error.isEmpty()) {
            MessageBoxBeep(this, QStringLiteral("Error 402\r") + error, Caption_Error(), MB_OK);
        } else {
            pbDesktopAlertAbierto = true;
            // The test popup stays for the popup time; if the main window never says it
            // closed, Test comes back after that time all the same.
            const int espera = std::max(1, Configuracion().piDesktopAlertDuracion) * 1000 + 1500;
            pTimerPopup->start(espera);
            if (alerta.iModo == ALERTA_POPUP && alerta.bTocarSonido)
                BitBtnTresPlaySoundClick(false);
        }
    }

    if (alerta.iModo == ALERTA_VENTANA || alerta.iModo == ALERTA_AMBAS) {
        try {
            const TCarpetas &c = pContexto.pCarpetas;
            QString carpeta = c.psAppDataAllUsers;
            if (!QDir(carpeta).exists())
                QDir().mkpath(carpeta);
            if (!QDir(carpeta).exists())
                carpeta = c.psUserTempDir;
            const QString archivo = Nombre_Archivo_Prueba(carpeta, Ahora());
            const TTipoTarea tarea =
                Construir_Tarea(Datos_De_Pagina(piTareaTipo), CheckBoxDos1AutoDelete->isChecked(), alerta, pConservados,
                                Datos_Sonido(), pContexto.piLenguaje, LabelNombreTres->text(), Ahora());
            QString errorEscritura;
            Grabar_Archivo_Tarea(archivo, tarea, &errorEscritura);
            const QString programa = Ruta_AlertWindow(c.psEXEPath);
            if (!QFileInfo::exists(archivo)) {
                File_Not_Found(this, archivo);
            } else if (!QFileInfo::exists(programa)) {
                QFile::remove(archivo);
                MessageBoxBeep(this,
                               QStringLiteral("Error 403\r") + qt_error_string(ENOENT) + QStringLiteral(": ") + programa,
                               Caption_Error(), MB_OK);
            } else {
                const QString sonido = Sonido_Para_AlertWindow(tarea.tiUsarSonidoDefault, tarea.tsPathDelSonido,
                                                               c.psAppDataSoundsAllUsers,
                                                               Configuracion().psDefaultSound);
                QString error;
                if (pVentanaPrueba.Iniciar(programa,
                                           Argumentos_AlertWindow(archivo, sonido,
                                                                  Configuracion().piDefaultSnoozeTime,
                                                                  Configuracion().psFontMensaje),
                                           archivo, error)) {
                    pbVentanaAlertaAbierta = true;
                    Timer->start();
                } else {
                    QFile::remove(archivo);
                    MessageBoxBeep(this, QStringLiteral("Error 404\r") + error, Caption_Error(), MB_OK);
                }
            }
        } catch (const std::exception &e) {
            MessageBoxBeep(this, QStringLiteral("Error 405\r") + QString::fromLocal8Bit(e.what()), Caption_Error(), MB_OK);
        }
    }
    if (!pbDesktopAlertAbierto && !pbVentanaAlertaAbierta)
        BitBtnTresTestTask->setEnabled(true);
}

void TfrmAgregarTarea::TimerTimer()
{
    Timer->stop();
    pbVentanaAlertaAbierta = false;
    if (!pbDesktopAlertAbierto)
        BitBtnTresTestTask->setEnabled(true);
}

void TfrmAgregarTarea::Desktop_Alert_Prueba_Close()
{
    pTimerPopup->stop();
    Detener_Sonido();
    pbDesktopAlertAbierto = false;
    if (!pbVentanaAlertaAbierta)
        BitBtnTresTestTask->setEnabled(true);
}

void TfrmAgregarTarea::Terminar_Ventana_Alerta_Prueba()
{
    pVentanaPrueba.Terminar();
}
