#pragma once
// Where the settings live: the per-user file under $XDG_CONFIG_HOME, the machine-wide
// copies under $XDG_CONFIG_DIRS (most important first), and the session's autostart
// entries.

#include <QString>
#include <QStringList>

QString User_Config_Dir();                 // $XDG_CONFIG_HOME, else ~/.config (no final "/")
QStringList System_Config_Dirs();          // $XDG_CONFIG_DIRS, else /etc/xdg
QString User_Settings_File();              // <user config>/Kestrin/Kestrin.conf
QStringList System_Settings_Files();       // <each system dir>/Kestrin/Kestrin.conf
// The autostart entry named rsName ("Kestrin" gives Kestrin.desktop); empty when the
// name cannot be a file name.
QString User_Autostart_File(const QString &rsName);
QStringList System_Autostart_Files(const QString &rsName);
