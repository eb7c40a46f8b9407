// The frame of the wizard, its type page and the schedule pages other than the hourly one.
#include "agregartarea.h"

#include "platform/placement.h"
#include "store/names.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace {
QPushButton *Boton(QWidget *rPadre, const char *rsNombre)
{
    auto *b = new QPushButton(rPadre);
    b->setObjectName(QLatin1String(rsNombre));
    // Only Next is the default button: Enter must never press the button that has the focus.
    b->setAutoDefault(false);
    return b;
}

QString Nombre(const char *rsPrefijo, int riTipo, const char *rsSufijo)
{
    return QLatin1String(rsPrefijo) + QString::number(riTipo) + QLatin1String(rsSufijo);
}

// The system's time form with seconds, for the start and end pickers.
QString Formato_Hora_Con_Segundos()
{
    QString formato = QLocale::system().timeFormat(QLocale::ShortFormat);
    if (!formato.contains(QLatin1Char('s')))
        formato.replace(QStringLiteral("mm"), QStringLiteral("mm:ss"));
    return formato;
}
} // namespace

void TfrmAgregarTarea::Crear_Marco()
{
    setObjectName(QStringLiteral("frmAgregarTarea"));
    QFont fuente(QStringLiteral("Tahoma"));
    fuente.setPointSize(8);
    setFont(fuente);

    auto *raiz = new QVBoxLayout(this);
    raiz->setContentsMargins(0, 0, 0, 0);
    raiz->setSpacing(0);

    PanelArriba = new QWidget(this);
    PanelArriba->setObjectName(QStringLiteral("PanelArriba"));
    PanelArriba->setFixedHeight(41);
    // The header stands out as the palette's text field colour (white in a light theme),
    // its title in the matching text colour, so a dark theme keeps them readable.
    PanelArriba->setAutoFillBackground(true);
    PanelArriba->setBackgroundRole(QPalette::Base);
    PanelArriba->setForegroundRole(QPalette::Text);
    auto *arriba = new QHBoxLayout(PanelArriba);
    arriba->setContentsMargins(12, 0, 12, 0);
    LabelTitulo = new QLabel(PanelArriba);
    LabelTitulo->setObjectName(QStringLiteral("LabelTitulo"));
    QFont titulo(QStringLiteral("Tahoma"));
    titulo.setPointSize(10);
    titulo.setBold(true);
    LabelTitulo->setFont(titulo);
    LabelTitulo->setForegroundRole(QPalette::Text);
    arriba->addWidget(LabelTitulo);
    raiz->addWidget(PanelArriba);

    PanelFase1 = new QWidget(this);
    PanelFase1->setObjectName(QStringLiteral("PanelFase1"));
    auto *medio = new QVBoxLayout(PanelFase1);
    medio->setContentsMargins(8, 8, 8, 4);
    // The pages scroll when the window is smaller than designed (a screen too small for
    // the scale factor), so the buttons below always stay in view.
    auto *desplazable = new QScrollArea(PanelFase1);
    desplazable->setObjectName(QStringLiteral("ScrollPaginas"));
    desplazable->setWidgetResizable(true);
    desplazable->setFrameShape(QFrame::NoFrame);
    PageControl = new QStackedWidget;
    PageControl->setObjectName(QStringLiteral("PageControl"));
    desplazable->setWidget(PageControl);
    medio->addWidget(desplazable);
    raiz->addWidget(PanelFase1, 1);

    PageControl->addWidget(Crear_Pagina_Inicio());
    PageControl->addWidget(Crear_Pagina_Fecha(TAREA_UNA_VEZ));
    PageControl->addWidget(Crear_Pagina_Fecha(TAREA_DIARIA));
    PageControl->addWidget(Crear_Pagina_Fecha(TAREA_SEMANAL));
    PageControl->addWidget(Crear_Pagina_Fecha(TAREA_MENSUAL));
    PageControl->addWidget(Crear_Pagina_Dos5());
    PageControl->addWidget(Crear_Pagina_Dos6());
    PageControl->addWidget(Crear_Pagina_Fecha(TAREA_ANUAL));
    PageControl->addWidget(Crear_Pagina_Tres());

    PanelAbajo = new QWidget(this);
    PanelAbajo->setObjectName(QStringLiteral("PanelAbajo"));
    PanelAbajo->setFixedHeight(41);
    auto *abajo = new QHBoxLayout(PanelAbajo);
    abajo->setContentsMargins(12, 6, 12, 6);
    abajo->addStretch(1);
    BitBtnAnterior = Boton(PanelAbajo, "BitBtnAnterior");
    BitBtnSiguiente = Boton(PanelAbajo, "BitBtnSiguiente");
    BitBtnSiguiente->setAutoDefault(true);
    BitBtnSiguiente->setDefault(true);
    BitBtnCancelar = Boton(PanelAbajo, "BitBtnCancelar");
    for (QPushButton *b : {BitBtnAnterior, BitBtnSiguiente, BitBtnCancelar}) {
        b->setMinimumWidth(90);
        abajo->addWidget(b);
    }
    abajo->insertSpacing(3, 12);
    raiz->addWidget(PanelAbajo);

    // Designed at 607 × 538 for its 8-point text (13-pixel lines); larger text makes it
    // larger in proportion. Never larger than the screen's available area, less room for
    // a title bar: with a large scale factor on a small screen the pages scroll instead.
    const double escala = std::max(1.0, fontMetrics().height() / 13.0);
    const QSize diseno(qRound(607 * escala), qRound(538 * escala));
    QSize limite = Area_Disponible(*this).size() - QSize(8, 40);
    if (limite.isEmpty())
        limite = diseno;
    setFixedSize(diseno.boundedTo(limite));
    // At its designed size the pages fit as they always did: no scroll bars then.
    if (diseno.boundedTo(limite) == diseno)
        PageControl->setMinimumSize(1, 1);

    connect(BitBtnSiguiente, &QPushButton::clicked, this, [this] { BitBtnSiguienteClick(true); });
    connect(BitBtnAnterior, &QPushButton::clicked, this, &TfrmAgregarTarea::BitBtnAnteriorClick);
    connect(BitBtnCancelar, &QPushButton::clicked, this, &TfrmAgregarTarea::BitBtnCancelarClick);
}

