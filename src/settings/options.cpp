#include "options.h"
#include "report/modal.h"

#include "settings/dialogwidgets.h"
#include "optionstexts.h"
#include "report/messagebox.h"
#include "settings/saveverify.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

TfrmOpciones::TfrmOpciones(QWidget *rOwner, TContextoOpciones &rContexto)
    : QDialog(rOwner), pContexto(rContexto)
{
    setObjectName(QStringLiteral("frmOpciones"));
    setModal(true);

    GroupBoxUno = Crear<QGroupBox>(this, "GroupBoxUno");
    LabelCambiarLenguaje = Crear<QLabel>(GroupBoxUno, "LabelCambiarLenguaje");
    ComboBoxLenguaje = Crear<QComboBox>(GroupBoxUno, "ComboBoxLenguaje");
    CheckBoxStartWithWindows = Crear<QCheckBox>(GroupBoxUno, "CheckBoxStartWithWindows");
    CheckBoxWakeUp = Crear<QCheckBox>(GroupBoxUno, "CheckBoxWakeUp");
    BitBtnWakeTimers = Crear<QPushButton>(GroupBoxUno, "BitBtnWakeTimers");
    LabelOnlyWindows7 = Crear<QLabel>(GroupBoxUno, "LabelOnlyWindows7");
    auto *lenguaje = new QHBoxLayout;
    lenguaje->addWidget(LabelCambiarLenguaje);
    lenguaje->addWidget(ComboBoxLenguaje);
    lenguaje->addStretch();
    auto *temporizadores = new QHBoxLayout;
    temporizadores->addWidget(BitBtnWakeTimers);
    temporizadores->addWidget(LabelOnlyWindows7);
    temporizadores->addStretch();
    auto *uno = new QVBoxLayout(GroupBoxUno);
    uno->addLayout(lenguaje);
    uno->addWidget(CheckBoxStartWithWindows);
    uno->addWidget(CheckBoxWakeUp);
    uno->addLayout(temporizadores);

    GroupBoxDos = Crear<QGroupBox>(this, "GroupBoxDos");
    LabelMensajeDesktopAlert = Crear<QLabel>(GroupBoxDos, "LabelMensajeDesktopAlert");
    RadioButtonSegundos = Crear<QRadioButton>(GroupBoxDos, "RadioButtonSegundos");
    EditSegundos = Crear<QLineEdit>(GroupBoxDos, "EditSegundos");
    RadioButtonPermanente = Crear<QRadioButton>(GroupBoxDos, "RadioButtonPermanente");
    CheckBoxNotificaciones = Crear<QCheckBox>(GroupBoxDos, "CheckBoxNotificaciones");
    EditSegundos->setMaxLength(5);
    // Typing keeps digits only; whatever else arrives is refused on OK.
    EditSegundos->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), EditSegundos));
    EditSegundos->setFixedWidth(EditSegundos->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
    auto *segundos = new QHBoxLayout;
    segundos->addWidget(RadioButtonSegundos);
    segundos->addWidget(EditSegundos);
    segundos->addSpacing(24);
    segundos->addWidget(RadioButtonPermanente);
    segundos->addStretch();
    auto *dos = new QVBoxLayout(GroupBoxDos);
    dos->addWidget(LabelMensajeDesktopAlert);
    dos->addLayout(segundos);
    dos->addWidget(CheckBoxNotificaciones);

    GroupBoxTres = Crear<QGroupBox>(this, "GroupBoxTres");
    LabelSnooze = Crear<QLabel>(GroupBoxTres, "LabelSnooze");
    ComboBoxSnooze = Crear<QComboBox>(GroupBoxTres, "ComboBoxSnooze");
    ComboBoxSnooze->setMaxVisibleItems(20);
    LabelFont = Crear<QLabel>(GroupBoxTres, "LabelFont");
    ComboBoxFont = Crear<QComboBox>(GroupBoxTres, "ComboBoxFont");
    ComboBoxFont->setMinimumWidth(220);
    LabelTextoDeEjemplo = Crear<QLabel>(GroupBoxTres, "LabelTextoDeEjemplo");
    LabelTextoDeEjemplo->setMinimumHeight(36);
    auto *tres = new QGridLayout(GroupBoxTres);
    tres->addWidget(LabelSnooze, 0, 0);
    tres->addWidget(ComboBoxSnooze, 0, 1, Qt::AlignLeft);
    tres->addWidget(LabelFont, 1, 0);
    tres->addWidget(ComboBoxFont, 1, 1, Qt::AlignLeft);
    tres->addWidget(LabelTextoDeEjemplo, 2, 1);

    // Screen readers name each list by the label beside it.
    LabelCambiarLenguaje->setBuddy(ComboBoxLenguaje);
    LabelSnooze->setBuddy(ComboBoxSnooze);
    LabelFont->setBuddy(ComboBoxFont);

    auto *botones = Fila_Aceptar_Cancelar(this, BitBtnAceptar, BitBtnCancelar);

    auto *principal = new QVBoxLayout(this);
    principal->addWidget(GroupBoxUno);
    principal->addWidget(GroupBoxDos);
    principal->addWidget(GroupBoxTres);
    principal->addLayout(botones);
    principal->setSizeConstraint(QLayout::SetFixedSize);

    connect(ComboBoxLenguaje, &QComboBox::activated, this, &TfrmOpciones::ComboBoxLenguajeChange);
    connect(RadioButtonSegundos, &QRadioButton::toggled, this, &TfrmOpciones::RadioButtonSegundosClick);
    connect(RadioButtonPermanente, &QRadioButton::toggled, this, &TfrmOpciones::RadioButtonSegundosClick);
    connect(ComboBoxFont, &QComboBox::currentIndexChanged, this, &TfrmOpciones::ComboBoxFontChange);
    connect(BitBtnWakeTimers, &QPushButton::clicked, this, &TfrmOpciones::BitBtnWakeTimersClick);
    connect(BitBtnAceptar, &QPushButton::clicked, this, &TfrmOpciones::BitBtnAceptarClick);
    // Cancel, Escape and the close box end the dialog without saving.
    connect(BitBtnCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmOpciones::Poner_Textos(int riLenguaje)
{
    const TTextosOpciones &t = Textos_Opciones(riLenguaje);
    setWindowTitle(t.sTitulo);
    LabelCambiarLenguaje->setText(t.LabelCambiarLenguaje);
    CheckBoxStartWithWindows->setText(t.CheckBoxStartWithWindows);
    CheckBoxWakeUp->setText(t.CheckBoxWakeUp);
    BitBtnWakeTimers->setText(t.BitBtnWakeTimers);
    LabelOnlyWindows7->setText(t.LabelNotaTemporizadores);
    LabelMensajeDesktopAlert->setText(t.LabelMensajeDesktopAlert);
    RadioButtonSegundos->setText(t.RadioButtonSegundos);
    // The seconds field has only its radio button beside it.
    EditSegundos->setAccessibleName(t.RadioButtonSegundos);
    RadioButtonPermanente->setText(t.RadioButtonPermanente);
    CheckBoxNotificaciones->setText(t.CheckBoxNotificaciones);
    LabelSnooze->setText(t.LabelSnooze);
    LabelFont->setText(t.LabelFont);
    LabelTextoDeEjemplo->setText(t.LabelTextoDeEjemplo);
    BitBtnAceptar->setText(t.BitBtnAceptar);
    BitBtnCancelar->setText(t.BitBtnCancelar);

    const bool disponible = pContexto.Despertador_Disponible && pContexto.Despertador_Disponible();
    BitBtnWakeTimers->setEnabled(disponible);
    LabelOnlyWindows7->setVisible(!disponible);

    // A language change keeps the snooze entry at its position.
    const int recordada = pbLlenado ? ComboBoxSnooze->currentIndex() : -1;
    ComboBoxSnooze->clear();
    ComboBoxSnooze->addItems(Items_Snooze(riLenguaje));
    ComboBoxSnooze->setCurrentIndex(INDICE_SNOOZE_10);
    if (recordada >= 0)
        ComboBoxSnooze->setCurrentIndex(recordada);
    else
        ComboBoxSnooze->setCurrentIndex(Indice_Snooze(pContexto.pConfig->piDefaultSnoozeTime));
    pbLlenado = true;
}

bool TfrmOpciones::Inicializar()
{
    const TConfiguracion &c = *pContexto.pConfig;
    Poner_Textos(pContexto.iLenguaje);

    ComboBoxLenguaje->clear();
    ComboBoxLenguaje->addItems(Items_Lenguaje());
    ComboBoxLenguaje->setCurrentIndex(pContexto.iLenguaje == 1 ? 1 : 0);

    CheckBoxStartWithWindows->setChecked(c.pbStartWithWindows);
    CheckBoxWakeUp->setChecked(c.pbWakeUpComputer);

    EditSegundos->setText(QString::number(c.piDesktopAlertDuracion));
    if (c.pbDesktopAlertPermanent)
        RadioButtonPermanente->setChecked(true);
    else
        RadioButtonSegundos->setChecked(true);
    RadioButtonSegundosClick();
    CheckBoxNotificaciones->setChecked(c.pbDesktopNotifications);

    ComboBoxFont->clear();
    ComboBoxFont->addItems(pContexto.aFuentes);
    if (pContexto.aFuentes.isEmpty())
        return true;
    // The family messages are drawn in (a stored name that is not installed was already
    // resolved to what the desktop draws for it); never simply the first in the list,
    // which would be stored by the next OK.
    int indice = -1;
    for (int i = 0; i < pContexto.aFuentes.size(); ++i) {
        if (pContexto.aFuentes.at(i).compare(c.psFontMensaje, Qt::CaseInsensitive) == 0) {
            indice = i;
            break;
        }
    }
    ComboBoxFont->setCurrentIndex(indice);
    psFuenteInicial = ComboBoxFont->currentText();
    ComboBoxFontChange();
    return true;
}

int TfrmOpciones::Lenguaje_Elegido() const
{
    return ComboBoxLenguaje->currentIndex() == 1 ? 1 : 0;
}

void TfrmOpciones::ComboBoxLenguajeChange()
{
    Poner_Textos(Lenguaje_Elegido());
}

void TfrmOpciones::RadioButtonSegundosClick()
{
    EditSegundos->setEnabled(RadioButtonSegundos->isChecked());
}

void TfrmOpciones::ComboBoxFontChange()
{
    if (ComboBoxFont->currentIndex() < 0)
        return;
    QFont fuente = LabelTextoDeEjemplo->font();
    fuente.setFamily(ComboBoxFont->currentText());
    fuente.setPointSize(14);
    LabelTextoDeEjemplo->setFont(fuente);
}

void TfrmOpciones::BitBtnWakeTimersClick()
{
    if (pContexto.Abrir_Temporizadores)
        pContexto.Abrir_Temporizadores(this);
}

void TfrmOpciones::BitBtnAceptarClick()
{
    const int lenguaje = Lenguaje_Elegido();
    TOpcionesNuevas n;
    n.iLenguaje = lenguaje;
    n.bStartWithWindows = CheckBoxStartWithWindows->isChecked();
    n.bWakeUpComputer = CheckBoxWakeUp->isChecked();
    n.bSegundos = RadioButtonSegundos->isChecked();
    n.bPermanente = !n.bSegundos;
    if (n.bSegundos && !Leer_Segundos(EditSegundos->text(), n.iSegundos)) {
        MessageBoxBeep(this, Textos_Opciones(lenguaje).sSegundosInvalidos, Caption_Error(), MB_OK);
        EditSegundos->setFocus();
        return;
    }
    n.bNotificaciones = CheckBoxNotificaciones->isChecked();
    n.iSnooze = ComboBoxSnooze->currentIndex() >= 0 ? Valor_Snooze(ComboBoxSnooze->currentText()) : 10;
    // Only a font the user chose is saved: the stored one stays as it is otherwise.
    if (ComboBoxFont->currentIndex() >= 0 && ComboBoxFont->currentText() != psFuenteInicial)
        n.sFuente = ComboBoxFont->currentText();
    if (Guardar_Opciones(this, lenguaje, n, pContexto.sEjecutable, *pContexto.pConfig) == 0)
        accept();
}

bool Abrir_Opciones(QWidget *rOwner, TContextoOpciones &rContexto)
{
    static bool abierto = false;
    if (abierto || !rContexto.pConfig)
        return false;
    abierto = true;
    bool aceptado = false;
    {
        TfrmOpciones dialogo(rOwner, rContexto);
        if (dialogo.Inicializar())
            aceptado = Ejecutar_Modal(dialogo) == QDialog::Accepted;
    }
    abierto = false;
    return aceptado;
}
