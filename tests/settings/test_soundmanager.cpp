// The sound library and its manager on a temporary sounds folder: what is listed and
// how, add, delete, restore, set as default, letter case, and that nothing outside
// the two sounds folders is ever deleted or overwritten.

#include "alerts/previewplayer.h"
#include "report/messagerecorder.h"
#include "settings/registry.h"
#include "settings/soundlibrary.h"
#include "store/renames.h"
#include "settings/soundmanager.h"
#include "tempxdg.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QTimer>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QScopeGuard>

#include <memory>

namespace {

// The preview player as the manager drives it: every call recorded.
class TReproductorRegistrado : public TReproductorInterno {
public:
    bool Play_Audio_Interno(QWidget *, const QString &rsFile, bool rbLoop, bool rbMostrarError) override
    {
        paLlamadas << QStringLiteral("play %1 loop=%2 errors=%3").arg(rsFile).arg(rbLoop).arg(rbMostrarError);
        return true;
    }
    void Stop_Audio_Interno() override { paLlamadas << QStringLiteral("stop"); }
    QStringList paLlamadas;
};

void Crear_Archivo(const QString &rsRuta, const QByteArray &rContenido = "sound")
{
    TCarpetasXdgTemporales::Escribir(rsRuta, rContenido);
}

QStringList Archivos(const QString &rsCarpeta)
{
    return QDir(rsCarpeta).entryList(QDir::Files | QDir::System | QDir::Hidden, QDir::Name);
}

} // namespace

class TestSoundManager : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void listing_data();
    void listing();
    void defaultLabel_data();
    void defaultLabel();
    void emptyFolder();
    void unreadableFolder();
    void addFile_data();
    void addFile();
    void addExisting_data();
    void addExisting();
    void deleteSystemSoundThenRestore();
    void deleteOtherSound();
    void deleteCancelled();
    void deleteDefault();
    void deleteMissingFile();
    void refusedOutside_data();
    void refusedOutside();
    void linkedFoldersRefused_data();
    void linkedFoldersRefused();
    void restoreRules();
    void restoreNothing();
    void setAsDefault();
    void playAndStop();
    void nothingSelected();
    void rightClickSelects();
    void secondRequestIgnored();

private:
    void Abrir(int riLenguaje = 0);
    QListWidget *Lista() { return pDialogo->findChild<QListWidget *>(QStringLiteral("ListBox")); }
    QPushButton *Boton(const char *rsNombre) { return pDialogo->findChild<QPushButton *>(QLatin1String(rsNombre)); }
    QString Etiqueta() { return pDialogo->findChild<QLabel *>(QStringLiteral("LabelSonidoPredeterminado"))->text(); }
    QStringList Entradas()
    {
        QStringList r;
        for (int i = 0; i < Lista()->count(); ++i)
            r << Lista()->item(i)->text();
        return r;
    }
    void Elegir(const QString &rsNombre)
    {
        const auto items = Lista()->findItems(rsNombre, Qt::MatchExactly);
        QCOMPARE(items.size(), 1);
        Lista()->setCurrentItem(items.first());
    }
    QString S(const QString &rsNombre) const { return pCarpetas.sSonidos + rsNombre; }
    QString D(const QString &rsNombre) const { return pCarpetas.sRestaurar + rsNombre; }

    std::unique_ptr<TCarpetasXdgTemporales> pXdg;
    std::unique_ptr<TGrabadorMensajes> pCajas;
    TReproductorRegistrado pReproductor;
    TCarpetasSonidos pCarpetas;
    QString psDefault;
    QString psElegido; // what the file dialog answers
    QStringList paDefaultsAvisados;
    TContextoSonidos pContexto;
    std::unique_ptr<TfrmCambiarSonido> pDialogo;
};

void TestSoundManager::init()
{
    pXdg = std::make_unique<TCarpetasXdgTemporales>();
    pCajas = std::make_unique<TGrabadorMensajes>();
    pCarpetas.sSonidos = pXdg->Comun() + QStringLiteral("/Kestrin/Sounds/");
    pCarpetas.sRestaurar = pXdg->Comun() + QStringLiteral("/Kestrin/Default/");
    QDir().mkpath(pCarpetas.sSonidos);
    psDefault = QStringLiteral("s1.mp3");
    psElegido.clear();
    paDefaultsAvisados.clear();
    pReproductor.paLlamadas.clear();
    pContexto = TContextoSonidos();
    pContexto.aCarpetas = pCarpetas;
    pContexto.pDefaultSound = &psDefault;
    pContexto.pReproductor = &pReproductor;
    pContexto.Default_Cambiado = [this](const QString &rs) { paDefaultsAvisados << rs; };
    pContexto.Elegir_Archivo = [this](QWidget *, const QString &, const QString &) { return psElegido; };
}

