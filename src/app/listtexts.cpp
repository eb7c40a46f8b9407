#include "listtexts.h"

#include "texts/captions.h"
#include "editor/summary.h"
#include "scheduler/nextrun.h"
#include "store/daycount.h"
#include "store/textforms.h"

#include <algorithm>
#include <numeric>

QString Titulo_Columna_Lista(int riColumna, int riLenguaje)
{
    const auto &columnas = Captions_Principal(riLenguaje).asColumnas;
    return riColumna >= 0 && riColumna < int(columnas.size()) ? columnas[riColumna] : QString();
}

QString Texto_Tarea_Nunca(int riLenguaje)
{
    return Captions_Principal(riLenguaje).psTareaNunca;
}

QString Texto_Fecha_Lista(double rdFecha, int riLenguaje)
{
    return Convertir_FechaHora_a_Cadena(rdFecha, Texto_Separador_Fecha(riLenguaje), true, true, true, false, true,
                                        riLenguaje);
}

QString Texto_Proxima_Ejecucion(const TTipoTarea &rTarea, int riLenguaje)
{
    if (rTarea.tiTareaTipo == TAREA_AL_INICIAR)
        return Texto_Al_Iniciar(riLenguaje);
    if (rTarea.tdNextRunTime == 0)
        return Texto_Tarea_Nunca(riLenguaje);
    return Texto_Fecha_Lista(rTarea.tdNextRunTime, riLenguaje);
}

QString Texto_Ultima_Ejecucion(const TTipoTarea &rTarea, int riLenguaje)
{
    if (rTarea.tdLastRunTime > 0)
        return Texto_Fecha_Lista(rTarea.tdLastRunTime, riLenguaje);
    return Texto_Tarea_Nunca(riLenguaje);
}

void Calcular_Proximas_Ejecuciones_Lista(TTablaTareas &fTabla, double rdAhora)
{
    for (TTipoTarea &t : fTabla.paTipoTarea)
        t.tdNextRunTime = Calcular_Proxima_Ejecucion(t, rdAhora, 0);
}

int Comparar_Nombres_Lista(const QString &rsNombre1, const QString &rsNombre2)
{
    return Comparar_Ignorando_AZ(rsNombre1, rsNombre2);
}

// Run times compare to the millisecond, as the schedule computes them.
static qint64 Valor_Orden(double rdValor)
{
    constexpr double kDesplazamiento = 90000.0; // past every real date (year 2146)
    return Dias_a_Milisegundos(rdValor > 0 ? rdValor : rdValor + kDesplazamiento);
}

int ListViewCompare(const QString &rsNombre1, const TTipoTarea *rpTarea1, const QString &rsNombre2,
                    const TTipoTarea *rpTarea2, int riColumna, bool rbAscendente)
{
    int r = 0;
    if (riColumna == 0) {
        r = Comparar_Nombres_Lista(rsNombre1, rsNombre2);
    } else if ((riColumna == 1 || riColumna == 2) && rpTarea1 && rpTarea2) {
        const qint64 v1 = Valor_Orden(riColumna == 1 ? rpTarea1->tdNextRunTime : rpTarea1->tdLastRunTime);
        const qint64 v2 = Valor_Orden(riColumna == 1 ? rpTarea2->tdNextRunTime : rpTarea2->tdLastRunTime);
        r = v1 < v2 ? -1 : v1 > v2 ? 1 : Comparar_Nombres_Lista(rsNombre1, rsNombre2);
    }
    return rbAscendente ? r : -r;
}

int ListViewCompare(const TTipoTarea &rTarea1, const TTipoTarea &rTarea2, int riColumna, bool rbAscendente)
{
    return ListViewCompare(rTarea1.tsTaskName, &rTarea1, rTarea2.tsTaskName, &rTarea2, riColumna, rbAscendente);
}

QVector<int> Orden_Lista(const TTablaTareas &rTabla, int riColumna, bool rbAscendente)
{
    QVector<int> orden(rTabla.piTipoTareaTotal());
    std::iota(orden.begin(), orden.end(), 0);
    std::stable_sort(orden.begin(), orden.end(), [&](int a, int b) {
        return ListViewCompare(rTabla.paTipoTarea[a], rTabla.paTipoTarea[b], riColumna, rbAscendente) < 0;
    });
    return orden;
}

QString Forma_Filtro(const QString &rsTexto)
{
    // Compatibility decomposition splits "é" into "e" and its accent (and "ﬁ" into "fi");
    // the marks are dropped and what remains is case-folded.
    const QString descompuesto = rsTexto.normalized(QString::NormalizationForm_KD);
    QString forma;
    forma.reserve(descompuesto.size());
    for (const QChar c : descompuesto) {
        const QChar::Category categoria = c.category();
        if (categoria != QChar::Mark_NonSpacing && categoria != QChar::Mark_SpacingCombining &&
            categoria != QChar::Mark_Enclosing)
            forma += c;
    }
    return forma.toCaseFolded();
}

TTextoFiltro::TTextoFiltro(const TTipoTarea &rTarea)
    : sNombre(Forma_Filtro(rTarea.tsTaskName)), sMensaje(Forma_Filtro(rTarea.tsMensaje))
{
}

bool TTextoFiltro::Coincide(const QString &rsFiltroEnForma) const
{
    return rsFiltroEnForma.isEmpty() || sNombre.contains(rsFiltroEnForma) || sMensaje.contains(rsFiltroEnForma);
}
