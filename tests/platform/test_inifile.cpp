// The settings file: every text reads back as written, other lines survive a write,
// hand-written files read sensibly, and failures never clobber a file.

#include "platform/inifile.h"
#include "tempxdg.h"

#include <QTest>

class TestIniFile : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void writeKeepsOtherLines();
    void handWrittenFile_data();
    void handWrittenFile();
    void notTextAndMissing();
    void deleteRemovesEveryCopy();
    void blockedFolderFails();
    void symlinkedFileStaysALink();
    void unreadableFileIsNotReplaced();
};

void TestIniFile::roundTrip_data()
{
    QTest::addColumn<QString>("valor");
    QTest::newRow("digit") << "1";
    QTest::newRow("empty") << "";
    QTest::newRow("blank inside") << "Segoe UI";
    QTest::newRow("leading blank") << " x";
    QTest::newRow("trailing blank") << "x ";
    QTest::newRow("only blanks") << "   ";
    QTest::newRow("quotes") << "\"quoted\"";
    QTest::newRow("backslash") << "a\\b\\n";
    QTest::newRow("line break") << "line\nbreak\r\nend";
    QTest::newRow("equals and brackets") << "a=b [x] ;c #d";
    QTest::newRow("list-like") << "a, b";
    QTest::newRow("at sign") << "@Variant(x)";
    QTest::newRow("accents") << QStringLiteral("Ñandú Español");
}

void TestIniFile::roundTrip()
{
    QFETCH(QString, valor);
    TCarpetasXdgTemporales xdg;
    const QString archivo = xdg.Raiz() + QStringLiteral("/new/folder/K.conf");
    QVERIFY(Ini_Write(archivo, QStringLiteral("Font"), valor));
    QVERIFY(Ini_Write(archivo, QStringLiteral("Other"), QStringLiteral("o")));
    QString leido;
    QCOMPARE(Ini_Read(archivo, QStringLiteral("Font"), leido), IniRead::Value);
    QCOMPARE(leido, valor);
    QCOMPARE(Ini_Read(archivo, QStringLiteral("Other"), leido), IniRead::Value);
    QCOMPARE(leido, QStringLiteral("o"));
    // One line per key: an injected line break must not create a key.
    QCOMPARE(Ini_Read(archivo, QStringLiteral("break"), leido), IniRead::Missing);
}

void TestIniFile::writeKeepsOtherLines()
{
    TCarpetasXdgTemporales xdg;
    const QString archivo = xdg.Raiz() + QStringLiteral("/K.conf");
    TCarpetasXdgTemporales::Escribir(archivo, "; a comment\n"
                                              "[Other]\n"
                                              "Language=9\n"
                                              "[General]\n"
                                              "language=0\n"
                                              "Font=Arial\n"
                                              "LANGUAGE=5\n");
    QVERIFY(Ini_Write(archivo, QStringLiteral("Language"), QStringLiteral("1")));
    const QByteArray contenido = TCarpetasXdgTemporales::Leer(archivo);
    QCOMPARE(contenido, QByteArray("; a comment\n"
                                   "[Other]\n"
                                   "Language=9\n"
                                   "[General]\n"
                                   "Language=1\n"
                                   "Font=Arial\n"));
    QVERIFY(Ini_Write(archivo, QStringLiteral("SnoozeTime"), QStringLiteral("15")));
    QString leido;
    QCOMPARE(Ini_Read(archivo, QStringLiteral("snoozetime"), leido), IniRead::Value);
    QCOMPARE(leido, QStringLiteral("15"));
    QVERIFY(TCarpetasXdgTemporales::Leer(archivo).endsWith("Font=Arial\nSnoozeTime=15\n"));

    // A file with other groups only gets a [General] group of its own.
    const QString otro = xdg.Raiz() + QStringLiteral("/O.conf");
    TCarpetasXdgTemporales::Escribir(otro, "[Other]\nLanguage=9\n");
    QVERIFY(Ini_Write(otro, QStringLiteral("Language"), QStringLiteral("0")));
    QCOMPARE(TCarpetasXdgTemporales::Leer(otro), QByteArray("[General]\nLanguage=0\n[Other]\nLanguage=9\n"));
}

void TestIniFile::handWrittenFile_data()
{
    QTest::addColumn<QByteArray>("contenido");
    QTest::addColumn<QString>("clave");
    QTest::addColumn<int>("resultado");
    QTest::addColumn<QString>("valor");
    const int valor = int(IniRead::Value);
    const int falta = int(IniRead::Missing);
    QTest::newRow("blanks around") << QByteArray("[General]\r\n  Language = 1  \r\n") << "Language" << valor << "1";
    QTest::newRow("before any group") << QByteArray("Language=1\n[Other]\nX=2\n") << "Language" << valor << "1";
    QTest::newRow("other group only") << QByteArray("[Other]\nLanguage=1\n") << "Language" << falta << "";
    QTest::newRow("commented out") << QByteArray("[General]\n;Language=1\n#Language=1\n") << "Language" << falta << "";
    QTest::newRow("last copy wins") << QByteArray("Language=0\nLanguage=1\n") << "Language" << valor << "1";
    QTest::newRow("empty value") << QByteArray("Language=\n") << "Language" << valor << "";
    QTest::newRow("no final line end") << QByteArray("Font=Arial") << "Font" << valor << "Arial";
    QTest::newRow("unknown escape kept") << QByteArray("Font=C:\\x") << "Font" << valor << "C:\\x";
    QTest::newRow("other case of key") << QByteArray("FONT=Tahoma\n") << "Font" << valor << "Tahoma";
}

