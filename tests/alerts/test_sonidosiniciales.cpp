// The shipped sounds reach a new user's Sounds/ and Default/ folders once: a folder that
// exists is never refilled and no file in it is overwritten.
#include "alerts/sonidosiniciales.h"
#include "report/eventlog.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestSonidosIniciales : public QObject {
    Q_OBJECT
private slots:
    void init();
    void firstStartFillsBothFolders();
    void existingFoldersAreLeftAlone_data();
    void existingFoldersAreLeftAlone();
    void copyNeverOverwrites();
    void missingShippedFolderIsLogged();
    void theBuildTreeHasTheShippedSounds();

private:
    TCarpetas Carpetas() const;
    QString Origen();
    QTemporaryDir *pDir = nullptr;
};

void TestSonidosIniciales::init()
{
    delete pDir;
    pDir = new QTemporaryDir;
    QVERIFY(pDir->isValid());
    Fijar_Carpeta_Log(pDir->path() + QStringLiteral("/"));
}

TCarpetas TestSonidosIniciales::Carpetas() const
{
    TCarpetas c;
    const QString base = pDir->path() + QStringLiteral("/common/Kestrin/");
    c.psAppDataAllUsers = base;
    c.psAppDataSoundsAllUsers = base + QStringLiteral("Sounds/");
    c.psAppDataDefaultAllUsers = base + QStringLiteral("Default/");
    c.psAppDataLocal = pDir->path() + QStringLiteral("/user/Kestrin/");
    c.psAppDataSystemLocal = c.psAppDataLocal + QStringLiteral("System/");
    return c;
}

QString TestSonidosIniciales::Origen()
{
    const QString origen = pDir->path() + QStringLiteral("/shipped/");
    QDir().mkpath(origen);
    for (const char *nombre : {"s1.mp3", "s2.mp3", "s3.mp3"}) {
        QFile f(origen + QLatin1String(nombre));
        if (f.open(QIODevice::WriteOnly))
            f.write(QByteArray("shipped ") + nombre);
    }
    return origen;
}

static QByteArray Contenido(const QString &rsArchivo)
{
    QFile f(rsArchivo);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TestSonidosIniciales::firstStartFillsBothFolders()
{
    const TCarpetas c = Carpetas();
    Preparar_Carpetas_Y_Sonidos(c, Origen());
    for (const QString &carpeta : {c.psAppDataSoundsAllUsers, c.psAppDataDefaultAllUsers}) {
        QCOMPARE(QDir(carpeta).entryList(QDir::Files), (QStringList{"s1.mp3", "s2.mp3", "s3.mp3"}));
        QCOMPARE(Contenido(carpeta + QStringLiteral("s2.mp3")), QByteArray("shipped s2.mp3"));
    }
    QVERIFY(QFileInfo(c.psAppDataSystemLocal).isDir());
}

void TestSonidosIniciales::existingFoldersAreLeftAlone_data()
{
    QTest::addColumn<bool>("habiaSonidos");
    QTest::addColumn<bool>("habiaDefault");
    QTest::newRow("Sounds existed (user emptied it)") << true << false;
    QTest::newRow("Default existed") << false << true;
    QTest::newRow("both existed") << true << true;
}

void TestSonidosIniciales::existingFoldersAreLeftAlone()
{
    QFETCH(bool, habiaSonidos);
    QFETCH(bool, habiaDefault);
    const TCarpetas c = Carpetas();
    if (habiaSonidos)
        QVERIFY(QDir().mkpath(c.psAppDataSoundsAllUsers));
    if (habiaDefault)
        QVERIFY(QDir().mkpath(c.psAppDataDefaultAllUsers));
    const QString origen = Origen();
    Preparar_Carpetas_Y_Sonidos(c, origen);
    QCOMPARE(QDir(c.psAppDataSoundsAllUsers).entryList(QDir::Files).size(), habiaSonidos ? 0 : 3);
    QCOMPARE(QDir(c.psAppDataDefaultAllUsers).entryList(QDir::Files).size(), habiaDefault ? 0 : 3);
    // A second start changes nothing, even after the user deleted a sound.
    QFile::remove(c.psAppDataDefaultAllUsers + QStringLiteral("s1.mp3"));
    const QStringList antes = QDir(c.psAppDataDefaultAllUsers).entryList(QDir::Files);
    Preparar_Carpetas_Y_Sonidos(c, origen);
    QCOMPARE(QDir(c.psAppDataDefaultAllUsers).entryList(QDir::Files), antes);
}

void TestSonidosIniciales::copyNeverOverwrites()
{
    const QString destino = pDir->path() + QStringLiteral("/dest/");
    QVERIFY(QDir().mkpath(destino));
    QFile propio(destino + QStringLiteral("s2.mp3"));
    QVERIFY(propio.open(QIODevice::WriteOnly));
    propio.write("the user's own");
    propio.close();
    QCOMPARE(Copiar_Sonidos_Incluidos(Origen(), destino), 2);
    QCOMPARE(Contenido(destino + QStringLiteral("s2.mp3")), QByteArray("the user's own"));
    QCOMPARE(Copiar_Sonidos_Incluidos(Origen(), destino), 0);
}

void TestSonidosIniciales::missingShippedFolderIsLogged()
{
    const TCarpetas c = Carpetas();
    Preparar_Carpetas_Y_Sonidos(c, pDir->path() + QStringLiteral("/nowhere/"));
    QVERIFY(QFileInfo(c.psAppDataSoundsAllUsers).isDir()); // the folders are made all the same
    QVERIFY(QDir(c.psAppDataSoundsAllUsers).isEmpty());
    QFile log(Ruta_Log());
    QVERIFY(log.open(QIODevice::ReadOnly));
    QCOMPARE(log.readAll().count("Shipped sounds not found"), 2);
}

void TestSonidosIniciales::theBuildTreeHasTheShippedSounds()
{
    // Run from the build tree, the program finds the sounds the build copied.
    const QDir carpeta(Carpeta_Sonidos_Incluidos());
    QVERIFY2(carpeta.exists(QStringLiteral("s1.mp3")), qPrintable(carpeta.path()));
    QVERIFY(QFileInfo(carpeta.filePath(QStringLiteral("s1.mp3"))).size() > 1000);
}

QTEST_MAIN(TestSonidosIniciales)
#include "test_sonidosiniciales.moc"
