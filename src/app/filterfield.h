#pragma once
// The main window's filter field: a line edit in which Escape first clears the text,
// and only an empty field lets Escape through to the window (which hides itself).

#include <QLineEdit>

class TCampoFiltro : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

protected:
    bool event(QEvent *rEvento) override;
    void keyPressEvent(QKeyEvent *rEvento) override;
};
