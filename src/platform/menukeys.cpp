#include "menukeys.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <utility>

namespace {
constexpr xcb_keysym_t XK_MENU = 0xff67;
constexpr xcb_keysym_t XK_F10 = 0xffc7;
// The lock modifiers the chords are taken with too: Caps Lock and Num Lock (Mod2 on
// every usual keyboard map).
constexpr uint16_t cCandados[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};
constexpr uint16_t cModificadores = XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_3 |
                                    XCB_MOD_MASK_4 | XCB_MOD_MASK_5;

// The one owner holding the chords: X gives one client one grab of a chord.
TMenuKeys *sDueno = nullptr;

xcb_connection_t *Conexion()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

template <typename T> using TRespuesta = std::unique_ptr<T, decltype(&std::free)>;

xcb_window_t Raiz_De(xcb_connection_t *rConexion, const QWindow *rVentana)
{
    if (!rVentana || !rVentana->handle())
        return 0;
    TRespuesta<xcb_query_tree_reply_t> arbol(
        xcb_query_tree_reply(rConexion, xcb_query_tree(rConexion, xcb_window_t(rVentana->winId())), nullptr), &std::free);
    return arbol ? arbol->root : 0;
}

xcb_window_t Foco_Actual(xcb_connection_t *rConexion)
{
    TRespuesta<xcb_get_input_focus_reply_t> foco(xcb_get_input_focus_reply(rConexion, xcb_get_input_focus(rConexion), nullptr),
                                                 &std::free);
    return foco ? foco->focus : XCB_NONE;
}

bool Es_Ventana(const QWindow *rVentana, xcb_window_t rxVentana)
{
    return rVentana && rVentana->handle() && xcb_window_t(rVentana->winId()) == rxVentana;
}

// The key codes bound to a key symbol in the current keyboard map.
void Codigos_De(xcb_connection_t *rConexion, QList<quint8> &rMenu, QList<quint8> &rF10)
{
    rMenu.clear();
    rF10.clear();
    const xcb_setup_t *setup = xcb_get_setup(rConexion);
    const int cuantos = setup->max_keycode - setup->min_keycode + 1;
    TRespuesta<xcb_get_keyboard_mapping_reply_t> mapa(
        xcb_get_keyboard_mapping_reply(rConexion, xcb_get_keyboard_mapping(rConexion, setup->min_keycode, cuantos), nullptr),
        &std::free);
    if (!mapa)
        return;
    const xcb_keysym_t *simbolos = xcb_get_keyboard_mapping_keysyms(mapa.get());
    const int porCodigo = mapa->keysyms_per_keycode;
    for (int i = 0; i < cuantos; ++i)
        for (int j = 0; j < porCodigo; ++j) {
            const xcb_keysym_t simbolo = simbolos[i * porCodigo + j];
            const quint8 codigo = quint8(setup->min_keycode + i);
            if (simbolo == XK_MENU && !rMenu.contains(codigo))
                rMenu.append(codigo);
            else if (simbolo == XK_F10 && !rF10.contains(codigo))
                rF10.append(codigo);
        }
}
} // namespace

TMenuKeys::TMenuKeys(QObject *rParent) : QObject(rParent) {}

TMenuKeys::~TMenuKeys()
{
    Release();
}

bool TMenuKeys::Grabbed() const
{
    return sDueno == this;
}

