#pragma once
// How the scheduler thread reaches the main window: actions posted as events to a
// receiver that lives on the window's thread. A posted action runs later, in posting
// order; a synchronised one makes the caller wait until it has run there.

#include <QObject>

#include <functional>

// The receiver for a window object, created as its child on first use. Call it on the
// window's thread; the receiver lives as long as the window.
QObject *Receptor_De_Ventana(QObject *rVentana);

// Runs rAccion later on the receiver's thread; the action owns copies of what it uses.
void Publicar_En_Receptor(QObject *rReceptor, std::function<void()> rAccion);

// Runs rAccion on the receiver's thread and returns when it has run, when it has been
// dropped because the receiver is gone, or when rAbandonar says so (checked every few
// milliseconds); an abandoned action still runs there later. Never call it on the
// receiver's own thread.
void Llamar_En_Receptor(QObject *rReceptor, std::function<void()> rAccion, const std::function<bool()> &rAbandonar);
