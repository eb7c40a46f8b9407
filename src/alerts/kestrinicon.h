#pragma once
// Kestrin's icon (the bell), built into every program that links kestrin_icon: the
// tray, the popups, the about box and the alert window all show this one picture.

#include <QIcon>

// ":/kestrin/kestrin.png" (256 px) and ":/kestrin/kestrin-128.png".
QIcon Icono_Kestrin();