void TestSoundManager::cleanup()
{
    pDialogo.reset();
    pCajas.reset();
    pXdg.reset();
}

void TestSoundManager::Abrir(int riLenguaje)
{
    pDialogo.reset();
    pContexto.iLenguaje = riLenguaje;
    pDialogo = std::make_unique<TfrmCambiarSonido>(nullptr, pContexto);
    QVERIFY(pDialogo->Inicializar(Titulo_Manejador_Sonidos(riLenguaje)));
    pDialogo->show();
}

void TestSoundManager::listing_data()
{
    QTest::addColumn<QStringList>("archivos");
    QTest::addColumn<int>("lenguaje");
    QTest::addColumn<QStringList>("lista");
    const QStringList mezcla{"s10.mp3", "s2.mp3", "s1.mp3", "Bell.WAV", "horn.aiff", "Beep.au", "zeta.mp3",
                             "Alpha.MP3", "notes.txt", "s51.mp3", "s01.mp3", "S3.mp3", "chime.wma"};
    QTest::newRow("english") << mezcla << 0
                             << QStringList{"Sound 1", "Sound 2", "Sound 3", "Sound 10", "Alpha.mp3", "s01.mp3",
                                            "s51.mp3", "zeta.mp3", "Bell.wav", "chime.wma", "horn.aiff", "Beep.au"};
    QTest::newRow("spanish") << QStringList{"s7.mp3", "Ñandú ring.mp3", "año nuevo.wav"} << 1
                             << QStringList{"Sonido 7", "Ñandú ring.mp3", "año nuevo.wav"};
    QTest::newRow("hidden and folders left out") << QStringList{".hidden.mp3", "s4.mp3"} << 0 << QStringList{"Sound 4"};
}

void TestSoundManager::listing()
{
    QFETCH(QStringList, archivos);
    QFETCH(int, lenguaje);
    QFETCH(QStringList, lista);
    for (const QString &a : archivos)
        Crear_Archivo(S(a));
    QDir().mkpath(S(QStringLiteral("folder.mp3")));
    Abrir(lenguaje);
    QCOMPARE(Entradas(), lista);
    QCOMPARE(Lista()->currentRow(), 0);
    QCOMPARE(pDialogo->windowTitle(), lenguaje == 1 ? QStringLiteral("Manejador de Sonidos")
                                                    : QStringLiteral("Sound Manager"));
    // Every listed name leads back to its file.
    for (const QString &n : lista)
        QVERIFY2(!Ruta_De_Nombre_Mostrado(pCarpetas.sSonidos, n, lenguaje == 1 ? "Sonido" : "Sound").isEmpty(),
                 qPrintable(n));
}

void TestSoundManager::defaultLabel_data()
{
    QTest::addColumn<QString>("archivo");
    QTest::addColumn<QString>("predeterminado");
    QTest::addColumn<int>("lenguaje");
    QTest::addColumn<QString>("etiqueta");
    QTest::newRow("numbered") << "s3.mp3" << "s3.mp3" << 0 << "Default Sound: Sound 3";
    QTest::newRow("other case, spanish") << "s3.mp3" << "S3.MP3" << 1 << "Sonido Predeterminado: Sonido 3";
    QTest::newRow("user file as stored") << "Bell.WAV" << "Bell.WAV" << 0 << "Default Sound: Bell.WAV";
    QTest::newRow("gone") << "s2.mp3" << "s3.mp3" << 0 << "Default Sound: none";
    QTest::newRow("gone, spanish") << "s2.mp3" << "s9.mp3" << 1 << "Sonido Predeterminado: ninguno";
    QTest::newRow("outside name") << "s2.mp3" << "../Default/s2.mp3" << 0 << "Default Sound: none";
    QTest::newRow("empty") << "s2.mp3" << "" << 0 << "Default Sound: none";
}

