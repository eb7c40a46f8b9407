// Write-and-verify: every value of a save is read back; the first failure shows its
// numbered box, stops the save and leaves the value in memory as it was.

#include "texts/language.h"
#include "report/messagerecorder.h"
#include "settings/saveverify.h"
#include "tempxdg.h"

#include <QDir>
#include <QTest>

namespace {
const QString kExe = QStringLiteral("/opt/Kestrin/kestrin");

TOpcionesNuevas Nuevas()
{
    TOpcionesNuevas n;
    n.bStartWithWindows = true;
    n.bWakeUpComputer = false;
    n.iLenguaje = 1;
    n.bSegundos = true;
    n.iSegundos = 30;
    n.bPermanente = false;
    n.iSnooze = 15;
    n.sFuente = QStringLiteral("DejaVu Sans");
    n.bNotificaciones = true;
    return n;
}

TConfiguracion Anterior()
{
    TConfiguracion c;
    c.psDefaultSound = QStringLiteral("s1.mp3");
    c.pbStartWithWindows = false;
    c.pbWakeUpComputer = true;
    c.piDesktopAlertDuracion = 10;
    c.pbDesktopAlertPermanent = false;
    c.piDefaultSnoozeTime = 10;
    c.psFontMensaje = QStringLiteral("Arial");
    return c;
}

QString Usuario(const QString &rsNombre)
{
    return Leer_Registry(HKEY_CURRENT_USER, LLAVE_KESTRIN, rsNombre, QString());
}
} // namespace

class TestSaveVerify : public QObject {
    Q_OBJECT
private slots:
    void init() { Establecer_Lenguaje(0); }
    void fullSaveThenLoad();
    void permanentLeavesSecondsAlone();
    void blockedSettingsFolder();
    void blockedAutostartFolder();
    void readOnlySettingsFolder();
    void deleteThatDoesNotTake();
    void errorRegistryTexts_data();
    void errorRegistryTexts();
    void wizardStartWithSession();
    void earlierEntryRewritten();
};

void TestSaveVerify::fullSaveThenLoad()
{
    TCarpetasXdgTemporales xdg;
    TGrabadorMensajes grabador;
    TConfiguracion c = Anterior();
    QCOMPARE(Guardar_Opciones(nullptr, 0, Nuevas(), kExe, c), 0);
    QVERIFY(grabador.paCajas.isEmpty());
    QCOMPARE(c.pbStartWithWindows, true);
    QCOMPARE(c.pbWakeUpComputer, false);
    QCOMPARE(Lenguaje_Actual(), 1);
    QCOMPARE(c.piDesktopAlertDuracion, 30);
    QCOMPARE(c.piDefaultSnoozeTime, 15);
    QCOMPARE(c.psFontMensaje, QStringLiteral("DejaVu Sans"));
    QCOMPARE(Usuario(QStringLiteral("WakeUpComputer")), QStringLiteral("0"));
    QCOMPARE(Usuario(QStringLiteral("Language")), QStringLiteral("1"));
    QCOMPARE(Usuario(QStringLiteral("WaitTimeAlert")), QStringLiteral("30"));
    QCOMPARE(Usuario(QStringLiteral("PermanentAlert")), QStringLiteral("0"));
    QCOMPARE(Usuario(QStringLiteral("SnoozeTime")), QStringLiteral("15"));
    QCOMPARE(Usuario(QStringLiteral("Font")), QStringLiteral("DejaVu Sans"));
    QCOMPARE(Usuario(QStringLiteral("DesktopNotifications")), QStringLiteral("1"));
    QCOMPARE(c.pbDesktopNotifications, true);

    // What was saved is what the next start loads.
    TConfiguracion cargada;
    Establecer_Lenguaje(0);
    QCOMPARE(Cargar_Lenguaje(QStringLiteral("English")), 1);
    Cargar_Configuracion(cargada, kExe, QStringList{QStringLiteral("DejaVu Sans")});
    QCOMPARE(cargada.pbStartWithWindows, true);
    QCOMPARE(cargada.pbWakeUpComputer, false);
    QCOMPARE(cargada.piDesktopAlertDuracion, 30);
    QCOMPARE(cargada.piDefaultSnoozeTime, 15);
    QCOMPARE(cargada.psFontMensaje, QStringLiteral("DejaVu Sans"));
    QCOMPARE(cargada.pbDesktopNotifications, true);

    // Switching start-with-session off deletes the entry.
    TOpcionesNuevas n = Nuevas();
    n.bStartWithWindows = false;
    QCOMPARE(Guardar_Opciones(nullptr, 1, n, kExe, c), 0);
    QCOMPARE(c.pbStartWithWindows, false);
    QVERIFY(!QFile::exists(xdg.Autostart()));
}

