#pragma once
// TfrmAgregarTarea: the reminder wizard. Three bands (header, pages, buttons); the pages
// are the type page, the seven schedule pages and the alert page, moved through with
// Back and Next only. The rules that need no window live in reglasasistente.h.

#include "editor/asistente.h"
#include "editor/pruebaventana.h"
#include "editor/reglasasistente.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTimeEdit;
class QTimer;

// Page indexes of PageControl.
enum : int { PAGINA_INICIO = 0, PAGINA_TRES = 8 };

class TfrmAgregarTarea : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAgregarTarea(QWidget *rOwner, const TContextoAsistente &rContexto);
    ~TfrmAgregarTarea() override;

    // Sets every text and value for the reminder of rContexto (row riIndice, -1 new).
    bool Inicializar(int riIndice);

    // Next / Finish; rbUsuario false when called by the initialisation (no focus moves).
    void BitBtnSiguienteClick(bool rbUsuario = true);
    void BitBtnAnteriorClick();
    void BitBtnCancelarClick();

    bool Llenar_Lista_Sonidos(QWidget *rOwner);
    void CheckBoxTresTocarSonidoClick();
    void BitBtnTresPlaySoundClick(bool rbUsuario = true);
    void BitBtnTresStopSoundClick();
    void CheckBoxTresRepetirSonidoClick();
    void BitBtnTresManejadorDeSonidosClick();
    void BitBtnTresTestTaskClick();
    void TimerTimer();
    void Desktop_Alert_Prueba_Close();
    void Terminar_Ventana_Alerta_Prueba();

    bool Guardado() const { return pbGuardado; }
    QString Archivo_Guardado() const { return psArchivoGuardado; }
    qint64 Pid_Ventana_Prueba() const { return pVentanaPrueba.Pid(); }

    void done(int r) override;

