#pragma once
// Column widths of a flat list fitted to their texts.

class QTreeWidget;

// The width QTreeView::resizeColumnToContents gives a column of a flat list (top-level
// rows, no root decoration), the header's own hint included, without laying out the
// text of every row.
int Ancho_Columna_Contenido(const QTreeWidget *rLista, int riColumna);