void TestSaveVerify::permanentLeavesSecondsAlone()
{
    TCarpetasXdgTemporales xdg;
    TGrabadorMensajes grabador;
    Grabar_Registry(HKEY_CURRENT_USER, LLAVE_KESTRIN, QStringLiteral("WaitTimeAlert"), QStringLiteral("25"));
    TConfiguracion c = Anterior();
    c.piDesktopAlertDuracion = 25;
    TOpcionesNuevas n = Nuevas();
    n.bSegundos = false;
    n.bPermanente = true;
    n.iSegundos = 0; // not used
    QCOMPARE(Guardar_Opciones(nullptr, 0, n, kExe, c), 0);
    QCOMPARE(c.piDesktopAlertDuracion, 25);
    QCOMPARE(c.pbDesktopAlertPermanent, true);
    QCOMPARE(Usuario(QStringLiteral("WaitTimeAlert")), QStringLiteral("25"));
    QCOMPARE(Usuario(QStringLiteral("PermanentAlert")), QStringLiteral("1"));

    // A font the user did not change is not written: the stored one stays as it is, and
    // the save goes on to the values after it.
    Grabar_Registry(HKEY_CURRENT_USER, LLAVE_KESTRIN, QStringLiteral("Font"), QStringLiteral("Segoe UI"));
    n.sFuente.clear();
    n.bNotificaciones = false;
    c.pbDesktopNotifications = true;
    QCOMPARE(Guardar_Opciones(nullptr, 0, n, kExe, c), 0);
    QCOMPARE(c.psFontMensaje, QStringLiteral("DejaVu Sans"));
    QCOMPARE(Usuario(QStringLiteral("Font")), QStringLiteral("Segoe UI"));
    QCOMPARE(Usuario(QStringLiteral("DesktopNotifications")), QStringLiteral("0"));
    QCOMPARE(c.pbDesktopNotifications, false);
}

void TestSaveVerify::blockedSettingsFolder()
{
    TCarpetasXdgTemporales xdg;
    TGrabadorMensajes grabador;
    QObject dueno;
    TCarpetasXdgTemporales::Bloquear_Con_Archivo(xdg.Config() + QStringLiteral("/Kestrin"));
    TConfiguracion c = Anterior();
    QCOMPARE(Guardar_Opciones(&dueno, 1, Nuevas(), kExe, c), ERROR_WAKEUP);
    // The step before went through; the failed one and all after it did not.
    QCOMPARE(c.pbStartWithWindows, true);
    QCOMPARE(c.pbWakeUpComputer, true);
    QCOMPARE(Lenguaje_Actual(), 0);
    QCOMPARE(c.piDesktopAlertDuracion, 10);
    QCOMPARE(c.piDefaultSnoozeTime, 10);
    QCOMPARE(c.psFontMensaje, QStringLiteral("Arial"));
    QCOMPARE(grabador.paCajas.size(), 1);
    const TCajaRegistrada caja = grabador.paCajas.first();
    QCOMPARE(caja.pOwner, &dueno);
    QCOMPARE(caja.iIcono, MB_ICONERROR);
    QVERIFY(caja.sTexto.startsWith(QStringLiteral("Error 102. No se puede grabar en el registro.")));
}

void TestSaveVerify::blockedAutostartFolder()
{
    TCarpetasXdgTemporales xdg;
    TGrabadorMensajes grabador;
    TCarpetasXdgTemporales::Bloquear_Con_Archivo(xdg.Config() + QStringLiteral("/autostart"));
    TConfiguracion c = Anterior();
    QCOMPARE(Guardar_Opciones(nullptr, 0, Nuevas(), kExe, c), ERROR_RUN_GRABAR);
    QCOMPARE(c.pbStartWithWindows, false);
    QCOMPARE(c.pbWakeUpComputer, true);
    QVERIFY(!QFile::exists(xdg.Archivo_Usuario())); // nothing after the failed step was written
    QCOMPARE(grabador.paCajas.size(), 1);
    QVERIFY(grabador.paCajas.first().sTexto.startsWith(QStringLiteral("Error 100. Unable to save to registry.")));
}

void TestSaveVerify::readOnlySettingsFolder()
{
    if (TCarpetasXdgTemporales::Es_Root())
        QSKIP("root writes into read-only folders; blockedSettingsFolder covers the failure");
    TCarpetasXdgTemporales xdg;
    TGrabadorMensajes grabador;
    Grabar_Registry(HKEY_CURRENT_USER, LLAVE_KESTRIN, QStringLiteral("WakeUpComputer"), QStringLiteral("1"));
    TCarpetasXdgTemporales::Solo_Lectura(xdg.Config() + QStringLiteral("/Kestrin"));
    TConfiguracion c = Anterior();
    QCOMPARE(Guardar_Opciones(nullptr, 0, Nuevas(), kExe, c), ERROR_WAKEUP);
    QCOMPARE(c.pbWakeUpComputer, true);
    QCOMPARE(Usuario(QStringLiteral("WakeUpComputer")), QStringLiteral("1"));
    QCOMPARE(grabador.paCajas.size(), 1);
}

