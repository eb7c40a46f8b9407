// Opens the about box (muestra_acerca en|es) or shows a help page as Qt renders it
// (muestra_acerca --ayuda en|es), for the end-to-end run and its screenshots.

#include "settings/acerca.h"
#include "settings/enlaces.h"
#include "texts/language.h"

#include <QApplication>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList argumentos = app.arguments();
    const bool ayuda = argumentos.size() == 3 && argumentos[1] == QLatin1String("--ayuda");
    const QString lenguaje = argumentos.value(ayuda ? 2 : 1);
    if (lenguaje != QLatin1String("en") && lenguaje != QLatin1String("es"))
        return 1;
    Establecer_Lenguaje(lenguaje == QLatin1String("es") ? 1 : 0);
    if (!ayuda)
        return Abrir_Acerca(nullptr) ? 0 : 1;

    QTextBrowser pagina;
    pagina.setWindowTitle(QStringLiteral("Kestrin help preview"));
    pagina.setSource(QUrl::fromLocalFile(Archivo_Ayuda(Lenguaje_Actual())));
    pagina.resize(900, 720);
    QShortcut cerrar(Qt::Key_Escape, &pagina, &pagina, &QWidget::close);
    pagina.show();
    return app.exec();
}
