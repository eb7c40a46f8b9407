#include "ventana.h"

#include "texts/errortexts.h"
#include "report/messagebox.h"

#include "alerta.h"
#include "bitacora.h"
#include "alerts/kestrinicon.h"
#include "textos.h"

#include "store/daycount.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

namespace {
// The colours of the tray popup, so the two alerts look like one program.
const char *const csEstilo =
    "#Cabecera { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 rgb(82,134,214), stop:1 rgb(16,65,148));"
    " border-bottom: 1px solid rgb(0,48,148); }"
    "#Cabecera QLabel { color: white; background: transparent; }"
    "#Cuerpo { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 rgb(242,248,254), stop:1 rgb(220,231,245)); }"
    "QPlainTextEdit { background: white; border: 1px solid rgb(170,190,220); border-radius: 3px; }";

const int MAX_LINEAS_VISIBLES = 16;
const int ANCHO_INICIAL = 580;
} // namespace

TfrmAlertWindow::TfrmAlertWindow(TAlerta &rAlerta, QWidget *rParent) : QWidget(rParent), pAlerta(rAlerta)
{
    const int lenguaje = pAlerta.Lenguaje();
    setObjectName(QStringLiteral("TfrmAlertWindow"));
    setWindowTitle(pAlerta.Titulo());
    setWindowIcon(Icono_Kestrin());
    setStyleSheet(QLatin1String(csEstilo));

    // Header: icon, name, the moment it came up.
    auto *cabecera = new QFrame(this);
    cabecera->setObjectName(QStringLiteral("Cabecera"));
    ImageIcono = new QLabel(cabecera);
    ImageIcono->setPixmap(Icono_Kestrin().pixmap(48, 48));
    ImageIcono->setFixedSize(48, 48);
    LabelNombre = new QLabel(cabecera);
    LabelNombre->setTextFormat(Qt::PlainText); // a name is text, never markup
    LabelNombre->setWordWrap(true);
    LabelNombre->setTextInteractionFlags(Qt::TextSelectableByMouse);
    LabelNombre->setText(pAlerta.Titulo());
    QFont fuenteNombre = font();
    if (!pAlerta.Argumentos().psFuente.isEmpty())
        fuenteNombre.setFamily(pAlerta.Argumentos().psFuente);
    fuenteNombre.setBold(true);
    fuenteNombre.setPointSizeF(qMax(fuenteNombre.pointSizeF(), 9.0) * 1.45);
    LabelNombre->setFont(fuenteNombre);
    LabelMomento = new QLabel(cabecera);
    LabelMomento->setTextFormat(Qt::PlainText);
    LabelMomento->setText(pAlerta.Texto_Momento());
    auto *textosCabecera = new QVBoxLayout;
    textosCabecera->setSpacing(2);
    textosCabecera->addWidget(LabelNombre);
    textosCabecera->addWidget(LabelMomento);
    auto *filaCabecera = new QHBoxLayout(cabecera);
    filaCabecera->setContentsMargins(14, 12, 14, 12);
    filaCabecera->setSpacing(12);
    filaCabecera->addWidget(ImageIcono, 0, Qt::AlignTop);
    filaCabecera->addLayout(textosCabecera, 1);

    // Body: the message, then the choices.
    auto *cuerpo = new QFrame(this);
    cuerpo->setObjectName(QStringLiteral("Cuerpo"));
    MemoMensaje = new QPlainTextEdit(cuerpo);
    MemoMensaje->setReadOnly(true);
    MemoMensaje->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    MemoMensaje->setFrameShape(QFrame::NoFrame);
    QFont fuenteMensaje = font();
    if (!pAlerta.Argumentos().psFuente.isEmpty())
        fuenteMensaje.setFamily(pAlerta.Argumentos().psFuente);
    fuenteMensaje.setPointSizeF(qMax(fuenteMensaje.pointSizeF() + 2.0, 11.0));
    MemoMensaje->setFont(fuenteMensaje);
    QString mensaje = pAlerta.Tarea().tsMensaje;
    mensaje.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    MemoMensaje->setPlainText(mensaje);
    MemoMensaje->setVisible(!mensaje.isEmpty());

    LabelPrueba = new QLabel(Texto_Alerta(TTextoAlerta::Prueba, lenguaje), cuerpo);
    LabelPrueba->setTextFormat(Qt::PlainText);
    LabelPrueba->setVisible(pAlerta.Es_Prueba());

    ComboBoxPosponer = new QComboBox(cuerpo);
    TUnidadPosponer grupo = TUnidadPosponer::Minutos;
    int seleccion = 0;
    const auto &opciones = pAlerta.Opciones();
    for (int i = 0; i < opciones.size(); ++i) {
        if (opciones[i].pUnidad != grupo) {
            ComboBoxPosponer->insertSeparator(ComboBoxPosponer->count());
            grupo = opciones[i].pUnidad;
        }
        if (i == pAlerta.Indice_Inicial())
            seleccion = ComboBoxPosponer->count();
        ComboBoxPosponer->addItem(opciones[i].psCaption, opciones[i].piMinutos);
    }
    ComboBoxPosponer->setCurrentIndex(seleccion);
    ComboBoxPosponer->setMaxVisibleItems(20);

    BotonPosponer = new QPushButton(Texto_Alerta(TTextoAlerta::Posponer, lenguaje), cuerpo);
    BotonSilencio = new QPushButton(Texto_Alerta(TTextoAlerta::Silencio, lenguaje), cuerpo);
    BotonCerrar = new QPushButton(Texto_Alerta(TTextoAlerta::Cerrar, lenguaje), cuerpo);
    BotonCerrar->setDefault(true);

    auto *filaBotones = new QHBoxLayout;
    filaBotones->setSpacing(8);
    filaBotones->addWidget(ComboBoxPosponer);
    filaBotones->addWidget(BotonPosponer);
    filaBotones->addStretch(1);
    filaBotones->addWidget(BotonSilencio);
    filaBotones->addWidget(BotonCerrar);

    auto *columnaCuerpo = new QVBoxLayout(cuerpo);
    columnaCuerpo->setContentsMargins(14, 12, 14, 12);
    columnaCuerpo->setSpacing(10);
    columnaCuerpo->addWidget(MemoMensaje, 1);
    columnaCuerpo->addWidget(LabelPrueba);
    if (mensaje.isEmpty())
        columnaCuerpo->addStretch(1);
    columnaCuerpo->addLayout(filaBotones);

    auto *ventana = new QVBoxLayout(this);
    ventana->setContentsMargins(0, 0, 0, 0);
    ventana->setSpacing(0);
    ventana->addWidget(cabecera);
    ventana->addWidget(cuerpo, 1);

    connect(BotonPosponer, &QPushButton::clicked, this, &TfrmAlertWindow::BotonPosponerClick);
    connect(BotonSilencio, &QPushButton::clicked, this, &TfrmAlertWindow::BotonSilencioClick);
    connect(BotonCerrar, &QPushButton::clicked, this, &TfrmAlertWindow::BotonCerrarClick);
    ShortcutCerrar = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(ShortcutCerrar, &QShortcut::activated, this, &TfrmAlertWindow::BotonCerrarClick);
    connect(&pAlerta, &TAlerta::Cerrar_Pedido, this, &TfrmAlertWindow::close);
    connect(&pAlerta, &TAlerta::Sonido_Cambio, this, &TfrmAlertWindow::Actualizar_Silencio);
    Actualizar_Silencio();

    pMostrarError = [this](const QString &rsTexto) {
        MessageBoxBeep(this, rsTexto, Caption_Error(), MB_OK);
    };

    // Room for the message, wrapped lines counted, up to a point; longer ones scroll.
    const QFontMetrics medidas(fuenteMensaje);
    const int anchoTexto = ANCHO_INICIAL - 60;
    int lineas = 0;
    for (const QString &linea : mensaje.split(u'\n'))
        lineas += 1 + medidas.horizontalAdvance(linea) / anchoTexto;
    lineas = qBound(3, lineas, MAX_LINEAS_VISIBLES);
    const int alto = cabecera->sizeHint().height() + medidas.lineSpacing() * lineas + 100;
    setMinimumSize(420, 220);
    resize(ANCHO_INICIAL, mensaje.isEmpty() ? cabecera->sizeHint().height() + 90 : alto);
}

