#include "platform/rtcwake.h"

#include <cstdlib>

std::string Ruta_Interruptor_Rtc(bool rbAceptarRaiz)
{
    std::string raiz = "/sys";
    if (rbAceptarRaiz) {
        // secure_getenv: nothing at all when the program runs with rights its caller
        // lacks (set-user-ID, set-group-ID, file capabilities).
        const char *otra = ::secure_getenv("KESTRIN_SYSFS_ROOT");
        if (otra && *otra)
            raiz = otra;
    }
    while (raiz.size() > 1 && raiz.back() == '/')
        raiz.pop_back();
    return raiz + "/class/rtc/rtc0/device/power/wakeup";
}