QWidget *TfrmAgregarTarea::Crear_Pagina_Inicio()
{
    auto *pagina = new QWidget;
    pagina->setObjectName(QStringLiteral("TabSheetInicio"));
    auto *capa = new QVBoxLayout(pagina);
    LabelTituloUno = new QLabel(pagina);
    LabelTituloUno->setObjectName(QStringLiteral("LabelTituloUno"));
    capa->addWidget(LabelTituloUno);
    GroupBoxUno = new QGroupBox(pagina);
    GroupBoxUno->setObjectName(QStringLiteral("GroupBoxUno"));
    auto *grupo = new QVBoxLayout(GroupBoxUno);
    grupo->setContentsMargins(24, 12, 12, 12);
    grupo->setSpacing(10);
    const std::array<std::pair<int, const char *>, 7> orden = {{
        {TAREA_UNA_VEZ, "RadioButtonUnoSoloUnaVez"},
        {TAREA_CADA_HORA, "RadioButtonUnoPorHoras"},
        {TAREA_DIARIA, "RadioButtonUnoDiariamente"},
        {TAREA_SEMANAL, "RadioButtonUnoSemanalmente"},
        {TAREA_MENSUAL, "RadioButtonUnoMensualmente"},
        {TAREA_ANUAL, "RadioButtonUnoAnualmente"},
        {TAREA_AL_INICIAR, "RadioButtonUnoCuandoLaPCInicie"},
    }};
    for (const auto &[tipo, nombre] : orden) {
        auto *r = new QRadioButton(GroupBoxUno);
        r->setObjectName(QLatin1String(nombre));
        paRadioTipo[tipo] = r;
        grupo->addWidget(r);
    }
    grupo->addStretch(1);
    capa->addWidget(GroupBoxUno, 1);
    return pagina;
}

