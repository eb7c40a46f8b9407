#pragma once
// A presenter that records every box and beep instead of showing them, and answers
// OK/Cancel boxes with a chosen answer. It installs itself while it lives, so no test
// blocks on a modal box.

#include "report/messagebox.h"

#include <QList>
#include <QStringList>

#include <functional>

struct TCajaRegistrada {
    QObject *pOwner = nullptr;
    QString sTitulo;
    QString sTexto;
    int iIcono = MB_ICONNONE;
    int iBotones = MB_OK;
};

class TGrabadorMensajes : public TPresentadorMensajes {
public:
    TGrabadorMensajes();
    ~TGrabadorMensajes() override;
    TGrabadorMensajes(const TGrabadorMensajes &) = delete;
    TGrabadorMensajes &operator=(const TGrabadorMensajes &) = delete;

    void Pitido() override;
    int Mostrar(QObject *rOwner, const QString &rsTitulo, const QString &rsTexto, int riIcono,
                int rBotones) override;

    int piRespuesta = IDOK;        // the answer to OK/Cancel boxes
    QList<TCajaRegistrada> paCajas; // every box, in order
    QStringList paEventos;          // "beep" and "box" in the order they happened
    // Runs while a box is "open", as a real box's event loop runs what arrives meanwhile.
    std::function<void(const TCajaRegistrada &)> pAlMostrar;

private:
    TPresentadorMensajes *pAnterior = nullptr;
};
