#include "reglasasistente.h"

#include "settings/soundlibrary.h"

#include "alerts/soundnames.h"
#include "store/daycount.h"
#include "store/textforms.h"

#include <QDir>
#include <QFileInfo>

QDate Fecha_Minima_Asistente()
{
    return QDate(1927, 5, 18);
}

QDate Fecha_Maxima_Asistente()
{
    return QDate(2173, 10, 13);
}

namespace {
bool Alguno(const bool *rInicio, const bool *rFin)
{
    for (const bool *p = rInicio; p != rFin; ++p)
        if (*p)
            return true;
    return false;
}

bool Algun_Dia_Semana(const TDatosResumen &d)
{
    return Alguno(d.tbDiasSemana.data() + 1, d.tbDiasSemana.data() + 8);
}

// Pickers work to the second; compare at the millisecond, where file values are exact.
TFalloPagina Chequeo_Hasta(const TDatosResumen &d, const TTextosAsistente &t, int riLenguaje)
{
    TFalloPagina f;
    if (d.tbHasta && Dias_a_Milisegundos(d.tdInicio) > Dias_a_Milisegundos(d.tdFin)) {
        f.bValida = false;
        f.sTexto = t.psFechaMenorALaInicial + QStringLiteral("\r\r") + t.psFechaDeFin + QStringLiteral(" = ") +
                   Convertir_FechaHora_a_Cadena(d.tdFin, QStringLiteral(" "), true, true, true, false, false,
                                                riLenguaje);
        f.eFoco = TFocoFallo::FechaFin;
    }
    return f;
}

TFalloPagina Fallo(const QString &rsTexto, TFocoFallo rFoco)
{
    TFalloPagina f;
    f.bValida = false;
    f.sTexto = rsTexto;
    f.eFoco = rFoco;
    return f;
}

QString Hora_24(const QString &rsEntrada)
{
    return Convertir_HHMMAMPM_a_HHMM(rsEntrada);
}
} // namespace

TFalloPagina Validar_Pagina(const TDatosResumen &d, int riLenguaje)
{
    const TTextosAsistente &t = Textos_Asistente(riLenguaje);
    switch (d.tiTareaTipo) {
    case TAREA_DIARIA:
    case TAREA_ANUAL:
        return Chequeo_Hasta(d, t, riLenguaje);
    case TAREA_SEMANAL:
        if (!Algun_Dia_Semana(d))
            return Fallo(t.psNingunDiaSemanaSeleccionado, TFocoFallo::Lunes);
        return Chequeo_Hasta(d, t, riLenguaje);
    case TAREA_MENSUAL:
        if (!Alguno(d.tbMeses.data() + 1, d.tbMeses.data() + 13))
            return Fallo(t.psNingunMesSeleccionado, TFocoFallo::Enero);
        if (!Alguno(d.tbDias.data() + 1, d.tbDias.data() + 32) && !d.tbUltimoDia)
            return Fallo(t.psNingunDiaSeleccionado, TFocoFallo::Dia1);
        return {};
    case TAREA_CADA_HORA:
        if (d.tbRango) {
            if (Hora_De_Milisegundos(Dias_a_Milisegundos(d.tdRangoInicio)) / 1000 >
                Hora_De_Milisegundos(Dias_a_Milisegundos(d.tdRangoFin)) / 1000)
                return Fallo(t.psHoraMenorALaInicial + QStringLiteral("\r\r") + t.psHoraDeFin + QStringLiteral(" = ") +
                                 Convertir_Fecha_a_HHMM(d.tdRangoFin, true),
                             TFocoFallo::HoraInicioRango);
        } else if (d.tsHoras.isEmpty()) {
            return Fallo(t.psNingunaHoraSeleccionada, TFocoFallo::AgregarHora);
        }
        if (!Algun_Dia_Semana(d))
            return Fallo(t.psNingunDiaSemanaSeleccionado, TFocoFallo::Lunes);
        return Chequeo_Hasta(d, t, riLenguaje);
    default:
        return {};
    }
}

int Exceso_Escrito(int riLargoNuevo, int riLargoAnterior, int riLimite)
{
    return std::max(0, riLargoNuevo - std::max(riLimite, riLargoAnterior));
}

void Ordenar_Horas_Lista(QStringList &fHoras)
{
    std::stable_sort(fHoras.begin(), fHoras.end(),
                     [](const QString &a, const QString &b) { return Hora_24(a) < Hora_24(b); });
}

TAgregarHora Agregar_Hora_Lista(QStringList &fHoras, const QString &rsHora)
{
    if (fHoras.size() >= MAXIMO_HORAS_LISTA)
        return TAgregarHora::Llena;
    if (fHoras.contains(rsHora))
        return TAgregarHora::Existe;
    fHoras << rsHora;
    Ordenar_Horas_Lista(fHoras);
    return TAgregarHora::Agregada;
}

