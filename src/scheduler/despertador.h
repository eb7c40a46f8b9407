#pragma once
// What the main window does when the computer sleeps and resumes. Before sleep, with
// WakeUpComputer on, it arms the wake alarm for the earliest real next run of its table;
// after resume it reloads its table, tells the scheduler thread that the clock jump it is
// about to see comes from a sleep, forgets the alarm and wakes the display.
//
// The main window hands over plain callbacks, so this class knows nothing of windows.

#include "platform/wakealarm.h"
#include "store/record.h"

#include <QDateTime>

#include <functional>

// The power events acted on, with their Windows numbers.
inline constexpr int PBT_APMSUSPEND = 4;
inline constexpr int PBT_APMRESUMEAUTOMATIC = 18;

// The earliest next run above 30000 (a real moment: 0 never and -1 at the next start are
// left out) and above rdDespuesDe; 99999.0 when there is none. The suspend passes "now":
// a next run already past (the list not refreshed since) must not hide the ones to come.
double Proxima_Ejecucion_Mas_Temprana(const TTablaTareas &rTabla, double rdDespuesDe = 30000);
// Whole seconds from rAhora to the local day count rdMomento, truncated toward zero.
// Computed on real time, so a daylight-saving change in between costs no hour.
qint64 Segundos_Hasta(const QDateTime &rAhora, double rdMomento);

struct TContextoDespertador {
    std::function<bool()> pbWakeUpComputer;          // the setting, read at each event
    std::function<const TTablaTareas &()> pTabla;     // the main window's table
    std::function<void()> pRecargarTabla;            // reload and refresh the list, scheduler not told
    std::function<void()> pAvisarPlanificador;       // set pbSleepHibernate; may throw
    std::function<void()> pEncenderPantalla;         // Report_User_Activity
};

class TDespertador {
public:
    // rAlarma is owned by the caller and outlives this object.
    TDespertador(TContextoDespertador rContexto, TAlarmaDespertar &rAlarma);

    // PBT_APMSUSPEND or PBT_APMRESUMEAUTOMATIC; any other value is ignored.
    void WMPowerBroadcast(int riEvento);

    // The moment armed at the last suspend (ms since 1970), -1 when none.
    qint64 Momento_Programado() const { return piMomentoMs; }

private:
    void Al_Suspender();
    void Al_Reanudar();
    void Programar_Wake_Timer(const QDateTime &rAhora, qint64 riSegundos);

    TContextoDespertador pContexto;
    TAlarmaDespertar &pAlarma;
    qint64 piMomentoMs = -1;
    bool pbAvisoSinDespertar = false; // the "cannot wake" line is logged once per run
};
