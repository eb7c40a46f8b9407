// The event log: its line form, starting over past 100 lines, and never failing
// towards the caller.

#include "report/eventlog.h"
#include "store/daycount.h"
#include "tempxdg.h"

#include <QTest>

namespace {
QByteArray Lineas(int riCantidad)
{
    QByteArray contenido;
    for (int i = 1; i <= riCantidad; ++i)
        contenido += "old " + QByteArray::number(i) + "\r\n";
    return contenido;
}
} // namespace

class TestLog : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void lineForm();
    void timeFormatWithoutZone_data();
    void timeFormatWithoutZone();
    void rotation_data();
    void rotation();
    void missingLogIsCreatedAndShown();
    void unwritableLogIsSkipped_data();
    void unwritableLogIsSkipped();
    void readOnlyFolderIsSkipped();

private:
    int piAvisos = 0;
};

void TestLog::initTestCase()
{
    Establecer_Reloj([] { return QDateTime(QDate(2010, 12, 8), QTime(10, 30, 5)); });
    Congelar_Formato_Regional(QLocale(QLocale::English, QLocale::UnitedStates));
    Fijar_Aviso_Log([this] { ++piAvisos; });
}

void TestLog::cleanupTestCase()
{
    Establecer_Reloj({});
    Fijar_Aviso_Log({});
}

