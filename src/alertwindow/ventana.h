#pragma once
// The window of one alert: the reminder's name, the moment it came up, its message in
// the chosen font, the snooze choice and the Snooze, Mute and Close buttons.

#include <QWidget>

#include <functional>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QShortcut;
class TAlerta;

class TfrmAlertWindow : public QWidget {
    Q_OBJECT
public:
    explicit TfrmAlertWindow(TAlerta &rAlerta, QWidget *rParent = nullptr);

    // How long after Mostrar() the window takes no key or click.
    static constexpr int ESPERA_ENTRADA_MS = 1000;

    // Shows the window in front of the others without taking the keyboard focus; its
    // controls accept input ESPERA_ENTRADA_MS later.
    void Mostrar();
    bool Entrada_Bloqueada() const { return pbEntradaBloqueada; }

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
    void Bloquear_Entrada(bool rbBloquear);

    TAlerta &pAlerta;
    QShortcut *ShortcutCerrar = nullptr;
    bool pbEntradaBloqueada = false;
};