void TestSoundManager::defaultLabel()
{
    QFETCH(QString, archivo);
    QFETCH(QString, predeterminado);
    QFETCH(int, lenguaje);
    QFETCH(QString, etiqueta);
    Crear_Archivo(S(archivo));
    Crear_Archivo(D(QStringLiteral("s2.mp3")));
    psDefault = predeterminado;
    Abrir(lenguaje);
    QCOMPARE(Etiqueta(), etiqueta);
    const bool hay = !etiqueta.endsWith(QStringLiteral("none")) && !etiqueta.endsWith(QStringLiteral("ninguno"));
    QCOMPARE(Boton("BitBtnPlayPredeterminado")->isEnabled(), hay);
    QCOMPARE(Boton("BitBtnStopPredeterminado")->isEnabled(), hay);
}

void TestSoundManager::emptyFolder()
{
    Abrir();
    QCOMPARE(Lista()->count(), 0);
    for (const char *b : {"BitBtnPlay", "BitBtnStop", "BitBtnBorrar", "BitBtnUsarComoPredeterminado"})
        QVERIFY2(!Boton(b)->isEnabled(), b);
    QVERIFY(Boton("BitBtnAgregar")->isEnabled());
    QCOMPARE(Etiqueta(), QStringLiteral("Default Sound: none"));
    // A missing folder lists nothing either, without an error.
    QDir(pCarpetas.sSonidos).removeRecursively();
    Abrir();
    QCOMPARE(Lista()->count(), 0);
    QVERIFY(pCajas->paCajas.isEmpty());
}

void TestSoundManager::unreadableFolder()
{
    TCarpetasXdgTemporales::Bloquear_Con_Archivo(pCarpetas.sSonidos.chopped(1)); // a file where the folder should be
    pDialogo = std::make_unique<TfrmCambiarSonido>(nullptr, pContexto);
    QVERIFY(!pDialogo->Inicializar(QStringLiteral("Sound Manager")));
    QCOMPARE(pCajas->paCajas.size(), 1);
    QVERIFY2(pCajas->paCajas[0].sTexto.startsWith(QStringLiteral("Error 500\r")), qPrintable(pCajas->paCajas[0].sTexto));
    QCOMPARE(pCajas->paCajas[0].iIcono, MB_ICONERROR);
}

void TestSoundManager::addFile_data()
{
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QString>("alReabrir");
    QTest::addColumn<unsigned>("rechazos"); // what the file system refuses
    QTest::newRow("upper-case extension") << "Bell.WAV" << "Bell.wav" << 0u;
    QTest::newRow("blanks and accents") << "Canción de cuna.mp3" << "Canción de cuna.mp3" << 0u;
    QTest::newRow("numbered name") << "s7.mp3" << "Sound 7" << 0u;
    QTest::newRow("aiff") << "Horn.aiff" << "Horn.aiff" << 0u;
    QTest::newRow("no hard links (vfat)") << "Bell.wav" << "Bell.wav" << unsigned(RECHAZAR_ENLACE);
    QTest::newRow("no links, no exclusive rename")
        << "Bell.wav" << "Bell.wav" << unsigned(RECHAZAR_ENLACE | RECHAZAR_RENOMBRAR_EXCL);
}

void TestSoundManager::addFile()
{
    QFETCH(QString, nombre);
    QFETCH(QString, alReabrir);
    QFETCH(unsigned, rechazos);
    Simular_Rechazos_Sistema_Archivos(rechazos);
    const auto restaurar = qScopeGuard([] { Simular_Rechazos_Sistema_Archivos(0); });
    Crear_Archivo(S(QStringLiteral("s1.mp3")));
    QTemporaryDir fuera;
    psElegido = fuera.filePath(nombre);
    Crear_Archivo(psElegido, "RIFF-data");
    Abrir();
    QTest::mouseClick(Boton("BitBtnAgregar"), Qt::LeftButton);
    QVERIFY2(pCajas->paCajas.isEmpty(), qPrintable(pCajas->paCajas.value(0).sTexto));
    QCOMPARE(Entradas().last(), nombre);
    QCOMPARE(Lista()->currentItem()->text(), nombre);
    QCOMPARE(pReproductor.paLlamadas.first(), QStringLiteral("stop"));
    QCOMPARE(TCarpetasXdgTemporales::Leer(S(nombre)), QByteArray("RIFF-data"));
    QVERIFY(QFile::exists(psElegido)); // copied, not moved
    QVERIFY(!Archivos(pCarpetas.sSonidos).join(' ').contains(QStringLiteral(".kestrin-copy")));
    Abrir();
    QVERIFY2(Entradas().contains(alReabrir), qPrintable(Entradas().join('|')));
    // And it plays under its shown name.
    Elegir(alReabrir);
    QTest::mouseClick(Boton("BitBtnPlay"), Qt::LeftButton);
    QCOMPARE(pReproductor.paLlamadas.last(), QStringLiteral("play %1 loop=0 errors=1").arg(S(nombre)));
}