void TfrmAlertWindow::Mostrar()
{
    if (const QScreen *pantalla = QGuiApplication::primaryScreen()) {
        const QRect area = pantalla->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    // In front, but the keyboard stays where the user is typing: a key meant for another
    // window must not answer the reminder unseen.
    setAttribute(Qt::WA_ShowWithoutActivating, true);
    show();
    raise();
    // And for the first moment no key or click counts at all (a click or Enter that was
    // already on its way when the window came up).
    Bloquear_Entrada(true);
    QTimer::singleShot(ESPERA_ENTRADA_MS, this, [this] { Bloquear_Entrada(false); });
    Registrar_Evento_Alerta(QStringLiteral("shown ") + pAlerta.Titulo());
}

void TfrmAlertWindow::Bloquear_Entrada(bool rbBloquear)
{
    pbEntradaBloqueada = rbBloquear;
    for (QWidget *w : {static_cast<QWidget *>(ComboBoxPosponer), static_cast<QWidget *>(BotonPosponer),
                       static_cast<QWidget *>(BotonCerrar)})
        w->setEnabled(!rbBloquear);
    ShortcutCerrar->setEnabled(!rbBloquear);
    Actualizar_Silencio();
}

void TfrmAlertWindow::Actualizar_Silencio()
{
    BotonSilencio->setEnabled(!pbEntradaBloqueada && pAlerta.Sonando());
}

void TfrmAlertWindow::BotonPosponerClick()
{
    const int minutos = ComboBoxPosponer->currentData().toInt();
    QString falla;
    switch (pAlerta.Posponer(minutos, Ahora(), &falla)) {
    case TResultadoPosponer::Pospuesto:
    case TResultadoPosponer::Prueba:
        close();
        return;
    case TResultadoPosponer::NoExiste:
        // The reminder was deleted meanwhile: nothing to snooze and nothing created.
        QApplication::beep();
        close();
        return;
    case TResultadoPosponer::Error:
        if (pMostrarError)
            pMostrarError(Texto_Error_Principal(TErrorPrincipal::E219, falla));
        return;
    }
}

void TfrmAlertWindow::BotonSilencioClick()
{
    pAlerta.Silenciar();
}

void TfrmAlertWindow::BotonCerrarClick()
{
    close();
}

void TfrmAlertWindow::closeEvent(QCloseEvent *rEvento)
{
    Registrar_Evento_Alerta(QStringLiteral("closed"));
    pAlerta.Cerrada();
    rEvento->accept();
}
