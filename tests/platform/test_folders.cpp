// The folders of the program: computed from the XDG variables and Kestrin's common
// folder in one place, every one ending in "/", created without complaint.

#include "platform/configpaths.h"
#include "platform/folders.h"
#include "tempxdg.h"

#include <QCoreApplication>
#include <QTest>

#include <unistd.h>

class TestFolders : public QObject {
    Q_OBJECT
private slots:
    void directoryFields();
    void commonFolderFallsBackToUser_data();
    void commonFolderFallsBackToUser();
    void relativeXdgIgnored();
    void configLocations();
    void prepareCreatesMissingFolders();
    void prepareIsSilentWhenBlocked();
    void launcher_data();
    void launcher();
};

void TestFolders::directoryFields()
{
    TCarpetasXdgTemporales xdg;
    const TCarpetas c = Calcular_Carpetas();
    QCOMPARE(c.psAppDataAllUsers, xdg.Comun() + QStringLiteral("/Kestrin/"));
    QCOMPARE(c.psAppDataSoundsAllUsers, xdg.Comun() + QStringLiteral("/Kestrin/Sounds/"));
    QCOMPARE(c.psAppDataDefaultAllUsers, xdg.Comun() + QStringLiteral("/Kestrin/Default/"));
    QCOMPARE(c.psAppDataLocal, xdg.Datos() + QStringLiteral("/Kestrin/"));
    QCOMPARE(c.psAppDataSystemLocal, xdg.Datos() + QStringLiteral("/Kestrin/System/"));
    QCOMPARE(c.psEXEPath, QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    QVERIFY(c.psUserTempDir.endsWith(QLatin1Char('/')));
    QVERIFY(!c.psUserTempDir.endsWith(QStringLiteral("//")));
    QCOMPARE(Archivo_Ejecutable(), QCoreApplication::applicationFilePath());
}

void TestFolders::commonFolderFallsBackToUser_data()
{
    QTest::addColumn<QByteArray>("comun");
    QTest::newRow("unset") << QByteArray();
    QTest::newRow("relative") << QByteArray("relative/common");
}

void TestFolders::commonFolderFallsBackToUser()
{
    QFETCH(QByteArray, comun);
    TCarpetasXdgTemporales xdg;
    if (comun.isNull())
        qunsetenv("KESTRIN_COMMON_DIR");
    else
        qputenv("KESTRIN_COMMON_DIR", comun);
    const TCarpetas c = Calcular_Carpetas();
    QCOMPARE(c.psAppDataAllUsers, xdg.Datos() + QStringLiteral("/Kestrin/"));
    QCOMPARE(c.psAppDataAllUsers, c.psAppDataLocal);
}

void TestFolders::relativeXdgIgnored()
{
    TCarpetasXdgTemporales xdg;
    qputenv("XDG_DATA_HOME", "relative/data");
    qputenv("XDG_CONFIG_HOME", "relative/config");
    QCOMPARE(Carpeta_Datos_Usuario(), QDir::homePath() + QStringLiteral("/.local/share/"));
    QCOMPARE(User_Config_Dir(), QDir::homePath() + QStringLiteral("/.config"));
    qputenv("XDG_DATA_HOME", (xdg.Datos() + QLatin1Char('/')).toLocal8Bit());
    QCOMPARE(Carpeta_Datos_Usuario(), xdg.Datos() + QLatin1Char('/')); // no doubled "/"
}

void TestFolders::configLocations()
{
    TCarpetasXdgTemporales xdg;
    QCOMPARE(User_Settings_File(), xdg.Archivo_Usuario());
    qputenv("XDG_CONFIG_DIRS", (QStringLiteral("relative:") + xdg.Sistema1() + QStringLiteral("/::") + xdg.Sistema2())
                                   .toLocal8Bit());
    QCOMPARE(System_Settings_Files(), QStringList({xdg.Sistema1() + QStringLiteral("/Kestrin/Kestrin.conf"),
                                                   xdg.Sistema2() + QStringLiteral("/Kestrin/Kestrin.conf")}));
    qputenv("XDG_CONFIG_DIRS", "");
    QCOMPARE(System_Config_Dirs(), QStringList({QStringLiteral("/etc/xdg")}));
}

void TestFolders::prepareCreatesMissingFolders()
{
    TCarpetasXdgTemporales xdg;
    const TCarpetas c = Calcular_Carpetas();
    Preparar_Carpetas(c);
    for (const QString &carpeta : {c.psAppDataAllUsers, c.psAppDataSoundsAllUsers, c.psAppDataDefaultAllUsers,
                                   c.psAppDataLocal, c.psAppDataSystemLocal})
        QVERIFY2(QFileInfo(carpeta).isDir(), qPrintable(carpeta));
    Preparar_Carpetas(c); // a second run finds them all
    QVERIFY(QFileInfo(c.psAppDataSystemLocal).isDir());
}

void TestFolders::prepareIsSilentWhenBlocked()
{
    TCarpetasXdgTemporales xdg;
    const TCarpetas c = Calcular_Carpetas();
    TCarpetasXdgTemporales::Bloquear_Con_Archivo(xdg.Comun() + QStringLiteral("/Kestrin"));
    Preparar_Carpetas(c);
    QVERIFY(!QFileInfo(c.psAppDataSoundsAllUsers).exists());
    QVERIFY(QFileInfo(c.psAppDataSystemLocal).isDir()); // the user's side goes on
}

void TestFolders::launcher_data()
{
    // What P/bin/kestrin is, and whether the autostart entry names it rather than the
    // program P/lib/kestrin/kestrin.
    QTest::addColumn<QString>("bin");
    QTest::addColumn<bool>("porEnlace");
    QTest::newRow("relative link") << "../lib/kestrin/kestrin" << true;
    QTest::newRow("absolute link") << "@/lib/kestrin/kestrin" << true;
    QTest::newRow("link to another program") << "../lib/other/kestrin" << false;
    QTest::newRow("dangling link") << "../lib/gone/kestrin" << false;
    QTest::newRow("a copy, not a link") << "copy" << false;
    QTest::newRow("nothing") << "" << false;
}

void TestFolders::launcher()
{
    QFETCH(QString, bin);
    QFETCH(bool, porEnlace);
    QTemporaryDir dir;
    const QString prefijo = dir.path() + QStringLiteral("/pre fix");
    const QString programa = prefijo + QStringLiteral("/lib/kestrin/kestrin");
    const QString enlace = prefijo + QStringLiteral("/bin/kestrin");
    TCarpetasXdgTemporales::Escribir(programa, "program");
    TCarpetasXdgTemporales::Escribir(prefijo + QStringLiteral("/lib/other/kestrin"), "program");
    QDir().mkpath(prefijo + QStringLiteral("/bin"));
    if (bin == QLatin1String("copy"))
        QVERIFY(QFile::copy(programa, enlace));
    else if (!bin.isEmpty())
        QCOMPARE(::symlink(QFile::encodeName(bin.replace(QLatin1Char('@'), prefijo)).constData(),
                           QFile::encodeName(enlace).constData()),
                 0);
    QCOMPARE(Lanzador_De(programa), porEnlace ? enlace : programa);
    // The build tree's program has no bin/ beside it.
    QCOMPARE(Lanzador_De(Archivo_Ejecutable()), Archivo_Ejecutable());
}

QTEST_GUILESS_MAIN(TestFolders)
#include "test_folders.moc"
