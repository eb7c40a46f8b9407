#include "platform/rtcwake.h"

#include <cstdlib>

std::string Ruta_Interruptor_Rtc(bool rbAceptarRaiz)
{
    std::string raiz = "/sys";
    if (rbAceptarRaiz) {
        const char *otra = std::getenv("KESTRIN_SYSFS_ROOT");
        if (otra && *otra)
            raiz = otra;
    }
    while (raiz.size() > 1 && raiz.back() == '/')
        raiz.pop_back();
    return raiz + "/class/rtc/rtc0/device/power/wakeup";
}
