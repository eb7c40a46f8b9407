#pragma once
// Kestrin's own window for a local file (the help pages, the event log), for a machine
// where no desktop program opens files: Qt renders HTML with its links and shows text as
// it is.

#include <QString>

class QWidget;

// Shows rsArchivo in a window of its own, left open after the call, named after the
// file. False, with nothing shown, when the file cannot be read.
bool Mostrar_Archivo_En_Ventana(const QString &rsArchivo, QWidget *rOwner = nullptr);
