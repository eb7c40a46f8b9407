// The session's autostart entry: a valid desktop entry with Kestrin's icon whose Exec holds
// the quoted executable path and "silent", read back as exactly the command line written.

#include "platform/autostart.h"
#include "platform/configpaths.h"
#include "tempxdg.h"

#include <QProcess>
#include <QTest>

class TestAutostart : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void execLineIsEscaped_data();
    void execLineIsEscaped();
    void entryTheSessionSkips_data();
    void entryTheSessionSkips();
    void deleteAndBlockedFolder();
    void fileLocation();
};

void TestAutostart::roundTrip_data()
{
    QTest::addColumn<QString>("ruta");
    QTest::newRow("plain") << "/usr/bin/kestrin";
    QTest::newRow("blank") << "/opt/My Apps/kestrin";
    QTest::newRow("dollar") << "/tmp/a$HOME/kestrin";
    QTest::newRow("percent") << "/tmp/100%f/kestrin";
    QTest::newRow("double quote") << "/tmp/q\"uote/kestrin";
    QTest::newRow("backslash") << "/tmp/back\\slash\\s/kestrin";
    QTest::newRow("backtick") << "/tmp/tick`ls`/kestrin";
    QTest::newRow("line break") << "/tmp/two\nlines/kestrin";
    QTest::newRow("accents") << QStringLiteral("/home/josé/ñ/kestrin");
}

void TestAutostart::roundTrip()
{
    QFETCH(QString, ruta);
    TCarpetasXdgTemporales xdg;
    const QString comando = QLatin1Char('"') + ruta + QStringLiteral("\" silent");
    QVERIFY(Autostart_Write(xdg.Autostart(), comando));
    QString leido;
    QCOMPARE(Autostart_Read(xdg.Autostart(), leido), AutostartRead::Value);
    QCOMPARE(leido, comando);
    // Every line of the file is a group header or Key=Value: the path cannot break it.
    const QList<QByteArray> lineas = TCarpetasXdgTemporales::Leer(xdg.Autostart()).split('\n');
    for (const QByteArray &linea : lineas)
        QVERIFY2(linea.isEmpty() || linea.startsWith('[') || linea.contains('='), linea.constData());
    QCOMPARE(lineas.first(), QByteArray("[Desktop Entry]"));
    QVERIFY(lineas.contains("Type=Application"));
    QVERIFY(lineas.contains("Icon=org.kestrin.Kestrin"));
    // The desktop's own checker accepts it (package desktop-file-utils).
    QProcess validador;
    validador.start(QStringLiteral("desktop-file-validate"), {xdg.Autostart()});
    QVERIFY2(validador.waitForFinished(10000), "desktop-file-validate did not run");
    const QByteArray salida = validador.readAllStandardOutput() + validador.readAllStandardError();
    QVERIFY2(validador.exitStatus() == QProcess::NormalExit && validador.exitCode() == 0 && salida.isEmpty(),
             salida.constData());
}

void TestAutostart::execLineIsEscaped_data()
{
    QTest::addColumn<QString>("comando");
    QTest::addColumn<QByteArray>("linea");
    QTest::newRow("plain") << "\"/usr/bin/kestrin\" silent" << QByteArray("Exec=\"/usr/bin/kestrin\" silent");
    QTest::newRow("dollar") << "\"/a$b/k\" silent" << QByteArray("Exec=\"/a\\\\$b/k\" silent");
    QTest::newRow("backslash") << "\"/a\\b/k\" silent" << QByteArray("Exec=\"/a\\\\\\\\b/k\" silent");
    QTest::newRow("percent") << "\"/a%b/k\" silent" << QByteArray("Exec=\"/a%%b/k\" silent");
    QTest::newRow("quote") << "\"/a\"b/k\" silent" << QByteArray("Exec=\"/a\\\\\"b/k\" silent");
    QTest::newRow("unquoted") << "kestrin silent" << QByteArray("Exec=kestrin silent");
}

