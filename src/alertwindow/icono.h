#pragma once
// The program's icon, built into the executable.

#include <QIcon>

QIcon Icono_Kestrin();