void TestSoundManager::addExisting_data()
{
    QTest::addColumn<QString>("existente");
    QTest::addColumn<QString>("nombre");
    QTest::newRow("same name") << "Bell.wav" << "Bell.wav";
    QTest::newRow("other case") << "bell.WAV" << "Bell.wav";
    QTest::newRow("numbered, other case") << "S7.mp3" << "s7.mp3";
}

void TestSoundManager::addExisting()
{
    QFETCH(QString, existente);
    QFETCH(QString, nombre);
    Crear_Archivo(S(existente), "old");
    QTemporaryDir fuera;
    psElegido = fuera.filePath(nombre);
    Crear_Archivo(psElegido, "new");
    Abrir();
    const QStringList antes = Entradas();
    QTest::mouseClick(Boton("BitBtnAgregar"), Qt::LeftButton);
    QCOMPARE(pCajas->paCajas.size(), 1);
    QCOMPARE(pCajas->paCajas[0].sTexto, QStringLiteral("File already exists"));
    QCOMPARE(TCarpetasXdgTemporales::Leer(S(existente)), QByteArray("old"));
    QCOMPARE(Entradas(), antes);
    QCOMPARE(Archivos(pCarpetas.sSonidos), QStringList{existente});
    // Cancelling the file dialog does nothing at all.
    psElegido.clear();
    QTest::mouseClick(Boton("BitBtnAgregar"), Qt::LeftButton);
    QCOMPARE(pCajas->paCajas.size(), 1);
}

void TestSoundManager::deleteSystemSoundThenRestore()
{
    for (const char *a : {"s1.mp3", "s3.mp3", "s12.mp3"})
        Crear_Archivo(S(QLatin1String(a)), a);
    Crear_Archivo(D(QStringLiteral("s3.mp3")), "older copy");
    Abrir(1);
    Elegir(QStringLiteral("Sonido 3"));
    QTest::mouseClick(Boton("BitBtnBorrar"), Qt::LeftButton);
    QCOMPARE(pCajas->paCajas.size(), 1);
    QCOMPARE(pCajas->paCajas[0].sTexto, QStringLiteral("¿Estás seguro de borrar el archivo Sonido 3?"));
    QCOMPARE(pCajas->paCajas[0].iBotones, MB_OKCANCEL);
    QCOMPARE(Entradas(), (QStringList{"Sonido 1", "Sonido 12"}));
    QVERIFY(!QFile::exists(S(QStringLiteral("s3.mp3"))));
    QCOMPARE(TCarpetasXdgTemporales::Leer(D(QStringLiteral("s3.mp3"))), QByteArray("s3.mp3")); // replaced
    QTest::mouseClick(Boton("BitBtnRestaurarSonidosDelSistema"), Qt::LeftButton);
    QCOMPARE(pCajas->paCajas.size(), 3);
    QCOMPARE(pCajas->paCajas[1].sTexto, QStringLiteral("¿Quieres restaurar los sonidos del sistema?"));
    QCOMPARE(pCajas->paCajas[2].sTexto, QStringLiteral("Los archivos de sonido fueron restaurados"));
    QCOMPARE(pCajas->paCajas[2].iIcono, MB_ICONINFORMATION);
    QCOMPARE(Entradas(), (QStringList{"Sonido 1", "Sonido 3", "Sonido 12"}));
    QCOMPARE(TCarpetasXdgTemporales::Leer(S(QStringLiteral("s3.mp3"))), QByteArray("s3.mp3"));
    QVERIFY(Archivos(pCarpetas.sRestaurar).isEmpty());
}

void TestSoundManager::deleteOtherSound()
{
    Crear_Archivo(S(QStringLiteral("s1.mp3")));
    Crear_Archivo(S(QStringLiteral("Big Ben.WAV")));
    Abrir();
    Elegir(QStringLiteral("Big Ben.wav"));
    QTest::mouseClick(Boton("BitBtnBorrar"), Qt::LeftButton);
    QCOMPARE(pCajas->paCajas.value(0).sTexto, QStringLiteral("Are you sure you want to delete Big Ben.wav?"));
    QCOMPARE(Archivos(pCarpetas.sSonidos), QStringList{"s1.mp3"});
    QVERIFY(!QFileInfo::exists(pCarpetas.sRestaurar + QStringLiteral("Big Ben.WAV")));
    QCOMPARE(Entradas(), QStringList{"Sound 1"});
}