void TestSaveVerify::deleteThatDoesNotTake()
{
    if (TCarpetasXdgTemporales::Es_Root())
        QSKIP("root deletes from read-only folders");
    TCarpetasXdgTemporales xdg;
    TGrabadorMensajes grabador;
    bool activo = true;
    QVERIFY(Guardar_Inicio_Con_Sistema(nullptr, 0, true, kExe, activo));
    TCarpetasXdgTemporales::Solo_Lectura(xdg.Config() + QStringLiteral("/autostart"));
    QVERIFY(!Guardar_Inicio_Con_Sistema(nullptr, 0, false, kExe, activo));
    QCOMPARE(activo, true);
    QCOMPARE(grabador.paCajas.size(), 1);
    QVERIFY(grabador.paCajas.first().sTexto.startsWith(QStringLiteral("Error 101. ")));
}

void TestSaveVerify::errorRegistryTexts_data()
{
    QTest::addColumn<int>("lenguaje");
    QTest::addColumn<QString>("texto"); // empty: no box
    QTest::newRow("English") << 0
                             << "Error 105. Unable to save to registry. This error message can occur if the user "
                                "account does not have full control permissions for one or more registry keys";
    QTest::newRow("Spanish") << 1
                             << QStringLiteral("Error 105. No se puede grabar en el registro. Este mensaje de error "
                                               "puede producirse si la cuenta de usuario no tiene permisos de "
                                               "control total para una o más llaves del registro");
    QTest::newRow("other language") << 2 << "";
    QTest::newRow("negative language") << -1 << "";
}

void TestSaveVerify::errorRegistryTexts()
{
    QFETCH(int, lenguaje);
    QFETCH(QString, texto);
    TGrabadorMensajes grabador;
    Error_Registry(nullptr, lenguaje, QStringLiteral("105"));
    if (texto.isEmpty()) {
        QVERIFY(grabador.paCajas.isEmpty());
        return;
    }
    QCOMPARE(grabador.paCajas.size(), 1);
    QCOMPARE(grabador.paCajas.first().sTexto, texto);
    QCOMPARE(grabador.paCajas.first().sTitulo, QStringLiteral("Kestrin"));
    QCOMPARE(grabador.paEventos, QStringList({QStringLiteral("box")})); // an error box adds no beep
}

void TestSaveVerify::wizardStartWithSession()
{
    TCarpetasXdgTemporales xdg;
    TGrabadorMensajes grabador;
    bool activo = false;
    QVERIFY(Guardar_Inicio_Con_Sistema(nullptr, 0, true, QStringLiteral("/opt/a b$c/kestrin"), activo));
    QCOMPARE(activo, true);
    QCOMPARE(Leer_Registry(HKEY_CURRENT_USER, LLAVE_RUN, QStringLiteral("Kestrin"), {}),
             QStringLiteral("\"/opt/a b$c/kestrin\" silent"));
    QVERIFY(grabador.paCajas.isEmpty());
}

void TestSaveVerify::earlierEntryRewritten()
{
    // Installed: P/bin/kestrin links to the program P/lib/kestrin/kestrin. An earlier
    // version's entry named the program itself and had no icon.
    TCarpetasXdgTemporales xdg;
    TGrabadorMensajes grabador;
    const QString programa = xdg.Raiz() + QStringLiteral("/usr/lib/kestrin/kestrin");
    const QString enlace = xdg.Raiz() + QStringLiteral("/usr/bin/kestrin");
    TCarpetasXdgTemporales::Escribir(programa, "program");
    QDir().mkpath(xdg.Raiz() + QStringLiteral("/usr/bin"));
    QVERIFY(QFile::link(QStringLiteral("../lib/kestrin/kestrin"), enlace));
    TCarpetasXdgTemporales::Escribir(xdg.Autostart(), "[Desktop Entry]\nType=Application\nName=Kestrin\nExec=\""
                                                          + programa.toUtf8() + "\" silent\n");
    TConfiguracion c = Anterior();
    Cargar_Configuracion(c, enlace, {});
    QVERIFY2(c.pbStartWithWindows, "the earlier entry starts the same program: the box shows ticked");

    QCOMPARE(Guardar_Opciones(nullptr, 0, Nuevas(), enlace, c), 0);
    const QList<QByteArray> lineas = TCarpetasXdgTemporales::Leer(xdg.Autostart()).split('\n');
    QVERIFY(lineas.contains("Exec=\"" + enlace.toUtf8() + "\" silent"));
    QVERIFY(lineas.contains("Icon=org.kestrin.Kestrin"));
    TConfiguracion otra = Anterior();
    Cargar_Configuracion(otra, enlace, {});
    QVERIFY(otra.pbStartWithWindows);
    QVERIFY(grabador.paCajas.isEmpty());
}

QTEST_GUILESS_MAIN(TestSaveVerify)
#include "test_saveverify.moc"
