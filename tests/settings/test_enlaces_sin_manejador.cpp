// Without any program to open addresses (no xdg-open, no browser on the PATH) every way
// out reports its own text instead of failing silently.

#include "report/eventlog.h"
#include "report/messagerecorder.h"
#include "settings/enlaces.h"
#include "texts/language.h"

#include <QTemporaryDir>
#include <QTest>

#include <functional>

using TOrden = std::function<bool()>;
Q_DECLARE_METATYPE(TOrden)

class TestSinManejador : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(pVacia.isValid());
        // Before any address is opened: Qt looks for its launcher once per process.
        qputenv("PATH", pVacia.path().toLocal8Bit());
        for (const char *variable : {"BROWSER", "DEFAULT_BROWSER", "KESTRIN_WEBSITE", "XDG_CURRENT_DESKTOP",
                                     "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID"})
            qunsetenv(variable);
        Fijar_Carpeta_Log(pVacia.path());
        Add_To_Log(QStringLiteral("entry")); // the log exists, yet nothing can show it
    }
    void cleanup() { Establecer_Lenguaje(0); }

    void informa_data()
    {
        QTest::addColumn<int>("lenguaje");
        QTest::addColumn<TOrden>("orden");
        QTest::addColumn<QString>("prefijo");
        const TOrden correo = [] { return Escribir_Correo(nullptr); };
        const TOrden web = [] { return Abrir_Pagina_Web(nullptr); };
        const TOrden log = [] { return Ver_Log(nullptr); };
        const TOrden ayuda = [] { return Ver_Ayuda(nullptr); };
        QTest::newRow("mail, English") << 0 << correo
                                       << "Can't find default mail client. Please send us an email to support@kestrin.example.org";
        QTest::newRow("mail, Spanish") << 1 << correo
                                       << QStringLiteral("No se encontró el programa de correos predeterminado. Por favor "
                                                         "envíanos un correo a soporte@kestrin.example.org");
        QTest::newRow("home page") << 0 << web << "Error 201. No application is registered to open this address";
        QTest::newRow("home page, Spanish") << 1 << web << "Error 201. No application is registered to open this address";
        QTest::newRow("event log") << 0 << log << "Error 217. No application is registered to open this address";
        QTest::newRow("help") << 0 << ayuda << "Error 216. No application is registered to open this address";
    }
    void informa()
    {
        QFETCH(int, lenguaje);
        QFETCH(TOrden, orden);
        QFETCH(QString, prefijo);
        Establecer_Lenguaje(lenguaje);
        TGrabadorMensajes grabador;
        QVERIFY(!orden());
        QCOMPARE(grabador.paCajas.size(), 1);
        QCOMPARE(grabador.paCajas[0].iIcono, MB_ICONERROR);
        QCOMPARE(grabador.paCajas[0].sTitulo, QStringLiteral("Kestrin"));
        QVERIFY2(grabador.paCajas[0].sTexto.startsWith(prefijo), qPrintable(grabador.paCajas[0].sTexto));
    }

private:
    QTemporaryDir pVacia;
};

QTEST_MAIN(TestSinManejador)
#include "test_enlaces_sin_manejador.moc"
