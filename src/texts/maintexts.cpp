#include "texts/maintexts.h"

QString Texto_Lista_Vacia(int riLenguaje)
{
    return riLenguaje == 1 ? QStringLiteral("La lista de recordatorios está vacía. Por favor agrega un recordatorios")
                           : QStringLiteral("The reminder list is empty. Please add a reminder");
}

QString Texto_Seleccione_Recordatorio(int riLenguaje)
{
    return riLenguaje == 1 ? QStringLiteral("Por favor selecciona un recordatorio")
                           : QStringLiteral("Please select a reminder");
}

QString Texto_Confirmar_Borrado(int riLenguaje, const QString &rsNombre)
{
    return (riLenguaje == 1 ? QStringLiteral("¿Estás seguro que quieres borrar el recordatorio: ")
                            : QStringLiteral("Are you sure you want to delete the reminder: "))
           + rsNombre + QLatin1Char('?');
}

QString Texto_No_Se_Pudo_Borrar(int riLenguaje, const QString &rsArchivo)
{
    return (riLenguaje == 1 ? QStringLiteral("No se pudo borrar el archivo: ")
                            : QStringLiteral("Unable to delete the file: "))
           + rsArchivo;
}

QString Texto_Confirmar_Terminar(int riLenguaje)
{
    if (riLenguaje == 1)
        return QStringLiteral("Esto terminará el programa Kestrin. Usa Ocultar Ventana para minimizar el programa a "
                              "la bandeja del sistema. ¿Quieres terminar el programa Kestrin?");
    return QStringLiteral("This will shut down Kestrin. Use Hide Window to minimize the program to the system tray. "
                          "Do you want to shut down Kestrin?");
}

QString Texto_Sin_Bandeja()
{
    return QStringLiteral("No notification area on this desktop: closing or hiding the main window minimises it");
}
