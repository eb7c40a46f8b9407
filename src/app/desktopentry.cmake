# Run at install time (cmake --install): writes Kestrin's desktop entry with the final
# path of bin/kestrin, and the relative link bin/kestrin -> ../lib/kestrin/kestrin.
# In: PLANTILLA, the entry's template. CMAKE_INSTALL_PREFIX and DESTDIR are the install's.
set(prefijo "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")

# A relative link: the tree may be moved, or staged below DESTDIR.
file(MAKE_DIRECTORY "${prefijo}/bin")
file(REMOVE "${prefijo}/bin/kestrin")
file(CREATE_LINK ../lib/kestrin/kestrin "${prefijo}/bin/kestrin" SYMBOLIC)
message(STATUS "Installing: ${prefijo}/bin/kestrin -> ../lib/kestrin/kestrin")

# The entry names the final place, never the staging folder. Exec holds the path as one
# quoted argument: inside the quotes \ " ` $ take a backslash, % is doubled; then, as in
# every value of the entry, each backslash is written twice.
set(ruta "${CMAKE_INSTALL_PREFIX}/bin/kestrin")
string(REGEX REPLACE "([\\\"`$])" "\\\\\\1" exec "${ruta}")
string(REPLACE "%" "%%" exec "${exec}")
string(REPLACE "\\" "\\\\" exec "${exec}")
set(KESTRIN_EXEC "\"${exec}\"")
string(REPLACE "\\" "\\\\" KESTRIN_EXEC_PATH "${ruta}")
configure_file("${PLANTILLA}" "${prefijo}/share/applications/org.kestrin.Kestrin.desktop" @ONLY)
message(STATUS "Installing: ${prefijo}/share/applications/org.kestrin.Kestrin.desktop")
