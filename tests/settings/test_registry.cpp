// The four store operations over the settings file, the machine-wide copies and the
// autostart entry.

#include "report/messagerecorder.h"
#include "settings/registry.h"
#include "tempxdg.h"

#include <QCoreApplication>
#include <QTest>

class TestRegistry : public QObject {
    Q_OBJECT
private slots:
    void readDefaultsAndMissing();
    void writeReadDelete();
    void valueThatIsNotText();
    void machineWideIsReadOnly();
    void runKeyIsTheAutostartEntry();
    void badRootShowsErrorRegistry();
    void noticeOncePerMachineAndVersion();
};

void TestRegistry::readDefaultsAndMissing()
{
    TCarpetasXdgTemporales xdg;
    // No file: the key cannot be opened, the caller's default comes back.
    QCOMPARE(Leer_Registry(HKEY_CURRENT_USER, LLAVE_KESTRIN, QStringLiteral("Language"), QStringLiteral("d")),
             QStringLiteral("d"));
    TCarpetasXdgTemporales::Escribir(xdg.Archivo_Usuario(), "[General]\nFont=Arial\n");
    // A file without the value: empty text, whatever the default.
    QCOMPARE(Leer_Registry(HKEY_CURRENT_USER, LLAVE_KESTRIN, QStringLiteral("Language"), QStringLiteral("d")),
             QString());
    QCOMPARE(Leer_Registry(HKEY_CURRENT_USER, LLAVE_KESTRIN, QStringLiteral("Font"), QStringLiteral("d")),
             QStringLiteral("Arial"));
}

void TestRegistry::writeReadDelete()
{
    TCarpetasXdgTemporales xdg;
    Grabar_Registry(HKEY_CURRENT_USER, LLAVE_KESTRIN, QStringLiteral("Font"), QStringLiteral("DejaVu Sans"));
    Grabar_Registry(HKEY_CURRENT_USER, 7, QStringLiteral("SnoozeTime"), QStringLiteral("15")); // any selector but 2
    QCOMPARE(Leer_Registry(HKEY_CURRENT_USER, LLAVE_KESTRIN, QStringLiteral("Font"), {}), QStringLiteral("DejaVu Sans"));
    QCOMPARE(Leer_Registry(HKEY_CURRENT_USER, 0, QStringLiteral("SnoozeTime"), {}), QStringLiteral("15"));
    QVERIFY(TCarpetasXdgTemporales::Leer(xdg.Archivo_Usuario()).contains("Font=DejaVu Sans\n"));
    Borrar_Registry(HKEY_CURRENT_USER, LLAVE_KESTRIN, QStringLiteral("Font"));
    QCOMPARE(Leer_Registry(HKEY_CURRENT_USER, LLAVE_KESTRIN, QStringLiteral("Font"), QStringLiteral("d")), QString());
    QCOMPARE(Leer_Registry(HKEY_CURRENT_USER, LLAVE_KESTRIN, QStringLiteral("SnoozeTime"), {}), QStringLiteral("15"));
    // The Kestrin key never reaches the autostart folder.
    QVERIFY(!QFile::exists(xdg.Autostart()));
}

void TestRegistry::valueThatIsNotText()
{
    TCarpetasXdgTemporales xdg;
    TCarpetasXdgTemporales::Escribir(xdg.Archivo_Usuario(), "[General]\nLanguage=\x01\x80\x81\n");
    QCOMPARE(Leer_Registry(HKEY_CURRENT_USER, LLAVE_KESTRIN, QStringLiteral("Language"), QStringLiteral("d")),
             QStringLiteral("d"));
    QCOMPARE(Leer_Registry(HKEY_CURRENT_USER, LLAVE_KESTRIN, QStringLiteral("Language"), QString()), QString());
}

void TestRegistry::machineWideIsReadOnly()
{
    TCarpetasXdgTemporales xdg;
    QCOMPARE(Leer_Registry(HKEY_LOCAL_MACHINE, LLAVE_KESTRIN, QStringLiteral("Language"), QStringLiteral("d")),
             QStringLiteral("d"));
    TCarpetasXdgTemporales::Escribir(xdg.Sistema2() + QStringLiteral("/Kestrin/Kestrin.conf"), "Language=1\n");
    QCOMPARE(Leer_Registry(HKEY_LOCAL_MACHINE, LLAVE_KESTRIN, QStringLiteral("Language"), {}), QStringLiteral("1"));
    // The more important folder wins when it holds the value.
    TCarpetasXdgTemporales::Escribir(xdg.Sistema1() + QStringLiteral("/Kestrin/Kestrin.conf"), "Font=A\n");
    QCOMPARE(Leer_Registry(HKEY_LOCAL_MACHINE, LLAVE_KESTRIN, QStringLiteral("Language"), {}), QStringLiteral("1"));
    TCarpetasXdgTemporales::Escribir(xdg.Sistema1() + QStringLiteral("/Kestrin/Kestrin.conf"), "Language=0\n");
    QCOMPARE(Leer_Registry(HKEY_LOCAL_MACHINE, LLAVE_KESTRIN, QStringLiteral("Language"), {}), QStringLiteral("0"));

    Grabar_Registry(HKEY_LOCAL_MACHINE, LLAVE_KESTRIN, QStringLiteral("Language"), QStringLiteral("1"));
    Borrar_Registry(HKEY_LOCAL_MACHINE, LLAVE_KESTRIN, QStringLiteral("Language"));
    QCOMPARE(TCarpetasXdgTemporales::Leer(xdg.Sistema1() + QStringLiteral("/Kestrin/Kestrin.conf")),
             QByteArray("Language=0\n"));
    QCOMPARE(Leer_Registry(HKEY_LOCAL_MACHINE, LLAVE_KESTRIN, QStringLiteral("Language"), {}), QStringLiteral("0"));
    QVERIFY(!QFile::exists(xdg.Archivo_Usuario()));
}

