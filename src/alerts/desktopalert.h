#pragma once
// One tray popup: a frameless, always-on-top window that never takes the keyboard
// focus, with the program's icon, the reminder's name in bold, its message (underlined
// under the pointer, clickable), a close and a menu button at the top right, the blue
// gradients and frame. It fades in, stays, fades out and closes by itself, held opaque
// while the pointer is over it (TTiempoPopup); the user may drag it. While the pointer
// rests on it, Menu or Shift+F10 make it take the focus and open its menu: from then on
// Tab moves between its two buttons and Space or Enter presses them.

#include "alerts/tiempopopup.h"

#include <QIcon>
#include <QLabel>
#include <QPoint>
#include <QWidget>

#include <functional>

class QMenu;
class QTimer;
class QToolButton;
class TMenuKeys;

// The message: underlined while the pointer is over it; a click is reported.
class TEtiquetaMensajePopup : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void Click();
protected:
    void enterEvent(QEnterEvent *rEvento) override;
    void leaveEvent(QEvent *rEvento) override;
    void mousePressEvent(QMouseEvent *rEvento) override;
    void mouseReleaseEvent(QMouseEvent *rEvento) override;
private:
    QPoint pPresion; // where the button went down: a drag of the popup is not a click
};

struct TDatosDesktopAlert {
    QString psTitulo;
    QString psMensaje;
    QString psFuenteMensaje;
    int piDuracionMs = 10000;
    bool pbPermanente = false;
    QIcon pIcono;
    qreal prTamanoFuente = 0; // points; 0: the desktop's general font size
    int piLenguaje = 0;       // of the names a screen reader says for the two buttons
};

class TDesktopAlert : public QWidget {
    Q_OBJECT
public:
    // rMenu (may be null) becomes the menu button's menu and is owned by the popup.
    TDesktopAlert(const TDatosDesktopAlert &rDatos, QMenu *rMenu, QWidget *rParent = nullptr);
    ~TDesktopAlert() override;

    // Shows it without activating it and starts the fade-in.
    void Mostrar();
    // Closes it at once (close button); Cerrado follows once.
    void Cerrar();

    TTiempoPopup &Tiempo() { return pTiempo; }
    QMenu *Menu() const { return pMenu; }
    bool Movido() const { return pbMovido; }

    // For tests: the steady clock in ms and the pointer test.
    std::function<qint64()> pfReloj;
    std::function<bool()> pfPunteroEncima;
    // Runs one step of the timing now (what the timer does).
    void Paso_Tiempo();
    // What Menu and Shift+F10 do: the popup takes the focus and opens its menu with the
    // first entry selected (without a menu the close button gets the focus).
    void Menu_Teclado();

signals:
    void Message_Click();
    void Cerrado(TDesktopAlert *rPopup);

protected:
    void paintEvent(QPaintEvent *rEvento) override;
    void mousePressEvent(QMouseEvent *rEvento) override;
    void mouseMoveEvent(QMouseEvent *rEvento) override;
    void mouseReleaseEvent(QMouseEvent *rEvento) override;
    void closeEvent(QCloseEvent *rEvento) override;
    void enterEvent(QEnterEvent *rEvento) override;
    void leaveEvent(QEvent *rEvento) override;
    void hideEvent(QHideEvent *rEvento) override;
    void keyPressEvent(QKeyEvent *rEvento) override;
    void changeEvent(QEvent *rEvento) override;

private:
    void Aplicar_Opacidad();
    void Tomar_Foco();
    void Abrir_Menu_Teclado();
    void Programar();
    void Terminar();

    TTiempoPopup pTiempo;
    QIcon pIcono;
    QMenu *pMenu = nullptr;
    QLabel *LabelTitulo = nullptr;
    TEtiquetaMensajePopup *LabelMensaje = nullptr;
    QToolButton *BotonCerrar = nullptr;
    QToolButton *BotonMenu = nullptr;
    QTimer *pTimer = nullptr;
    TMenuKeys *pTeclasMenu = nullptr;
    bool pbConFoco = false;       // it took the focus at the user's keys
    bool pbMenuPendiente = false; // the menu opens once the popup is the active window
    QPoint pArrastre;
    bool pbArrastrando = false;
    bool pbMovido = false;
    bool pbTerminado = false;
};
