// Opens the about box in the language given (muestra_acerca en|es), for the end-to-end
// run and its screenshots. Exits 0 once the box is closed.

#include "settings/acerca.h"
#include "texts/language.h"

#include "../e2e/paletaoscura.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Paleta_Oscura_Si_Pedida();
    const QString lenguaje = app.arguments().value(1);
    if (lenguaje != QLatin1String("en") && lenguaje != QLatin1String("es"))
        return 1;
    Establecer_Lenguaje(lenguaje == QLatin1String("es") ? 1 : 0);
    return Abrir_Acerca(nullptr) ? 0 : 1;
}
