#include "texts/captions.h"
#include "texts/version.h"

#include "editor/summary.h"

namespace {

TCaptionsPrincipal Ingles()
{
    TCaptionsPrincipal c;
    c.sTitulo = QStringLiteral("Kestrin ") + QLatin1String(VERSION_KESTRIN);
    c.mTrayAbrir = QStringLiteral("Open");
    c.mTrayAgregarTarea = QStringLiteral("Add Reminder");
    c.mTrayRecordatorioRapido = QStringLiteral("Quick Reminder");
    c.mTrayOpciones = QStringLiteral("Options");
    c.mTrayManejadorDeSonidos = QStringLiteral("Sound Manager");
    c.mTrayPaginaWeb = QStringLiteral("Kestrin Homepage");
    c.mTrayAcerca = QStringLiteral("About Kestrin");
    c.mInicio = QStringLiteral("&Start");
    c.mAgregarTarea = QStringLiteral("&Add Reminder");
    c.mEditarTarea = QStringLiteral("&Edit Reminder");
    c.mBorrarTarea = QStringLiteral("&Delete Reminder");
    c.mExportar = QStringLiteral("E&xport…");
    c.mExportarSeleccion = QStringLiteral("Export Se&lected…");
    c.mImportar = QStringLiteral("&Import…");
    c.mOcultarVentana = QStringLiteral("&Hide Window");
    c.mTerminarPrograma = QStringLiteral("&Shut Down Kestrin");
    c.mRecordatorioRapido = QStringLiteral("&Quick Reminder");
    c.mConfigurar = QStringLiteral("&Configure");
    c.mOpciones = QStringLiteral("&Options");
    c.mManejadorDeSonidos = QStringLiteral("&Sound Manager");
    c.mAyuda = QStringLiteral("&Help");
    c.mVerAyuda = QStringLiteral("&View Help");
    c.mVerLog = QStringLiteral("View &Log");
    c.mPaginaWeb = QStringLiteral("Kestrin Home&page");
    c.mAhoraDisponibleParaIPhoneYIPad = QStringLiteral("&Now available for iPhone, iPod touch and iPad");
    c.mCheckForUpdates = QStringLiteral("Check for &Updates");
    c.mAcerca = QStringLiteral("&About Kestrin");
    c.SpeedButtonAgregar = QStringLiteral("Add");
    c.SpeedButtonAgregarHint = QStringLiteral("Add Reminder");
    c.SpeedButtonEditar = QStringLiteral("Edit");
    c.SpeedButtonEditarHint = QStringLiteral("Edit Reminder");
    c.SpeedButtonBorrar = QStringLiteral("Delete");
    c.SpeedButtonBorrarHint = QStringLiteral("Delete Reminder");
    c.SpeedButtonOpciones = QStringLiteral("Options");
    c.SpeedButtonOpcionesHint = QStringLiteral("Options");
    c.SpeedButtonSonido = QStringLiteral("Sound");
    c.SpeedButtonSonidoHint = QStringLiteral("Sound Manager");
    c.asColumnas = {QStringLiteral("Name"), QStringLiteral("Next Run Time"), QStringLiteral("Last Run Time")};
    c.EditFiltro = QStringLiteral("Filter");
    c.LabelFiltroCuenta = QStringLiteral("%1 of %2");
    c.psLeyendaSonido = QStringLiteral("Sound");
    c.psFechaSeparador = Texto_Separador_Fecha(0);
    c.psTareaNunca = QStringLiteral("Never");
    c.asRapidos = {QStringLiteral("In 1 Minute"),   QStringLiteral("In 2 Minutes"),  QStringLiteral("In 3 Minutes"),
                   QStringLiteral("In 4 Minutes"),  QStringLiteral("In 5 Minutes"),  QStringLiteral("In 10 Minutes"),
                   QStringLiteral("In 15 Minutes"), QStringLiteral("In 20 Minutes"), QStringLiteral("In 30 Minutes"),
                   QStringLiteral("In 40 Minutes"), QStringLiteral("In 50 Minutes"), QStringLiteral("In 1 Hour"),
                   QStringLiteral("In 2 Hours"),    QStringLiteral("In 3 Hours"),    QStringLiteral("In 4 Hours"),
                   QStringLiteral("In 5 Hours")};
    return c;
}

TCaptionsPrincipal Espanol()
{
    TCaptionsPrincipal c;
    c.sTitulo = QStringLiteral("Kestrin ") + QLatin1String(VERSION_KESTRIN);
    c.mTrayAbrir = QStringLiteral("Abrir");
    c.mTrayAgregarTarea = QStringLiteral("Agregar Recordatorio");
    c.mTrayRecordatorioRapido = QStringLiteral("Recordatorio Rápido");
    c.mTrayOpciones = QStringLiteral("Opciones");
    c.mTrayManejadorDeSonidos = QStringLiteral("Manejador de Sonidos");
    c.mTrayPaginaWeb = QStringLiteral("Página Web de Kestrin");
    c.mTrayAcerca = QStringLiteral("Acerca Kestrin");
    c.mInicio = QStringLiteral("&Inicio");
    c.mAgregarTarea = QStringLiteral("&Agregar Recordatorio");
    c.mEditarTarea = QStringLiteral("&Editar Recordatorio");
    c.mBorrarTarea = QStringLiteral("&Borrar Recordatorio");
    c.mExportar = QStringLiteral("E&xportar…");
    c.mExportarSeleccion = QStringLiteral("Exportar &Seleccionado…");
    c.mImportar = QStringLiteral("&Importar…");
    c.mOcultarVentana = QStringLiteral("&Ocultar Ventana");
    c.mTerminarPrograma = QStringLiteral("&Terminar Kestrin");
    c.mRecordatorioRapido = QStringLiteral("&Recordatorio Rápido");
    c.mConfigurar = QStringLiteral("&Configurar");
    c.mOpciones = QStringLiteral("&Opciones");
    c.mManejadorDeSonidos = QStringLiteral("&Manejador de Sonidos");
    c.mAyuda = QStringLiteral("&Ayuda");
    c.mVerAyuda = QStringLiteral("&Ver Ayuda");
    c.mVerLog = QStringLiteral("Ver &Log");
    c.mPaginaWeb = QStringLiteral("&Página Web de Kestrin");
    c.mAhoraDisponibleParaIPhoneYIPad = QStringLiteral("A&hora disponible para iPhone, iPod touch y iPad");
    c.mCheckForUpdates = QStringLiteral("&Buscar Actualizaciones");
    c.mAcerca = QStringLiteral("&Acerca Kestrin");
    c.SpeedButtonAgregar = QStringLiteral("Agregar");
    c.SpeedButtonAgregarHint = QStringLiteral("Agregar Recordatorio");
    c.SpeedButtonEditar = QStringLiteral("Editar");
    c.SpeedButtonEditarHint = QStringLiteral("Editar Recordatorio");
    c.SpeedButtonBorrar = QStringLiteral("Borrar");
    c.SpeedButtonBorrarHint = QStringLiteral("Borrar Recordatorio");
    c.SpeedButtonOpciones = QStringLiteral("Opciones");
    c.SpeedButtonOpcionesHint = QStringLiteral("Opciones");
    c.SpeedButtonSonido = QStringLiteral("Sonido");
    c.SpeedButtonSonidoHint = QStringLiteral("Manejador de Sonidos");
    c.asColumnas = {QStringLiteral("Nombre"), QStringLiteral("Próxima Ejecución"), QStringLiteral("Ultima Ejecución")};
    c.EditFiltro = QStringLiteral("Filtrar");
    c.LabelFiltroCuenta = QStringLiteral("%1 de %2");
    c.psLeyendaSonido = QStringLiteral("Sonido");
    c.psFechaSeparador = Texto_Separador_Fecha(1);
    c.psTareaNunca = QStringLiteral("Nunca");
    c.asRapidos = {QStringLiteral("En 1 Minuto"),   QStringLiteral("En 2 Minutos"),  QStringLiteral("En 3 Minutos"),
                   QStringLiteral("En 4 Minutos"),  QStringLiteral("En 5 Minutos"),  QStringLiteral("En 10 Minutos"),
                   QStringLiteral("En 15 Minutos"), QStringLiteral("En 20 Minutos"), QStringLiteral("En 30 Minutos"),
                   QStringLiteral("En 40 Minutos"), QStringLiteral("En 50 Minutos"), QStringLiteral("En 1 Hora"),
                   QStringLiteral("En 2 Horas"),    QStringLiteral("En 3 Horas"),    QStringLiteral("En 4 Horas"),
                   QStringLiteral("En 5 Horas")};
    return c;
}

} // namespace

const TCaptionsPrincipal &Captions_Principal(int riLenguaje)
{
    static const TCaptionsPrincipal ingles = Ingles();
    static const TCaptionsPrincipal espanol = Espanol();
    return riLenguaje == 1 ? espanol : ingles;
}