void TestAutostart::execLineIsEscaped()
{
    QFETCH(QString, comando);
    QFETCH(QByteArray, linea);
    TCarpetasXdgTemporales xdg;
    QVERIFY(Autostart_Write(xdg.Autostart(), comando));
    QVERIFY2(TCarpetasXdgTemporales::Leer(xdg.Autostart()).split('\n').contains(linea),
             TCarpetasXdgTemporales::Leer(xdg.Autostart()).constData());
    QString leido;
    QCOMPARE(Autostart_Read(xdg.Autostart(), leido), AutostartRead::Value);
    QCOMPARE(leido, comando);
}

void TestAutostart::entryTheSessionSkips_data()
{
    QTest::addColumn<QByteArray>("contenido");
    QTest::addColumn<int>("resultado");
    QTest::addColumn<QString>("comando");
    const int valor = int(AutostartRead::Value);
    const int falta = int(AutostartRead::Missing);
    QTest::newRow("hidden") << QByteArray("[Desktop Entry]\nExec=\"/k\" silent\nHidden=true\n") << falta << "";
    QTest::newRow("disabled in GNOME")
        << QByteArray("[Desktop Entry]\nExec=\"/k\" silent\nX-GNOME-Autostart-enabled=false\n") << falta << "";
    QTest::newRow("no exec") << QByteArray("[Desktop Entry]\nType=Application\n") << falta << "";
    QTest::newRow("exec in other group") << QByteArray("[Desktop Action x]\nExec=\"/k\" silent\n") << falta << "";
    QTest::newRow("hidden false") << QByteArray("[Desktop Entry]\nExec=\"/k\" silent\nHidden=false\n") << valor
                                  << "\"/k\" silent";
    QTest::newRow("without silent") << QByteArray("[Desktop Entry]\nExec=\"/k\"\n") << valor << "\"/k\"";
    QTest::newRow("other argument") << QByteArray("[Desktop Entry]\nExec=\"/k\" --silent\n") << valor
                                    << "\"/k\" --silent";
    QTest::newRow("not UTF-8") << QByteArray("[Desktop Entry]\nExec=\"/\xff\" silent\n") << int(AutostartRead::Error)
                               << "";
}

void TestAutostart::entryTheSessionSkips()
{
    QFETCH(QByteArray, contenido);
    QFETCH(int, resultado);
    QFETCH(QString, comando);
    TCarpetasXdgTemporales xdg;
    TCarpetasXdgTemporales::Escribir(xdg.Autostart(), contenido);
    QString leido = QStringLiteral("stale");
    QCOMPARE(int(Autostart_Read(xdg.Autostart(), leido)), resultado);
    QCOMPARE(leido, comando);
}

void TestAutostart::deleteAndBlockedFolder()
{
    TCarpetasXdgTemporales xdg;
    QString leido;
    QCOMPARE(Autostart_Read(xdg.Autostart(), leido), AutostartRead::Missing);
    QVERIFY(Autostart_Delete(xdg.Autostart())); // nothing to delete
    QVERIFY(Autostart_Write(xdg.Autostart(), QStringLiteral("\"/k\" silent")));
    QVERIFY(Autostart_Delete(xdg.Autostart()));
    QVERIFY(!QFile::exists(xdg.Autostart()));
    QCOMPARE(Autostart_Read(xdg.Autostart(), leido), AutostartRead::Missing);

    TCarpetasXdgTemporales::Bloquear_Con_Archivo(xdg.Config() + QStringLiteral("/autostart"));
    QVERIFY(!Autostart_Write(xdg.Autostart(), QStringLiteral("\"/k\" silent")));
    QCOMPARE(Autostart_Read(xdg.Autostart(), leido), AutostartRead::Missing);
}

void TestAutostart::fileLocation()
{
    TCarpetasXdgTemporales xdg;
    QCOMPARE(User_Autostart_File(QStringLiteral("Kestrin")), xdg.Autostart());
    QCOMPARE(System_Autostart_Files(QStringLiteral("Kestrin")),
             QStringList({xdg.Sistema1() + QStringLiteral("/autostart/Kestrin.desktop"),
                          xdg.Sistema2() + QStringLiteral("/autostart/Kestrin.desktop")}));
    // A value name is never a path.
    QVERIFY(User_Autostart_File(QStringLiteral("../evil")).isEmpty());
    QVERIFY(User_Autostart_File(QString()).isEmpty());
}

QTEST_GUILESS_MAIN(TestAutostart)
#include "test_autostart.moc"
