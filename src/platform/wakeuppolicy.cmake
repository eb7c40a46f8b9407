# Run at install time (cmake --install, cpack): writes the polkit action of kestrin-wakeup
# naming the helper's final path, so that pkexec shows Kestrin's own message for it.
# In: PLANTILLA_POLKIT, the policy's template. CMAKE_INSTALL_PREFIX and DESTDIR are the
# install's.
set(prefijo "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(ruta "${CMAKE_INSTALL_PREFIX}/lib/kestrin/kestrin-wakeup")
# The path is XML text: & and < would end it.
string(REPLACE "&" "&amp;" ruta "${ruta}")
string(REPLACE "<" "&lt;" KESTRIN_WAKEUP_PATH "${ruta}")
set(destino "${prefijo}/share/polkit-1/actions/org.kestrin.Kestrin.wakeup.policy")
configure_file("${PLANTILLA_POLKIT}" "${destino}" @ONLY)
message(STATUS "Installing: ${destino}")