void TestLog::lineForm()
{
    TCarpetasXdgTemporales xdg;
    Fijar_Carpeta_Log(xdg.Comun());
    Add_To_Log(QStringLiteral("Error 3 - /home/josé/x.od"));
    Add_To_Log(QStringLiteral("two\r\nlines\nhere"));
    QCOMPARE(TCarpetasXdgTemporales::Leer(xdg.Comun() + QStringLiteral("/systemlog.txt")),
             QStringLiteral("12/8/10 10:30:05 AM - Error 3 - /home/josé/x.od\r\n"
                            "12/8/10 10:30:05 AM - two lines here\r\n")
                 .toUtf8());

    // The format frozen at start holds, whatever the locale later says.
    Congelar_Formato_Regional(QLocale(QLocale::German, QLocale::Germany));
    Add_To_Log(QStringLiteral("x"));
    QVERIFY(TCarpetasXdgTemporales::Leer(xdg.Comun() + QStringLiteral("/systemlog.txt"))
                .endsWith("08.12.10 10:30:05 - x\r\n"));
    Congelar_Formato_Regional(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestLog::timeFormatWithoutZone_data()
{
    QTest::addColumn<QString>("formato");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("US") << "h:mm:ss AP t" << "h:mm:ss AP";
    QTest::newRow("German") << "HH:mm:ss t" << "HH:mm:ss";
    QTest::newRow("long zone") << "HH:mm:ss tttt" << "HH:mm:ss";
    QTest::newRow("zone first") << "t HH:mm:ss" << "HH:mm:ss";
    QTest::newRow("quoted t kept") << "HH'h't" << "HH'h'";
    QTest::newRow("quoted text") << "H 'Uhr' t" << "H 'Uhr'";
    QTest::newRow("no zone") << "HH:mm:ss" << "HH:mm:ss";
}

void TestLog::timeFormatWithoutZone()
{
    QFETCH(QString, formato);
    QFETCH(QString, esperado);
    QCOMPARE(Formato_Sin_Zona(formato), esperado);
}

void TestLog::rotation_data()
{
    QTest::addColumn<QByteArray>("antes");
    QTest::addColumn<int>("lineas");
    QTest::addColumn<bool>("conservadas");
    QTest::newRow("99 lines") << Lineas(99) << 100 << true;
    QTest::newRow("100 lines") << Lineas(100) << 101 << true;
    QTest::newRow("101 lines") << Lineas(101) << 1 << false;
    QTest::newRow("150 lines") << Lineas(150) << 1 << false;
    QTest::newRow("100 lines, LF only") << Lineas(100).replace("\r\n", "\n") << 101 << true;
    QTest::newRow("101 lines, no final line end") << Lineas(101).chopped(2) << 1 << false;
    QTest::newRow("100 lines, no final line end") << Lineas(100).chopped(2) << 101 << true;
    QTest::newRow("empty file") << QByteArray("") << 1 << false;
}

void TestLog::rotation()
{
    QFETCH(QByteArray, antes);
    QFETCH(int, lineas);
    QFETCH(bool, conservadas);
    TCarpetasXdgTemporales xdg;
    Fijar_Carpeta_Log(xdg.Comun());
    const QString ruta = xdg.Comun() + QStringLiteral("/systemlog.txt");
    TCarpetasXdgTemporales::Escribir(ruta, antes);
    Add_To_Log(QStringLiteral("new"));
    const QByteArray despues = TCarpetasXdgTemporales::Leer(ruta);
    QCOMPARE(despues.count("\n"), lineas);
    QVERIFY(despues.endsWith("12/8/10 10:30:05 AM - new\r\n"));
    QCOMPARE(despues.startsWith("old 1"), conservadas);
}

void TestLog::missingLogIsCreatedAndShown()
{
    TCarpetasXdgTemporales xdg;
    Fijar_Carpeta_Log(xdg.Comun());
    QVERIFY(!Existe_Log());
    const int avisos = piAvisos;
    Add_To_Log(QStringLiteral("first"));
    QVERIFY(Existe_Log());
    QCOMPARE(Ruta_Log(), xdg.Comun() + QStringLiteral("/systemlog.txt"));
    QCOMPARE(piAvisos, avisos + 1);
    QCOMPARE(TCarpetasXdgTemporales::Leer(Ruta_Log()), QByteArray("12/8/10 10:30:05 AM - first\r\n"));
}

void TestLog::unwritableLogIsSkipped_data()
{
    QTest::addColumn<QString>("caso");
    QTest::newRow("missing folder") << "missing";
    QTest::newRow("folder is a file") << "file";
    QTest::newRow("log is a folder") << "folder";
    QTest::newRow("no folder set") << "none";
}

void TestLog::unwritableLogIsSkipped()
{
    QFETCH(QString, caso);
    TCarpetasXdgTemporales xdg;
    const QString carpeta = xdg.Comun() + QStringLiteral("/Kestrin/");
    if (caso == QLatin1String("file"))
        TCarpetasXdgTemporales::Bloquear_Con_Archivo(xdg.Comun() + QStringLiteral("/Kestrin"));
    if (caso == QLatin1String("folder"))
        QDir().mkpath(carpeta + QStringLiteral("systemlog.txt"));
    Fijar_Carpeta_Log(caso == QLatin1String("none") ? QString() : carpeta);
    const int avisos = piAvisos;
    Add_To_Log(QStringLiteral("lost"));
    QCOMPARE(piAvisos, avisos); // "View &Log" is left as it was
    QVERIFY(!QFileInfo(carpeta + QStringLiteral("systemlog.txt")).isFile());
    if (caso == QLatin1String("missing"))
        QVERIFY(!QFileInfo::exists(carpeta)); // the log never creates its folder
}

void TestLog::readOnlyFolderIsSkipped()
{
    if (TCarpetasXdgTemporales::Es_Root())
        QSKIP("root writes into read-only folders; unwritableLogIsSkipped covers the failure");
    TCarpetasXdgTemporales xdg;
    Fijar_Carpeta_Log(xdg.Comun());
    TCarpetasXdgTemporales::Solo_Lectura(xdg.Comun());
    const int avisos = piAvisos;
    Add_To_Log(QStringLiteral("lost"));
    QCOMPARE(piAvisos, avisos);
    QVERIFY(!Existe_Log());
}

QTEST_GUILESS_MAIN(TestLog)
#include "test_log.moc"