QWidget *TfrmAgregarTarea::Crear_Inicio(int t, QWidget *rPadre, bool rbConHora)
{
    auto *fila = new QWidget(rPadre);
    auto *capa = new QHBoxLayout(fila);
    capa->setContentsMargins(0, 0, 0, 0);
    paLabelInicio[t] = new QLabel(fila);
    paLabelInicio[t]->setObjectName(Nombre("LabelDos", t, "FechaInicio"));
    paLabelInicio[t]->setMinimumWidth(50);
    paFechaInicio[t] = new QDateEdit(fila);
    paFechaInicio[t]->setObjectName(Nombre("DateTimePickerDos", t, "FechaInicio"));
    paFechaInicio[t]->setCalendarPopup(true);
    paFechaInicio[t]->setDateRange(Fecha_Minima_Asistente(), Fecha_Maxima_Asistente());
    paFechaInicio[t]->setDisplayFormat(QLocale::system().dateFormat(QLocale::ShortFormat));
    paLabelInicio[t]->setBuddy(paFechaInicio[t]);
    capa->addWidget(paLabelInicio[t]);
    capa->addWidget(paFechaInicio[t]);
    if (rbConHora) {
        paHoraInicio[t] = new QTimeEdit(fila);
        paHoraInicio[t]->setObjectName(Nombre("DateTimePickerDos", t, "HoraInicio"));
        paHoraInicio[t]->setDisplayFormat(Formato_Hora_Con_Segundos());
        capa->addWidget(paHoraInicio[t]);
        connect(paHoraInicio[t], &QTimeEdit::timeChanged, this, [this, t] { Reconstruir_Resumen(t); });
    }
    paNow[t] = Boton(fila, "");
    paNow[t]->setObjectName(Nombre("BitBtnDos", t, "Now"));
    capa->addWidget(paNow[t]);
    capa->addStretch(1);
    connect(paFechaInicio[t], &QDateEdit::dateChanged, this, [this, t] { Reconstruir_Resumen(t); });
    connect(paNow[t], &QPushButton::clicked, this, [this, t] { Ahora_Click(t); });
    return fila;
}

QWidget *TfrmAgregarTarea::Crear_Hasta(int t, QWidget *rPadre)
{
    paGroupHasta[t] = new QGroupBox(rPadre);
    paGroupHasta[t]->setObjectName(Nombre("GroupBoxDos", t, ""));
    auto *capa = new QGridLayout(paGroupHasta[t]);
    paSiempre[t] = new QRadioButton(paGroupHasta[t]);
    paSiempre[t]->setObjectName(Nombre("RadioButtonDos", t, "Siempre"));
    paHasta[t] = new QRadioButton(paGroupHasta[t]);
    paHasta[t]->setObjectName(Nombre("RadioButtonDos", t, "Hasta"));
    paLabelFin[t] = new QLabel(paGroupHasta[t]);
    paLabelFin[t]->setObjectName(Nombre("LabelDos", t, "FechaFin"));
    paFechaFin[t] = new QDateEdit(paGroupHasta[t]);
    paFechaFin[t]->setObjectName(Nombre("DateTimePickerDos", t, "FechaFin"));
    paFechaFin[t]->setCalendarPopup(true);
    paFechaFin[t]->setDateRange(Fecha_Minima_Asistente(), Fecha_Maxima_Asistente());
    paFechaFin[t]->setDisplayFormat(QLocale::system().dateFormat(QLocale::ShortFormat));
    paHoraFin[t] = new QTimeEdit(paGroupHasta[t]);
    paHoraFin[t]->setObjectName(Nombre("DateTimePickerDos", t, "HoraFin"));
    paHoraFin[t]->setDisplayFormat(Formato_Hora_Con_Segundos());
    paLabelFin[t]->setBuddy(paFechaFin[t]);
    capa->setVerticalSpacing(2);
    capa->addWidget(paSiempre[t], 0, 0, 1, 5);
    capa->addWidget(paHasta[t], 1, 0);
    capa->addWidget(paLabelFin[t], 1, 1);
    capa->addWidget(paFechaFin[t], 1, 2);
    capa->addWidget(paHoraFin[t], 1, 3);
    capa->setColumnStretch(4, 1);
    for (QRadioButton *r : {paSiempre[t], paHasta[t]})
        connect(r, &QRadioButton::toggled, this, [this, t](bool rbMarcado) {
            if (rbMarcado)
                Habilitar_Hasta(t);
        });
    connect(paFechaFin[t], &QDateEdit::dateChanged, this, [this, t] { Reconstruir_Resumen(t); });
    connect(paHoraFin[t], &QTimeEdit::timeChanged, this, [this, t] { Reconstruir_Resumen(t); });
    return paGroupHasta[t];
}