void TestRegistry::runKeyIsTheAutostartEntry()
{
    TCarpetasXdgTemporales xdg;
    const QString datos = QStringLiteral("\"/opt/kestrin dir/kestrin\" silent");
    QCOMPARE(Leer_Registry(HKEY_CURRENT_USER, LLAVE_RUN, QStringLiteral("Kestrin"), QStringLiteral("d")), QString());
    Grabar_Registry(HKEY_CURRENT_USER, LLAVE_RUN, QStringLiteral("Kestrin"), datos);
    QVERIFY(TCarpetasXdgTemporales::Leer(xdg.Autostart()).contains("\nExec=\"/opt/kestrin dir/kestrin\" silent\n"));
    QCOMPARE(Leer_Registry(HKEY_CURRENT_USER, LLAVE_RUN, QStringLiteral("Kestrin"), {}), datos);
    QVERIFY(!QFile::exists(xdg.Archivo_Usuario()));
    Borrar_Registry(HKEY_CURRENT_USER, LLAVE_RUN, QStringLiteral("Kestrin"));
    QVERIFY(!QFile::exists(xdg.Autostart()));
    QCOMPARE(Leer_Registry(HKEY_CURRENT_USER, LLAVE_RUN, QStringLiteral("Kestrin"), {}), QString());
}

void TestRegistry::badRootShowsErrorRegistry()
{
    TCarpetasXdgTemporales xdg;
    TGrabadorMensajes grabador;
    const THKey raiz = 0x80000003u;
    QCOMPARE(Leer_Registry(raiz, LLAVE_KESTRIN, QStringLiteral("Language"), QStringLiteral("d")), QString());
    Grabar_Registry(raiz, LLAVE_KESTRIN, QStringLiteral("Language"), QStringLiteral("1"));
    Borrar_Registry(raiz, LLAVE_RUN, QStringLiteral("Kestrin"));
    QCOMPARE(grabador.paCajas.size(), 3);
    for (const TCajaRegistrada &caja : grabador.paCajas) {
        QCOMPARE(caja.sTexto, QStringLiteral("Error registry"));
        QCOMPARE(caja.iIcono, MB_ICONERROR);
        QCOMPARE(caja.sTitulo, QStringLiteral("Kestrin"));
    }
    QVERIFY(!QFile::exists(xdg.Archivo_Usuario()));
}

void TestRegistry::noticeOncePerMachineAndVersion()
{
    TCarpetasXdgTemporales xdg;
    QCoreApplication::setApplicationVersion(QStringLiteral("1.6"));
    const QString nombre = QStringLiteral("SuspendNoticeLogged");
    QVERIFY(Aviso_Pendiente(nombre));
    QVERIFY(!Aviso_Pendiente(nombre));
    QVERIFY(!Aviso_Pendiente(nombre));
    const QString marca = Leer_Registry(HKEY_CURRENT_USER, LLAVE_KESTRIN, nombre, QString());
    QVERIFY2(marca.endsWith(QStringLiteral(" 1.6")), qPrintable(marca));
    // Another notice has a mark of its own.
    QVERIFY(Aviso_Pendiente(QStringLiteral("OtherNotice")));
    // A new version says it again, once.
    QCoreApplication::setApplicationVersion(QStringLiteral("1.7"));
    QVERIFY(Aviso_Pendiente(nombre));
    QVERIFY(!Aviso_Pendiente(nombre));
    // So does another machine sharing the settings.
    Grabar_Registry(HKEY_CURRENT_USER, LLAVE_KESTRIN, nombre, QStringLiteral("0123456789abcdef 1.7"));
    QVERIFY(Aviso_Pendiente(nombre));
    QVERIFY(!Aviso_Pendiente(nombre));
}

QTEST_GUILESS_MAIN(TestRegistry)
#include "test_registry.moc"
