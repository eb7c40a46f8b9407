#include "columnwidth.h"

#include <QFontMetricsF>
#include <QHeaderView>
#include <QTreeWidget>

#include <algorithm>
#include <array>
#include <vector>

namespace {
// A text's width as the sum of its characters' advances. Laying a text out (what Qt does
// for every row) costs tens of thousands of instructions; this costs a few per
// character. It differs from the laid-out width only by kerning, which is small.
class TEstimador {
public:
    explicit TEstimador(const QFont &rFuente) : medidas(rFuente) { avances.fill(-1); }
    // -1 for a text whose width the sum cannot tell (other scripts, combining marks).
    qreal Ancho(const QString &rsTexto)
    {
        qreal ancho = 0;
        for (QChar c : rsTexto) {
            const char16_t u = c.unicode();
            if (u >= avances.size())
                return -1;
            if (avances[u] < 0)
                avances[u] = medidas.horizontalAdvance(c);
            ancho += avances[u];
        }
        return ancho;
    }

private:
    QFontMetricsF medidas;
    std::array<qreal, 0x0300> avances; // Latin scripts, before the combining marks
};
} // namespace

int Ancho_Columna_Contenido(const QTreeWidget *rLista, int riColumna)
{
    struct TFila {
        qreal estimado;
        int fila;
    };
    TEstimador estimador(rLista->font());
    std::vector<TFila> filas;
    filas.reserve(size_t(rLista->topLevelItemCount()));
    qreal maximo = 0;
    for (int i = 0; i < rLista->topLevelItemCount(); ++i) {
        // A hidden row takes no room, as in Qt's own measure.
        if (rLista->isRowHidden(i, QModelIndex()))
            continue;
        const qreal estimado = estimador.Ancho(rLista->topLevelItem(i)->text(riColumna));
        filas.push_back({estimado, i});
        maximo = std::max(maximo, estimado);
    }
    // Only the rows that could be the widest are measured as Qt measures them: those the
    // sum cannot tell, and those within a margin far above any kerning of the widest.
    // Rows of the same sum (dates, numbered names) have the same width: one is measured.
    const qreal umbral = maximo * 0.94 - 2;
    std::sort(filas.begin(), filas.end(), [](const TFila &a, const TFila &b) { return a.estimado > b.estimado; });
    int ancho = 0;
    bool hayFilas = false;
    constexpr int kMedidasMaximas = 64;
    int medidas = 0;
    qreal ultimo = -2;
    for (const TFila &f : filas) {
        if (f.estimado >= 0 && (f.estimado < umbral || f.estimado == ultimo || medidas >= kMedidasMaximas))
            continue;
        ultimo = f.estimado;
        ++medidas;
        hayFilas = true;
        ancho = std::max(ancho, rLista->sizeHintForIndex(rLista->model()->index(f.fila, riColumna)).width());
    }
    const QHeaderView *cabecera = rLista->header();
    const int titulo = cabecera->isHidden() ? 0 : cabecera->sectionSizeHint(riColumna);
    return std::max(hayFilas ? ancho : -1, titulo);
}
