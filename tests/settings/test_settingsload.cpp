// Loading the settings at start-up: the language rule, every default, conversion and
// range rule, and what the loader writes back.

#include "texts/language.h"
#include "platform/systeminfo.h"
#include "settings/registry.h"
#include "settings/settingsload.h"
#include "tempxdg.h"

#include <QLocale>
#include <QTest>

Q_DECLARE_METATYPE(TFuentesEscritorio)

namespace {
const QString kExe = QStringLiteral("/opt/Kestrin/kestrin");
const QStringList kFuentes = {QStringLiteral("DejaVu Sans"), QStringLiteral("Arial"), QStringLiteral("Segoe UI")};

QString Usuario(const QString &rsNombre)
{
    return Leer_Registry(HKEY_CURRENT_USER, LLAVE_KESTRIN, rsNombre, QStringLiteral("<none>"));
}
} // namespace

class TestSettingsLoad : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void emptyStoreGivesDefaults();
    void languageRule_data();
    void languageRule();
    void languageWithoutWriting();
    void detectionFromSystemLocale();
    void oddStoredValues_data();
    void oddStoredValues();
    void fontCheck_data();
    void fontCheck();
    void startWithSession_data();
    void startWithSession();
    void defaultSoundKept();
};

void TestSettingsLoad::initTestCase()
{
    // Numbers are read the same whatever the user's decimal separator.
    QCOMPARE(QLocale::system().decimalPoint(), QStringLiteral(","));
}

void TestSettingsLoad::emptyStoreGivesDefaults()
{
    TCarpetasXdgTemporales xdg;
    QCOMPARE(Cargar_Lenguaje(QStringLiteral("Spanish")), 1);
    QCOMPARE(Lenguaje_Actual(), 1);
    TConfiguracion c;
    c.pbWakeUpComputer = false; // every field must be set by the loader
    c.piDesktopAlertDuracion = c.piDefaultSnoozeTime = -1;
    c.pbDesktopAlertPermanent = c.pbStartWithWindows = c.pbDesktopNotifications = true;
    Cargar_Configuracion(c, kExe, kFuentes);
    QCOMPARE(c.psDefaultSound, QStringLiteral("s1.mp3"));
    QCOMPARE(c.pbStartWithWindows, false);
    QCOMPARE(c.pbWakeUpComputer, true);
    QCOMPARE(c.piDesktopAlertDuracion, 10);
    QCOMPARE(c.pbDesktopAlertPermanent, false);
    QCOMPARE(c.piDefaultSnoozeTime, 10);
    QCOMPARE(c.psFontMensaje, QStringLiteral("Segoe UI"));
    QCOMPARE(c.pbDesktopNotifications, false); // settings of earlier versions: the popup
    // The loader writes only Language and DefaultSound.
    QCOMPARE(TCarpetasXdgTemporales::Leer(xdg.Archivo_Usuario()), QByteArray("[General]\nLanguage=1\nDefaultSound=s1.mp3\n"));
    QVERIFY(!QFile::exists(xdg.Autostart()));
    Establecer_Lenguaje(0);
}

void TestSettingsLoad::languageRule_data()
{
    QTest::addColumn<QByteArray>("usuario");    // the user's file, null for none
    QTest::addColumn<QByteArray>("maquina");    // the machine-wide file, null for none
    QTest::addColumn<QString>("sistema");       // the system's language name
    QTest::addColumn<int>("lenguaje");
    QTest::addColumn<QString>("guardado");      // the user's value afterwards
    const QByteArray sin;
    QTest::newRow("user 1") << QByteArray("Language=1\n") << QByteArray("Language=0\n") << "English" << 1 << "1";
    QTest::newRow("user 0") << QByteArray("Language=0\n") << QByteArray("Language=1\n") << "Spanish" << 0 << "0";
    QTest::newRow("user 2") << QByteArray("Language=2\n") << sin << "Spanish" << 0 << "2";
    QTest::newRow("user es") << QByteArray("Language=es\n") << sin << "Spanish" << 0 << "es";
    QTest::newRow("user blank 1") << QByteArray("Language=\" 1\"\n") << sin << "Spanish" << 0 << " 1";
    QTest::newRow("machine 1 copied") << sin << QByteArray("Language=1\n") << "English" << 1 << "1";
    QTest::newRow("machine 2 copied") << QByteArray("Font=A\n") << QByteArray("Language=2\n") << "Spanish" << 0 << "2";
    QTest::newRow("user empty, machine") << QByteArray("Language=\n") << QByteArray("Language=1\n") << "English" << 1
                                         << "1";
    QTest::newRow("user not text, machine") << QByteArray("Language=\xff\n") << QByteArray("Language=1\n")
                                            << "English" << 1 << "1";
    QTest::newRow("detect English") << sin << sin << "English" << 0 << "0";
    QTest::newRow("detect Spanish") << sin << sin << "Spanish" << 1 << "1";
    QTest::newRow("detect espanol") << sin << sin << QStringLiteral("Español (México)") << 1 << "1";
    QTest::newRow("detect upper case") << sin << sin << "SPANISH (SPAIN)" << 1 << "1";
    QTest::newRow("detect both names") << sin << sin << "English, Spanish" << 0 << "0";
    QTest::newRow("detect French") << sin << sin << "French" << 0 << "0";
    QTest::newRow("detect beyond 100 characters") << sin << sin << QString(100, QLatin1Char('x')) + "spanish" << 0 << "0";
    QTest::newRow("detect nothing") << sin << QByteArray("Font=A\n") << "" << 0 << "0";
}