QStringList Horas_Lista_De_Texto(const QString &rsHorasLista)
{
    QStringList horas;
    QString resto = Recortar(rsHorasLista);
    // Every time as stored and in its order, so that an unchanged edit writes the same
    // list: one written by hand may hold a time twice, or more than Add allows (Add then
    // stays off until some are deleted). Only Add sorts the list.
    while (!resto.isEmpty()) {
        const QString pieza = Extraer_Cadena_Hasta_Signo(resto, QLatin1Char(','));
        if (!pieza.isEmpty())
            horas << pieza;
    }
    return horas;
}

QString Ruta_Sonido_Elegido(const TDatosSonido &rSonido, const QString &rsEntrada)
{
    const QString nombre = Convertir_Sound_X_a_sX_mp3(Recortar(rsEntrada), rSonido.sLeyenda);
    const QString hallado = Buscar_Archivo_Sonido(rSonido.sCarpeta, nombre);
    return hallado.isEmpty() ? rSonido.sCarpeta + nombre : hallado;
}

TTipoTarea Construir_Tarea(const TDatosResumen &d, bool rbAutoDelete, const TValoresAlerta &a,
                           const TValoresConservados &k, const TDatosSonido &s, int riLenguaje,
                           const QString &rsNombreVacio, double rdAhora)
{
    TTipoTarea t;
    const QString nombre = Recortar(a.sNombre);
    t.tsTaskName = nombre.isEmpty() ? rsNombreVacio : nombre;
    t.tsMensaje = QString(a.sMensaje).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                      .replace(QLatin1Char('\r'), QLatin1Char('\n'))
                      .split(QLatin1Char('\n'))
                      .join(QStringLiteral("\r\n"));
    t.tiLenguaje = riLenguaje;
    t.tiAlertWindow = a.iModo;
    t.tiTocarSonido = a.bTocarSonido ? 1 : 0;
    if (a.bTocarSonido) {
        t.tiUsarSonidoDefault = a.bSonidoDefault ? 1 : 2;
        t.tsSonidoElegido = a.bSonidoDefault ? QString() : a.sSonidoElegido;
        t.tsPathDelSonido = a.bSonidoDefault ? s.sCarpeta + s.sDefaultSound : Ruta_Sonido_Elegido(s, a.sSonidoElegido);
        t.tiRepetirSonido = a.bRepetirSonido ? 1 : 0;
    } else {
        t.tiUsarSonidoDefault = 1;
        t.tsSonidoElegido.clear();
        t.tsPathDelSonido = QStringLiteral("0");
        t.tiRepetirSonido = 0;
    }
    t.tiTareaTipo = d.tiTareaTipo;
    t.tdFechaInicio = d.tdInicio;
    t.tiSiempreRepetirHasta = d.tbHasta ? 1 : 0;
    t.tdFechaFin = d.tdFin;
    for (int k2 = 1; k2 <= 7; ++k2)
        if (d.tbDiasSemana[k2])
            t.tsDiasSemana += QString::number(k2);
    t.tsMeses = QStringLiteral(",");
    for (int m = 1; m <= 12; ++m)
        if (d.tbMeses[m])
            t.tsMeses += Numero_Con_Ceros(m, 2) + QLatin1Char(',');
    t.tsDias = QStringLiteral(",");
    for (int n = 1; n <= 31; ++n)
        if (d.tbDias[n])
            t.tsDias += Numero_Con_Ceros(n, 2) + QLatin1Char(',');
    if (d.tbUltimoDia)
        t.tsDias += QStringLiteral("32,");
    t.tiRangoHoras = d.tbRango ? 1 : 2;
    t.tsRangoHoraInicio = Convertir_Fecha_a_HHMM(d.tdRangoInicio, false);
    t.tsRangoHoraFin = Convertir_Fecha_a_HHMM(d.tdRangoFin, false);
    t.tiRangoCadaHora = d.tiRangoPaso;
    t.tsHorasLista = d.tsHoras.join(QLatin1Char(','));
    t.tiAutoDelete = rbAutoDelete ? 1 : 0;
    // A new reminder is created now, to the second.
    t.tdFechaCreacion = k.dFechaCreacion != 0 ? k.dFechaCreacion
                                              : Milisegundos_a_Dias(Dias_a_Milisegundos(rdAhora) / 1000 * 1000);
    t.tiSnoozeTime = k.iSnoozeTime;
    t.tdSnoozeRun = k.dSnoozeRun;
    t.tdLastRunTime = k.dLastRunTime;
    t.tsSummary = Generar_Resumen_Tarea(t, riLenguaje);
    return t;
}

TDatosResumen Datos_Pagina_De_Tarea(const TTipoTarea &rTarea, double rdHoy)
{
    TDatosResumen d = Datos_Resumen_De_Tarea(rTarea);
    d.tdRangoInicio = Convertir_HHMM_a_Fecha(rTarea.tsRangoHoraInicio, rdHoy);
    d.tdRangoFin = Convertir_HHMM_a_Fecha(rTarea.tsRangoHoraFin, rdHoy);
    if (d.tiRangoPaso < 1 || d.tiRangoPaso > 20)
        d.tiRangoPaso = 1;
    d.tsHoras = Horas_Lista_De_Texto(rTarea.tsHorasLista);
    return d;
}
