#include "desktopalert.h"

#include "alerts/tamanopopup.h"
#include "platform/menukeys.h"
#include "texts/accessiblenames.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <algorithm>
#include <utility>

namespace {
const QColor cCaptionDesde(82, 134, 214);
const QColor cCaptionHasta(16, 65, 148);
const QColor cMarco(0, 48, 148);
const QColor cVentanaDesde(242, 248, 254);
const QColor cVentanaHasta(220, 231, 245);
const int ALTO_CAPTION = 8;
const int MARGEN = 10;
const int LADO_ICONO = 32;
const int LADO_BOTON = 16;

qint64 Reloj_Estable()
{
    static QElapsedTimer reloj;
    if (!reloj.isValid())
        reloj.start();
    return reloj.elapsed();
}

QToolButton *Boton_Popup(QWidget *rPadre, const QString &rsNombre, const QString &rsTexto)
{
    auto *boton = new QToolButton(rPadre);
    boton->setObjectName(rsNombre);
    boton->setText(rsTexto);
    boton->setAutoRaise(true);
    boton->setFocusPolicy(Qt::NoFocus);
    boton->setFixedSize(LADO_BOTON + 2, LADO_BOTON + 2);
    boton->setStyleSheet(QStringLiteral("QToolButton { color: rgb(0,48,148); border: none; font-weight: bold; }"
                                        "QToolButton:hover { background: rgba(82,134,214,90); border-radius: 2px; }"
                                        "QToolButton:focus { border: 1px solid rgb(0,48,148); border-radius: 2px; }"
                                        "QToolButton::menu-indicator { image: none; }"));
    return boton;
}
} // namespace

void TEtiquetaMensajePopup::enterEvent(QEnterEvent *rEvento)
{
    QFont fuente = font();
    fuente.setUnderline(true);
    setFont(fuente);
    QLabel::enterEvent(rEvento);
}

void TEtiquetaMensajePopup::leaveEvent(QEvent *rEvento)
{
    QFont fuente = font();
    fuente.setUnderline(false);
    setFont(fuente);
    QLabel::leaveEvent(rEvento);
}

void TEtiquetaMensajePopup::mousePressEvent(QMouseEvent *rEvento)
{
    pPresion = rEvento->globalPosition().toPoint();
    QLabel::mousePressEvent(rEvento); // ignored by the label: the popup may be dragged from here
}

void TEtiquetaMensajePopup::mouseReleaseEvent(QMouseEvent *rEvento)
{
    const bool quieto = (rEvento->globalPosition().toPoint() - pPresion).manhattanLength() < QApplication::startDragDistance();
    if (rEvento->button() == Qt::LeftButton && quieto && rect().contains(rEvento->position().toPoint()))
        emit Click();
    QLabel::mouseReleaseEvent(rEvento);
}

