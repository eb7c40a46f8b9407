#include "systeminfo.h"

#include <QLocale>

#include <cstring>

QString System_Language_Name()
{
    return QLocale::languageToString(QLocale::system().language()).left(100);
}

QString System_Error_Text(int riError)
{
    return QString::fromLocal8Bit(std::strerror(riError));
}