void TestSettingsLoad::languageRule()
{
    QFETCH(QByteArray, usuario);
    QFETCH(QByteArray, maquina);
    QFETCH(QString, sistema);
    QFETCH(int, lenguaje);
    QFETCH(QString, guardado);
    TCarpetasXdgTemporales xdg;
    if (!usuario.isNull())
        TCarpetasXdgTemporales::Escribir(xdg.Archivo_Usuario(), usuario);
    if (!maquina.isNull())
        TCarpetasXdgTemporales::Escribir(xdg.Sistema1() + QStringLiteral("/Kestrin/Kestrin.conf"), maquina);
    const QByteArray maquinaAntes = TCarpetasXdgTemporales::Leer(xdg.Sistema1() + QStringLiteral("/Kestrin/Kestrin.conf"));
    Establecer_Lenguaje(lenguaje == 1 ? 0 : 1);
    QCOMPARE(Cargar_Lenguaje(sistema), lenguaje);
    QCOMPARE(Lenguaje_Actual(), lenguaje);
    QCOMPARE(Usuario(QStringLiteral("Language")), guardado);
    QCOMPARE(TCarpetasXdgTemporales::Leer(xdg.Sistema1() + QStringLiteral("/Kestrin/Kestrin.conf")), maquinaAntes);
    Establecer_Lenguaje(0);
}

void TestSettingsLoad::languageWithoutWriting()
{
    TCarpetasXdgTemporales xdg;
    QCOMPARE(Leer_Lenguaje_Sin_Grabar(QStringLiteral("Spanish")), 1);
    TCarpetasXdgTemporales::Escribir(xdg.Sistema2() + QStringLiteral("/Kestrin/Kestrin.conf"), "Language=0\n");
    QCOMPARE(Leer_Lenguaje_Sin_Grabar(QStringLiteral("Spanish")), 0);
    TCarpetasXdgTemporales::Escribir(xdg.Archivo_Usuario(), "Language=1\n");
    QCOMPARE(Leer_Lenguaje_Sin_Grabar(QStringLiteral("English")), 1);
    QCOMPARE(TCarpetasXdgTemporales::Leer(xdg.Archivo_Usuario()), QByteArray("Language=1\n"));
}

void TestSettingsLoad::detectionFromSystemLocale()
{
    // The tests run under a Spanish locale (see CMakeLists.txt).
    TCarpetasXdgTemporales xdg;
    QCOMPARE(System_Language_Name(), QStringLiteral("Spanish"));
    QCOMPARE(Cargar_Lenguaje(System_Language_Name()), 1);
    QCOMPARE(Usuario(QStringLiteral("Language")), QStringLiteral("1"));
    Establecer_Lenguaje(0);
}