TDesktopAlert::TDesktopAlert(const TDatosDesktopAlert &rDatos, QMenu *rMenu, QWidget *rParent)
    : QWidget(rParent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      pTiempo(rDatos.piDuracionMs, rDatos.pbPermanente), pIcono(rDatos.pIcono), pMenu(rMenu)
{
    setObjectName(QStringLiteral("TDesktopAlert"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    // The name is the window's title too, so the desktop and scripts can tell popups apart.
    setWindowTitle(rDatos.psTitulo);
    // A screen reader reads the reminder whole, whatever the popup had room to show.
    setAccessibleName(rDatos.psTitulo);
    setAccessibleDescription(rDatos.psMensaje);
    pfReloj = Reloj_Estable;
    pfPunteroEncima = [this] { return frameGeometry().contains(QCursor::pos()); };

    const QSize tamano = Tamano_Desktop_Alert(rDatos.psTitulo, rDatos.psMensaje, rDatos.psFuenteMensaje);
    setFixedSize(tamano);

    QFont fuente(rDatos.psFuenteMensaje.isEmpty() ? QApplication::font().family() : rDatos.psFuenteMensaje);
    fuente.setPointSizeF(rDatos.prTamanoFuente > 0 ? rDatos.prTamanoFuente : QApplication::font().pointSizeF());
    QFont fuenteTitulo = fuente;
    fuenteTitulo.setBold(true);

    const int xTexto = MARGEN + LADO_ICONO + MARGEN;
    const int anchoTexto = tamano.width() - xTexto - 2 * (LADO_BOTON + 2) - MARGEN;
    LabelTitulo = new QLabel(this);
    LabelTitulo->setObjectName(QStringLiteral("LabelTitulo"));
    LabelTitulo->setTextFormat(Qt::PlainText); // a name is text, never markup
    LabelTitulo->setFont(fuenteTitulo);
    LabelTitulo->setStyleSheet(QStringLiteral("color: black; background: transparent;"));
    const int altoTitulo = QFontMetrics(fuenteTitulo).height();
    LabelTitulo->setGeometry(xTexto, ALTO_CAPTION + 6, anchoTexto, altoTitulo);
    LabelTitulo->setText(QFontMetrics(fuenteTitulo).elidedText(rDatos.psTitulo, Qt::ElideRight, anchoTexto));

    LabelMensaje = new TEtiquetaMensajePopup(this);
    LabelMensaje->setObjectName(QStringLiteral("LabelMensaje"));
    LabelMensaje->setTextFormat(Qt::PlainText);
    LabelMensaje->setFont(fuente);
    LabelMensaje->setWordWrap(true);
    LabelMensaje->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LabelMensaje->setCursor(Qt::PointingHandCursor);
    LabelMensaje->setStyleSheet(QStringLiteral("color: rgb(0,48,148); background: transparent;"));
    QString mensaje = rDatos.psMensaje;
    mensaje.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const int yMensaje = ALTO_CAPTION + 6 + altoTitulo + 4;
    const int anchoMensaje = tamano.width() - xTexto - MARGEN;
    const int altoMensaje = tamano.height() - yMensaje - MARGEN / 2;
    // Whole lines only: a message longer than the popup ends in "…" on its last line
    // rather than being sliced through one. The lines are laid out here, a little
    // narrower than the label, so that the label never wraps them again.
    LabelMensaje->setText(Texto_En_Lineas_Enteras(mensaje, fuente, anchoMensaje - 4, altoMensaje));
    LabelMensaje->setAccessibleName(mensaje);
    LabelMensaje->setGeometry(xTexto, yMensaje, anchoMensaje, altoMensaje);
    connect(LabelMensaje, &TEtiquetaMensajePopup::Click, this, &TDesktopAlert::Message_Click);

    BotonCerrar = Boton_Popup(this, QStringLiteral("BotonCerrar"), QStringLiteral("\u2715"));
    BotonCerrar->move(tamano.width() - MARGEN / 2 - BotonCerrar->width(), ALTO_CAPTION + 3);
    connect(BotonCerrar, &QToolButton::clicked, this, &TDesktopAlert::Cerrar);
    BotonMenu = Boton_Popup(this, QStringLiteral("BotonMenu"), QStringLiteral("\u25BE"));
    BotonMenu->move(BotonCerrar->x() - BotonMenu->width(), ALTO_CAPTION + 3);
    const TNombresAccesibles &nombres = Nombres_Accesibles(rDatos.piLenguaje);
    BotonCerrar->setAccessibleName(nombres.sCerrarPopup);
    BotonMenu->setAccessibleName(nombres.sMenuPopup);
    if (pMenu) {
        pMenu->setParent(this, pMenu->windowFlags());
        BotonMenu->setMenu(pMenu);
        BotonMenu->setPopupMode(QToolButton::InstantPopup);
    } else {
        BotonMenu->setEnabled(false);
    }

    pTimer = new QTimer(this);
    pTimer->setSingleShot(true);
    pTimer->setTimerType(Qt::PreciseTimer);
    connect(pTimer, &QTimer::timeout, this, &TDesktopAlert::Paso_Tiempo);

    // The key comes while the X events are read: the menu opens once that is done.
    pTeclasMenu = new TMenuKeys(this);
    connect(pTeclasMenu, &TMenuKeys::Pressed, this, &TDesktopAlert::Menu_Teclado, Qt::QueuedConnection);
}

TDesktopAlert::~TDesktopAlert() = default;

void TDesktopAlert::Mostrar()
{
    pTiempo.Iniciar(pfReloj());
    Aplicar_Opacidad();
    show();
    Programar();
}

void TDesktopAlert::Aplicar_Opacidad()
{
    const qreal opacidad = pTiempo.Opacidad() / qreal(OPACIDAD_MAXIMA);
    if (qFuzzyCompare(opacidad + 1, windowOpacity() + 1) && isVisible())
        return;
    setWindowOpacity(opacidad);
    // A shown window takes the new opacity only when it is repainted.
    update();
}

void TDesktopAlert::Programar()
{
    const qint64 proximo = pTiempo.Proximo();
    if (proximo < 0)
        return;
    pTimer->start(int(std::clamp<qint64>(proximo - pfReloj(), 0, 60000)));
}

void TDesktopAlert::Paso_Tiempo()
{
    if (pbTerminado)
        return;
    // While the menu is open the pointer is on the menu: the popup stays as it is.
    const bool encima = pfPunteroEncima() || (pMenu && pMenu->isVisible());
    pTiempo.Avanzar(pfReloj(), encima);
    Aplicar_Opacidad();
    if (pTiempo.Estado() == TEstadoPopup::Cerrado)
        Terminar();
    else
        Programar();
}

void TDesktopAlert::Cerrar()
{
    pTiempo.Cerrar();
    Terminar();
}

void TDesktopAlert::Terminar()
{
    if (pbTerminado)
        return;
    pbTerminado = true;
    pTimer->stop();
    hide();
    emit Cerrado(this);
}

void TDesktopAlert::closeEvent(QCloseEvent *rEvento)
{
    pTiempo.Cerrar();
    Terminar();
    rEvento->accept();
}

void TDesktopAlert::enterEvent(QEnterEvent *rEvento)
{
    if (!pbTerminado)
        pTeclasMenu->Grab(windowHandle());
    QWidget::enterEvent(rEvento);
}

void TDesktopAlert::leaveEvent(QEvent *rEvento)
{
    pTeclasMenu->Release();
    QWidget::leaveEvent(rEvento);
}

void TDesktopAlert::hideEvent(QHideEvent *rEvento)
{
    pTeclasMenu->Release();
    if (pbConFoco)
        pTeclasMenu->RestoreFocus(windowHandle());
    QWidget::hideEvent(rEvento);
}

void TDesktopAlert::Tomar_Foco()
{
    // Where the focus goes back when the popup closes: the window it is taken from now.
    if (!isActiveWindow())
        pTeclasMenu->RememberFocus(windowHandle());
    if (!pbConFoco) {
        pbConFoco = true;
        // Reached by Tab only: a click on the popup still takes no focus.
        BotonMenu->setFocusPolicy(Qt::TabFocus);
        BotonCerrar->setFocusPolicy(Qt::TabFocus);
        setTabOrder(BotonMenu, BotonCerrar);
        if (QWindow *ventana = windowHandle())
            ventana->setFlag(Qt::WindowDoesNotAcceptFocus, false);
    }
    activateWindow();
    pTeclasMenu->TakeFocus(windowHandle()); // on X: the window manager would not give it
    (BotonMenu->isEnabled() ? BotonMenu : BotonCerrar)->setFocus(Qt::ShortcutFocusReason);
}

void TDesktopAlert::Menu_Teclado()
{
    if (pbTerminado)
        return;
    Tomar_Foco();
    if (!pMenu || !BotonMenu->isEnabled())
        return;
    if (isActiveWindow()) {
        Abrir_Menu_Teclado();
        return;
    }
    // A menu shown before the activation arrives would swallow it, and the popup would
    // not have the focus after Escape. Should the activation never come, the menu opens
    // all the same.
    pbMenuPendiente = true;
    QTimer::singleShot(500, this, [this] {
        if (std::exchange(pbMenuPendiente, false))
            Abrir_Menu_Teclado();
    });
}

void TDesktopAlert::changeEvent(QEvent *rEvento)
{
    if (rEvento->type() == QEvent::ActivationChange && isActiveWindow() && std::exchange(pbMenuPendiente, false))
        QTimer::singleShot(0, this, &TDesktopAlert::Abrir_Menu_Teclado);
    QWidget::changeEvent(rEvento);
}

void TDesktopAlert::Abrir_Menu_Teclado()
{
    if (pbTerminado || !pMenu || pMenu->isVisible())
        return;
    // Opened from the keyboard, the menu starts on its first entry (once it is shown); the
    // menu's own Down key picks it without opening the submenu it may lead to.
    QTimer::singleShot(0, pMenu, [menu = pMenu] {
        if (!menu->activeAction()) {
            QKeyEvent abajo(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
            QCoreApplication::sendEvent(menu, &abajo);
        }
    });
    bool elegido = false;
    const QMetaObject::Connection eleccion = connect(pMenu, &QMenu::triggered, this, [&elegido] { elegido = true; });
    QPointer<TDesktopAlert> vivo(this);
    BotonMenu->showMenu(); // returns when the menu closes
    if (!vivo)
        return;
    disconnect(eleccion);
    // Escape leaves the focus in the popup, even where closing a menu gives the
    // activation to nobody; an entry chosen (Open Kestrin) may have moved it on.
    if (!elegido && !pbTerminado && !isActiveWindow())
        Tomar_Foco();
}

void TDesktopAlert::keyPressEvent(QKeyEvent *rEvento)
{
    const bool teclaMenu = rEvento->key() == Qt::Key_Menu && rEvento->modifiers() == Qt::NoModifier;
    const bool shiftF10 = rEvento->key() == Qt::Key_F10 && rEvento->modifiers() == Qt::ShiftModifier;
    const bool intro = rEvento->key() == Qt::Key_Return || rEvento->key() == Qt::Key_Enter;
    if (teclaMenu || shiftF10 || (intro && BotonMenu->hasFocus())) {
        Menu_Teclado();
    } else if (intro && BotonCerrar->hasFocus()) {
        BotonCerrar->animateClick(); // the click's own path: the sound stops, the stack closes up
    } else {
        QWidget::keyPressEvent(rEvento);
        return;
    }
    rEvento->accept();
}

void TDesktopAlert::paintEvent(QPaintEvent *)
{
    QPainter pintor(this);
    QLinearGradient ventana(0, ALTO_CAPTION, 0, height());
    ventana.setColorAt(0, cVentanaDesde);
    ventana.setColorAt(1, cVentanaHasta);
    pintor.fillRect(rect(), ventana);
    QLinearGradient caption(0, 0, 0, ALTO_CAPTION);
    caption.setColorAt(0, cCaptionDesde);
    caption.setColorAt(1, cCaptionHasta);
    pintor.fillRect(QRect(0, 0, width(), ALTO_CAPTION), caption);
    pintor.setPen(cMarco);
    pintor.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!pIcono.isNull())
        pIcono.paint(&pintor, QRect(MARGEN, ALTO_CAPTION + 8, LADO_ICONO, LADO_ICONO));
}

void TDesktopAlert::mousePressEvent(QMouseEvent *rEvento)
{
    if (rEvento->button() == Qt::LeftButton) {
        pbArrastrando = true;
        pArrastre = rEvento->globalPosition().toPoint() - pos();
    }
    QWidget::mousePressEvent(rEvento);
}

void TDesktopAlert::mouseMoveEvent(QMouseEvent *rEvento)
{
    if (pbArrastrando && (rEvento->buttons() & Qt::LeftButton)) {
        const QPoint destino = rEvento->globalPosition().toPoint() - pArrastre;
        if (destino != pos()) {
            move(destino);
            pbMovido = true;
        }
    }
    QWidget::mouseMoveEvent(rEvento);
}

void TDesktopAlert::mouseReleaseEvent(QMouseEvent *rEvento)
{
    pbArrastrando = false;
    QWidget::mouseReleaseEvent(rEvento);
}
