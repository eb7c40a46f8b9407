// Opens the real wizard on the display for screenshots: "mostrar_asistente en|es tipo|horas|mensual|tres".
// The hourly page shows a list of times; the alert page a filled-in name and message.

#include "editor/agregartarea.h"
#include "report/qtmessagepresenter.h"
#include "store/daycount.h"

#include "../e2e/paletaoscura.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    Paleta_Oscura_Si_Pedida();
    if (args.size() < 3)
        return 1;
    Instalar_Presentador_Qt();
    TContextoAsistente c;
    c.pCarpetas = Calcular_Carpetas();
    Preparar_Carpetas(c.pCarpetas);
    c.piLenguaje = args[1] == QStringLiteral("es") ? 1 : 0;
    TConfiguracion configuracion;
    configuracion.psDefaultSound = QStringLiteral("s1.mp3");
    c.pConfiguracion = &configuracion;
    TfrmAgregarTarea f(nullptr, c);
    f.Inicializar(-1);
    f.show();
    const QString pagina = args[2];
    auto click = [&f](const char *rsNombre) { f.findChild<QAbstractButton *>(QLatin1String(rsNombre))->click(); };
    if (pagina == QStringLiteral("horas")) {
        click("RadioButtonUnoPorHoras");
        click("BitBtnSiguiente");
        click("RadioButtonDos6Hours");
        for (QTime h : {QTime(9, 0), QTime(13, 30), QTime(18, 15)}) {
            f.findChild<QTimeEdit *>(QStringLiteral("DateTimePickerDos6Hora"))->setTime(h);
            click("BitBtnDos6Agregar");
        }
        click("CheckBoxDos6Lun");
        click("CheckBoxDos6Mie");
        click("CheckBoxDos6Vie");
    } else if (pagina == QStringLiteral("mensual")) {
        click("RadioButtonUnoMensualmente");
        click("BitBtnSiguiente");
        click("BitBtnDos4TodosMeses");
        click("CheckBoxDos4d15");
        click("CheckBoxDos4dUltimo");
    } else if (pagina == QStringLiteral("tres")) {
        click("RadioButtonUnoSemanalmente");
        click("BitBtnSiguiente");
        click("CheckBoxDos3Lun");
        click("BitBtnSiguiente");
        f.findChild<QLineEdit *>(QStringLiteral("EditTresTituloTarea"))->setText(QStringLiteral("Team meeting"));
        f.findChild<QPlainTextEdit *>(QStringLiteral("MemoTresMensaje"))
            ->setPlainText(QStringLiteral("Room 4\nBring the slides"));
    }
    return app.exec();
}