void TestSoundManager::deleteCancelled()
{
    Crear_Archivo(S(QStringLiteral("s1.mp3")));
    Crear_Archivo(S(QStringLiteral("x.au")));
    pCajas->piRespuesta = IDCANCEL;
    Abrir();
    for (const QString &n : {QStringLiteral("Sound 1"), QStringLiteral("x.au")}) {
        Elegir(n);
        QTest::mouseClick(Boton("BitBtnBorrar"), Qt::LeftButton);
    }
    QCOMPARE(pCajas->paCajas.size(), 2);
    QCOMPARE(Archivos(pCarpetas.sSonidos), (QStringList{"s1.mp3", "x.au"}));
    QCOMPARE(Entradas(), (QStringList{"Sound 1", "x.au"}));
}

void TestSoundManager::deleteDefault()
{
    Crear_Archivo(S(QStringLiteral("s1.mp3")));
    Crear_Archivo(S(QStringLiteral("s2.mp3")));
    Abrir();
    QCOMPARE(Etiqueta(), QStringLiteral("Default Sound: Sound 1"));
    Elegir(QStringLiteral("Sound 1"));
    QTest::mouseClick(Boton("BitBtnBorrar"), Qt::LeftButton);
    QCOMPARE(pCajas->paCajas.value(0).sTexto,
             QStringLiteral("This file is the default sound\r\rAre you sure you want to delete Sound 1?"));
    QCOMPARE(Etiqueta(), QStringLiteral("Default Sound: none"));
    QVERIFY(!Boton("BitBtnPlayPredeterminado")->isEnabled());
    // The setting still names the file; it is only gone from the folder.
    QCOMPARE(psDefault, QStringLiteral("s1.mp3"));
    QVERIFY(QFile::exists(D(QStringLiteral("s1.mp3"))));
}

void TestSoundManager::deleteMissingFile()
{
    Crear_Archivo(S(QStringLiteral("s1.mp3")));
    Crear_Archivo(S(QStringLiteral("gone.mp3")));
    Abrir();
    QFile::remove(S(QStringLiteral("gone.mp3")));
    Elegir(QStringLiteral("gone.mp3"));
    QTest::mouseClick(Boton("BitBtnBorrar"), Qt::LeftButton);
    QVERIFY(pCajas->paCajas.isEmpty()); // no question
    QCOMPARE(Entradas(), QStringList{"Sound 1"});
}

void TestSoundManager::refusedOutside_data()
{
    QTest::addColumn<QString>("caso");
    QTest::newRow("link to a file elsewhere, numbered") << "numbered";
    QTest::newRow("link to a file elsewhere") << "other";
}

void TestSoundManager::refusedOutside()
{
    QFETCH(QString, caso);
    QTemporaryDir fuera;
    const QString victima = fuera.filePath(QStringLiteral("precious.mp3"));
    Crear_Archivo(victima, "keep me");
    const QString enlace = caso == QLatin1String("numbered") ? S(QStringLiteral("s5.mp3")) : S(QStringLiteral("link.mp3"));
    QVERIFY(QFile::link(victima, enlace));
    Abrir();
    Elegir(caso == QLatin1String("numbered") ? QStringLiteral("Sound 5") : QStringLiteral("link.mp3"));
    QTest::mouseClick(Boton("BitBtnBorrar"), Qt::LeftButton);
    QCOMPARE(pCajas->paCajas.size(), 2);
    const QString esperado = caso == QLatin1String("numbered") ? QStringLiteral("Error 501\r") : QStringLiteral("Error 503\r");
    QVERIFY2(pCajas->paCajas[1].sTexto.startsWith(esperado + QStringLiteral("Not inside the sounds folder\r")),
             qPrintable(pCajas->paCajas[1].sTexto));
    QCOMPARE(TCarpetasXdgTemporales::Leer(victima), QByteArray("keep me"));
    QVERIFY(QFileInfo(enlace).isSymLink());
    QCOMPARE(Lista()->count(), 1);

    // The same rules without a window: paths that are not files of the sounds folder.
    QVERIFY(!Ruta_Dentro_De_Sonidos(pCarpetas, pCarpetas.sSonidos, S(QStringLiteral("../x.mp3"))));
    QVERIFY(!Ruta_Dentro_De_Sonidos(pCarpetas, pCarpetas.sSonidos, victima));
    QVERIFY(!Ruta_Dentro_De_Sonidos(pCarpetas, pCarpetas.sSonidos, enlace));
    QCOMPARE(Borrar_Archivo_Sonido(pCarpetas, S(QStringLiteral("../Sounds/../../x.mp3"))), TResultadoSonido::Fuera);
    QVERIFY(Buscar_Archivo_Sonido(pCarpetas.sSonidos, QStringLiteral("../Sounds/s5.mp3")).isEmpty());
    QString nombre;
    QCOMPARE(Agregar_Archivo_Sonido(pCarpetas, fuera.path() + QStringLiteral("/.."), nombre), TResultadoSonido::Fuera);
    // A link that stays inside the library may go (only the link is removed).
    Crear_Archivo(D(QStringLiteral("s9.mp3")), "nine");
    QVERIFY(QFile::link(D(QStringLiteral("s9.mp3")), S(QStringLiteral("inside.mp3"))));
    QCOMPARE(Borrar_Archivo_Sonido(pCarpetas, S(QStringLiteral("inside.mp3"))), TResultadoSonido::Ok);
    QCOMPARE(TCarpetasXdgTemporales::Leer(D(QStringLiteral("s9.mp3"))), QByteArray("nine"));
}