void TestSettingsLoad::oddStoredValues_data()
{
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QString>("valor");
    QTest::addColumn<int>("esperado");
    // WaitTimeAlert: 1..99999, else 10.
    QTest::newRow("wait 0") << "WaitTimeAlert" << "0" << 10;
    QTest::newRow("wait 1") << "WaitTimeAlert" << "1" << 1;
    QTest::newRow("wait 99999") << "WaitTimeAlert" << "99999" << 99999;
    QTest::newRow("wait 100000") << "WaitTimeAlert" << "100000" << 10;
    QTest::newRow("wait -5") << "WaitTimeAlert" << "-5" << 10;
    QTest::newRow("wait abc") << "WaitTimeAlert" << "abc" << 10;
    QTest::newRow("wait 00030") << "WaitTimeAlert" << "00030" << 30;
    QTest::newRow("wait 2,5") << "WaitTimeAlert" << "2,5" << 10;
    QTest::newRow("wait 2.5") << "WaitTimeAlert" << "2.5" << 10;
    QTest::newRow("wait beyond 32 bits") << "WaitTimeAlert" << "4294967297" << 10;
    QTest::newRow("wait empty") << "WaitTimeAlert" << "" << 10;
    // SnoozeTime: any integer, else 10.
    QTest::newRow("snooze 0") << "SnoozeTime" << "0" << 0;
    QTest::newRow("snooze -3") << "SnoozeTime" << "-3" << -3;
    QTest::newRow("snooze 00030") << "SnoozeTime" << "00030" << 30;
    QTest::newRow("snooze 100000") << "SnoozeTime" << "100000" << 100000;
    QTest::newRow("snooze x") << "SnoozeTime" << "x" << 10;
    QTest::newRow("snooze 5min") << "SnoozeTime" << "5min" << 10;
    // WakeUpComputer: only "0" is false.
    QTest::newRow("wake 0") << "WakeUpComputer" << "0" << 0;
    QTest::newRow("wake 1") << "WakeUpComputer" << "1" << 1;
    QTest::newRow("wake false") << "WakeUpComputer" << "false" << 1;
    QTest::newRow("wake no") << "WakeUpComputer" << "no" << 1;
    QTest::newRow("wake 00") << "WakeUpComputer" << "00" << 1;
    // PermanentAlert: only "1" is true.
    QTest::newRow("permanent 1") << "PermanentAlert" << "1" << 1;
    QTest::newRow("permanent true") << "PermanentAlert" << "true" << 0;
    QTest::newRow("permanent 01") << "PermanentAlert" << "01" << 0;
    QTest::newRow("permanent 2") << "PermanentAlert" << "2" << 0;
    // DesktopNotifications: only "1" is on.
    QTest::newRow("notifications 1") << "DesktopNotifications" << "1" << 1;
    QTest::newRow("notifications 0") << "DesktopNotifications" << "0" << 0;
    QTest::newRow("notifications true") << "DesktopNotifications" << "true" << 0;
    QTest::newRow("notifications blank 1") << "DesktopNotifications" << " 1" << 0;
    QTest::newRow("notifications empty") << "DesktopNotifications" << "" << 0;
}

void TestSettingsLoad::oddStoredValues()
{
    QFETCH(QString, nombre);
    QFETCH(QString, valor);
    QFETCH(int, esperado);
    TCarpetasXdgTemporales xdg;
    Grabar_Registry(HKEY_CURRENT_USER, LLAVE_KESTRIN, nombre, valor);
    const QByteArray antes = TCarpetasXdgTemporales::Leer(xdg.Archivo_Usuario());
    TConfiguracion c;
    Cargar_Configuracion(c, kExe, kFuentes);
    int leido = -1;
    if (nombre == QLatin1String("WaitTimeAlert"))
        leido = c.piDesktopAlertDuracion;
    else if (nombre == QLatin1String("SnoozeTime"))
        leido = c.piDefaultSnoozeTime;
    else if (nombre == QLatin1String("WakeUpComputer"))
        leido = c.pbWakeUpComputer;
    else if (nombre == QLatin1String("DesktopNotifications"))
        leido = c.pbDesktopNotifications;
    else
        leido = c.pbDesktopAlertPermanent;
    QCOMPARE(leido, esperado);
    // An odd value is never corrected in the store.
    QCOMPARE(Usuario(nombre), valor);
    QVERIFY(TCarpetasXdgTemporales::Leer(xdg.Archivo_Usuario()).startsWith(antes));
}

namespace {
// A desktop of a few families: fontconfig's substitutes, one symbol and one mathematics
// family among them.
TFuentesEscritorio Escritorio(const QString &rsGeneral = QStringLiteral("DejaVu Sans"))
{
    TFuentesEscritorio f(QStringList{QStringLiteral("DejaVu Math TeX Gyre"), QStringLiteral("DejaVu Sans"),
                                     QStringLiteral("DejaVu Serif"), QStringLiteral("Liberation Sans"),
                                     QStringLiteral("Standard Symbols PS")});
    f.Sustituta = [](const QString &rsNombre) {
        static const QMap<QString, QString> sustitutas{{QStringLiteral("Arial"), QStringLiteral("Liberation Sans")},
                                                       {QStringLiteral("Times"), QStringLiteral("DejaVu Serif")},
                                                       {QStringLiteral("Symbol"), QStringLiteral("Standard Symbols PS")},
                                                       {QStringLiteral("Cambria Math"), QStringLiteral("DejaVu Math TeX Gyre")}};
        return sustitutas.value(rsNombre, rsNombre == QLatin1String("dejavu sans") ? QStringLiteral("DejaVu Sans")
                                                                                  : QString());
    };
    f.De_Simbolos = [](const QString &rsFamilia) {
        return rsFamilia.contains(QStringLiteral("Math")) || rsFamilia.contains(QStringLiteral("Symbols"));
    };
    f.sGeneral = rsGeneral;
    return f;
}
} // namespace

