// The hourly page: a range of hours with a step, or a list of up to eight times.
#include "agregartarea.h"

#include "report/messagebox.h"
#include "store/daycount.h"
#include "store/textforms.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {
QTimeEdit *Hora_12(QWidget *rPadre, const char *rsNombre)
{
    auto *h = new QTimeEdit(rPadre);
    h->setObjectName(QLatin1String(rsNombre));
    h->setDisplayFormat(QStringLiteral("hh:mm AP"));
    return h;
}

QPushButton *Boton_Hora(QWidget *rPadre, const char *rsNombre)
{
    auto *b = new QPushButton(rPadre);
    b->setObjectName(QLatin1String(rsNombre));
    b->setAutoDefault(false);
    return b;
}
} // namespace

QWidget *TfrmAgregarTarea::Crear_Pagina_Dos6()
{
    const int t = TAREA_CADA_HORA;
    auto *pagina = new QWidget;
    pagina->setObjectName(QStringLiteral("TabSheetDos6"));
    auto *capa = new QVBoxLayout(pagina);
    capa->setSpacing(4);
    capa->addWidget(Crear_Inicio(t, pagina, false));

    auto *horas = new QWidget(pagina);
    auto *ch = new QHBoxLayout(horas);
    ch->setContentsMargins(0, 0, 0, 0);

    auto *izquierda = new QVBoxLayout;
    RadioButtonDos6Range = new QRadioButton(horas);
    RadioButtonDos6Range->setObjectName(QStringLiteral("RadioButtonDos6Range"));
    izquierda->addWidget(RadioButtonDos6Range);
    GroupBoxDos6Rango = new QGroupBox(horas);
    GroupBoxDos6Rango->setObjectName(QStringLiteral("GroupBoxDos6Rango"));
    auto *cr = new QGridLayout(GroupBoxDos6Rango);
    LabelDos6StartTime = new QLabel(GroupBoxDos6Rango);
    LabelDos6StartTime->setObjectName(QStringLiteral("LabelDos6StartTime"));
    DateTimePickerDos6StartTime = Hora_12(GroupBoxDos6Rango, "DateTimePickerDos6StartTime");
    LabelDos6EndTime = new QLabel(GroupBoxDos6Rango);
    LabelDos6EndTime->setObjectName(QStringLiteral("LabelDos6EndTime"));
    DateTimePickerDos6EndTime = Hora_12(GroupBoxDos6Rango, "DateTimePickerDos6EndTime");
    LabelDos6RepeatEvery = new QLabel(GroupBoxDos6Rango);
    LabelDos6RepeatEvery->setObjectName(QStringLiteral("LabelDos6RepeatEvery"));
    ComboBoxDos6RepeatEvery = new QComboBox(GroupBoxDos6Rango);
    ComboBoxDos6RepeatEvery->setObjectName(QStringLiteral("ComboBoxDos6RepeatEvery"));
    ComboBoxDos6RepeatEvery->setMaxVisibleItems(24);
    LabelDos6StartTime->setBuddy(DateTimePickerDos6StartTime);
    LabelDos6EndTime->setBuddy(DateTimePickerDos6EndTime);
    LabelDos6RepeatEvery->setBuddy(ComboBoxDos6RepeatEvery);
    cr->addWidget(LabelDos6StartTime, 0, 0);
    cr->addWidget(DateTimePickerDos6StartTime, 0, 1);
    cr->addWidget(LabelDos6EndTime, 1, 0);
    cr->addWidget(DateTimePickerDos6EndTime, 1, 1);
    cr->addWidget(LabelDos6RepeatEvery, 2, 0);
    cr->addWidget(ComboBoxDos6RepeatEvery, 2, 1);
    izquierda->addWidget(GroupBoxDos6Rango);
    izquierda->addStretch(1);
    ch->addLayout(izquierda, 1);

    auto *derecha = new QVBoxLayout;
    RadioButtonDos6Hours = new QRadioButton(horas);
    RadioButtonDos6Hours->setObjectName(QStringLiteral("RadioButtonDos6Hours"));
    derecha->addWidget(RadioButtonDos6Hours);
    GroupBoxDos6Horas = new QGroupBox(horas);
    GroupBoxDos6Horas->setObjectName(QStringLiteral("GroupBoxDos6Horas"));
    auto *cl = new QGridLayout(GroupBoxDos6Horas);
    DateTimePickerDos6Hora = Hora_12(GroupBoxDos6Horas, "DateTimePickerDos6Hora");
    BitBtnDos6Agregar = Boton_Hora(GroupBoxDos6Horas, "BitBtnDos6Agregar");
    ListBoxDos6Horas = new QListWidget(GroupBoxDos6Horas);
    ListBoxDos6Horas->setObjectName(QStringLiteral("ListBoxDos6Horas"));
    ListBoxDos6Horas->setMinimumHeight(76);
    ListBoxDos6Horas->setMaximumHeight(88);
    BitBtnDos6Borrar = Boton_Hora(GroupBoxDos6Horas, "BitBtnDos6Borrar");
    cl->addWidget(DateTimePickerDos6Hora, 0, 0);
    cl->addWidget(BitBtnDos6Agregar, 0, 1);
    cl->addWidget(ListBoxDos6Horas, 1, 0);
    cl->addWidget(BitBtnDos6Borrar, 1, 1, Qt::AlignTop);
    derecha->addWidget(GroupBoxDos6Horas);
    ch->addLayout(derecha, 1);
    capa->addWidget(horas);

    capa->addWidget(Crear_Dias_Semana(paDiasDos6, QStringLiteral("CheckBoxDos6"), pagina, LabelDos6RepetirEn,
                                      BitBtnDos6TodosDias, BitBtnDos6NingunoDias));
    capa->addWidget(Crear_Hasta(t, pagina));
    capa->addWidget(Crear_Resumen(t, pagina));
    paMemoResumen[t]->setMaximumHeight(56);

    connect(RadioButtonDos6Range, &QRadioButton::toggled, this, [this] { RadioButtonDos6RangeClick(); });
    for (QTimeEdit *h : {DateTimePickerDos6StartTime, DateTimePickerDos6EndTime, DateTimePickerDos6Hora})
        connect(h, &QTimeEdit::timeChanged, this, [this] { Reconstruir_Resumen(TAREA_CADA_HORA); });
    connect(ComboBoxDos6RepeatEvery, &QComboBox::currentIndexChanged, this,
            [this] { Reconstruir_Resumen(TAREA_CADA_HORA); });
    connect(BitBtnDos6Agregar, &QPushButton::clicked, this, &TfrmAgregarTarea::BitBtnDos6AgregarClick);
    connect(BitBtnDos6Borrar, &QPushButton::clicked, this, &TfrmAgregarTarea::BitBtnDos6BorrarClick);
    return pagina;
}

