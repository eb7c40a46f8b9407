#pragma once
// The font families installed for the screen. Needs a running QGuiApplication.

#include <QStringList>

QStringList Installed_Font_Families();