void TestSettingsLoad::fontCheck_data()
{
    QTest::addColumn<QString>("guardada");
    QTest::addColumn<TFuentesEscritorio>("fuentes");
    QTest::addColumn<QString>("esperada");
    QTest::newRow("installed") << "DejaVu Serif" << Escritorio() << "DejaVu Serif";
    QTest::newRow("other letter case") << "dejavu SERIF" << Escritorio() << "dejavu SERIF";
    QTest::newRow("missing, with a substitute") << "Arial" << Escritorio() << "Liberation Sans";
    QTest::newRow("empty: Segoe UI, missing, no substitute") << "" << Escritorio() << "DejaVu Sans";
    QTest::newRow("missing without a substitute") << "Comic Sans MS" << Escritorio(QStringLiteral("DejaVu Serif"))
                                                   << "DejaVu Serif";
    QTest::newRow("prefix only") << "DejaVu" << Escritorio() << "DejaVu Sans";
    QTest::newRow("substitute a symbol family") << "Symbol" << Escritorio() << "DejaVu Sans";
    QTest::newRow("substitute a mathematics family") << "Cambria Math" << Escritorio() << "DejaVu Sans";
    QTest::newRow("a mathematics family stored") << "DejaVu Math TeX Gyre" << Escritorio() << "DejaVu Sans";
    QTest::newRow("general font missing or a symbol one: the first fit family")
        << "Comic Sans MS" << Escritorio(QStringLiteral("Standard Symbols PS")) << "DejaVu Sans";
    QTest::newRow("installed list only") << "Comic Sans MS"
                                         << TFuentesEscritorio(QStringList{QStringLiteral("Liberation Sans")})
                                         << "Liberation Sans";
    QTest::newRow("no fonts at all") << "DejaVu Sans" << TFuentesEscritorio() << "DejaVu Sans";
}

void TestSettingsLoad::fontCheck()
{
    QFETCH(QString, guardada);
    QFETCH(TFuentesEscritorio, fuentes);
    QFETCH(QString, esperada);
    TCarpetasXdgTemporales xdg;
    if (!guardada.isEmpty())
        Grabar_Registry(HKEY_CURRENT_USER, LLAVE_KESTRIN, QStringLiteral("Font"), guardada);
    TConfiguracion c;
    Cargar_Configuracion(c, kExe, fuentes);
    QCOMPARE(c.psFontMensaje, esperada);
    QCOMPARE(c.psFontGuardada, guardada);
    // The replacement lives in memory only.
    QCOMPARE(Usuario(QStringLiteral("Font")), guardada.isEmpty() ? QString() : guardada);
}

void TestSettingsLoad::startWithSession_data()
{
    QTest::addColumn<QString>("datos");
    QTest::addColumn<bool>("activo");
    QTest::newRow("exact") << "\"/opt/Kestrin/kestrin\" silent" << true;
    QTest::newRow("no silent") << "\"/opt/Kestrin/kestrin\"" << false;
    QTest::newRow("other argument") << "\"/opt/Kestrin/kestrin\" Silent" << false;
    QTest::newRow("other path") << "\"/usr/bin/kestrin\" silent" << false;
    QTest::newRow("other letter case") << "\"/opt/kestrin/kestrin\" silent" << false;
    QTest::newRow("unquoted") << "/opt/Kestrin/kestrin silent" << false;
}

void TestSettingsLoad::startWithSession()
{
    QFETCH(QString, datos);
    QFETCH(bool, activo);
    TCarpetasXdgTemporales xdg;
    Grabar_Registry(HKEY_CURRENT_USER, LLAVE_RUN, QStringLiteral("Kestrin"), datos);
    TConfiguracion c;
    Cargar_Configuracion(c, kExe, kFuentes);
    QCOMPARE(c.pbStartWithWindows, activo);
    QCOMPARE(Datos_Inicio_Con_Sistema(kExe), QStringLiteral("\"/opt/Kestrin/kestrin\" silent"));
}

void TestSettingsLoad::defaultSoundKept()
{
    TCarpetasXdgTemporales xdg;
    Grabar_Registry(HKEY_CURRENT_USER, LLAVE_KESTRIN, QStringLiteral("DefaultSound"), QStringLiteral("s7.mp3"));
    TConfiguracion c;
    Cargar_Configuracion(c, kExe, kFuentes);
    QCOMPARE(c.psDefaultSound, QStringLiteral("s7.mp3"));
    QCOMPARE(Usuario(QStringLiteral("DefaultSound")), QStringLiteral("s7.mp3"));
}

QTEST_GUILESS_MAIN(TestSettingsLoad)
#include "test_settingsload.moc"
