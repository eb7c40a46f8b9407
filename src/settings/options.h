#pragma once
// The options dialog: language, start with the session, waking the computer, how long
// the tray popup stays, the default snooze time and the font of reminder messages.
// OK saves by write-and-verify into the settings the caller holds; Cancel leaves them.

#include "settings/settingsload.h"

#include <QDialog>
#include <QStringList>

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// What the dialog takes from the main window.
struct TContextoOpciones {
    TConfiguracion *pConfig = nullptr; // the settings in memory; changed only by a save
    int iLenguaje = 0;                  // the interface language now
    QString sEjecutable;                // the program that starts with the session
    QStringList aFuentes;               // the installed font families
    // Whether this computer lets Kestrin read (and so change) its wake-up switch.
    std::function<bool()> Despertador_Disponible;
    // Opens the wake-timer dialog over the options dialog; the options dialog's
    // Lenguaje_Elegido() is the language it should speak.
    std::function<void(QWidget *)> Abrir_Temporizadores;
};

class TfrmOpciones : public QDialog {
    Q_OBJECT
public:
    TfrmOpciones(QWidget *rOwner, TContextoOpciones &rContexto);
    // Sets texts and values from the settings in memory; true: the dialog may be shown.
    bool Inicializar();
    // The language chosen in the combo box (not yet saved).
    int Lenguaje_Elegido() const;

    void ComboBoxLenguajeChange();
    void RadioButtonSegundosClick();
    void ComboBoxFontChange();
    void BitBtnWakeTimersClick();
    void BitBtnAceptarClick();

private:
    void Poner_Textos(int riLenguaje);

    TContextoOpciones &pContexto;
    bool pbLlenado = false; // the snooze list has been filled once
    QGroupBox *GroupBoxUno, *GroupBoxDos, *GroupBoxTres;
    QLabel *LabelCambiarLenguaje;
    QComboBox *ComboBoxLenguaje;
    QCheckBox *CheckBoxStartWithWindows, *CheckBoxWakeUp;
    QPushButton *BitBtnWakeTimers;
    QLabel *LabelOnlyWindows7;
    QLabel *LabelMensajeDesktopAlert;
    QRadioButton *RadioButtonSegundos, *RadioButtonPermanente;
    QLineEdit *EditSegundos;
    QCheckBox *CheckBoxNotificaciones;
    QLabel *LabelSnooze;
    QComboBox *ComboBoxSnooze;
    QLabel *LabelFont;
    QComboBox *ComboBoxFont;
    QString psFuenteInicial; // the font shown when the dialog opened
    QLabel *LabelTextoDeEjemplo;
    QPushButton *BitBtnAceptar, *BitBtnCancelar;
};

// The main window's one call: opens the dialog modally over rOwner. True when the user
// saved with OK; the caller then compares language, snooze time and font with what it
// held before and applies them. A request while the dialog is open returns false.
bool Abrir_Opciones(QWidget *rOwner, TContextoOpciones &rContexto);