// A sounds folder (or the restore folder) that is a symbolic link is refused as a whole:
// nothing is deleted, moved or added through it.
void TestSoundManager::linkedFoldersRefused_data()
{
    QTest::addColumn<bool>("sonidos");
    QTest::newRow("Sounds is a link") << true;
    QTest::newRow("Default is a link") << false;
}

void TestSoundManager::linkedFoldersRefused()
{
    QFETCH(bool, sonidos);
    QTemporaryDir fuera;
    const QString real = fuera.filePath(QStringLiteral("real"));
    QVERIFY(QDir().mkpath(real));
    Crear_Archivo(real + QStringLiteral("/s5.mp3"), "keep me");
    const QString enlazada = QDir::cleanPath(sonidos ? pCarpetas.sSonidos : pCarpetas.sRestaurar);
    QDir(enlazada).removeRecursively();
    QVERIFY(QFile::link(real, enlazada));
    if (!sonidos)
        Crear_Archivo(S(QStringLiteral("s5.mp3")), "five");
    QCOMPARE(Borrar_Archivo_Sonido(pCarpetas, S(QStringLiteral("s5.mp3"))), TResultadoSonido::Fuera);
    QCOMPARE(Retirar_Sonido_Del_Sistema(pCarpetas, S(QStringLiteral("s5.mp3")), 5), TResultadoSonido::Fuera);
    const QString nuevo = fuera.filePath(QStringLiteral("new.mp3"));
    Crear_Archivo(nuevo, "new");
    QString nombre;
    QCOMPARE(Agregar_Archivo_Sonido(pCarpetas, nuevo, nombre), TResultadoSonido::Fuera);
    QCOMPARE(TCarpetasXdgTemporales::Leer(real + QStringLiteral("/s5.mp3")), QByteArray("keep me"));
    QCOMPARE(QDir(real).entryList(QDir::Files), QStringList{QStringLiteral("s5.mp3")});
}

void TestSoundManager::restoreRules()
{
    QTemporaryDir fuera;
    Crear_Archivo(fuera.filePath(QStringLiteral("secret.mp3")), "secret");
    Crear_Archivo(S(QStringLiteral("s2.mp3")), "current");
    Crear_Archivo(D(QStringLiteral("s2.mp3")), "restored");
    Crear_Archivo(D(QStringLiteral("S3.mp3")), "wrong case");
    Crear_Archivo(D(QStringLiteral("s04.mp3")), "leading zero");
    Crear_Archivo(D(QStringLiteral("s51.mp3")), "beyond fifty");
    Crear_Archivo(D(QStringLiteral("mine.mp3")), "mine");
    QVERIFY(QFile::link(fuera.filePath(QStringLiteral("secret.mp3")), D(QStringLiteral("s6.mp3"))));
    Abrir();
    QTest::mouseClick(Boton("BitBtnRestaurarSonidosDelSistema"), Qt::LeftButton);
    // Question, the refused link (504), and no success message.
    QCOMPARE(pCajas->paCajas.size(), 2);
    QVERIFY2(pCajas->paCajas[1].sTexto.startsWith(QStringLiteral("Error 504\r")), qPrintable(pCajas->paCajas[1].sTexto));
    QVERIFY(pCajas->paCajas[1].sTexto.endsWith(D(QStringLiteral("s6.mp3"))));
    QCOMPARE(TCarpetasXdgTemporales::Leer(S(QStringLiteral("s2.mp3"))), QByteArray("restored"));
    QCOMPARE(Archivos(pCarpetas.sRestaurar), (QStringList{"S3.mp3", "mine.mp3", "s04.mp3", "s51.mp3", "s6.mp3"}));
    QCOMPARE(Archivos(pCarpetas.sSonidos), QStringList{"s2.mp3"});
    QCOMPARE(TCarpetasXdgTemporales::Leer(fuera.filePath(QStringLiteral("secret.mp3"))), QByteArray("secret"));
    QCOMPARE(Entradas(), QStringList{"Sound 2"});
}

