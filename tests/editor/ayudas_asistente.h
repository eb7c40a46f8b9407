#pragma once
// What the wizard's widget tests share: a private folder tree, a recording preview player,
// and finding the wizard's controls by name.

#include "alerts/previewplayer.h"
#include "editor/agregartarea.h"
#include "platform/folders.h"

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

// Records what the wizard asks of the preview player; "playing" until stopped.
class TReproductorGrabador : public TReproductorInterno {
public:
    bool Play_Audio_Interno(QWidget *, const QString &rsFile, bool rbLoop, bool rbMostrarError) override
    {
        paEventos << QStringLiteral("play %1 loop=%2 errors=%3").arg(QDir(rsFile).dirName()).arg(rbLoop).arg(rbMostrarError);
        pbSonando = true;
        return true;
    }
    void Stop_Audio_Interno() override
    {
        pbSonando = false;
        ++piParadas;
    }
    void Loop_Audio_Interno(bool rbLoop) override
    {
        paEventos << QStringLiteral("loop=%1").arg(rbLoop);
    }
    QStringList paEventos;
    bool pbSonando = false;
    int piParadas = 0;
};

// Folders of their own for one test: data, common (sounds), temp; the program folder is
// where the build puts kestrin and AlertWindow.
struct TEntornoAsistente {
    QTemporaryDir pDir;
    TCarpetas pCarpetas;
    TEntornoAsistente(const QString &rsCarpetaPrograma)
    {
        const QString raiz = pDir.path() + QLatin1Char('/');
        pCarpetas.psEXEPath = rsCarpetaPrograma;
        pCarpetas.psAppDataAllUsers = raiz + QStringLiteral("common/Kestrin/");
        pCarpetas.psAppDataSoundsAllUsers = pCarpetas.psAppDataAllUsers + QStringLiteral("Sounds/");
        pCarpetas.psAppDataDefaultAllUsers = pCarpetas.psAppDataAllUsers + QStringLiteral("Default/");
        pCarpetas.psAppDataLocal = raiz + QStringLiteral("data/Kestrin/");
        pCarpetas.psAppDataSystemLocal = pCarpetas.psAppDataLocal + QStringLiteral("System/");
        pCarpetas.psUserTempDir = raiz + QStringLiteral("tmp/");
        for (const QString &c : {pCarpetas.psAppDataSoundsAllUsers, pCarpetas.psAppDataSystemLocal, pCarpetas.psUserTempDir})
            QDir().mkpath(c);
    }
    QString Raiz() const { return pDir.path(); }
    QStringList Archivos_Datos() const
    {
        return QDir(pCarpetas.psAppDataSystemLocal).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
};

template <class T> T *Control(QObject *rRaiz, const char *rsNombre)
{
    T *w = rRaiz->findChild<T *>(QLatin1String(rsNombre));
    if (!w)
        qFatal("no control %s", rsNombre);
    return w;
}
