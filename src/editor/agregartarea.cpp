// The wizard's frame: initialisation, Back, Next, Cancel, and the values of the pages.
#include "agregartarea.h"

#include "report/messagebox.h"
#include "store/daycount.h"
#include "store/names.h"
#include "store/textforms.h"
#include "texts/accessiblenames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimeEdit>
#include <QTimer>

namespace {
// Order in which Next looks for the checked type.
constexpr std::array<int, 7> aiOrdenTipos = {TAREA_UNA_VEZ,   TAREA_DIARIA,    TAREA_SEMANAL, TAREA_MENSUAL,
                                             TAREA_AL_INICIAR, TAREA_CADA_HORA, TAREA_ANUAL};

double Dias_De(const QDate &rdFecha, const QTime &rdHora)
{
    return Fecha_Hora_a_Dias(rdFecha, QTime(rdHora.hour(), rdHora.minute(), rdHora.second()));
}

// A stored date outside the pickers' range would be silently clamped; show it clamped
// on purpose instead, within the range.
QDate Fecha_En_Rango(const QDate &rdFecha)
{
    if (!rdFecha.isValid())
        return QDate::currentDate();
    return std::clamp(rdFecha, Fecha_Minima_Asistente(), Fecha_Maxima_Asistente());
}
} // namespace

TfrmAgregarTarea::TfrmAgregarTarea(QWidget *rOwner, const TContextoAsistente &rContexto)
    : QDialog(rOwner), pContexto(rContexto)
{
    // FormCreate: the test timer, 2 s, off until a test starts the alert window.
    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(2000);
    Timer->setSingleShot(false);
    connect(Timer, &QTimer::timeout, this, &TfrmAgregarTarea::TimerTimer);
    pTimerPopup = new QTimer(this);
    pTimerPopup->setSingleShot(true);
    connect(pTimerPopup, &QTimer::timeout, this, [this] {
        if (pbDesktopAlertAbierto)
            Desktop_Alert_Prueba_Close();
    });
    Crear_Marco();
}

TfrmAgregarTarea::~TfrmAgregarTarea()
{
    if (!pbCerrado) {
        Detener_Sonido();
        Terminar_Ventana_Alerta_Prueba();
    }
}

bool TfrmAgregarTarea::Inicializar(int riIndice)
{
    pbIniciando = true;
    piIndice = pContexto.pTarea ? riIndice : -1;
    Poner_Textos();
    PageControl->setCurrentIndex(PAGINA_INICIO);
    BitBtnAnterior->setEnabled(false);
    Llenar_Lista_Sonidos(this);

    const bool nueva = !pContexto.pTarea.has_value();
    TTipoTarea tarea;
    if (nueva) {
        const double ahora = Ahora();
        tarea.tiTareaTipo = TAREA_UNA_VEZ;
        tarea.tdFechaInicio = ahora;
        tarea.tdFechaFin = Obtener_Fecha_Hora(Solo_Fecha(ahora), Fecha_Hora_a_Dias(QDate(1899, 12, 30), QTime(23, 59, 59)));
        tarea.tiSiempreRepetirHasta = 0;
        tarea.tiAlertWindow = ALERTA_AMBAS;
        tarea.tiTocarSonido = 1;
        tarea.tiUsarSonidoDefault = 1;
        tarea.tiRepetirSonido = 0;
        tarea.tiRangoHoras = 1;
        tarea.tsRangoHoraInicio = QStringLiteral("08:00");
        tarea.tsRangoHoraFin = QStringLiteral("08:00");
        tarea.tiRangoCadaHora = 1;
        pConservados = TValoresConservados();
        psArchivoTarea.clear();
    } else {
        tarea = *pContexto.pTarea;
        psArchivoTarea = tarea.tsFile;
        pConservados.dFechaCreacion = tarea.tdFechaCreacion;
        pConservados.iSnoozeTime = tarea.tiSnoozeTime;
        pConservados.dSnoozeRun = tarea.tdSnoozeRun;
        pConservados.dLastRunTime = tarea.tdLastRunTime;
    }
    piTareaTipo = (tarea.tiTareaTipo >= 2 && tarea.tiTareaTipo <= 7) ? tarea.tiTareaTipo : TAREA_UNA_VEZ;
    Radio_De_Tipo(piTareaTipo)->setChecked(true);
    Poner_Valores(tarea, nueva);

    if (!nueva)
        BitBtnSiguienteClick(false);
    CheckBoxTresTocarSonidoClick();
    pbIniciando = false;
    if (PageControl->currentIndex() == PAGINA_INICIO)
        Radio_De_Tipo(piTareaTipo)->setFocus();
    return true;
}

