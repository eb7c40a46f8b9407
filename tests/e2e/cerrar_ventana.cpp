// Asks a window to close the way a window manager's close button does: the
// WM_DELETE_WINDOW client message (xdotool can only destroy a window or kill its client).
//   cerrar_ventana WINDOW-ID
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: cerrar_ventana WINDOW-ID\n");
        return 2;
    }
    Display *pantalla = XOpenDisplay(nullptr);
    if (!pantalla) {
        std::fprintf(stderr, "cerrar_ventana: no display\n");
        return 1;
    }
    const Window ventana = std::strtoul(argv[1], nullptr, 0);
    XEvent evento{};
    evento.xclient.type = ClientMessage;
    evento.xclient.window = ventana;
    evento.xclient.message_type = XInternAtom(pantalla, "WM_PROTOCOLS", False);
    evento.xclient.format = 32;
    evento.xclient.data.l[0] = long(XInternAtom(pantalla, "WM_DELETE_WINDOW", False));
    evento.xclient.data.l[1] = CurrentTime;
    const Status enviado = XSendEvent(pantalla, ventana, False, NoEventMask, &evento);
    XSync(pantalla, False);
    XCloseDisplay(pantalla);
    return enviado ? 0 : 1;
}
