#include "listtexts.h"

#include "texts/captions.h"
#include "editor/summary.h"
#include "scheduler/nextrun.h"
#include "store/daycount.h"
#include "store/parallel.h"
#include "store/textforms.h"

#include <algorithm>
#include <numeric>
#include <vector>

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

void Calcular_Proxima_Ejecucion_Lista(TTipoTarea &fTarea, double rdAhora)
{
    fTarea.tdNextRunTime = Calcular_Proxima_Ejecucion(fTarea, rdAhora, 0);
}

void Calcular_Proximas_Ejecuciones_Lista(TTablaTareas &fTabla, double rdAhora)
{
    TTipoTarea *const tareas = fTabla.paTipoTarea.data();
    En_Paralelo(fTabla.paTipoTarea.size(), 256, [&](qsizetype desde, qsizetype hasta) {
        for (qsizetype i = desde; i < hasta; ++i)
            Calcular_Proxima_Ejecucion_Lista(tareas[i], rdAhora);
    });
}

int Comparar_Nombres_Lista(QStringView rsNombre1, QStringView rsNombre2)
{
    return Comparar_Ignorando_AZ(rsNombre1, rsNombre2);
}

// Run times compare to the millisecond, as the schedule computes them.
static qint64 Valor_Orden(double rdValor)
{
    constexpr double kDesplazamiento = 90000.0; // past every real date (year 2146)
    return Dias_a_Milisegundos(rdValor > 0 ? rdValor : rdValor + kDesplazamiento);
}

// The order of two rows from their sort values (their names settle a tie).
static int Comparar_Filas(qint64 riValor1, QStringView rsNombre1, qint64 riValor2, QStringView rsNombre2,
                          bool rbAscendente)
{
    const int r = riValor1 < riValor2 ? -1 : riValor1 > riValor2 ? 1 : Comparar_Nombres_Lista(rsNombre1, rsNombre2);
    return rbAscendente ? r : -r;
}

qint64 Valor_Columna(const TTipoTarea &rTarea, int riColumna)
{
    if (riColumna == 1)
        return Valor_Orden(rTarea.tdNextRunTime);
    return riColumna == 2 ? Valor_Orden(rTarea.tdLastRunTime) : 0;
}

int ListViewCompare(const QString &rsNombre1, const TTipoTarea *rpTarea1, const QString &rsNombre2,
                    const TTipoTarea *rpTarea2, int riColumna, bool rbAscendente)
{
    if (riColumna == 0)
        return Comparar_Filas(0, rsNombre1, 0, rsNombre2, rbAscendente);
    if ((riColumna == 1 || riColumna == 2) && rpTarea1 && rpTarea2)
        return Comparar_Filas(Valor_Columna(*rpTarea1, riColumna), rsNombre1, Valor_Columna(*rpTarea2, riColumna),
                              rsNombre2, rbAscendente);
    return 0;
}

int ListViewCompare(const TTipoTarea &rTarea1, const TTipoTarea &rTarea2, int riColumna, bool rbAscendente)
{
    return ListViewCompare(rTarea1.tsTaskName, &rTarea1, rTarea2.tsTaskName, &rTarea2, riColumna, rbAscendente);
}

QVector<int> Orden_Lista(const TTablaTareas &rTabla, int riColumna, bool rbAscendente)
{
    const QVector<TTipoTarea> &tareas = rTabla.paTipoTarea;
    if (riColumna < 0 || riColumna > 2) {
        QVector<int> orden(tareas.size());
        std::iota(orden.begin(), orden.end(), 0);
        return orden; // no column sorts: every pair compares equal
    }
    // Each row's value worked out once, not at each of the sort's comparisons.
    std::vector<qint64> valores(size_t(tareas.size()));
    for (qsizetype i = 0; i < tareas.size(); ++i)
        valores[size_t(i)] = Valor_Columna(tareas[i], riColumna);
    std::vector<QStringView> nombres(valores.size());
    for (qsizetype i = 0; i < tareas.size(); ++i)
        nombres[size_t(i)] = tareas[i].tsTaskName;
    return Orden_Filas(valores, nombres, rbAscendente);
}

QVector<int> Orden_Filas(const std::vector<qint64> &rValores, const std::vector<QStringView> &rNombres,
                         bool rbAscendente)
{
    QVector<int> orden(qsizetype(rValores.size()));
    std::iota(orden.begin(), orden.end(), 0);
    std::stable_sort(orden.begin(), orden.end(), [&](int a, int b) {
        return Comparar_Filas(rValores[size_t(a)], rNombres[size_t(a)], rValores[size_t(b)], rNombres[size_t(b)],
                              rbAscendente) < 0;
    });
    return orden;
}

QString Forma_Filtro(const QString &rsTexto)
{
    // ASCII, most names and messages, has nothing to decompose and no marks, and folds as
    // it lowers: the general way below costs far more, for every row at every reload.
    if (QtPrivate::isAscii(QStringView(rsTexto)))
        return rsTexto.toLower();
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
