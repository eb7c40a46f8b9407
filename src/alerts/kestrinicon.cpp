#include "kestrinicon.h"

QIcon Icono_Kestrin()
{
    QIcon icono;
    // Both sizes, so that small uses are scaled down from the nearer one.
    icono.addFile(QStringLiteral(":/kestrin/kestrin-128.png"), QSize(128, 128));
    icono.addFile(QStringLiteral(":/kestrin/kestrin.png"), QSize(256, 256));
    return icono;
}