void TfrmAgregarTarea::Poner_Textos()
{
    const TTextosAsistente &t = Textos_Asistente(pContexto.piLenguaje);
    const bool espanol = pContexto.piLenguaje == 1;
    setWindowTitle(t.sTituloVentana);
    psTituloCabecera = pContexto.pTarea ? t.sEditar : t.sAgregar;
    LabelTitulo->setText(psTituloCabecera);
    LabelTituloUno->setText(t.sTituloUno);
    BitBtnAnterior->setText(t.sAnterior);
    psBotonSiguiente1 = t.sSiguiente;
    psBotonSiguiente2 = t.sFinalizar;
    BitBtnSiguiente->setText(psBotonSiguiente1);
    BitBtnCancelar->setText(t.sCancelar);
    for (int k = 1; k <= 7; ++k)
        paRadioTipo[k]->setText(t.asTipos[k]);

    for (int k = 1; k <= 7; ++k) {
        if (paLabelInicio[k])
            paLabelInicio[k]->setText(t.sInicio);
        if (paNow[k])
            paNow[k]->setText(t.sAhora);
        if (paLabelResumen[k])
            paLabelResumen[k]->setText(t.sResumen);
        if (paSiempre[k]) {
            paSiempre[k]->setText(t.sSiempre);
            paHasta[k]->setText(t.sHasta);
            paLabelFin[k]->setText(t.sFin);
        }
    }
    CheckBoxDos1AutoDelete->setText(t.sAutoDelete);
    const auto &dias = espanol ? asDiasEspanol : asDiasIngles;
    for (int k = 1; k <= 7; ++k) {
        paDiasDos3[k]->setText(dias[k]);
        paDiasDos6[k]->setText(dias[k]);
    }
    for (QLabel *l : {LabelDos3RepetirEn, LabelDos6RepetirEn})
        l->setText(t.sRepetirEn);
    for (QPushButton *b : {BitBtnDos3TodosDias, BitBtnDos4TodosMeses, BitBtnDos4TodosDias, BitBtnDos6TodosDias})
        b->setText(t.sTodos);
    for (QPushButton *b : {BitBtnDos3NingunoDias, BitBtnDos4NingunoMeses, BitBtnDos4NingunoDias, BitBtnDos6NingunoDias})
        b->setText(t.sNinguno);
    const auto &meses = espanol ? asMesesEspanol : asMesesIngles;
    for (int m = 1; m <= 12; ++m)
        paMesesDos4[m]->setText(meses[m]);
    LabelDos4Meses->setText(t.sMeses);
    LabelDos4Dias->setText(t.sDias);
    CheckBoxDos4dUltimo->setText(t.sUltimo);
    LabelDos5Nota->setText(t.sNotaDos5);
    CheckBoxDos5StartWithWindows->setText(t.sStartWithWindows);
    RadioButtonDos6Range->setText(t.sRango);
    LabelDos6StartTime->setText(t.sRangoInicio);
    LabelDos6EndTime->setText(t.sRangoFin);
    LabelDos6RepeatEvery->setText(t.sRepetirCada);
    RadioButtonDos6Hours->setText(t.sHoras);
    BitBtnDos6Agregar->setText(t.sAgregarHora);
    BitBtnDos6Borrar->setText(t.sBorrarHora);
    {
        const QSignalBlocker bloqueo(ComboBoxDos6RepeatEvery);
        ComboBoxDos6RepeatEvery->clear();
        ComboBoxDos6RepeatEvery->addItems(t.asPasos);
    }

    LabelNombreTres->setText(t.sNombre);
    LabelTresMensaje->setText(t.sMensaje);
    LabelTresCuandoInicie->setText(t.sCuandoInicie);
    RadioButtonTresMostrarMensaje->setText(t.sMostrarMensaje);
    RadioButtonTresAbrirVentana->setText(t.sAbrirVentana);
    RadioButtonTresAmbas->setText(t.sAmbas);
    CheckBoxTresTocarSonido->setText(t.sTocarSonido);
    RadioButtonTresUsarSonidoDefault->setText(t.sUsarSonidoDefault);
    RadioButtonTresSeleccionarSonido->setText(t.sSeleccionarSonido);
    CheckBoxTresRepetirSonido->setText(t.sRepetirSonido);
    BitBtnTresPlaySound->setText(t.sPlay);
    BitBtnTresStopSound->setText(t.sStop);
    BitBtnTresManejadorDeSonidos->setText(t.sManejadorSonidos);
    BitBtnTresManejadorDeSonidos->setFixedWidth(t.iAnchoManejador + 20);
    BitBtnTresTestTask->setText(t.sProbar);

    // What a screen reader says for the fields that have no label of their own.
    const TNombresAccesibles &n = Nombres_Accesibles(pContexto.piLenguaje);
    for (int k = 1; k <= 7; ++k) {
        if (paHoraInicio[k])
            paHoraInicio[k]->setAccessibleName(n.sHoraInicio);
        if (paHoraFin[k])
            paHoraFin[k]->setAccessibleName(n.sHoraFin);
    }
    DateTimePickerDos6Hora->setAccessibleName(n.sHoraAgregar);
    ListBoxDos6Horas->setAccessibleName(n.sListaHoras);
    // A list box's name on Linux is the entry shown; a reader finds what it is for in its
    // label or, having none, its description.
    ComboBoxTresSeleccionaUnSonido->setAccessibleName(n.sSonido);
    ComboBoxTresSeleccionaUnSonido->setAccessibleDescription(n.sSonido);
}

