#pragma once
// TfrmWakeTimers: shows whether the RTC may wake the machine (one switch, shown for both
// "On battery" and "Plugged in") and switches it on or off. Opened from the options
// dialog; the first reading waits until the dialog is on screen.

#include "settings/wakesetting.h"

#include <QDialog>
#include <QTimer>

class QGroupBox;
class QLabel;
class QPushButton;

class TfrmWakeTimers : public QDialog {
    Q_OBJECT
public:
    explicit TfrmWakeTimers(QWidget *rOwner = nullptr, TContextoWakeTimers rContexto = {});

    // 1 Spanish, any other value English. Sets every text, empties the two states.
    bool Inicializar(int riLenguaje);

    QLabel *LabelNota1 = nullptr;
    QLabel *LabelNota2 = nullptr;
    QGroupBox *GroupBox = nullptr;
    QLabel *LabelBateria1 = nullptr;
    QLabel *LabelBateria = nullptr;
    QLabel *LabelConectado1 = nullptr;
    QLabel *LabelConectado = nullptr;
    QPushButton *BitBtnEnableWakeTimers = nullptr;
    QPushButton *BitBtnDisableWakeTimers = nullptr;
    QPushButton *BitBtnCerrar = nullptr;
    QTimer Timer;

protected:
    void showEvent(QShowEvent *rEvento) override;

private slots:
    void FormShow();
    void TimerTimer();
    void BitBtnEnableWakeTimersClick();

private:
    // Reads the switch and shows it, or shows the numbered error. True when it was read.
    bool Leer_Configuracion(bool *rbHabilitado = nullptr);
    void Ocupado(bool rbOcupado);

    TContextoWakeTimers pContexto;
    int piLenguajeTemp = 0;
    QString psEnabled;
    QString psDisabled;
};

// What the options dialog calls: creates the dialog owned by rOwner, initialises it in
// riLenguaje (the language chosen in the options, saved or not), shows it modally and
// releases it. A second request while one is open is ignored.
void Mostrar_Wake_Timers(QWidget *rOwner, int riLenguaje, const TContextoWakeTimers &rContexto = {});
