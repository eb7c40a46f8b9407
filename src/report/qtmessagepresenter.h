#pragma once
// The desktop presenter of message boxes: a QMessageBox titled as asked, with the icon
// and buttons of the flags, and the desktop's beep.

#include "report/messagebox.h"

class TPresentadorQt : public TPresentadorMensajes {
public:
    void Pitido() override;
    int Mostrar(QObject *rOwner, const QString &rsTitulo, const QString &rsTexto, int riIcono,
                int rBotones) override;
};

// Installs one process-wide desktop presenter (call once a QApplication exists).
void Instalar_Presentador_Qt();
