#pragma once
// The main window's own boxes: Edit, Delete and Shut Down, in English or Spanish.

#include <QString>

// "The reminder list is empty. Please add a reminder"
QString Texto_Lista_Vacia(int riLenguaje);
// "Please select a reminder"
QString Texto_Seleccione_Recordatorio(int riLenguaje);
// "Are you sure you want to delete the reminder: " + name + "?"
QString Texto_Confirmar_Borrado(int riLenguaje, const QString &rsNombre);
// "Unable to delete the file: " + path
QString Texto_No_Se_Pudo_Borrar(int riLenguaje, const QString &rsArchivo);
// The question before Shut Down.
QString Texto_Confirmar_Terminar(int riLenguaje);
// The log line written once when the desktop has no notification area.
QString Texto_Sin_Bandeja();
