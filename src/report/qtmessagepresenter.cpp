#include "report/qtmessagepresenter.h"
#include "report/modal.h"

#include "platform/beep.h"

#include <QMessageBox>
#include <QWidget>

void TPresentadorQt::Pitido()
{
    System_Beep();
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
