#pragma once
// The menu keys of a window that never takes the focus. Such a window gets no keys from
// X11, so while the pointer rests on it the two keys that open a context menu (Menu and
// Shift+F10, whatever the Num Lock and Caps Lock states) are taken from the whole screen
// with a passive grab: only those two chords, and only until Release(). Every other key
// still goes to the window that has the focus. Without X11 (Wayland, offscreen) nothing
// is taken and Pressed never comes.

#include <QAbstractNativeEventFilter>
#include <QList>
#include <QObject>
#include <QWindow>

#include <cstdint>

struct xcb_connection_t;

class TMenuKeys : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    explicit TMenuKeys(QObject *rParent = nullptr);
    ~TMenuKeys() override;

    // Takes the two chords for this owner (from another owner that held them, if any).
    // False without an X11 display or when another program holds them.
    bool Grab(const QWindow *rVentana);
    // Gives them back, if this owner holds them.
    void Release();
    bool Grabbed() const;

    // The X focus before rVentana takes it at the user's request (kept as it was while the
    // focus is already in rVentana), and its return when that window goes away (only while the focus is still in rVentana or nowhere: a window the
    // user moved to meanwhile keeps it).
    void RememberFocus(const QWindow *rVentana);
    void RestoreFocus(const QWindow *rVentana);
    // Gives the X focus to rVentana: a window the window manager does not manage (a popup)
    // gets none through it. False without X11.
    bool TakeFocus(const QWindow *rVentana);

    bool nativeEventFilter(const QByteArray &rTipo, void *rMensaje, qintptr *rResultado) override;

signals:
    // Menu or Shift+F10 was pressed while this owner held them.
    void Pressed();

private:
    void Ungrab_All(xcb_connection_t *rConexion);

    quint32 pxRaiz = 0;          // the root window the chords are taken on
    quint32 pxFocoPrevio = 0;    // RememberFocus's window; 0: none
    QList<quint8> paMenu;        // the key codes of Menu and of F10 in this keyboard map
    QList<quint8> paF10;
};
