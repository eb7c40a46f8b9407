#include "appidentity.h"

#include "texts/version.h"

#include <QGuiApplication>

void Identificar_Como_Kestrin()
{
    QGuiApplication::setApplicationName(QStringLiteral("Kestrin"));
    QGuiApplication::setApplicationVersion(QLatin1String(VERSION_KESTRIN));
    // The name of the installed desktop entry (org.kestrin.Kestrin.desktop), without .desktop.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kestrin.Kestrin"));
}