void TestSoundManager::restoreNothing()
{
    Crear_Archivo(S(QStringLiteral("s1.mp3")));
    Abrir();
    // No restore folder: said at once, nothing asked.
    QTest::mouseClick(Boton("BitBtnRestaurarSonidosDelSistema"), Qt::LeftButton);
    QCOMPARE(pCajas->paCajas.size(), 1);
    QCOMPARE(pCajas->paCajas[0].sTexto, QStringLiteral("There are no files to restore"));
    // A restore folder without numbered sounds: asked, then told.
    Crear_Archivo(D(QStringLiteral("S1.mp3")));
    QTest::mouseClick(Boton("BitBtnRestaurarSonidosDelSistema"), Qt::LeftButton);
    QCOMPARE(pCajas->paCajas.size(), 3);
    QCOMPARE(pCajas->paCajas[1].iIcono, MB_ICONQUESTION);
    QCOMPARE(pCajas->paCajas[2].sTexto, QStringLiteral("There are no files to restore"));
    // Cancelled: nothing moves.
    Crear_Archivo(D(QStringLiteral("s8.mp3")));
    pCajas->piRespuesta = IDCANCEL;
    QTest::mouseClick(Boton("BitBtnRestaurarSonidosDelSistema"), Qt::LeftButton);
    QVERIFY(QFile::exists(D(QStringLiteral("s8.mp3"))));
    QCOMPARE(Entradas(), QStringList{"Sound 1"});
}

void TestSoundManager::setAsDefault()
{
    Crear_Archivo(S(QStringLiteral("s1.mp3")));
    Crear_Archivo(S(QStringLiteral("Bell.WAV")));
    Abrir();
    Elegir(QStringLiteral("Bell.wav"));
    pCajas->piRespuesta = IDCANCEL;
    QTest::mouseClick(Boton("BitBtnUsarComoPredeterminado"), Qt::LeftButton);
    QCOMPARE(psDefault, QStringLiteral("s1.mp3"));
    QVERIFY(paDefaultsAvisados.isEmpty());
    pCajas->piRespuesta = IDOK;
    QTest::mouseClick(Boton("BitBtnUsarComoPredeterminado"), Qt::LeftButton);
    QCOMPARE(pCajas->paCajas.last().sTexto, QStringLiteral("Set as default: Bell.wav?"));
    // The name on disk is what the players will look for.
    QCOMPARE(psDefault, QStringLiteral("Bell.WAV"));
    QCOMPARE(Leer_Registry(HKEY_CURRENT_USER, LLAVE_KESTRIN, QStringLiteral("DefaultSound"), QString()),
             QStringLiteral("Bell.WAV"));
    QCOMPARE(paDefaultsAvisados, QStringList{"Bell.WAV"});
    QCOMPARE(Etiqueta(), QStringLiteral("Default Sound: Bell.wav"));
    QTest::mouseClick(Boton("BitBtnPlayPredeterminado"), Qt::LeftButton);
    QCOMPARE(pReproductor.paLlamadas.last(), QStringLiteral("play %1 loop=0 errors=1").arg(S("Bell.WAV")));
    // The file vanishes: playing the default switches the label to none, silently.
    QFile::remove(S(QStringLiteral("Bell.WAV")));
    const int cajas = pCajas->paCajas.size();
    QTest::mouseClick(Boton("BitBtnPlayPredeterminado"), Qt::LeftButton);
    QCOMPARE(Etiqueta(), QStringLiteral("Default Sound: none"));
    QCOMPARE(pCajas->paCajas.size(), cajas);
    // Set as default on the vanished entry: file not found, nothing stored.
    QTest::mouseClick(Boton("BitBtnUsarComoPredeterminado"), Qt::LeftButton);
    QCOMPARE(pCajas->paCajas.last().sTexto, QStringLiteral("File not found"));
    QCOMPARE(psDefault, QStringLiteral("Bell.WAV"));
}

