#pragma once
// The wizard's rules that need no window: the checks of the schedule pages, the hourly
// list of times, and the reminder record built from what the pages show.

#include "editor/summary.h"
#include "editor/textosasistente.h"
#include "store/record.h"

#include <QDate>
#include <QStringList>

// Earliest and latest dates the pickers accept; outside them the file form of a date
// cannot be read back.
QDate Fecha_Minima_Asistente();
QDate Fecha_Maxima_Asistente();

// Where the focus goes after a refused Next.
enum class TFocoFallo { Ninguno, Lunes, Enero, Dia1, HoraInicioRango, AgregarHora, FechaFin };

struct TFalloPagina {
    bool bValida = true;
    QString sTexto;
    TFocoFallo eFoco = TFocoFallo::Ninguno;
};

// The check of the schedule page of rDatos.tiTareaTipo (types 1 and 5 have none).
// rDatos.tdInicio is the page's start (the hourly page: its date at noon).
TFalloPagina Validar_Pagina(const TDatosResumen &rDatos, int riLenguaje);

// Characters of an edit to drop so that typing or pasting stops at riLimite: a text
// already longer (a reminder loaded from its file) is never cut, and may shrink but not
// grow. riLargoNuevo and riLargoAnterior are the lengths after and before the edit.
int Exceso_Escrito(int riLargoNuevo, int riLargoAnterior, int riLimite);

// The hourly list: at most 8 times, each "09:05 AM", kept in order of time of day.
inline constexpr int MAXIMO_HORAS_LISTA = 8;
enum class TAgregarHora { Agregada, Llena, Existe };
TAgregarHora Agregar_Hora_Lista(QStringList &fHoras, const QString &rsHora);
void Ordenar_Horas_Lista(QStringList &fHoras);
// The stored list ("09:00 AM,01:30 PM") as entries, each in its stored place.
QStringList Horas_Lista_De_Texto(const QString &rsHorasLista);

// What the alert page shows.
struct TValoresAlerta {
    QString sNombre;          // as typed
    QString sMensaje;         // lines as typed
    qint32 iModo = ALERTA_AMBAS;
    bool bTocarSonido = true;
    bool bSonidoDefault = true;
    QString sSonidoElegido;   // the selected entry of the sound list; empty when none
    bool bRepetirSonido = false;
};

// Values an edited reminder keeps unchanged; a new one starts from these.
struct TValoresConservados {
    double dFechaCreacion = 0; // 0: a new reminder, created at the save
    qint32 iSnoozeTime = -1;
    double dSnoozeRun = 0;
    double dLastRunTime = 0;
};

// Where the sounds are and what they are called.
struct TDatosSonido {
    QString sCarpeta;       // the sounds folder, ending in "/"
    QString sDefaultSound;  // the default sound's file name
    QString sLeyenda;       // "Sound" / "Sonido"
};

// The full path of a sound list entry: a numbered name gives sN.mp3, any other the file of
// that name; when no file has exactly that name, one whose name differs only in letter
// case is taken (the list shows extensions in lower case).
QString Ruta_Sonido_Elegido(const TDatosSonido &rSonido, const QString &rsEntrada);

// The record the save (and the test) writes. rsNombreVacio stands in for an empty name.
TTipoTarea Construir_Tarea(const TDatosResumen &rDatos, bool rbAutoDelete, const TValoresAlerta &rAlerta,
                           const TValoresConservados &rConservados, const TDatosSonido &rSonido,
                           int riLenguaje, const QString &rsNombreVacio, double rdAhora);

// The schedule values of a record, as the pages show them. Range times fall on rdHoy.
TDatosResumen Datos_Pagina_De_Tarea(const TTipoTarea &rTarea, double rdHoy);
