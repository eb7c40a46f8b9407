#pragma once
// The one object the main window keeps for sleep and resume: logind's notices, the wake
// alarm and the steps taken at each, put together. Create it once the table is loaded
// and the scheduler thread exists, then call Iniciar.

#include "platform/logind.h"
#include "platform/wakealarm.h"
#include "scheduler/despertador.h"

#include <QObject>

class TSuspensionReanudacion : public QObject {
    Q_OBJECT
public:
    // rContexto: the main window's callbacks; without pEncenderPantalla the session is
    // told of user activity (the screensaver interface). rCrear: tests give another alarm.
    explicit TSuspensionReanudacion(TContextoDespertador rContexto, QObject *rParent = nullptr,
                                    TAlarmaDespertar::TCrearTimer rCrear = {});

    // Listens on the system bus (or rBus). False when there is none; the log says so.
    bool Iniciar(const QDBusConnection &rBus = QDBusConnection::systemBus());

    TDespertador &Despertador() { return pDespertador; }
    TAlarmaDespertar &Alarma() { return pAlarma; }
    TSuspensionLogind &Logind() { return pLogind; }

private:
    TAlarmaDespertar pAlarma;
    TDespertador pDespertador;
    TSuspensionLogind pLogind;
};
