#include "soundnames.h"

#include "store/textforms.h"

QString Convertir_Sound_X_a_sX_mp3(const QString &rsNombre, const QString &rsLeyendaSonido)
{
    for (int n = 1; n <= MAXIMO_SONIDOS_NUMERADOS; ++n) {
        if (Comparar_Ignorando_AZ(rsNombre, rsLeyendaSonido + u' ' + QString::number(n)) == 0)
            return u's' + QString::number(n) + QStringLiteral(".mp3");
    }
    return rsNombre;
}
