#pragma once
// Who Kestrin's programs are to the desktop: the application name (the class of their
// windows), the version and the desktop entry that docks and task bars look up. The alert
// window takes the same, so its windows are shown under Kestrin's name and icon.
// Call after the QGuiApplication is made.
void Identificar_Como_Kestrin();