void TfrmAgregarTarea::RadioButtonDos6RangeClick()
{
    const bool rango = RadioButtonDos6Range->isChecked();
    GroupBoxDos6Rango->setEnabled(rango);
    GroupBoxDos6Horas->setEnabled(!rango);
    BitBtnDos6Agregar->setEnabled(ListBoxDos6Horas->count() < MAXIMO_HORAS_LISTA);
    BitBtnDos6Borrar->setEnabled(ListBoxDos6Horas->count() > 0);
    Reconstruir_Resumen(TAREA_CADA_HORA);
}

namespace {
QStringList Entradas(const QListWidget *rLista)
{
    QStringList l;
    for (int i = 0; i < rLista->count(); ++i)
        l << rLista->item(i)->text();
    return l;
}
} // namespace

void TfrmAgregarTarea::BitBtnDos6AgregarClick()
{
    QStringList horas = Entradas(ListBoxDos6Horas);
    const QString hora = Convertir_Fecha_a_HHMM(Fecha_Hora_a_Dias(QDate(1899, 12, 30), DateTimePickerDos6Hora->time()), true);
    switch (Agregar_Hora_Lista(horas, hora)) {
    case TAgregarHora::Llena:
        Pitido();
        break;
    case TAgregarHora::Existe:
        MessageBoxBeep(this, Textos_Asistente(pContexto.piLenguaje).sHoraYaExiste, Caption_Error(), MB_OK);
        return;
    case TAgregarHora::Agregada:
        ListBoxDos6Horas->clear();
        ListBoxDos6Horas->addItems(horas);
        ListBoxDos6Horas->setCurrentRow(int(horas.indexOf(hora)));
        BitBtnDos6Borrar->setEnabled(true);
        BitBtnDos6Agregar->setEnabled(horas.size() < MAXIMO_HORAS_LISTA);
        break;
    }
    Reconstruir_Resumen(TAREA_CADA_HORA);
}

void TfrmAgregarTarea::BitBtnDos6BorrarClick()
{
    const int fila = ListBoxDos6Horas->currentRow();
    if (ListBoxDos6Horas->count() == 0 || fila < 0 || !ListBoxDos6Horas->currentItem()->isSelected()) {
        Pitido();
    } else {
        delete ListBoxDos6Horas->takeItem(fila);
        BitBtnDos6Borrar->setEnabled(ListBoxDos6Horas->count() > 0);
        BitBtnDos6Agregar->setEnabled(ListBoxDos6Horas->count() < MAXIMO_HORAS_LISTA);
        // A disabled button loses the focus; keep it on the list for the next Delete.
        if (!BitBtnDos6Borrar->isEnabled() && BitBtnDos6Agregar->isEnabled())
            BitBtnDos6Agregar->setFocus();
    }
    Reconstruir_Resumen(TAREA_CADA_HORA);
}
