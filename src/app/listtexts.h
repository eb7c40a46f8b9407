#pragma once
// The reminder list without its widget: captions, the texts of the run-time columns,
// the next runs of a fill, and the order of two rows.

#include "store/record.h"

#include <QString>
#include <QVector>

#include <vector>

// Column captions: 0 "Name", 1 "Next Run Time", 2 "Last Run Time" (or Spanish).
QString Titulo_Columna_Lista(int riColumna, int riLenguaje);
// psTareaNunca: "Never" / "Nunca".
QString Texto_Tarea_Nunca(int riLenguaje);

// A run time as the list shows it: date (or Today / Yesterday / Tomorrow), the
// separator " at ", and the time with seconds, hour without a leading zero.
QString Texto_Fecha_Lista(double rdFecha, int riLenguaje);
// Column 1 from the row's record (its tdNextRunTime): "When the Computer Starts" for
// that type whatever its next run, "Never" for 0, else the run time.
QString Texto_Proxima_Ejecucion(const TTipoTarea &rTarea, int riLenguaje);
// Column 2: the last run time when above 0, else "Never".
QString Texto_Ultima_Ejecucion(const TTipoTarea &rTarea, int riLenguaje);

// What a fill does to a record before building its row: its next run, grace 0, at rdAhora.
void Calcular_Proxima_Ejecucion_Lista(TTipoTarea &fTarea, double rdAhora);
// The same for every record of the table.
void Calcular_Proximas_Ejecuciones_Lista(TTablaTareas &fTabla, double rdAhora);

// Names compared without regard to the case of the letters A to Z.
int Comparar_Nombres_Lista(QStringView rsNombre1, QStringView rsNombre2);
// The order of two rows: negative, 0 or positive. Rows are their caption and their
// record copy (null when a row has none; run-time columns then compare equal). A run
// time not above 0 counts 90000 days later, so "Never" and start-up rows go last.
int ListViewCompare(const QString &rsNombre1, const TTipoTarea *rpTarea1, const QString &rsNombre2,
                    const TTipoTarea *rpTarea2, int riColumna, bool rbAscendente);
int ListViewCompare(const TTipoTarea &rTarea1, const TTipoTarea &rTarea2, int riColumna, bool rbAscendente);
// The table's indexes in list order (a stable sort, so full ties keep table order).
QVector<int> Orden_Lista(const TTablaTareas &rTabla, int riColumna, bool rbAscendente);
// A row's sort value for column 1 or 2: its next or last run, counted as ListViewCompare
// says; the same for every row for column 0.
qint64 Valor_Columna(const TTipoTarea &rTarea, int riColumna);
// The same order for rows that are not a table: row i has the sort value rValores[i] and
// the name rNombres[i].
QVector<int> Orden_Filas(const std::vector<qint64> &rValores, const std::vector<QStringView> &rNombres,
                         bool rbAscendente);

// The list's filter. A reminder stays when its name or its message contains the
// filter's text, case and accents ignored ("cafe" finds "Café", "ÑAND" finds "ñandú");
// an empty filter keeps every reminder. Texts are compared in Forma_Filtro's form, worked
// out once per row so that a key typed over 10,000 rows costs only the containment tests.
QString Forma_Filtro(const QString &rsTexto);
struct TTextoFiltro {
    QString sNombre, sMensaje; // apart, so that no match straddles the two
    explicit TTextoFiltro(const TTipoTarea &rTarea = {});
    bool Coincide(const QString &rsFiltroEnForma) const;
};
