#include "report/qtmessagepresenter.h"
#include "report/modal.h"

#include "platform/beep.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>

#include <algorithm>
#include <QWidget>

void TPresentadorQt::Pitido()
{
    System_Beep();
}

// QMessageBox keeps its text about 500 pixels wide and breaks a longer word (a path, an
// address) wherever the line ends, so words that do fit are cut too. A text that needs
// more than that is given the width of its longest word instead, as far as the screen
// allows, and never less than the usual width: narrower, QMessageBox would think the text
// fits on one line, turn wrapping off and cut it at the box's edge.
static void Ancho_Para_Palabras(QMessageBox &fCaja)
{
    constexpr int kAnchoUsual = 500;
    auto *etiqueta = fCaja.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    if (!etiqueta)
        return;
    const QFontMetrics medidas(etiqueta->font());
    int linea = 0;
    for (const QString &l : fCaja.text().split(QLatin1Char('\n')))
        linea = std::max(linea, medidas.horizontalAdvance(l));
    if (linea <= kAnchoUsual)
        return;
    int ancho = kAnchoUsual;
    for (const QString &palabra : fCaja.text().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
        ancho = std::max(ancho, medidas.horizontalAdvance(palabra));
    const QScreen *pantalla = fCaja.screen() ? fCaja.screen() : QGuiApplication::primaryScreen();
    if (pantalla)
        ancho = std::min(ancho, pantalla->availableGeometry().width() * 9 / 10 - 100);
    etiqueta->setMinimumWidth(std::max(ancho, 0) + 2);
}

int TPresentadorQt::Mostrar(QObject *rOwner, const QString &rsTitulo, const QString &rsTexto, int riIcono,
                            int rBotones)
{
    QMessageBox::Icon icono = QMessageBox::NoIcon;
    if (riIcono == MB_ICONERROR)
        icono = QMessageBox::Critical;
    else if (riIcono == MB_ICONQUESTION)
        icono = QMessageBox::Question;
    else if (riIcono == MB_ICONINFORMATION)
        icono = QMessageBox::Information;
    // Texts break lines with CR; a label wants LF.
    QString texto = rsTexto;
    texto.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QMessageBox::StandardButtons botones =
        rBotones == MB_OKCANCEL ? (QMessageBox::Ok | QMessageBox::Cancel) : QMessageBox::Ok;
    QMessageBox caja(icono, rsTitulo, texto, botones, qobject_cast<QWidget *>(rOwner));
    caja.setTextFormat(Qt::PlainText);
    Ancho_Para_Palabras(caja);
    caja.setDefaultButton(QMessageBox::Ok);
    if (rBotones == MB_OKCANCEL)
        caja.setEscapeButton(QMessageBox::Cancel);
    return Ejecutar_Modal(caja) == QMessageBox::Ok ? IDOK : (rBotones == MB_OKCANCEL ? IDCANCEL : IDOK);
}

void Instalar_Presentador_Qt()
{
    static TPresentadorQt presentador;
    Establecer_Presentador(&presentador);
}
