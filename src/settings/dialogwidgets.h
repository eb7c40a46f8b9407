#pragma once
// Small pieces the settings dialogs share: a control created with its object name (the
// name tests find it by), and the OK / Cancel row at the bottom right.

#include <QHBoxLayout>
#include <QPushButton>
#include <QWidget>

template <typename W>
W *Crear(QWidget *rPadre, const char *rsNombre)
{
    W *w = new W(rPadre);
    w->setObjectName(QLatin1String(rsNombre));
    return w;
}

// Creates BitBtnAceptar (the default button) and BitBtnCancelar on rDialogo and returns
// the row that holds them, pushed to the right.
inline QHBoxLayout *Fila_Aceptar_Cancelar(QWidget *rDialogo, QPushButton *&fAceptar, QPushButton *&fCancelar)
{
    fAceptar = Crear<QPushButton>(rDialogo, "BitBtnAceptar");
    fCancelar = Crear<QPushButton>(rDialogo, "BitBtnCancelar");
    fAceptar->setDefault(true);
    auto *botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(fAceptar);
    botones->addWidget(fCancelar);
    return botones;
}