void TestSoundManager::playAndStop()
{
    Crear_Archivo(S(QStringLiteral("s1.mp3")));
    Crear_Archivo(S(QStringLiteral("s20.mp3")));
    Abrir(1);
    Elegir(QStringLiteral("Sonido 20"));
    QTest::mouseClick(Boton("BitBtnPlay"), Qt::LeftButton);
    QCOMPARE(pReproductor.paLlamadas.last(), QStringLiteral("play %1 loop=0 errors=1").arg(S("s20.mp3")));
    QTest::mouseClick(Boton("BitBtnStop"), Qt::LeftButton);
    QCOMPARE(pReproductor.paLlamadas.last(), QStringLiteral("stop"));
    QFile::remove(S(QStringLiteral("s20.mp3")));
    QTest::mouseClick(Boton("BitBtnPlay"), Qt::LeftButton);
    QCOMPARE(pCajas->paCajas.last().sTexto, QStringLiteral("Archivo no encontrado"));
    pReproductor.paLlamadas.clear();
    // Escape closes and stops what plays.
    QTest::keyClick(pDialogo.get(), Qt::Key_Escape);
    QVERIFY(!pDialogo->isVisible());
    QCOMPARE(pReproductor.paLlamadas, QStringList{"stop"});
}

void TestSoundManager::nothingSelected()
{
    Crear_Archivo(S(QStringLiteral("s1.mp3")));
    Abrir(1);
    Lista()->setCurrentItem(nullptr);
    for (const char *b : {"BitBtnPlay", "BitBtnBorrar", "BitBtnUsarComoPredeterminado"})
        QTest::mouseClick(Boton(b), Qt::LeftButton);
    QCOMPARE(pCajas->paCajas.size(), 3);
    for (const TCajaRegistrada &c : pCajas->paCajas) {
        QCOMPARE(c.sTexto, QStringLiteral("Por favor selecciona un sonido"));
        QCOMPARE(c.iIcono, MB_ICONINFORMATION);
    }
    QVERIFY(QFile::exists(S(QStringLiteral("s1.mp3"))));
}

void TestSoundManager::rightClickSelects()
{
    for (const char *a : {"s1.mp3", "s2.mp3", "s3.mp3"})
        Crear_Archivo(S(QLatin1String(a)));
    Abrir();
    QListWidget *lista = Lista();
    const QRect fila = lista->visualItemRect(lista->item(2));
    emit lista->customContextMenuRequested(fila.center());
    QCOMPARE(lista->currentItem()->text(), QStringLiteral("Sound 3"));
    auto *menu = pDialogo->findChild<QMenu *>(QStringLiteral("PopupMenu"));
    QVERIFY(menu->isVisible());
    QCOMPARE(menu->actions().size(), 7); // two separators
    QCOMPARE(menu->findChild<QAction *>(QStringLiteral("mUsarComoPredeterminado"))->text(),
             QStringLiteral("Set As Default"));
    menu->hide();
    // Below the last entry: nothing selected.
    emit lista->customContextMenuRequested(QPoint(fila.center().x(), fila.bottom() + 40));
    menu->hide();
    QVERIFY(lista->currentItem() == nullptr);
    // The menu's Play plays the entry under the pointer.
    emit lista->customContextMenuRequested(lista->visualItemRect(lista->item(1)).center());
    menu->hide();
    menu->findChild<QAction *>(QStringLiteral("mEscuchar"))->trigger();
    QCOMPARE(pReproductor.paLlamadas.last(), QStringLiteral("play %1 loop=0 errors=1").arg(S("s2.mp3")));
}

void TestSoundManager::secondRequestIgnored()
{
    Crear_Archivo(S(QStringLiteral("s1.mp3")));
    int abiertos = -1;
    QTimer::singleShot(0, this, [&] {
        Abrir_Manejador_Sonidos(nullptr, pContexto, QStringLiteral("Sound Manager")); // returns at once
        abiertos = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *d = qobject_cast<TfrmCambiarSonido *>(w)) {
                ++abiertos;
                d->findChild<QPushButton *>(QStringLiteral("BitBtnCerrar"))->click();
            }
    });
    Abrir_Manejador_Sonidos(nullptr, pContexto, QStringLiteral("Sound Manager"));
    QCOMPARE(abiertos, 1);
    QCOMPARE(pReproductor.paLlamadas, QStringList{"stop"}); // closing stopped the preview
}

QTEST_MAIN(TestSoundManager)
#include "test_soundmanager.moc"
