#include "fonts.h"

#include <QFontDatabase>

QStringList Installed_Font_Families()
{
    return QFontDatabase::families();
}
