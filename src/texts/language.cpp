#include "texts/language.h"

#include <atomic>

namespace {
std::atomic<int> giLenguaje{0};
}

int Lenguaje_Actual()
{
    return giLenguaje.load();
}

void Establecer_Lenguaje(int riLenguaje)
{
    giLenguaje.store(riLenguaje);
}

int Lenguaje_Desde_Valor(const QString &rsValor)
{
    return rsValor == QLatin1String("1") ? 1 : 0;
}

int Lenguaje_Desde_Nombre_Sistema(const QString &rsNombre)
{
    const QString nombre = rsNombre.left(100).toLower();
    if (nombre.contains(QLatin1String("english")))
        return 0;
    if (nombre.contains(QLatin1String("spanish")))
        return 1;
    if (nombre.contains(QStringLiteral("español")))
        return 1;
    return 0;
}

QString Valor_De_Lenguaje(int riLenguaje)
{
    return riLenguaje == 1 ? QStringLiteral("1") : QStringLiteral("0");
}