QWidget *TfrmAgregarTarea::Crear_Resumen(int t, QWidget *rPadre)
{
    auto *caja = new QWidget(rPadre);
    auto *capa = new QVBoxLayout(caja);
    capa->setContentsMargins(0, 0, 0, 0);
    paLabelResumen[t] = new QLabel(caja);
    paLabelResumen[t]->setObjectName(Nombre("LabelDos", t, "Resumen"));
    paMemoResumen[t] = new QPlainTextEdit(caja);
    paMemoResumen[t]->setObjectName(Nombre("MemoDos", t, "Resumen"));
    paMemoResumen[t]->setReadOnly(true);
    paMemoResumen[t]->setFocusPolicy(Qt::NoFocus); // skipped by Tab
    paMemoResumen[t]->setMaximumHeight(80);
    paLabelResumen[t]->setBuddy(paMemoResumen[t]);
    capa->addWidget(paLabelResumen[t]);
    capa->addWidget(paMemoResumen[t]);
    return caja;
}

QWidget *TfrmAgregarTarea::Crear_Dias_Semana(std::array<QCheckBox *, 8> &fCajas, const QString &rsPrefijo,
                                            QWidget *rPadre, QLabel *&fLabel, QPushButton *&fTodos,
                                            QPushButton *&fNinguno)
{
    static const std::array<const char *, 8> sufijos = {"", "Lun", "Mar", "Mie", "Jue", "Vie", "Sab", "Dom"};
    auto *grupo = new QGroupBox(rPadre);
    grupo->setObjectName(rsPrefijo.startsWith(QStringLiteral("CheckBoxDos3")) ? QStringLiteral("GroupBoxDos3Dias")
                                                                               : QStringLiteral("GroupBoxDos6Dias"));
    auto *capa = new QGridLayout(grupo);
    capa->setVerticalSpacing(2);
    fLabel = new QLabel(grupo);
    fLabel->setObjectName(rsPrefijo.startsWith(QStringLiteral("CheckBoxDos3")) ? QStringLiteral("LabelDos3RepetirEn")
                                                                                : QStringLiteral("LabelDos6RepetirEn"));
    capa->addWidget(fLabel, 0, 0, 1, 4);
    const int tipo = rsPrefijo.startsWith(QStringLiteral("CheckBoxDos3")) ? TAREA_SEMANAL : TAREA_CADA_HORA;
    for (int k = 1; k <= 7; ++k) {
        fCajas[k] = new QCheckBox(grupo);
        fCajas[k]->setObjectName(rsPrefijo + QLatin1String(sufijos[k]));
        capa->addWidget(fCajas[k], 1 + (k - 1) / 4, (k - 1) % 4);
        connect(fCajas[k], &QCheckBox::toggled, this, [this, tipo] { Reconstruir_Resumen(tipo); });
    }
    const QString pagina = rsPrefijo.mid(8, 4); // "Dos3" or "Dos6"
    fTodos = Boton(grupo, "");
    fTodos->setObjectName(QStringLiteral("BitBtn") + pagina + QStringLiteral("TodosDias"));
    fNinguno = Boton(grupo, "");
    fNinguno->setObjectName(QStringLiteral("BitBtn") + pagina + QStringLiteral("NingunoDias"));
    capa->addWidget(fTodos, 2, 3);
    capa->addWidget(fNinguno, 3, 3);
    auto todos = [this, &fCajas, tipo](bool rbValor) {
        for (int k = 1; k <= 7; ++k) {
            const QSignalBlocker bloqueo(fCajas[k]);
            fCajas[k]->setChecked(rbValor);
        }
        Reconstruir_Resumen(tipo);
    };
    connect(fTodos, &QPushButton::clicked, this, [todos] { todos(true); });
    connect(fNinguno, &QPushButton::clicked, this, [todos] { todos(false); });
    return grupo;
}

