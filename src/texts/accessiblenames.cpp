#include "texts/accessiblenames.h"

namespace {

TNombresAccesibles Ingles()
{
    TNombresAccesibles n;
    n.sListaRecordatorios = QStringLiteral("Reminders");
    n.sResumen = QStringLiteral("Summary");
    n.sMasBotones = QStringLiteral("More Buttons");
    n.sBorrarFiltro = QStringLiteral("Clear Filter");
    n.sHoraInicio = QStringLiteral("Start Time");
    n.sHoraFin = QStringLiteral("End Time");
    n.sHoraAgregar = QStringLiteral("Time to Add");
    n.sListaHoras = QStringLiteral("Times");
    n.sSonido = QStringLiteral("Sound");
    n.sListaSonidos = QStringLiteral("Sounds");
    n.sCerrarPopup = QStringLiteral("Close");
    n.sMenuPopup = QStringLiteral("Menu");
    return n;
}

TNombresAccesibles Espanol()
{
    TNombresAccesibles n;
    n.sListaRecordatorios = QStringLiteral("Recordatorios");
    n.sResumen = QStringLiteral("Resumen");
    n.sMasBotones = QStringLiteral("Más Botones");
    n.sBorrarFiltro = QStringLiteral("Borrar Filtro");
    n.sHoraInicio = QStringLiteral("Hora de Inicio");
    n.sHoraFin = QStringLiteral("Hora de Fin");
    n.sHoraAgregar = QStringLiteral("Hora a Agregar");
    n.sListaHoras = QStringLiteral("Horas");
    n.sSonido = QStringLiteral("Sonido");
    n.sListaSonidos = QStringLiteral("Sonidos");
    n.sCerrarPopup = QStringLiteral("Cerrar");
    n.sMenuPopup = QStringLiteral("Menú");
    return n;
}

} // namespace

const TNombresAccesibles &Nombres_Accesibles(int riLenguaje)
{
    static const TNombresAccesibles ingles = Ingles();
    static const TNombresAccesibles espanol = Espanol();
    return riLenguaje == 1 ? espanol : ingles;
}