private:
    // Building the pages (one file per group of pages).
    void Crear_Marco();
    QWidget *Crear_Pagina_Inicio();
    QWidget *Crear_Pagina_Fecha(int riTipo);
    QWidget *Crear_Pagina_Dos5();
    QWidget *Crear_Pagina_Dos6();
    QWidget *Crear_Pagina_Tres();
    QWidget *Crear_Inicio(int riTipo, QWidget *rPadre, bool rbConHora);
    QWidget *Crear_Hasta(int riTipo, QWidget *rPadre);
    QWidget *Crear_Resumen(int riTipo, QWidget *rPadre);
    QWidget *Crear_Dias_Semana(std::array<QCheckBox *, 8> &fCajas, const QString &rsPrefijo, QWidget *rPadre,
                               QLabel *&fLabel, QPushButton *&fTodos, QPushButton *&fNinguno);

    void Poner_Textos();
    void Poner_Valores(const TTipoTarea &rTarea, bool rbNueva);

    // Values of the pages.
    double Inicio_De_Pagina(int riTipo) const;
    double Fin_De_Pagina(int riTipo) const;
    TDatosResumen Datos_De_Pagina(int riTipo) const;
    TValoresAlerta Valores_Alerta() const;
    TDatosSonido Datos_Sonido() const;
    void Reconstruir_Resumen(int riTipo);
    void Habilitar_Hasta(int riTipo);
    void RadioButtonDos6RangeClick();
    void BitBtnDos6AgregarClick();
    void BitBtnDos6BorrarClick();
    void Ahora_Click(int riTipo);
    QWidget *Primer_Control(int riPagina) const;
    QWidget *Control_De_Fallo(int riTipo, TFocoFallo rFoco) const;
    int Pagina_De_Tipo(int riTipo) const;
    QRadioButton *Radio_De_Tipo(int riTipo) const;
    void Tras_Movimiento();

    // Finish and its steps.
    bool Guardar();
    void Detener_Sonido();
    void Pitido();
    QString Sonido_Seleccionado() const;
    // The main window's settings as they are now.
    const TConfiguracion &Configuracion() const;

    TContextoAsistente pContexto;
    int piIndice = -1;
    int piTareaTipo = TAREA_UNA_VEZ;
    QString psArchivoTarea;
    TValoresConservados pConservados;
    QString psTituloCabecera;
    QString psBotonSiguiente1, psBotonSiguiente2;
    bool pbDesktopAlertAbierto = false;
    bool pbVentanaAlertaAbierta = false;
    bool pbGuardado = false;
    bool pbCerrado = false;
    bool pbIniciando = false;
    int piLargoMensaje = 0;  // the message's length before the edit under way
    int piFinEdicion = 0;    // where the message's last edit ended
    QString psArchivoGuardado;
    TVentanaPrueba pVentanaPrueba;

    // Frame.
    QWidget *PanelArriba = nullptr;
    QLabel *LabelTitulo = nullptr;
    QWidget *PanelFase1 = nullptr;
    QStackedWidget *PageControl = nullptr;
    QWidget *PanelAbajo = nullptr;
    QPushButton *BitBtnAnterior = nullptr;
    QPushButton *BitBtnSiguiente = nullptr;
    QPushButton *BitBtnCancelar = nullptr;

    // Type page.
    QLabel *LabelTituloUno = nullptr;
    QGroupBox *GroupBoxUno = nullptr;
    std::array<QRadioButton *, 8> paRadioTipo{}; // by type code

    // Schedule pages, by type code.
    std::array<QLabel *, 8> paLabelInicio{};
    std::array<QDateEdit *, 8> paFechaInicio{};
    std::array<QTimeEdit *, 8> paHoraInicio{};
    std::array<QPushButton *, 8> paNow{};
    std::array<QLabel *, 8> paLabelResumen{};
    std::array<QPlainTextEdit *, 8> paMemoResumen{};
    std::array<QGroupBox *, 8> paGroupHasta{};
    std::array<QRadioButton *, 8> paSiempre{};
    std::array<QRadioButton *, 8> paHasta{};
    std::array<QLabel *, 8> paLabelFin{};
    std::array<QDateEdit *, 8> paFechaFin{};
    std::array<QTimeEdit *, 8> paHoraFin{};
    QCheckBox *CheckBoxDos1AutoDelete = nullptr;
    std::array<QCheckBox *, 8> paDiasDos3{};
    QLabel *LabelDos3RepetirEn = nullptr;
    QPushButton *BitBtnDos3TodosDias = nullptr, *BitBtnDos3NingunoDias = nullptr;
    std::array<QCheckBox *, 13> paMesesDos4{};
    std::array<QCheckBox *, 32> paDiasDos4{};
    QCheckBox *CheckBoxDos4dUltimo = nullptr;
    QLabel *LabelDos4Meses = nullptr, *LabelDos4Dias = nullptr;
    QPushButton *BitBtnDos4TodosMeses = nullptr, *BitBtnDos4NingunoMeses = nullptr;
    QPushButton *BitBtnDos4TodosDias = nullptr, *BitBtnDos4NingunoDias = nullptr;
    QLabel *LabelDos5Nota = nullptr;
    QCheckBox *CheckBoxDos5StartWithWindows = nullptr;
    QRadioButton *RadioButtonDos6Range = nullptr, *RadioButtonDos6Hours = nullptr;
    QGroupBox *GroupBoxDos6Rango = nullptr, *GroupBoxDos6Horas = nullptr;
    QLabel *LabelDos6StartTime = nullptr, *LabelDos6EndTime = nullptr, *LabelDos6RepeatEvery = nullptr;
    QTimeEdit *DateTimePickerDos6StartTime = nullptr, *DateTimePickerDos6EndTime = nullptr;
    QComboBox *ComboBoxDos6RepeatEvery = nullptr;
    QTimeEdit *DateTimePickerDos6Hora = nullptr;
    QPushButton *BitBtnDos6Agregar = nullptr, *BitBtnDos6Borrar = nullptr;
    QListWidget *ListBoxDos6Horas = nullptr;
    std::array<QCheckBox *, 8> paDiasDos6{};
    QLabel *LabelDos6RepetirEn = nullptr;
    QPushButton *BitBtnDos6TodosDias = nullptr, *BitBtnDos6NingunoDias = nullptr;

    // Alert page.
    QLabel *LabelNombreTres = nullptr, *LabelTresMensaje = nullptr, *LabelTresCuandoInicie = nullptr;
    QLineEdit *EditTresTituloTarea = nullptr;
    QPlainTextEdit *MemoTresMensaje = nullptr;
    QGroupBox *GroupBoxTresCuandoInicie = nullptr, *GroupBoxTresTocarSonido = nullptr;
    QRadioButton *RadioButtonTresMostrarMensaje = nullptr, *RadioButtonTresAbrirVentana = nullptr,
                 *RadioButtonTresAmbas = nullptr;
    QCheckBox *CheckBoxTresTocarSonido = nullptr, *CheckBoxTresRepetirSonido = nullptr;
    QRadioButton *RadioButtonTresUsarSonidoDefault = nullptr, *RadioButtonTresSeleccionarSonido = nullptr;
    QComboBox *ComboBoxTresSeleccionaUnSonido = nullptr;
    QPushButton *BitBtnTresPlaySound = nullptr, *BitBtnTresStopSound = nullptr,
                *BitBtnTresManejadorDeSonidos = nullptr, *BitBtnTresTestTask = nullptr;
    QTimer *Timer = nullptr;
    QTimer *pTimerPopup = nullptr; // Test comes back after the popup's time if its close is never reported
};
