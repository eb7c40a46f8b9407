#pragma once
// Where Kestrin keeps its files on this system. Every folder ends in "/".

#include <QString>

QString Carpeta_Datos_Usuario();    // $XDG_DATA_HOME, else ~/.local/share
QString Carpeta_Datos_Comun();      // $KESTRIN_COMMON_DIR (a multi-user install), else the user's
QString Carpeta_Temporal_Usuario(); // the user's temporary folder
QString Carpeta_Ejecutable();       // the folder of the running program
QString Archivo_Ejecutable();       // the full path of the running program
// The program the session's autostart entry names: Lanzador_De(Archivo_Ejecutable()).
QString Archivo_Inicio_Con_Sesion();
// Installed, the program is P/lib/kestrin/kestrin and P/bin/kestrin links to it: the link
// is the name that outlives an upgrade, so it is given when it leads to rsEjecutable;
// otherwise (the build tree, no link, a link elsewhere) rsEjecutable itself.
QString Lanzador_De(const QString &rsEjecutable);
// The program's shipped files (sounds/, help/): "share/kestrin/" two folders above the
// program's folder. Installed, the program is P/lib/kestrin/kestrin and the files are in
// P/share/kestrin/; in the build tree the program is build/src/app/kestrin and the build
// copies them into build/share/kestrin/. $KESTRIN_SHARE_DIR overrides it.
QString Carpeta_Compartida();

// The directory fields of the main window, worked out in one place.
struct TCarpetas {
    QString psEXEPath;
    QString psAppDataAllUsers;        // common folder + "Kestrin/": event log, sounds
    QString psAppDataSoundsAllUsers;  // + "Sounds/"
    QString psAppDataDefaultAllUsers; // + "Default/"
    QString psAppDataLocal;           // user folder + "Kestrin/"
    QString psAppDataSystemLocal;     // + "System/": the reminder files
    QString psUserTempDir;
};
TCarpetas Calcular_Carpetas();

// Creates the folders that are missing: the common folder, then "Sounds/" and "Default/"
// in it when it exists; the user folder, then "System/" in it. Failures are silent here;
// the deferred start reports a missing top folder.
void Preparar_Carpetas(const TCarpetas &rCarpetas);
