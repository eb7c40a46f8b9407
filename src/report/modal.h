#pragma once
// How every dialog and box of the program is opened: it blocks only the window it
// belongs to (its parent and that one's own parents, up to the main window), never the
// whole program. A tray popup or an alert window that comes up meanwhile stays usable:
// its menu snoozes, its close button closes, and its sound can be stopped.

#include <QDialog>

inline int Ejecutar_Modal(QDialog &rDialogo)
{
    rDialogo.setWindowModality(Qt::WindowModal);
    return rDialogo.exec();
}
