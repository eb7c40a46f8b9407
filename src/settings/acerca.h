#pragma once
// The about box TfrmAbout: the program's picture, name and version, the home page and
// the support mailbox (both open the desktop's program when clicked), and OK.

#include <QDialog>
#include <QLabel>

class QPushButton;

// A label that acts as a link: blue, hand cursor, opens something when clicked or when
// Return/Space is pressed on it.
class TEtiquetaEnlace : public QLabel {
    Q_OBJECT
public:
    explicit TEtiquetaEnlace(QWidget *rParent = nullptr);
signals:
    void Pulsada();
protected:
    void mouseReleaseEvent(QMouseEvent *rEvento) override;
    void keyPressEvent(QKeyEvent *rEvento) override;
};

class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAbout(QWidget *rParent = nullptr);
    // Sets the texts of the interface language; true when the box may be shown.
    bool Inicializar();

    void LabelPaginaWebClick();
    void LabelCorreoClick();
    void BitBtnAceptarClick();

    QLabel *Image;
    QLabel *LabelNombre;
    QLabel *LabelPaginaWeb2;
    TEtiquetaEnlace *LabelPaginaWeb;
    QLabel *LabelCorreo2;
    TEtiquetaEnlace *LabelCorreo;
    QPushButton *BitBtnAceptar;
};

// The program's picture at 128 x 128 (the shared icon's own 128 px rendering).
QPixmap Imagen_Kestrin_128();

// mAcercaClick (and mTrayAcerca once the main window is up): creates the box owned by
// rOwner, initialises it and shows it modally, then releases it. A second request while
// it is open does nothing and returns false.
bool Abrir_Acerca(QWidget *rOwner);
