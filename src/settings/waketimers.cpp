#include "settings/waketimers.h"
#include "report/modal.h"

#include "report/messagebox.h"
#include "texts/waketexts.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

QLabel *Etiqueta(const char *rsNombre, bool rbNegrita, QWidget *rPadre)
{
    auto *label = new QLabel(rPadre);
    label->setObjectName(QLatin1String(rsNombre));
    if (rbNegrita) {
        QFont fuente = label->font();
        fuente.setBold(true);
        label->setFont(fuente);
    }
    return label;
}

QPushButton *Boton(const char *rsNombre, QWidget *rPadre)
{
    auto *boton = new QPushButton(rPadre);
    boton->setObjectName(QLatin1String(rsNombre));
    boton->setAutoDefault(false);
    return boton;
}

bool gbAbierto = false;

} // namespace

TfrmWakeTimers::TfrmWakeTimers(QWidget *rOwner, TContextoWakeTimers rContexto)
    : QDialog(rOwner), pContexto(std::move(rContexto))
{
    setObjectName(QStringLiteral("frmWakeTimers"));
    LabelNota1 = Etiqueta("LabelNota1", true, this);
    LabelNota2 = Etiqueta("LabelNota2", true, this);
    GroupBox = new QGroupBox(this);
    GroupBox->setObjectName(QStringLiteral("GroupBox"));
    LabelBateria1 = Etiqueta("LabelBateria1", false, GroupBox);
    LabelBateria = Etiqueta("LabelBateria", true, GroupBox);
    LabelConectado1 = Etiqueta("LabelConectado1", false, GroupBox);
    LabelConectado = Etiqueta("LabelConectado", true, GroupBox);
    BitBtnEnableWakeTimers = Boton("BitBtnEnableWakeTimers", this);
    BitBtnDisableWakeTimers = Boton("BitBtnDisableWakeTimers", this);
    BitBtnCerrar = Boton("BitBtnCerrar", this);
    Timer.setObjectName(QStringLiteral("Timer"));
    Timer.setSingleShot(false);

    auto *grilla = new QGridLayout(GroupBox);
    grilla->addWidget(LabelBateria1, 0, 0);
    grilla->addWidget(LabelBateria, 0, 1);
    grilla->addWidget(LabelConectado1, 1, 0);
    grilla->addWidget(LabelConectado, 1, 1);
    grilla->setColumnStretch(1, 1);
    // Room for the longer state word, so the labels do not jump once read.
    LabelBateria->setMinimumWidth(LabelBateria->fontMetrics().horizontalAdvance(QStringLiteral("Deshabilitado")) + 8);
    LabelConectado->setMinimumWidth(LabelBateria->minimumWidth());

    auto *botones = new QHBoxLayout;
    botones->addWidget(BitBtnEnableWakeTimers);
    botones->addWidget(BitBtnDisableWakeTimers);
    botones->addStretch(1);
    botones->addWidget(BitBtnCerrar);

    auto *principal = new QVBoxLayout(this);
    principal->addWidget(LabelNota1);
    principal->addWidget(LabelNota2);
    principal->addWidget(GroupBox);
    principal->addLayout(botones);
    principal->setSizeConstraint(QLayout::SetFixedSize);

    connect(&Timer, &QTimer::timeout, this, &TfrmWakeTimers::TimerTimer);
    connect(BitBtnEnableWakeTimers, &QPushButton::clicked, this, &TfrmWakeTimers::BitBtnEnableWakeTimersClick);
    connect(BitBtnDisableWakeTimers, &QPushButton::clicked, this, &TfrmWakeTimers::BitBtnEnableWakeTimersClick);
    connect(BitBtnCerrar, &QPushButton::clicked, this, &QDialog::reject);
}

