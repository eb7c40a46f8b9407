#include "textosasistente.h"

namespace {
TTextosAsistente Ingles()
{
    TTextosAsistente t;
    t.sTituloVentana = QStringLiteral("Kestrin");
    t.sAgregar = QStringLiteral("Add Reminder");
    t.sEditar = QStringLiteral("Edit Reminder");
    t.sTituloUno = QStringLiteral("Choose the reminder type");
    t.sAnterior = QStringLiteral("< &Back");
    t.sSiguiente = QStringLiteral("&Next >");
    t.sFinalizar = QStringLiteral("&Finish");
    t.sCancelar = QStringLiteral("Cancel");
    t.psElijeUnaOpcion = QStringLiteral("Please choose an option");
    t.asTipos = {QString(),
                 QStringLiteral("&One Time"),
                 QStringLiteral("&Daily"),
                 QStringLiteral("&Weekly"),
                 QStringLiteral("&Monthly"),
                 QStringLiteral("When the &Computer Starts"),
                 QStringLiteral("&Hourly"),
                 QStringLiteral("&Yearly")};
    t.sInicio = QStringLiteral("Start");
    t.sAhora = QStringLiteral("Now");
    t.sResumen = QStringLiteral("Summary");
    t.sSiempre = QStringLiteral("Repeat Forever");
    t.sHasta = QStringLiteral("Repeat until:");
    t.sFin = QStringLiteral("End");
    t.sRepetirEn = QStringLiteral("Repeat on:");
    t.sTodos = QStringLiteral("All");
    t.sNinguno = QStringLiteral("None");
    t.sAutoDelete = QStringLiteral("Auto Delete");
    t.sMeses = QStringLiteral("Months:");
    t.sDias = QStringLiteral("Days:");
    t.sUltimo = QStringLiteral("Last");
    t.sNotaDos5 = QStringLiteral("For this reminder to work, this option must be checked");
    t.sStartWithWindows = QStringLiteral("Automatically run Kestrin when the computer starts");
    t.sRango = QStringLiteral("Range");
    t.sRangoInicio = QStringLiteral("Start");
    t.sRangoFin = QStringLiteral("End");
    t.sRepetirCada = QStringLiteral("Repeat Every");
    t.sHoras = QStringLiteral("Hours");
    t.sAgregarHora = QStringLiteral("Add");
    t.sBorrarHora = QStringLiteral("Delete");
    t.asPasos << QStringLiteral("Hour");
    for (int n = 2; n <= 20; ++n)
        t.asPasos << QString::number(n) + QStringLiteral(" Hours");
    t.sHoraYaExiste = QStringLiteral("Hour already exists");
    t.psFechaMenorALaInicial = QStringLiteral("The end date is earlier than start date");
    t.psFechaDeFin = QStringLiteral("End date");
    t.psHoraMenorALaInicial = QStringLiteral("The end time is earlier than start time");
    t.psHoraDeFin = QStringLiteral("End time");
    t.psNingunDiaSemanaSeleccionado = QStringLiteral("Please choose at least one day of the week");
    t.psNingunaHoraSeleccionada = QStringLiteral("Please add at least one hour");
    t.psNingunMesSeleccionado = QStringLiteral("Please choose at least one month");
    t.psNingunDiaSeleccionado = QStringLiteral("Please choose at least one day");
    t.sNombre = QStringLiteral("Name");
    t.sMensaje = QStringLiteral("Message to display (optional)");
    t.sCuandoInicie = QStringLiteral("When the reminder is triggered:");
    t.sMostrarMensaje = QStringLiteral("Display a message on the system tray");
    t.sAbrirVentana = QStringLiteral("Open window");
    t.sAmbas = QStringLiteral("Both");
    t.sTocarSonido = QStringLiteral("Play sound when the reminder is triggered");
    t.sUsarSonidoDefault = QStringLiteral("Use default sound");
    t.sSeleccionarSonido = QStringLiteral("Choose a sound");
    t.sRepetirSonido = QStringLiteral("Repeat Sound");
    t.sPlay = QStringLiteral("Play");
    t.sStop = QStringLiteral("Stop");
    t.sManejadorSonidos = QStringLiteral("Sound Manager");
    t.sProbar = QStringLiteral("Test Reminder");
    t.psErrorNombreTarea = QStringLiteral("Please enter a Name");
    t.psErrorArchivoSonido = QStringLiteral("Sound file not found. Please verify the correct file name was given");
    t.sEligeSonido = QStringLiteral("Please choose a sound");
    t.sSinSonidoDefault = QStringLiteral("There's no default sound assigned. Do you want to set it now?");
    t.sSinAccesoDirectorio = QStringLiteral("There is no access to directory: ");
    t.sAgregadoOk = QStringLiteral("Reminder added successfully");
    t.sEditadoOk = QStringLiteral("Reminder edited successfully");
    t.iAnchoManejador = 105;
    return t;
}

TTextosAsistente Espanol()
{
    TTextosAsistente t;
    t.sTituloVentana = QStringLiteral("Kestrin");
    t.sAgregar = QStringLiteral("Agregar Recordatorio");
    t.sEditar = QStringLiteral("Editar Recordatorio");
    t.sTituloUno = QStringLiteral("Selecciona el tipo de recordatorio");
    t.sAnterior = QStringLiteral("< &Anterior");
    t.sSiguiente = QStringLiteral("&Siguiente >");
    t.sFinalizar = QStringLiteral("&Finalizar");
    t.sCancelar = QStringLiteral("Cancelar");
    t.psElijeUnaOpcion = QStringLiteral("Por favor elije una opción");
    t.asTipos = {QString(),
                 QStringLiteral("Solo Una &Vez"),
                 QStringLiteral("&Diario"),
                 QStringLiteral("&Semanal"),
                 QStringLiteral("&Mensual"),
                 QStringLiteral("Cuando la &Computadora Inicie"),
                 QStringLiteral("&Por Horas"),
                 QStringLiteral("&Anual")};
    t.sInicio = QStringLiteral("Inicio");
    t.sAhora = QStringLiteral("Hoy");
    t.sResumen = QStringLiteral("Resumen");
    t.sSiempre = QStringLiteral("Siempre repetir");
    t.sHasta = QStringLiteral("Repetir hasta:");
    t.sFin = QStringLiteral("Fin");
    t.sRepetirEn = QStringLiteral("Repetir en:");
    t.sTodos = QStringLiteral("Todos");
    t.sNinguno = QStringLiteral("Ninguno");
    t.sAutoDelete = QStringLiteral("Borrar Automáticamente");
    t.sMeses = QStringLiteral("Meses:");
    t.sDias = QStringLiteral("Días:");
    t.sUltimo = QStringLiteral("Ultimo");
    t.sNotaDos5 = QStringLiteral("Para que este recordatorio funcione, esta opción tiene que estar habilitada");
    t.sStartWithWindows = QStringLiteral("Ejecutar Kestrin automáticamente cuando inicia su computadora");
    t.sRango = QStringLiteral("Rango");
    t.sRangoInicio = QStringLiteral("Inicio");
    t.sRangoFin = QStringLiteral("Fin");
    t.sRepetirCada = QStringLiteral("Repetir Cada");
    t.sHoras = QStringLiteral("Horas");
    t.sAgregarHora = QStringLiteral("Agregar");
    t.sBorrarHora = QStringLiteral("Borrar");
    t.asPasos << QStringLiteral("Hora");
    for (int n = 2; n <= 20; ++n)
        t.asPasos << QString::number(n) + QStringLiteral(" Horas");
    t.sHoraYaExiste = QStringLiteral("La hora ya existe");
    t.psFechaMenorALaInicial = QStringLiteral("La fecha fin es anterior a la fecha inicio");
    t.psFechaDeFin = QStringLiteral("Fecha Fin");
    t.psHoraMenorALaInicial = QStringLiteral("La hora fin es anterior a la hora inicio");
    t.psHoraDeFin = QStringLiteral("Hora Fin");
    t.psNingunDiaSemanaSeleccionado = QStringLiteral("Por favor selecciona al menos un día de la semana");
    t.psNingunaHoraSeleccionada = QStringLiteral("Por favor agrega al menos una hora");
    t.psNingunMesSeleccionado = QStringLiteral("Por favor selecciona al menos un mes");
    t.psNingunDiaSeleccionado = QStringLiteral("Por favor selecciona al menos un día");
    t.sNombre = QStringLiteral("Nombre");
    t.sMensaje = QStringLiteral("Mensaje a mostrar (opcional)");
    t.sCuandoInicie = QStringLiteral("Cuando el recordatorio sea iniciado:");
    t.sMostrarMensaje = QStringLiteral("Mostrar mensaje en la bandeja del sistema");
    t.sAbrirVentana = QStringLiteral("Abrir ventana");
    t.sAmbas = QStringLiteral("Ambas");
    t.sTocarSonido = QStringLiteral("Tocar sonido cuando el recordatorio sea iniciado");
    t.sUsarSonidoDefault = QStringLiteral("Usar sonido predeterminado");
    t.sSeleccionarSonido = QStringLiteral("Selecciona un sonido");
    t.sRepetirSonido = QStringLiteral("Repetir Sonido");
    t.sPlay = QStringLiteral("Escuchar");
    t.sStop = QStringLiteral("Detener");
    t.sManejadorSonidos = QStringLiteral("Manejador de Sonidos");
    t.sProbar = QStringLiteral("Probar Recordatorio");
    t.psErrorNombreTarea = QStringLiteral("Por favor escribe el Nombre");
    t.psErrorArchivoSonido =
        QStringLiteral("No se encontró el archivo de sonido. Por favor verifica que esté bien escrito");
    t.sEligeSonido = QStringLiteral("Por favor selecciona un sonido");
    t.sSinSonidoDefault = QStringLiteral("No hay un sonido predeterminado asignado. ¿Deseas asignarlo ahora?");
    t.sSinAccesoDirectorio = QStringLiteral("No hay acceso al directorio: ");
    t.sAgregadoOk = QStringLiteral("El recordatorio se agregó exitosamente");
    t.sEditadoOk = QStringLiteral("El recordatorio se editó exitosamente");
    t.iAnchoManejador = 137;
    return t;
}
} // namespace

const TTextosAsistente &Textos_Asistente(int riLenguaje)
{
    static const TTextosAsistente ingles = Ingles();
    static const TTextosAsistente espanol = Espanol();
    return riLenguaje == 1 ? espanol : ingles;
}

QString Sin_Aceleradores(const QString &rsCaption)
{
    return QString(rsCaption).remove(QLatin1Char('&'));
}
