#pragma once
// The window of one alert: the reminder's name, the moment it came up, its message in
// the chosen font, the snooze choice and the Snooze, Mute and Close buttons.

#include <QWidget>

#include <functional>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class TAlerta;

class TfrmAlertWindow : public QWidget {
    Q_OBJECT
public:
    explicit TfrmAlertWindow(TAlerta &rAlerta, QWidget *rParent = nullptr);

    // Shows the window in front of the others and gives it the focus.
    void Mostrar();

    // The controls, named by kind and purpose (tests look at them).
    QLabel *LabelNombre = nullptr;
    QLabel *LabelMomento = nullptr;
    QLabel *LabelPrueba = nullptr;
    QLabel *ImageIcono = nullptr;
    QPlainTextEdit *MemoMensaje = nullptr;
    QComboBox *ComboBoxPosponer = nullptr;
    QPushButton *BotonPosponer = nullptr;
    QPushButton *BotonSilencio = nullptr;
    QPushButton *BotonCerrar = nullptr;

public slots:
    void BotonPosponerClick();
    void BotonSilencioClick();
    void BotonCerrarClick();

public:
    // Shows a failed snooze; a message box unless a test replaces it.
    std::function<void(const QString &)> pMostrarError;

protected:
    void closeEvent(QCloseEvent *rEvento) override;

private:
    void Actualizar_Silencio();

    TAlerta &pAlerta;
};
