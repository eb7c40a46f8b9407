# Grants CAP_WAKE_ALARM to the installed kestrin, so that it can set the alarms that wake
# the computer for a reminder without running as root. Run by `cmake --install` when the
# build was configured with -DKESTRIN_SETCAP_WAKE_ALARM=ON, or by hand:
#   cmake -DKESTRIN_PROGRAMA=/usr/local/lib/kestrin/kestrin -P scripts/setcap-wake-alarm.cmake
# Setting a file capability needs root (CAP_SETFCAP); a failure stops the install.
if(NOT KESTRIN_PROGRAMA)
  set(KESTRIN_PROGRAMA "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/lib/kestrin/kestrin")
endif()
if(NOT EXISTS "${KESTRIN_PROGRAMA}")
  message(FATAL_ERROR "cap_wake_alarm: ${KESTRIN_PROGRAMA} is not installed")
endif()
find_program(KESTRIN_SETCAP setcap PATHS /usr/sbin /sbin)
if(NOT KESTRIN_SETCAP)
  message(FATAL_ERROR "cap_wake_alarm: setcap not found (Debian package libcap2-bin)")
endif()
execute_process(COMMAND "${KESTRIN_SETCAP}" cap_wake_alarm+ep "${KESTRIN_PROGRAMA}"
                RESULT_VARIABLE resultado ERROR_VARIABLE error)
if(NOT resultado EQUAL 0)
  string(STRIP "${error}" error)
  message(FATAL_ERROR "cap_wake_alarm: setcap cap_wake_alarm+ep ${KESTRIN_PROGRAMA} failed (${error}); "
                      "run the install as root")
endif()
message(STATUS "cap_wake_alarm granted to ${KESTRIN_PROGRAMA}")