bool TMenuKeys::Grab(const QWindow *rVentana)
{
    xcb_connection_t *conexion = Conexion();
    if (!conexion || !rVentana)
        return false;
    if (sDueno == this)
        return true;
    if (sDueno) { // the chords pass from one window to the next as they are
        TMenuKeys *previo = sDueno;
        QCoreApplication::instance()->removeNativeEventFilter(previo);
        pxRaiz = previo->pxRaiz;
        paMenu = previo->paMenu;
        paF10 = previo->paF10;
        sDueno = this;
        QCoreApplication::instance()->installNativeEventFilter(this);
        return true;
    }
    pxRaiz = Raiz_De(conexion, rVentana);
    if (!pxRaiz)
        return false;
    Codigos_De(conexion, paMenu, paF10);
    QList<xcb_void_cookie_t> pedidos;
    const auto tomar = [&](const QList<quint8> &rCodigos, uint16_t rModificador) {
        for (quint8 codigo : rCodigos)
            for (uint16_t candado : cCandados)
                pedidos.append(xcb_grab_key_checked(conexion, 1, pxRaiz, rModificador | candado, codigo,
                                                    XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    };
    tomar(paMenu, 0);
    tomar(paF10, XCB_MOD_MASK_SHIFT);
    bool tomadas = !pedidos.isEmpty();
    for (xcb_void_cookie_t pedido : pedidos)
        if (xcb_generic_error_t *error = xcb_request_check(conexion, pedido)) {
            tomadas = false; // another program holds one (BadAccess): leave all of them to it
            std::free(error);
        }
    if (!tomadas) {
        Ungrab_All(conexion);
        return false;
    }
    xcb_flush(conexion);
    sDueno = this;
    QCoreApplication::instance()->installNativeEventFilter(this);
    return true;
}

void TMenuKeys::Release()
{
    if (sDueno != this)
        return;
    sDueno = nullptr;
    QCoreApplication::instance()->removeNativeEventFilter(this);
    if (xcb_connection_t *conexion = Conexion())
        Ungrab_All(conexion);
}

void TMenuKeys::Ungrab_All(xcb_connection_t *rConexion)
{
    const auto soltar = [&](const QList<quint8> &rCodigos, uint16_t rModificador) {
        for (quint8 codigo : rCodigos)
            for (uint16_t candado : cCandados)
                xcb_ungrab_key(rConexion, codigo, pxRaiz, rModificador | candado);
    };
    soltar(paMenu, 0);
    soltar(paF10, XCB_MOD_MASK_SHIFT);
    xcb_flush(rConexion);
}

void TMenuKeys::RememberFocus(const QWindow *rVentana)
{
    xcb_connection_t *conexion = Conexion();
    if (!conexion)
        return;
    const xcb_window_t foco = Foco_Actual(conexion);
    if (!Es_Ventana(rVentana, foco))
        pxFocoPrevio = foco > XCB_INPUT_FOCUS_POINTER_ROOT ? foco : 0;
}

void TMenuKeys::RestoreFocus(const QWindow *rVentana)
{
    const xcb_window_t previo = std::exchange(pxFocoPrevio, 0);
    xcb_connection_t *conexion = Conexion();
    if (!conexion || !previo)
        return;
    const xcb_window_t foco = Foco_Actual(conexion);
    if (foco > XCB_INPUT_FOCUS_POINTER_ROOT && foco != Raiz_De(conexion, rVentana) && !Es_Ventana(rVentana, foco))
        return;
    // The window may be gone by now: its error comes back here rather than to the log.
    if (xcb_generic_error_t *error = xcb_request_check(
            conexion, xcb_set_input_focus_checked(conexion, XCB_INPUT_FOCUS_PARENT, previo, XCB_CURRENT_TIME)))
        std::free(error);
}

bool TMenuKeys::TakeFocus(const QWindow *rVentana)
{
    xcb_connection_t *conexion = Conexion();
    if (!conexion || !rVentana || !rVentana->handle())
        return false;
    xcb_set_input_focus(conexion, XCB_INPUT_FOCUS_PARENT, xcb_window_t(rVentana->winId()), XCB_CURRENT_TIME);
    xcb_flush(conexion);
    return true;
}

bool TMenuKeys::nativeEventFilter(const QByteArray &rTipo, void *rMensaje, qintptr *)
{
    if (sDueno != this || rTipo != QByteArrayLiteral("xcb_generic_event_t"))
        return false;
    const auto *evento = static_cast<const xcb_generic_event_t *>(rMensaje);
    const uint8_t tipo = evento->response_type & 0x7f;
    if (tipo != XCB_KEY_PRESS && tipo != XCB_KEY_RELEASE)
        return false;
    const auto *tecla = reinterpret_cast<const xcb_key_press_event_t *>(evento);
    const uint16_t modificadores = tecla->state & (cModificadores | XCB_MOD_MASK_SHIFT);
    const bool nuestra = (paMenu.contains(tecla->detail) && modificadores == 0) ||
                         (paF10.contains(tecla->detail) && modificadores == XCB_MOD_MASK_SHIFT);
    if (!nuestra)
        return false;
    if (tipo == XCB_KEY_PRESS)
        emit Pressed();
    return true; // the release too: nobody saw its press
}
