#include "filterfield.h"

#include <QKeyEvent>

namespace {
bool Es_Escape(const QKeyEvent *rTecla)
{
    return rTecla->matches(QKeySequence::Cancel);
}
} // namespace

bool TCampoFiltro::event(QEvent *rEvento)
{
    // Escape is also the window's Hide shortcut: a field with text keeps the key.
    if (rEvento->type() == QEvent::ShortcutOverride && !text().isEmpty() &&
        Es_Escape(static_cast<QKeyEvent *>(rEvento))) {
        rEvento->accept();
        return true;
    }
    return QLineEdit::event(rEvento);
}

void TCampoFiltro::keyPressEvent(QKeyEvent *rEvento)
{
    if (Es_Escape(rEvento) && !text().isEmpty()) {
        clear();
        rEvento->accept();
        return;
    }
    QLineEdit::keyPressEvent(rEvento);
}
