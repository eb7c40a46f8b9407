// The ways out of the program through the real desktop path: QDesktopServices starts
// xdg-open, here a stand-in on the PATH that records the address it was given. Each
// command opens the right address for the language; missing files give their numbered
// error instead of a silent xdg-open failure.

#include "platform/folders.h"
#include "report/eventlog.h"
#include "report/messagerecorder.h"
#include "settings/enlaces.h"
#include "settings/sitioweb.h"
#include "texts/language.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <functional>

class TestEnlaces : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void abreLaDireccion_data();
    void abreLaDireccion();
    void archivosQueFaltan_data();
    void archivosQueFaltan();
    void direccionMalFormada();

private:
    QStringList Abiertas() const;
    QTemporaryDir pDir;
    QString psRegistro;
};

void TestEnlaces::initTestCase()
{
    QVERIFY(pDir.isValid());
    psRegistro = pDir.filePath(QStringLiteral("abiertas.txt"));
    const QString bin = pDir.filePath(QStringLiteral("bin"));
    QVERIFY(QDir().mkpath(bin));
    QFile guion(bin + QStringLiteral("/xdg-open"));
    QVERIFY(guion.open(QIODevice::WriteOnly));
    guion.write("#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + psRegistro.toUtf8() + "'\n");
    guion.close();
    QVERIFY(guion.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    // Before the first address is opened: Qt looks for its launcher once per process.
    qputenv("PATH", (bin + QStringLiteral(":/usr/bin:/bin")).toLocal8Bit());
    for (const char *variable : {"BROWSER", "DEFAULT_BROWSER", "KESTRIN_WEBSITE", "KESTRIN_SHARE_DIR"})
        qunsetenv(variable);
    QVERIFY(QDir().mkpath(pDir.filePath(QStringLiteral("common"))));
    Fijar_Carpeta_Log(pDir.filePath(QStringLiteral("common")));
}

void TestEnlaces::init()
{
    QFile::remove(psRegistro);
}

void TestEnlaces::cleanup()
{
    Establecer_Lenguaje(0);
    qunsetenv("KESTRIN_WEBSITE");
    qunsetenv("KESTRIN_SHARE_DIR");
}

QStringList TestEnlaces::Abiertas() const
{
    QFile f(psRegistro);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

using TOrden = std::function<bool()>;
Q_DECLARE_METATYPE(TOrden)

void TestEnlaces::abreLaDireccion_data()
{
    QTest::addColumn<int>("lenguaje");
    QTest::addColumn<QString>("sitio");
    QTest::addColumn<TOrden>("orden");
    QTest::addColumn<QString>("esperada");
    const QString ayuda = QUrl::fromLocalFile(QDir::cleanPath(QCoreApplication::applicationDirPath()
                                                              + QStringLiteral("/../../share/kestrin/help")))
                              .toString();
    const TOrden web = [] { return Abrir_Pagina_Web(nullptr); };
    const TOrden iphone = [] { return Abrir_Pagina_IPhone(nullptr); };
    const TOrden correo = [] { return Escribir_Correo(nullptr); };
    const TOrden verAyuda = [] { return Ver_Ayuda(nullptr); };
    QTest::newRow("home, English") << 0 << QString() << web << "https://kestrin.example.org/";
    QTest::newRow("home, Spanish") << 1 << QString() << web << "https://kestrin.example.org/es/";
    QTest::newRow("home, overridden site") << 1 << "http://127.0.0.1:9/sitio" << web << "http://127.0.0.1:9/sitio/es/";
    QTest::newRow("iPhone, English") << 0 << QString() << iphone << "https://kestrin.example.org/mac/index.html";
    QTest::newRow("iPhone, Spanish") << 1 << QString() << iphone << "https://kestrin.example.org/es/mac/index.html";
    QTest::newRow("download, Spanish") << 1 << QString() << TOrden([] { return Load_URL(URL_Pagina_Descarga(1)); })
                                       << "https://kestrin.example.org/es/descargar.html";
    QTest::newRow("mail, English") << 0 << QString() << correo << "mailto:support@kestrin.example.org?subject=&body=";
    QTest::newRow("mail, Spanish") << 1 << QString() << correo << "mailto:soporte@kestrin.example.org?subject=&body=";
    QTest::newRow("help, English") << 0 << QString() << verAyuda << ayuda + QStringLiteral("/en/index.html");
    QTest::newRow("help, Spanish") << 1 << QString() << verAyuda << ayuda + QStringLiteral("/es/index.html");
}

void TestEnlaces::abreLaDireccion()
{
    QFETCH(int, lenguaje);
    QFETCH(QString, sitio);
    QFETCH(TOrden, orden);
    QFETCH(QString, esperada);
    Establecer_Lenguaje(lenguaje);
    if (!sitio.isNull())
        qputenv("KESTRIN_WEBSITE", sitio.toUtf8());
    TGrabadorMensajes grabador;
    QVERIFY(orden());
    QCOMPARE(grabador.paCajas.size(), 0);
    // xdg-open is started detached: wait for what it recorded.
    QTRY_COMPARE(Abiertas(), QStringList{esperada});
}

void TestEnlaces::archivosQueFaltan_data()
{
    QTest::addColumn<bool>("log");
    QTest::addColumn<QString>("prefijo");
    QTest::newRow("no log yet") << true << "Error 217. No such file or directory: ";
    QTest::newRow("no help pages") << false << "Error 216. No such file or directory: ";
}

void TestEnlaces::archivosQueFaltan()
{
    QFETCH(bool, log);
    QFETCH(QString, prefijo);
    QTemporaryDir vacia;
    qputenv("KESTRIN_SHARE_DIR", vacia.path().toLocal8Bit());
    QFile::remove(Ruta_Log());
    TGrabadorMensajes grabador;
    QVERIFY(!(log ? Ver_Log(nullptr) : Ver_Ayuda(nullptr)));
    QCOMPARE(grabador.paCajas.size(), 1);
    QCOMPARE(grabador.paCajas[0].iIcono, MB_ICONERROR);
    const QString ruta = log ? Ruta_Log() : Archivo_Ayuda(0);
    QCOMPARE(grabador.paCajas[0].sTexto, prefijo + ruta);
    QTest::qWait(50);
    QVERIFY(Abiertas().isEmpty());

    // Once the file is there, the same command opens it.
    if (log) {
        Add_To_Log(QStringLiteral("entry"));
        QVERIFY(Existe_Log());
        QVERIFY(Ver_Log(nullptr));
        QTRY_COMPARE(Abiertas(), QStringList{QUrl::fromLocalFile(Ruta_Log()).toString()});
    }
}

void TestEnlaces::direccionMalFormada()
{
    TGrabadorMensajes grabador;
    QVERIFY(!Load_URL(QStringLiteral("http://exa mple.org/")));
    QCOMPARE(grabador.paCajas.size(), 1);
    QVERIFY(grabador.paCajas[0].sTexto.startsWith(QStringLiteral("Error 201. ")));
    QTest::qWait(50);
    QVERIFY(Abiertas().isEmpty());
}

QTEST_MAIN(TestEnlaces)
#include "test_enlaces.moc"