bool TfrmWakeTimers::Inicializar(int riLenguaje)
{
    piLenguajeTemp = riLenguaje == 1 ? 1 : 0;
    const TCaptionsWakeTimers &c = Captions_Wake_Timers(piLenguajeTemp);
    setWindowTitle(c.sTitulo);
    LabelNota1->setText(c.LabelNota1);
    LabelNota2->setText(c.LabelNota2);
    LabelNota2->setVisible(!c.LabelNota2.isEmpty());
    GroupBox->setTitle(c.GroupBox);
    LabelBateria1->setText(c.LabelBateria1);
    LabelConectado1->setText(c.LabelConectado1);
    BitBtnEnableWakeTimers->setText(c.BitBtnEnableWakeTimers);
    BitBtnDisableWakeTimers->setText(c.BitBtnDisableWakeTimers);
    BitBtnCerrar->setText(c.BitBtnCerrar);
    psEnabled = c.psEnabled;
    psDisabled = c.psDisabled;
    LabelBateria->clear();
    LabelConectado->clear();
    return true;
}

void TfrmWakeTimers::showEvent(QShowEvent *rEvento)
{
    QDialog::showEvent(rEvento);
    if (!rEvento->spontaneous())
        FormShow();
}

void TfrmWakeTimers::FormShow()
{
    Timer.start(50);
}

void TfrmWakeTimers::TimerTimer()
{
    Timer.stop();
    Leer_Configuracion();
}

void TfrmWakeTimers::Ocupado(bool rbOcupado)
{
    // The helper runs inside a nested event loop: no second change may start meanwhile.
    BitBtnEnableWakeTimers->setEnabled(!rbOcupado);
    BitBtnDisableWakeTimers->setEnabled(!rbOcupado);
    if (rbOcupado)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

bool TfrmWakeTimers::Leer_Configuracion(bool *rbHabilitado)
{
    Ocupado(true);
    const TResultadoDespertar lectura = Leer_Interruptor_Despertar(pContexto, piLenguajeTemp);
    Ocupado(false);
    if (lectura.iCodigo != 0) {
        // No state shown rather than one that may no longer hold.
        LabelConectado->clear();
        LabelBateria->clear();
        MessageBoxBeep(this, lectura.sMensaje, Caption_Error(), MB_OK);
        return false;
    }
    const QString estado = lectura.bHabilitado ? psEnabled : psDisabled;
    LabelConectado->setText(estado);
    LabelBateria->setText(estado);
    if (rbHabilitado)
        *rbHabilitado = lectura.bHabilitado;
    return true;
}

void TfrmWakeTimers::BitBtnEnableWakeTimersClick()
{
    const bool habilitar = sender() == BitBtnEnableWakeTimers;
    const TCaptionsWakeTimers &c = Captions_Wake_Timers(piLenguajeTemp);
    Ocupado(true);
    const TResultadoDespertar cambio = Cambiar_Interruptor_Despertar(pContexto, habilitar, piLenguajeTemp);
    Ocupado(false);
    if (cambio.iCodigo != 0) {
        MessageBoxBeep(this, cambio.sMensaje, Caption_Error(), MB_OK);
        return;
    }
    bool leido = false;
    if (!Leer_Configuracion(&leido))
        return; // the reading's own error was shown
    // Confirm only what the switch now says; a change that did not hold is no success.
    if (leido != habilitar) {
        MessageBoxBeep(this, Texto_Error_Wake_Timers(610, c.sSinCambio), Caption_Error(), MB_OK);
        return;
    }
    MessageBoxBeep(this, habilitar ? c.sHabilitados : c.sDeshabilitados, Caption_Informacion(piLenguajeTemp),
                   MB_OK);
}

void Mostrar_Wake_Timers(QWidget *rOwner, int riLenguaje, const TContextoWakeTimers &rContexto)
{
    if (gbAbierto)
        return;
    gbAbierto = true;
    {
        TfrmWakeTimers dialogo(rOwner, rContexto);
        if (dialogo.Inicializar(riLenguaje))
            Ejecutar_Modal(dialogo);
    }
    gbAbierto = false;
}
