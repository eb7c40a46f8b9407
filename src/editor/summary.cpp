#include "summary.h"

#include "store/daycount.h"
#include "store/names.h"
#include "store/textforms.h"

#include <algorithm>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The three forms of a summary's dates, never "Today" and the like.
QString Completa(double rdFecha, int riLenguaje)
{
    return Convertir_FechaHora_a_Cadena(rdFecha, Texto_Separador_Fecha(riLenguaje), true, true, true, false, false,
                                        riLenguaje);
}

QString Solo_Fecha_Texto(double rdFecha, int riLenguaje)
{
    return Convertir_FechaHora_a_Cadena(rdFecha, Texto_Separador_Fecha(riLenguaje), true, false, false, false, false,
                                        riLenguaje);
}

QString Solo_Hora_Texto(double rdFecha, int riLenguaje)
{
    return Convertir_FechaHora_a_Cadena(rdFecha, Texto_Separador_Fecha(riLenguaje), false, true, false, true, false,
                                        riLenguaje);
}

// The names joined by ", ", made in one text as they come.
void Unir(QString &fsLista, QStringView rsNombre)
{
    if (!fsLista.isEmpty())
        fsLista += QLatin1String(", ");
    fsLista += rsNombre;
}

QString Lista_Dias_Semana(const TDatosResumen &rDatos, bool rbEspanol)
{
    QString nombres;
    for (int d = 1; d <= 7; ++d)
        if (rDatos.tbDiasSemana[d])
            Unir(nombres, rbEspanol ? asDiasEspanol[d] : asDiasIngles[d]);
    return nombres;
}

QString Lista_Meses(const TDatosResumen &rDatos, bool rbEspanol)
{
    QString nombres;
    for (int m = 1; m <= 12; ++m)
        if (rDatos.tbMeses[m])
            Unir(nombres, rbEspanol ? asMesesEspanol[m] : asMesesIngles[m]);
    return nombres;
}

QString Lista_Dias(const TDatosResumen &rDatos, bool rbEspanol)
{
    QString nombres;
    for (int d = 1; d <= 31; ++d)
        if (rDatos.tbDias[d])
            Unir(nombres, QString::number(d));
    if (rDatos.tbUltimoDia)
        Unir(nombres, !rDatos.tsUltimo.isEmpty() ? QStringView(rDatos.tsUltimo)
                      : rbEspanol              ? QStringView(u"Ultimo")
                                               : QStringView(u"Last"));
    return nombres;
}

// The hours line of an hourly schedule; empty for an empty list of times.
QString Linea_Horas(const TDatosResumen &rDatos, int riLenguaje)
{
    const bool es = riLenguaje == 1;
    if (rDatos.tbRango) {
        QString s = (es ? QStringLiteral("Horas ") : QStringLiteral("Hours ")) +
                    Solo_Hora_Texto(rDatos.tdRangoInicio, riLenguaje) + (es ? QStringLiteral(" a ") : QStringLiteral(" to ")) +
                    Solo_Hora_Texto(rDatos.tdRangoFin, riLenguaje);
        if (rDatos.tiRangoPaso == 1)
            s += es ? QStringLiteral(", Cada Hora") : QStringLiteral(", Every Hour");
        else
            s += (es ? QStringLiteral(", Cada ") : QStringLiteral(", Every ")) + QString::number(rDatos.tiRangoPaso) +
                 (es ? QStringLiteral(" Horas") : QStringLiteral(" Hours"));
        return s;
    }
    if (rDatos.tsHoras.isEmpty())
        return {};
    return (es ? QStringLiteral("Horas ") : QStringLiteral("Hours ")) + rDatos.tsHoras.join(QStringLiteral(", "));
}

} // namespace

QString Texto_Separador_Fecha(int riLenguaje)
{
    return riLenguaje == 1 ? QStringLiteral(" a las ") : QStringLiteral(" at ");
}

QString Texto_Al_Iniciar(int riLenguaje)
{
    return riLenguaje == 1 ? QStringLiteral("Cuando la Computadora Inicie") : QStringLiteral("When the Computer Starts");
}

namespace {
// The summary's data of a record; with rbTodo false only what its type's summary shows
// (a list of thousands of reminders makes a summary for every row).
TDatosResumen Datos_Resumen(const TTipoTarea &rTarea, bool rbTodo)
{
    TDatosResumen d;
    d.tiTareaTipo = rTarea.tiTareaTipo;
    d.tdInicio = rTarea.tdFechaInicio;
    d.tbHasta = rTarea.tiSiempreRepetirHasta == 1;
    d.tdFin = rTarea.tdFechaFin;
    const bool horaria = rbTodo || rTarea.tiTareaTipo == TAREA_CADA_HORA;
    if (horaria || rTarea.tiTareaTipo == TAREA_SEMANAL)
        for (int k = 1; k <= 7; ++k)
            d.tbDiasSemana[k] = rTarea.tsDiasSemana.contains(QLatin1Char(char('0' + k)));
    if (rbTodo || rTarea.tiTareaTipo == TAREA_MENSUAL) {
        Numeros_De_Lista(rTarea.tsMeses, d.tbMeses.data(), 12);
        bool dias[33];
        Numeros_De_Lista(rTarea.tsDias, dias, 32);
        std::copy(dias, dias + 32, d.tbDias.begin());
        d.tbUltimoDia = dias[32];
    }
    d.tbRango = rTarea.tiRangoHoras == 1;
    d.tiRangoPaso = rTarea.tiRangoCadaHora;
    if (!horaria)
        return d;
    // Today at midnight, from the date kept for a second: the local clock is not read per reminder.
    const double hoy = Fecha_Hora_a_Dias(Fecha_Hoy(), QTime(0, 0));
    d.tdRangoInicio = Convertir_HHMM_a_Fecha(rTarea.tsRangoHoraInicio, hoy);
    d.tdRangoFin = Convertir_HHMM_a_Fecha(rTarea.tsRangoHoraFin, hoy);
    QString resto = Recortar(rTarea.tsHorasLista);
    while (!resto.isEmpty())
        d.tsHoras << Extraer_Cadena_Hasta_Signo(resto, QLatin1Char(','));
    return d;
}
} // namespace