QWidget *TfrmAgregarTarea::Crear_Pagina_Fecha(int t)
{
    auto *pagina = new QWidget;
    pagina->setObjectName(Nombre("TabSheetDos", t, ""));
    auto *capa = new QVBoxLayout(pagina);
    capa->addWidget(Crear_Inicio(t, pagina, true));
    if (t == TAREA_UNA_VEZ) {
        CheckBoxDos1AutoDelete = new QCheckBox(pagina);
        CheckBoxDos1AutoDelete->setObjectName(QStringLiteral("CheckBoxDos1AutoDelete"));
        capa->addWidget(CheckBoxDos1AutoDelete);
    }
    if (t == TAREA_SEMANAL)
        capa->addWidget(Crear_Dias_Semana(paDiasDos3, QStringLiteral("CheckBoxDos3"), pagina, LabelDos3RepetirEn,
                                          BitBtnDos3TodosDias, BitBtnDos3NingunoDias));
    if (t == TAREA_MENSUAL) {
        auto *meses = new QGroupBox(pagina);
        meses->setObjectName(QStringLiteral("GroupBoxDos4Meses"));
        auto *cm = new QGridLayout(meses);
        cm->setVerticalSpacing(2);
        LabelDos4Meses = new QLabel(meses);
        LabelDos4Meses->setObjectName(QStringLiteral("LabelDos4Meses"));
        cm->addWidget(LabelDos4Meses, 0, 0, 1, 4);
        static const std::array<const char *, 13> sufijos = {"",    "Ene", "Feb", "Mar", "Abr", "May", "Jun",
                                                             "Jul", "Ago", "Sep", "Oct", "Nov", "Dic"};
        for (int m = 1; m <= 12; ++m) {
            paMesesDos4[m] = new QCheckBox(meses);
            paMesesDos4[m]->setObjectName(QStringLiteral("CheckBoxDos4") + QLatin1String(sufijos[m]));
            cm->addWidget(paMesesDos4[m], 1 + (m - 1) / 4, (m - 1) % 4);
            connect(paMesesDos4[m], &QCheckBox::toggled, this, [this] { Reconstruir_Resumen(TAREA_MENSUAL); });
        }
        BitBtnDos4TodosMeses = Boton(meses, "BitBtnDos4TodosMeses");
        BitBtnDos4NingunoMeses = Boton(meses, "BitBtnDos4NingunoMeses");
        cm->addWidget(BitBtnDos4TodosMeses, 1, 4);
        cm->addWidget(BitBtnDos4NingunoMeses, 2, 4);
        capa->addWidget(meses);

        auto *dias = new QGroupBox(pagina);
        dias->setObjectName(QStringLiteral("GroupBoxDos4Dias"));
        auto *cd = new QGridLayout(dias);
        cd->setVerticalSpacing(0);
        LabelDos4Dias = new QLabel(dias);
        LabelDos4Dias->setObjectName(QStringLiteral("LabelDos4Dias"));
        cd->addWidget(LabelDos4Dias, 0, 0, 1, 9);
        // Columns of four, read down then across.
        for (int d = 1; d <= 31; ++d) {
            paDiasDos4[d] = new QCheckBox(QString::number(d), dias);
            paDiasDos4[d]->setObjectName(QStringLiteral("CheckBoxDos4d") + QString::number(d));
            cd->addWidget(paDiasDos4[d], 1 + (d - 1) % 4, (d - 1) / 4);
            connect(paDiasDos4[d], &QCheckBox::toggled, this, [this] { Reconstruir_Resumen(TAREA_MENSUAL); });
        }
        CheckBoxDos4dUltimo = new QCheckBox(dias);
        CheckBoxDos4dUltimo->setObjectName(QStringLiteral("CheckBoxDos4dUltimo"));
        cd->addWidget(CheckBoxDos4dUltimo, 4, 7);
        connect(CheckBoxDos4dUltimo, &QCheckBox::toggled, this, [this] { Reconstruir_Resumen(TAREA_MENSUAL); });
        BitBtnDos4TodosDias = Boton(dias, "BitBtnDos4TodosDias");
        BitBtnDos4NingunoDias = Boton(dias, "BitBtnDos4NingunoDias");
        cd->addWidget(BitBtnDos4TodosDias, 1, 8);
        cd->addWidget(BitBtnDos4NingunoDias, 2, 8);
        capa->addWidget(dias);

        auto marcar = [this](auto &rCajas, int riDesde, int riHasta, bool rbValor) {
            for (int i = riDesde; i <= riHasta; ++i) {
                const QSignalBlocker bloqueo(rCajas[i]);
                rCajas[i]->setChecked(rbValor);
            }
        };
        connect(BitBtnDos4TodosMeses, &QPushButton::clicked, this, [this, marcar] {
            marcar(paMesesDos4, 1, 12, true);
            Reconstruir_Resumen(TAREA_MENSUAL);
        });
        connect(BitBtnDos4NingunoMeses, &QPushButton::clicked, this, [this, marcar] {
            marcar(paMesesDos4, 1, 12, false);
            Reconstruir_Resumen(TAREA_MENSUAL);
        });
        // "All" leaves "Last" as it is; "None" clears it too.
        connect(BitBtnDos4TodosDias, &QPushButton::clicked, this, [this, marcar] {
            marcar(paDiasDos4, 1, 31, true);
            Reconstruir_Resumen(TAREA_MENSUAL);
        });
        connect(BitBtnDos4NingunoDias, &QPushButton::clicked, this, [this, marcar] {
            marcar(paDiasDos4, 1, 31, false);
            const QSignalBlocker bloqueo(CheckBoxDos4dUltimo);
            CheckBoxDos4dUltimo->setChecked(false);
            Reconstruir_Resumen(TAREA_MENSUAL);
        });
    }
    if (t == TAREA_DIARIA || t == TAREA_SEMANAL || t == TAREA_ANUAL)
        capa->addWidget(Crear_Hasta(t, pagina));
    capa->addWidget(Crear_Resumen(t, pagina));
    capa->addStretch(1);
    return pagina;
}

QWidget *TfrmAgregarTarea::Crear_Pagina_Dos5()
{
    auto *pagina = new QWidget;
    pagina->setObjectName(QStringLiteral("TabSheetDos5"));
    auto *capa = new QVBoxLayout(pagina);
    auto *grupo = new QGroupBox(pagina);
    grupo->setObjectName(QStringLiteral("GroupBoxDos5"));
    auto *cg = new QVBoxLayout(grupo);
    LabelDos5Nota = new QLabel(grupo);
    LabelDos5Nota->setObjectName(QStringLiteral("LabelDos5Nota"));
    LabelDos5Nota->setWordWrap(true);
    CheckBoxDos5StartWithWindows = new QCheckBox(grupo);
    CheckBoxDos5StartWithWindows->setObjectName(QStringLiteral("CheckBoxDos5StartWithWindows"));
    cg->addWidget(LabelDos5Nota);
    cg->addWidget(CheckBoxDos5StartWithWindows);
    capa->addWidget(grupo);
    capa->addStretch(1);
    return pagina;
}