void TfrmAgregarTarea::Poner_Valores(const TTipoTarea &rTarea, bool rbNueva)
{
    const double ahora = Ahora();
    const TDatosResumen d = Datos_Pagina_De_Tarea(rTarea, Solo_Fecha(ahora));
    const QDateTime inicio = Dias_a_DateTime(rTarea.tdFechaInicio);
    const QDateTime fin = Dias_a_DateTime(rTarea.tdFechaFin);
    // Every page starts from the same start and end, so a change of type keeps them.
    for (int k = 1; k <= 7; ++k) {
        if (paFechaInicio[k]) {
            paFechaInicio[k]->setDate(Fecha_En_Rango(inicio.date()));
            if (paHoraInicio[k])
                paHoraInicio[k]->setTime(inicio.isValid() ? inicio.time() : QTime(0, 0));
        }
        if (paFechaFin[k]) {
            paFechaFin[k]->setDate(Fecha_En_Rango(fin.date()));
            paHoraFin[k]->setTime(fin.isValid() ? fin.time() : QTime(23, 59, 59));
            (d.tbHasta ? paHasta[k] : paSiempre[k])->setChecked(true);
            Habilitar_Hasta(k);
        }
    }
    CheckBoxDos1AutoDelete->setChecked(rTarea.tiAutoDelete == 1);
    for (int k = 1; k <= 7; ++k) {
        paDiasDos3[k]->setChecked(d.tbDiasSemana[k]);
        paDiasDos6[k]->setChecked(d.tbDiasSemana[k]);
    }
    for (int m = 1; m <= 12; ++m)
        paMesesDos4[m]->setChecked(d.tbMeses[m]);
    for (int n = 1; n <= 31; ++n)
        paDiasDos4[n]->setChecked(d.tbDias[n]);
    CheckBoxDos4dUltimo->setChecked(d.tbUltimoDia);
    CheckBoxDos5StartWithWindows->setChecked(true);

    (d.tbRango ? RadioButtonDos6Range : RadioButtonDos6Hours)->setChecked(true);
    DateTimePickerDos6StartTime->setTime(Dias_a_Hora(d.tdRangoInicio));
    DateTimePickerDos6EndTime->setTime(Dias_a_Hora(d.tdRangoFin));
    ComboBoxDos6RepeatEvery->setCurrentIndex(d.tiRangoPaso - 1);
    DateTimePickerDos6Hora->setTime(QTime(8, 0));
    ListBoxDos6Horas->clear();
    ListBoxDos6Horas->addItems(d.tsHoras);
    RadioButtonDos6RangeClick();

    EditTresTituloTarea->setText(rTarea.tsTaskName);
    MemoTresMensaje->setPlainText(QString(rTarea.tsMensaje).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    (rTarea.tiAlertWindow == ALERTA_POPUP     ? RadioButtonTresMostrarMensaje
     : rTarea.tiAlertWindow == ALERTA_VENTANA ? RadioButtonTresAbrirVentana
                                              : RadioButtonTresAmbas)
        ->setChecked(true);
    CheckBoxTresTocarSonido->setChecked(rTarea.tiTocarSonido == 1);
    (rTarea.tiUsarSonidoDefault == 1 ? RadioButtonTresUsarSonidoDefault : RadioButtonTresSeleccionarSonido)
        ->setChecked(true);
    if (!rTarea.tsSonidoElegido.isEmpty()) {
        int fila = -1;
        for (int i = 0; i < ComboBoxTresSeleccionaUnSonido->count() && fila < 0; ++i)
            if (QString::compare(ComboBoxTresSeleccionaUnSonido->itemText(i), rTarea.tsSonidoElegido,
                                 Qt::CaseInsensitive) == 0)
                fila = i;
        ComboBoxTresSeleccionaUnSonido->setCurrentIndex(fila);
    }
    CheckBoxTresRepetirSonido->setChecked(rTarea.tiRepetirSonido == 1);
    Q_UNUSED(rbNueva);
    for (int k = 1; k <= 7; ++k)
        Reconstruir_Resumen(k);
}

const TConfiguracion &TfrmAgregarTarea::Configuracion() const
{
    static const TConfiguracion sPorDefecto;
    return pContexto.pConfiguracion ? *pContexto.pConfiguracion : sPorDefecto;
}

int TfrmAgregarTarea::Pagina_De_Tipo(int riTipo) const
{
    if (riTipo == TAREA_AL_INICIAR && Configuracion().pbStartWithWindows)
        return PAGINA_TRES;
    return (riTipo >= 1 && riTipo <= 7) ? riTipo : TAREA_UNA_VEZ;
}

QRadioButton *TfrmAgregarTarea::Radio_De_Tipo(int riTipo) const
{
    return paRadioTipo[(riTipo >= 1 && riTipo <= 7) ? riTipo : TAREA_UNA_VEZ];
}

QWidget *TfrmAgregarTarea::Primer_Control(int riPagina) const
{
    if (riPagina == PAGINA_INICIO)
        return Radio_De_Tipo(piTareaTipo);
    if (riPagina == PAGINA_TRES)
        return EditTresTituloTarea;
    if (riPagina == TAREA_AL_INICIAR)
        return CheckBoxDos5StartWithWindows;
    return paFechaInicio[riPagina];
}

QWidget *TfrmAgregarTarea::Control_De_Fallo(int riTipo, TFocoFallo rFoco) const
{
    switch (rFoco) {
    case TFocoFallo::Lunes:
        return riTipo == TAREA_CADA_HORA ? paDiasDos6[1] : paDiasDos3[1];
    case TFocoFallo::Enero:
        return paMesesDos4[1];
    case TFocoFallo::Dia1:
        return paDiasDos4[1];
    case TFocoFallo::HoraInicioRango:
        return DateTimePickerDos6StartTime;
    case TFocoFallo::AgregarHora:
        return BitBtnDos6Agregar;
    case TFocoFallo::FechaFin:
        return paFechaFin[riTipo];
    case TFocoFallo::Ninguno:
        break;
    }
    return nullptr;
}

void TfrmAgregarTarea::Tras_Movimiento()
{
    BitBtnAnterior->setEnabled(PageControl->currentIndex() != PAGINA_INICIO);
    BitBtnSiguiente->setText(PageControl->currentIndex() == PAGINA_TRES ? psBotonSiguiente2 : psBotonSiguiente1);
}

void TfrmAgregarTarea::BitBtnSiguienteClick(bool rbUsuario)
{
    Detener_Sonido();
    const int pagina = PageControl->currentIndex();
    if (pagina == PAGINA_INICIO) {
        int tipo = 0;
        for (int k : aiOrdenTipos)
            if (paRadioTipo[k]->isChecked()) {
                tipo = k;
                break;
            }
        if (tipo == 0) {
            MessageBoxBeep(this, Textos_Asistente(pContexto.piLenguaje).psElijeUnaOpcion, Caption_Error(), MB_OK);
            return;
        }
        piTareaTipo = tipo;
        const int destino = Pagina_De_Tipo(tipo);
        PageControl->setCurrentIndex(destino);
        // Opened for editing, the page is shown first: its first control takes the focus too.
        if (rbUsuario || pbIniciando)
            Primer_Control(destino)->setFocus();
        LabelTitulo->setText(psTituloCabecera + QStringLiteral(" - ") + Sin_Aceleradores(paRadioTipo[tipo]->text()));
        Reconstruir_Resumen(tipo);
        Tras_Movimiento();
        return;
    }
    if (pagina != PAGINA_TRES) {
        const TFalloPagina fallo = Validar_Pagina(Datos_De_Pagina(pagina), pContexto.piLenguaje);
        if (!fallo.bValida) {
            MessageBoxBeep(this, fallo.sTexto, Caption_Error(), MB_OK);
            if (QWidget *control = Control_De_Fallo(pagina, fallo.eFoco))
                control->setFocus();
            return;
        }
        PageControl->setCurrentIndex(PAGINA_TRES);
        EditTresTituloTarea->setFocus();
        Tras_Movimiento();
        return;
    }
    if (Guardar()) {
        Tras_Movimiento();
        pbGuardado = true;
        accept();
    }
}

void TfrmAgregarTarea::BitBtnAnteriorClick()
{
    Detener_Sonido();
    const int pagina = PageControl->currentIndex();
    if (pagina == PAGINA_INICIO) {
        Pitido();
        return;
    }
    if (pagina == PAGINA_TRES && Pagina_De_Tipo(piTareaTipo) != PAGINA_TRES) {
        const int destino = Pagina_De_Tipo(piTareaTipo);
        PageControl->setCurrentIndex(destino);
        Primer_Control(destino)->setFocus();
        Reconstruir_Resumen(piTareaTipo);
    } else {
        PageControl->setCurrentIndex(PAGINA_INICIO);
        Radio_De_Tipo(piTareaTipo)->setFocus();
        LabelTitulo->setText(psTituloCabecera);
    }
    BitBtnAnterior->setEnabled(PageControl->currentIndex() != PAGINA_INICIO);
    BitBtnSiguiente->setEnabled(true);
    BitBtnSiguiente->setText(psBotonSiguiente1);
}

void TfrmAgregarTarea::BitBtnCancelarClick()
{
    reject();
}

void TfrmAgregarTarea::done(int r)
{
    // FormClose: however the wizard closes, nothing it started keeps running.
    if (!pbCerrado) {
        pbCerrado = true;
        Detener_Sonido();
        Terminar_Ventana_Alerta_Prueba();
        Timer->stop();
        pTimerPopup->stop();
    }
    QDialog::done(r);
}

double TfrmAgregarTarea::Inicio_De_Pagina(int t) const
{
    if (t == TAREA_CADA_HORA)
        return Fecha_Hora_a_Dias(paFechaInicio[t]->date(), QTime(12, 0, 0));
    if (!paFechaInicio[t])
        return 0;
    return Dias_De(paFechaInicio[t]->date(), paHoraInicio[t]->time());
}

double TfrmAgregarTarea::Fin_De_Pagina(int t) const
{
    if (!paFechaFin[t])
        return Dias_De(paFechaFin[TAREA_DIARIA]->date(), paHoraFin[TAREA_DIARIA]->time());
    return Dias_De(paFechaFin[t]->date(), paHoraFin[t]->time());
}

TDatosResumen TfrmAgregarTarea::Datos_De_Pagina(int t) const
{
    TDatosResumen d;
    d.tiTareaTipo = t;
    d.tdInicio = Inicio_De_Pagina(t);
    d.tdFin = Fin_De_Pagina(t);
    d.tbHasta = paHasta[t] && paHasta[t]->isChecked();
    if (t == TAREA_CADA_HORA) {
        for (int k = 1; k <= 7; ++k)
            d.tbDiasSemana[k] = paDiasDos6[k]->isChecked();
    } else if (t == TAREA_SEMANAL) {
        for (int k = 1; k <= 7; ++k)
            d.tbDiasSemana[k] = paDiasDos3[k]->isChecked();
    }
    if (t == TAREA_MENSUAL) {
        for (int m = 1; m <= 12; ++m)
            d.tbMeses[m] = paMesesDos4[m]->isChecked();
        for (int n = 1; n <= 31; ++n)
            d.tbDias[n] = paDiasDos4[n]->isChecked();
        d.tbUltimoDia = CheckBoxDos4dUltimo->isChecked();
    }
    const double hoy = Solo_Fecha(Ahora());
    const QDate dia = Dias_a_Fecha(hoy);
    d.tbRango = RadioButtonDos6Range->isChecked();
    d.tdRangoInicio = Dias_De(dia, DateTimePickerDos6StartTime->time());
    d.tdRangoFin = Dias_De(dia, DateTimePickerDos6EndTime->time());
    d.tiRangoPaso = ComboBoxDos6RepeatEvery->currentIndex() + 1;
    for (int i = 0; i < ListBoxDos6Horas->count(); ++i)
        d.tsHoras << ListBoxDos6Horas->item(i)->text();
    return d;
}

void TfrmAgregarTarea::Reconstruir_Resumen(int t)
{
    if (t < 1 || t > 7 || !paMemoResumen[t])
        return;
    paMemoResumen[t]->setPlainText(Lineas_Resumen(Datos_De_Pagina(t), pContexto.piLenguaje).join(QLatin1Char('\n')));
}

void TfrmAgregarTarea::Habilitar_Hasta(int t)
{
    const bool hasta = paHasta[t]->isChecked();
    paLabelFin[t]->setEnabled(hasta);
    paFechaFin[t]->setEnabled(hasta);
    paHoraFin[t]->setEnabled(hasta);
    Reconstruir_Resumen(t);
}

void TfrmAgregarTarea::Ahora_Click(int t)
{
    const QDateTime ahora = Ahora_DateTime();
    paFechaInicio[t]->setDate(Fecha_En_Rango(ahora.date()));
    if (paHoraInicio[t])
        paHoraInicio[t]->setTime(ahora.time());
    Reconstruir_Resumen(t);
}

void TfrmAgregarTarea::Pitido()
{
    if (TPresentadorMensajes *p = Presentador_Actual())
        p->Pitido();
}
