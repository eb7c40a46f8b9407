#pragma once
// The RTC's wake switch: /sys/class/rtc/rtc0/device/power/wakeup holds "enabled" or
// "disabled" and decides whether the clock chip may bring the machine out of suspend.
// KESTRIN_SYSFS_ROOT stands in for /sys, so tests work on a tree of their own.
//
// Plain C++ (no Qt): the helper program that changes the switch as root uses it too.

#include <string>

// The switch's path. rbAceptarRaiz false ignores KESTRIN_SYSFS_ROOT (the helper running
// with rights the caller does not have must not be pointed at another file).
std::string Ruta_Interruptor_Rtc(bool rbAceptarRaiz = true);

// What the helper prints for a query: "wakeup=" and the switch's text.
inline constexpr const char *PREFIJO_RESPUESTA_RTC = "wakeup=";
