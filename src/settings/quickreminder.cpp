#include "quickreminder.h"
#include "report/modal.h"

#include "settings/dialogwidgets.h"
#include "quickreminderfile.h"
#include "report/messagebox.h"
#include "store/daycount.h"
#include "texts/accessiblenames.h"
#include "texts/captions.h"
#include "texts/errortexts.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

const char *const kEntradas[CANTIDAD_RAPIDOS] = {
    "En1Minuto",   "En2Minutos",  "En3Minutos",  "En4Minutos", "En5Minutos", "En10Minutos",
    "En15Minutos", "En20Minutos", "En30Minutos", "En40Minutos", "En50Minutos", "En1Hora",
    "En2Horas",    "En3Horas",    "En4Horas",    "En5Horas"};

bool gbAbierto = false;

} // namespace

TfrmQuickReminder::TfrmQuickReminder(QWidget *rOwner, const TContextoRapido &rContexto)
    : QDialog(rOwner), pContexto(rContexto)
{
    setObjectName(QStringLiteral("frmQuickReminder"));
    setModal(true);
    GroupBox = Crear<QGroupBox>(this, "GroupBox");
    LabelFechaInicio = Crear<QLabel>(GroupBox, "LabelFechaInicio");
    DateTimePickerFechaInicio = Crear<QDateEdit>(GroupBox, "DateTimePickerFechaInicio");
    DateTimePickerFechaInicio->setCalendarPopup(true);
    DateTimePickerFechaInicio->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    // The range whose file form reads back.
    DateTimePickerFechaInicio->setDateRange(QDate(1927, 5, 18), QDate(2173, 10, 13));
    DateTimePickerHoraInicio = Crear<QTimeEdit>(GroupBox, "DateTimePickerHoraInicio");
    DateTimePickerHoraInicio->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    CheckBoxAutoDelete = Crear<QCheckBox>(GroupBox, "CheckBoxAutoDelete");
    LabelMensaje = Crear<QLabel>(GroupBox, "LabelMensaje");
    MemoMensaje = Crear<QPlainTextEdit>(GroupBox, "MemoMensaje");
    MemoMensaje->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoMensaje->setTabChangesFocus(true);
    MemoMensaje->setMinimumSize(340, 110);
    CheckBoxPlaySound = Crear<QCheckBox>(GroupBox, "CheckBoxPlaySound");
    // Screen readers name the date and the message by their labels.
    LabelFechaInicio->setBuddy(DateTimePickerFechaInicio);
    LabelMensaje->setBuddy(MemoMensaje);

    auto *inicio = new QHBoxLayout;
    inicio->addWidget(LabelFechaInicio);
    inicio->addWidget(DateTimePickerFechaInicio);
    inicio->addWidget(DateTimePickerHoraInicio);
    inicio->addSpacing(12);
    inicio->addWidget(CheckBoxAutoDelete);
    inicio->addStretch();
    auto *grupo = new QVBoxLayout(GroupBox);
    grupo->addLayout(inicio);
    grupo->addWidget(LabelMensaje);
    grupo->addWidget(MemoMensaje);
    grupo->addWidget(CheckBoxPlaySound);

    auto *botones = Fila_Aceptar_Cancelar(this, BitBtnAceptar, BitBtnCancelar);
    auto *principal = new QVBoxLayout(this);
    principal->addWidget(GroupBox);
    principal->addLayout(botones);
    principal->setSizeConstraint(QLayout::SetFixedSize);

    connect(BitBtnAceptar, &QPushButton::clicked, this, &TfrmQuickReminder::BitBtnAceptarClick);
    connect(BitBtnCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

bool TfrmQuickReminder::Inicializar(int riMins, const QString &rsTitulo)
{
    const bool es = pContexto.iLenguaje == 1;
    setWindowTitle(Titulo_Recordatorio_Rapido(pContexto.iLenguaje, rsTitulo));
    LabelFechaInicio->setText(es ? QStringLiteral("Inicio") : QStringLiteral("Start"));
    CheckBoxAutoDelete->setText(es ? QStringLiteral("Borrar Automáticamente") : QStringLiteral("Auto Delete"));
    LabelMensaje->setText(es ? QStringLiteral("Mensaje a mostrar (opcional)")
                             : QStringLiteral("Message to display (optional)"));
    CheckBoxPlaySound->setText(es ? QStringLiteral("Tocar sonido predeterminado")
                                  : QStringLiteral("Play default sound"));
    BitBtnAceptar->setText(es ? QStringLiteral("Aceptar") : QStringLiteral("OK"));
    BitBtnCancelar->setText(es ? QStringLiteral("Cancelar") : QStringLiteral("Cancel"));
    DateTimePickerHoraInicio->setAccessibleName(Nombres_Accesibles(pContexto.iLenguaje).sHoraInicio);

    const double inicio = Inicio_Recordatorio_Rapido(Ahora(), riMins);
    DateTimePickerFechaInicio->setDate(Dias_a_Fecha(inicio));
    DateTimePickerHoraInicio->setTime(Dias_a_Hora(inicio));
    CheckBoxAutoDelete->setChecked(true);
    CheckBoxPlaySound->setChecked(true);
    MemoMensaje->clear();
    MemoMensaje->setFocus();
    return true;
}

void TfrmQuickReminder::BitBtnAceptarClick()
{
    TRecordatorioRapido datos;
    datos.iLenguaje = pContexto.iLenguaje;
    datos.sMensaje = MemoMensaje->toPlainText();
    datos.dInicio = Fecha_Hora_a_Dias(DateTimePickerFechaInicio->date(), DateTimePickerHoraInicio->time());
    datos.bAutoDelete = CheckBoxAutoDelete->isChecked();
    datos.bSonido = CheckBoxPlaySound->isChecked();

    QString archivo, error;
    switch (Grabar_Recordatorio_Rapido(pContexto.sCarpetaDatos, pContexto.sCarpetaSonidos, pContexto.sDefaultSound,
                                       datos, Ahora(), archivo, &error)) {
    case TGrabacionRapida::SinCarpeta:
        MessageBoxBeep(this, Texto_Sin_Acceso_Directorio(pContexto.iLenguaje, pContexto.sCarpetaDatos),
                       Caption_Error(), MB_OK);
        return;
    case TGrabacionRapida::Error:
        // A failed write leaves no file behind: the dialog stays open to try again.
        MessageBoxBeep(this, QStringLiteral("Error 701\r") + error, Caption_Error(), MB_OK);
        return;
    case TGrabacionRapida::Ok:
        break;
    }
    if (!QFileInfo::exists(archivo)) {
        MessageBoxBeep(this, Texto_File_Not_Found(pContexto.iLenguaje, archivo), Caption_Error(), MB_OK);
        return;
    }
    psArchivo = archivo;
    if (pContexto.Recordatorio_Agregado)
        pContexto.Recordatorio_Agregado(archivo);
    accept();
}

void Abrir_Recordatorio_Rapido(QWidget *rOwner, const TContextoRapido &rContexto, int riMinutos,
                               const QString &rsCaption)
{
    if (gbAbierto)
        return;
    gbAbierto = true;
    {
        TfrmQuickReminder dialogo(rOwner, rContexto);
        if (dialogo.Inicializar(riMinutos, rsCaption))
            Ejecutar_Modal(dialogo);
    }
    gbAbierto = false;
}

QString Nombre_Entrada_Rapida(int riIndice, bool rbBandeja)
{
    if (riIndice < 0 || riIndice >= CANTIDAD_RAPIDOS)
        return QString();
    return (rbBandeja ? QStringLiteral("mTray") : QStringLiteral("m")) + QLatin1String(kEntradas[riIndice]);
}

void Llenar_Menu_Recordatorio_Rapido(QMenu *rMenu, bool rbBandeja, int riLenguaje,
                                     const std::function<void(int, const QString &)> &rAlElegir)
{
    rMenu->setObjectName(rbBandeja ? QStringLiteral("mTrayRecordatorioRapido") : QStringLiteral("mRecordatorioRapido"));
    for (int i = 0; i < CANTIDAD_RAPIDOS; ++i) {
        QAction *a = rMenu->addAction(QString());
        a->setObjectName(Nombre_Entrada_Rapida(i, rbBandeja));
        const int minutos = aiMinutosRapidos[i];
        // The caption is read when clicked, so a re-labelled menu titles the dialog in
        // the language of the moment.
        QObject::connect(a, &QAction::triggered, rMenu, [a, minutos, rAlElegir] {
            if (rAlElegir)
                rAlElegir(minutos, a->text());
        });
    }
    Textos_Menu_Recordatorio_Rapido(rMenu, rbBandeja, riLenguaje);
}

void Textos_Menu_Recordatorio_Rapido(QMenu *rMenu, bool rbBandeja, int riLenguaje)
{
    const TCaptionsPrincipal &c = Captions_Principal(riLenguaje);
    rMenu->setTitle(rbBandeja ? c.mTrayRecordatorioRapido : c.mRecordatorioRapido);
    for (int i = 0; i < CANTIDAD_RAPIDOS; ++i)
        if (QAction *a = rMenu->findChild<QAction *>(Nombre_Entrada_Rapida(i, rbBandeja)))
            a->setText(c.asRapidos[i]);
}
