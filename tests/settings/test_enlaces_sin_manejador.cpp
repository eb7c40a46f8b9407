// Without any program to open addresses (no xdg-open, no browser on the PATH) every way
// out reports its own text instead of failing silently; local files (help, log) are
// shown in Kestrin's own window instead.

#include "report/eventlog.h"
#include "report/messagerecorder.h"
#include "settings/enlaces.h"
#include "texts/language.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTextBrowser>
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
        // Local files: shown by Kestrin itself; the expected text is in the window.
        QTest::newRow("event log") << 0 << log << "=entry";
        QTest::newRow("help") << 0 << ayuda << "=Kestrin";
        QTest::newRow("help, Spanish") << 1 << ayuda << "=Kestrin";
        const TOrden sinLog = [this] {
            Fijar_Carpeta_Log(pVacia.path() + QStringLiteral("/missing"));
            const bool abierto = Ver_Log(nullptr);
            Fijar_Carpeta_Log(pVacia.path());
            return abierto;
        };
        QTest::newRow("event log missing") << 0 << sinLog << "Error 217. No such file or directory: ";
    }
    void informa()
    {
        QFETCH(int, lenguaje);
        QFETCH(TOrden, orden);
        QFETCH(QString, prefijo);
        Establecer_Lenguaje(lenguaje);
        TGrabadorMensajes grabador;
        if (prefijo.startsWith(QLatin1Char('='))) {
            QVERIFY(orden());
            QCOMPARE(grabador.paCajas.size(), 0);
            QWidget *ventana = nullptr;
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w->objectName() == QLatin1String("VisorArchivo") && w->isVisible())
                    ventana = w;
            QVERIFY(ventana);
            auto *texto = ventana->findChild<QTextBrowser *>();
            QVERIFY(texto);
            QVERIFY2(texto->toPlainText().contains(prefijo.mid(1)), qPrintable(texto->toPlainText().left(200)));
            delete ventana;
            return;
        }
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
