#pragma once
// Every text of the reminder wizard in one language: captions of the frame, the schedule
// pages and the alert page, and the messages of its checks.

#include <QString>
#include <QStringList>
#include <array>

struct TTextosAsistente {
    // Frame.
    QString sTituloVentana, sAgregar, sEditar, sTituloUno, sAnterior, sSiguiente, sFinalizar, sCancelar;
    QString psElijeUnaOpcion;
    // The type radio buttons by type code (index 1..7), with their accelerators.
    std::array<QString, 8> asTipos;
    // Schedule pages.
    QString sInicio, sAhora, sResumen, sSiempre, sHasta, sFin, sRepetirEn, sTodos, sNinguno;
    QString sAutoDelete, sMeses, sDias, sUltimo;
    QString sNotaDos5, sStartWithWindows;
    QString sRango, sRangoInicio, sRangoFin, sRepetirCada, sHoras, sAgregarHora, sBorrarHora;
    QStringList asPasos; // "Hour", "2 Hours" .. "20 Hours"
    QString sHoraYaExiste;
    QString psFechaMenorALaInicial, psFechaDeFin, psHoraMenorALaInicial, psHoraDeFin;
    QString psNingunDiaSemanaSeleccionado, psNingunaHoraSeleccionada, psNingunMesSeleccionado,
        psNingunDiaSeleccionado;
    // Alert page.
    QString sNombre, sMensaje, sCuandoInicie, sMostrarMensaje, sAbrirVentana, sAmbas;
    QString sTocarSonido, sUsarSonidoDefault, sSeleccionarSonido, sRepetirSonido;
    QString sPlay, sStop, sManejadorSonidos, sProbar;
    QString psErrorNombreTarea, psErrorArchivoSonido, sEligeSonido, sSinSonidoDefault;
    QString sSinAccesoDirectorio;
    QString sAgregadoOk, sEditadoOk;
    int iAnchoManejador = 105;
};

// The texts of language riLenguaje (1 Spanish, any other English).
const TTextosAsistente &Textos_Asistente(int riLenguaje);

// A caption without its accelerator marks ("&Daily" -> "Daily").
QString Sin_Aceleradores(const QString &rsCaption);
