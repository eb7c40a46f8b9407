#include "listasonidos.h"

#include "alerts/soundnames.h"
#include "store/loader.h"

#include <QFileInfo>
#include <QSet>

QStringList Entradas_Lista_Sonidos(const QString &rsCarpetaSonidos, const QString &rsLeyendaSonido)
{
    QStringList entradas;
    // Names compared without regard to letter case, as the listing below matches them:
    // "S3.MP3" is Sound 3, not a file that disappears from both parts of the list.
    QStringList mp3;
    Get_Files(mp3, rsCarpetaSonidos, QStringLiteral("*.mp3"), false, 0);
    QSet<QString> nombres;
    for (const QString &ruta : mp3)
        nombres.insert(QFileInfo(ruta).fileName().toLower());
    for (int n = 1; n <= MAXIMO_SONIDOS_NUMERADOS; ++n)
        if (nombres.contains(u's' + QString::number(n) + QStringLiteral(".mp3")))
            entradas << rsLeyendaSonido + u' ' + QString::number(n);
    for (const char *extension : {"mp3", "wav", "wma", "aiff", "au"}) {
        QStringList archivos;
        Get_Files(archivos, rsCarpetaSonidos, QStringLiteral("*.") + QLatin1String(extension), true, 0);
        for (const QString &ruta : archivos) {
            const QFileInfo info(ruta);
            if (qstrcmp(extension, "mp3") == 0) {
                bool numerado = false;
                for (int n = 1; n <= MAXIMO_SONIDOS_NUMERADOS && !numerado; ++n)
                    numerado = QString::compare(info.fileName(), u's' + QString::number(n) + QStringLiteral(".mp3"),
                                                Qt::CaseInsensitive) == 0;
                if (numerado)
                    continue;
            }
            // Only the last dot's part is the extension: "a.b.WAV" shows as "a.b.wav".
            const QString sufijo = info.suffix();
            const QString nombre = info.fileName();
            entradas << nombre.left(nombre.size() - sufijo.size()) + sufijo.toLower();
        }
    }
    return entradas;
}