void TestIniFile::handWrittenFile()
{
    QFETCH(QByteArray, contenido);
    QFETCH(QString, clave);
    QFETCH(int, resultado);
    QFETCH(QString, valor);
    TCarpetasXdgTemporales xdg;
    const QString archivo = xdg.Raiz() + QStringLiteral("/K.conf");
    TCarpetasXdgTemporales::Escribir(archivo, contenido);
    QString leido = QStringLiteral("stale");
    QCOMPARE(int(Ini_Read(archivo, clave, leido)), resultado);
    QCOMPARE(leido, valor);
}

void TestIniFile::notTextAndMissing()
{
    TCarpetasXdgTemporales xdg;
    const QString archivo = xdg.Raiz() + QStringLiteral("/K.conf");
    QString leido;
    QCOMPARE(Ini_Read(archivo, QStringLiteral("Language"), leido), IniRead::NoFile);
    TCarpetasXdgTemporales::Escribir(archivo, "Language=\xff\xfe\x01\nFont=Arial\n");
    QCOMPARE(Ini_Read(archivo, QStringLiteral("Language"), leido), IniRead::NotText);
    QVERIFY(leido.isEmpty());
    QCOMPARE(Ini_Read(archivo, QStringLiteral("Font"), leido), IniRead::Value);
    QCOMPARE(Ini_Read(archivo, QStringLiteral("SnoozeTime"), leido), IniRead::Missing);
    // A key that cannot be a key is never found and never written.
    QCOMPARE(Ini_Read(archivo, QStringLiteral("a=b"), leido), IniRead::Missing);
    QVERIFY(!Ini_Write(archivo, QStringLiteral("a=b"), QStringLiteral("x")));
    QVERIFY(!Ini_Write(archivo, QStringLiteral("a\nb"), QStringLiteral("x")));
}

void TestIniFile::deleteRemovesEveryCopy()
{
    TCarpetasXdgTemporales xdg;
    const QString archivo = xdg.Raiz() + QStringLiteral("/K.conf");
    QVERIFY(Ini_Delete(archivo, QStringLiteral("Language"))); // no file: nothing to do
    QVERIFY(!QFile::exists(archivo));
    TCarpetasXdgTemporales::Escribir(archivo, "Language=0\n[General]\nlanguage=1\nFont=A\n[Other]\nLanguage=2\n");
    QVERIFY(Ini_Delete(archivo, QStringLiteral("Language")));
    QCOMPARE(TCarpetasXdgTemporales::Leer(archivo), QByteArray("[General]\nFont=A\n[Other]\nLanguage=2\n"));
    QString leido;
    QCOMPARE(Ini_Read(archivo, QStringLiteral("Language"), leido), IniRead::Missing);
}

void TestIniFile::blockedFolderFails()
{
    TCarpetasXdgTemporales xdg;
    const QString carpeta = xdg.Raiz() + QStringLiteral("/blocked");
    TCarpetasXdgTemporales::Bloquear_Con_Archivo(carpeta);
    const QString archivo = carpeta + QStringLiteral("/K.conf");
    QVERIFY(!Ini_Write(archivo, QStringLiteral("Language"), QStringLiteral("1")));
    QString leido;
    QCOMPARE(Ini_Read(archivo, QStringLiteral("Language"), leido), IniRead::NoFile);
    QCOMPARE(TCarpetasXdgTemporales::Leer(carpeta), QByteArray("not a folder"));
}

void TestIniFile::symlinkedFileStaysALink()
{
    // Settings kept elsewhere and linked into the config folder stay linked.
    TCarpetasXdgTemporales xdg;
    const QString destino = xdg.Raiz() + QStringLiteral("/dotfiles/K.conf");
    const QString enlace = xdg.Raiz() + QStringLiteral("/K.conf");
    TCarpetasXdgTemporales::Escribir(destino, "Font=Arial\n");
    QVERIFY(QFile::link(destino, enlace));
    QVERIFY(Ini_Write(enlace, QStringLiteral("Language"), QStringLiteral("1")));
    QVERIFY(QFileInfo(enlace).isSymLink());
    QCOMPARE(TCarpetasXdgTemporales::Leer(destino), QByteArray("Font=Arial\nLanguage=1\n"));
}

void TestIniFile::unreadableFileIsNotReplaced()
{
    if (TCarpetasXdgTemporales::Es_Root())
        QSKIP("root reads every file; permissions cannot make one unreadable");
    TCarpetasXdgTemporales xdg;
    const QString archivo = xdg.Raiz() + QStringLiteral("/K.conf");
    TCarpetasXdgTemporales::Escribir(archivo, "Font=Arial\n");
    QFile::setPermissions(archivo, QFile::WriteOwner);
    QVERIFY(!Ini_Write(archivo, QStringLiteral("Language"), QStringLiteral("1")));
    QFile::setPermissions(archivo, QFile::ReadOwner | QFile::WriteOwner);
    QCOMPARE(TCarpetasXdgTemporales::Leer(archivo), QByteArray("Font=Arial\n"));
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "test_inifile.moc"