TDatosResumen Datos_Resumen_De_Tarea(const TTipoTarea &rTarea)
{
    return Datos_Resumen(rTarea, true);
}

QString Resumen_Una_Vez(double rdInicio, int riLenguaje, bool rbRecordatorioRapido)
{
    if (riLenguaje != 0 && riLenguaje != 1)
        return {};
    const QString guia = riLenguaje == 1    ? QStringLiteral("Solo Una Vez. ")
                         : rbRecordatorioRapido ? QStringLiteral("One time. ")
                                                : QStringLiteral("One Time. ");
    return guia + Completa(rdInicio, riLenguaje);
}

QStringList Lineas_Resumen(const TDatosResumen &rDatos, int riLenguaje, bool *fbPrimeraAusente)
{
    if (fbPrimeraAusente)
        *fbPrimeraAusente = false;
    QStringList lineas;
    if (riLenguaje != 0 && riLenguaje != 1)
        return lineas;
    const bool es = riLenguaje == 1;
    const QString hasta = es ? QStringLiteral("Hasta el ") : QStringLiteral("Until ");
    const QString iniciando = es ? QStringLiteral("Iniciando el ") : QStringLiteral("Starting on ");
    auto primera_opcional = [&](const QString &rsLinea) {
        if (rsLinea.isEmpty()) {
            if (fbPrimeraAusente)
                *fbPrimeraAusente = true;
        } else {
            lineas << rsLinea;
        }
    };
    auto linea_dias_semana = [&]() {
        const QString dias = Lista_Dias_Semana(rDatos, es);
        return dias.isEmpty() ? QString() : (es ? QStringLiteral("Cada ") : QStringLiteral("Every ")) + dias;
    };

    switch (rDatos.tiTareaTipo) {
    case TAREA_UNA_VEZ:
        lineas << Resumen_Una_Vez(rDatos.tdInicio, riLenguaje);
        break;
    case TAREA_DIARIA:
        lineas << (es ? QStringLiteral("Todos los días, iniciando el ") : QStringLiteral("Every day, starting on ")) +
                      Completa(rDatos.tdInicio, riLenguaje);
        if (rDatos.tbHasta)
            lineas << hasta + Completa(rDatos.tdFin, riLenguaje);
        break;
    case TAREA_SEMANAL:
        primera_opcional(linea_dias_semana());
        lineas << iniciando + Completa(rDatos.tdInicio, riLenguaje);
        if (rDatos.tbHasta)
            lineas << hasta + Completa(rDatos.tdFin, riLenguaje);
        break;
    case TAREA_MENSUAL: {
        const QString meses = Lista_Meses(rDatos, es);
        primera_opcional(meses.isEmpty() ? QString() : (es ? QStringLiteral("Meses: ") : QStringLiteral("Months: ")) + meses);
        const QString dias = Lista_Dias(rDatos, es);
        if (!dias.isEmpty())
            lineas << (es ? QStringLiteral("Días: ") : QStringLiteral("Days: ")) + dias;
        lineas << iniciando + Completa(rDatos.tdInicio, riLenguaje);
        break; // monthly reminders have no end
    }
    case TAREA_AL_INICIAR:
        lineas << Texto_Al_Iniciar(riLenguaje);
        break;
    case TAREA_CADA_HORA: {
        primera_opcional(linea_dias_semana());
        const QString horas = Linea_Horas(rDatos, riLenguaje);
        if (!horas.isEmpty())
            lineas << horas;
        lineas << iniciando + Solo_Fecha_Texto(rDatos.tdInicio, riLenguaje);
        if (rDatos.tbHasta)
            lineas << hasta + Completa(rDatos.tdFin, riLenguaje);
        break;
    }
    case TAREA_ANUAL:
        lineas << (es ? QStringLiteral("Cada año, iniciando el ") : QStringLiteral("Every year, starting on ")) +
                      Completa(rDatos.tdInicio, riLenguaje);
        if (rDatos.tbHasta)
            lineas << hasta + Completa(rDatos.tdFin, riLenguaje);
        break;
    default:
        break;
    }
    return lineas;
}

QString Generar_Resumen_Tarea(const TTipoTarea &rTarea, int riLenguaje)
{
    bool primeraAusente = false;
    const QStringList lineas = Lineas_Resumen(Datos_Resumen(rTarea, false), riLenguaje, &primeraAusente);
    // An absent first line leaves the text empty, and the next line still gets its CR LF.
    return (primeraAusente && !lineas.isEmpty() ? kCrLf : QString()) + lineas.join(kCrLf);
}
