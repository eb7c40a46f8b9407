#include "settings/acerca.h"
#include "report/modal.h"

#include "alerts/kestrinicon.h"
#include "settings/enlaces.h"
#include "settings/sitioweb.h"
#include "texts/language.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

TEtiquetaEnlace::TEtiquetaEnlace(QWidget *rParent)
    : QLabel(rParent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    // The palette's link colour (readable on a dark theme too); a dotted frame shows
    // where the keyboard is.
    setStyleSheet(QStringLiteral("TEtiquetaEnlace { color: palette(link); border: 1px dotted transparent; }"
                                 "TEtiquetaEnlace:focus { border-color: palette(link); }"));
    QFont letra = font();
    letra.setUnderline(true);
    setFont(letra);
}

void TEtiquetaEnlace::mouseReleaseEvent(QMouseEvent *rEvento)
{
    if (rEvento->button() == Qt::LeftButton && rect().contains(rEvento->position().toPoint()))
        emit Pulsada();
    QLabel::mouseReleaseEvent(rEvento);
}

void TEtiquetaEnlace::keyPressEvent(QKeyEvent *rEvento)
{
    if (rEvento->key() == Qt::Key_Return || rEvento->key() == Qt::Key_Enter || rEvento->key() == Qt::Key_Space) {
        emit Pulsada();
        return;
    }
    QLabel::keyPressEvent(rEvento);
}

QPixmap Imagen_Kestrin_128()
{
    return Icono_Kestrin().pixmap(QSize(128, 128));
}

TfrmAbout::TfrmAbout(QWidget *rParent)
    : QDialog(rParent)
{
    setObjectName(QStringLiteral("frmAbout"));
    Image = new QLabel(this);
    Image->setObjectName(QStringLiteral("Image"));
    Image->setFixedSize(128, 128);
    Image->setPixmap(Imagen_Kestrin_128());
    LabelNombre = new QLabel(this);
    LabelNombre->setObjectName(QStringLiteral("LabelNombre"));
    QFont negrita = LabelNombre->font();
    negrita.setBold(true);
    negrita.setPointSizeF(negrita.pointSizeF() * 1.2);
    LabelNombre->setFont(negrita);
    LabelPaginaWeb2 = new QLabel(this);
    LabelPaginaWeb2->setObjectName(QStringLiteral("LabelPaginaWeb2"));
    LabelPaginaWeb = new TEtiquetaEnlace(this);
    LabelPaginaWeb->setObjectName(QStringLiteral("LabelPaginaWeb"));
    LabelCorreo2 = new QLabel(this);
    LabelCorreo2->setObjectName(QStringLiteral("LabelCorreo2"));
    LabelCorreo = new TEtiquetaEnlace(this);
    LabelCorreo->setObjectName(QStringLiteral("LabelCorreo"));
    BitBtnAceptar = new QPushButton(this);
    BitBtnAceptar->setObjectName(QStringLiteral("BitBtnAceptar"));
    BitBtnAceptar->setDefault(true);

    auto *datos = new QGridLayout;
    datos->setHorizontalSpacing(12);
    datos->addWidget(LabelNombre, 0, 0, 1, 2);
    datos->setRowMinimumHeight(1, 12);
    datos->addWidget(LabelPaginaWeb2, 2, 0);
    datos->addWidget(LabelPaginaWeb, 2, 1);
    datos->addWidget(LabelCorreo2, 3, 0);
    datos->addWidget(LabelCorreo, 3, 1);
    datos->setRowStretch(4, 1);

    auto *arriba = new QHBoxLayout;
    arriba->setSpacing(20);
    arriba->addWidget(Image, 0, Qt::AlignTop);
    arriba->addLayout(datos, 1);

    auto *abajo = new QHBoxLayout;
    abajo->addStretch(1);
    abajo->addWidget(BitBtnAceptar);

    auto *todo = new QVBoxLayout(this);
    todo->setContentsMargins(20, 20, 20, 16);
    todo->addLayout(arriba);
    todo->addLayout(abajo);
    // Fixed size: the box is as large as its texts need, no more.
    todo->setSizeConstraint(QLayout::SetFixedSize);

    connect(LabelPaginaWeb, &TEtiquetaEnlace::Pulsada, this, &TfrmAbout::LabelPaginaWebClick);
    connect(LabelCorreo, &TEtiquetaEnlace::Pulsada, this, &TfrmAbout::LabelCorreoClick);
    connect(BitBtnAceptar, &QPushButton::clicked, this, &TfrmAbout::BitBtnAceptarClick);
    // A screen reader says what each link is by the word before it.
    LabelPaginaWeb2->setBuddy(LabelPaginaWeb);
    LabelCorreo2->setBuddy(LabelCorreo);
    // Escape closes through QDialog::reject; Return answers OK, Tab reaches the links.
    setTabOrder(LabelPaginaWeb, LabelCorreo);
    setTabOrder(LabelCorreo, BitBtnAceptar);
    BitBtnAceptar->setFocus();
}

bool TfrmAbout::Inicializar()
{
    const bool espanol = Lenguaje_Actual() == 1;
    const int lenguaje = espanol ? 1 : 0;
    setWindowTitle(espanol ? QStringLiteral("Acerca Kestrin") : QStringLiteral("About Kestrin"));
    LabelNombre->setText((espanol ? QStringLiteral("Kestrin. Versión ") : QStringLiteral("Kestrin. Version "))
                         + QLatin1String(VERSION_KESTRIN));
    LabelPaginaWeb2->setText(espanol ? QStringLiteral("Página Web") : QStringLiteral("Homepage"));
    LabelPaginaWeb->setText(URL_Pagina_Principal(lenguaje));
    LabelCorreo2->setText(espanol ? QStringLiteral("Correo") : QStringLiteral("Email"));
    LabelCorreo->setText(Correo_Soporte(lenguaje));
    BitBtnAceptar->setText(espanol ? QStringLiteral("Aceptar") : QStringLiteral("OK"));
    return true;
}

void TfrmAbout::LabelPaginaWebClick()
{
    Abrir_Pagina_Web(this);
}

void TfrmAbout::LabelCorreoClick()
{
    Escribir_Correo(this);
}

void TfrmAbout::BitBtnAceptarClick()
{
    accept();
}

bool Abrir_Acerca(QWidget *rOwner)
{
    static QPointer<TfrmAbout> abierta;
    if (abierta)
        return false;
    abierta = new TfrmAbout(rOwner);
    if (abierta->Inicializar())
        Ejecutar_Modal(*abierta);
    // The owner may have gone (and taken the box with it) while the box was open.
    delete abierta.data();
    return true;
}
