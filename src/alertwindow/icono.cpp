#include "icono.h"

QIcon Icono_Kestrin()
{
    Q_INIT_RESOURCE(alertwindow);
    return QIcon(QStringLiteral(":/kestrin/kestrin.png"));
}
