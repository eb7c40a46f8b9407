#include "beep.h"

#include <QApplication>

void System_Beep()
{
    QApplication::beep();
}
