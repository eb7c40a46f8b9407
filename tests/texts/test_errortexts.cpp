// The numbered texts of the main window and of the scheduler's reports, what each
// report leads to, and the caption tables the texts are built from.

#include "texts/captions.h"
#include "texts/errortexts.h"
#include "texts/schedulerreport.h"

#include <QSet>
#include <QTest>

class TestErrorTexts : public QObject {
    Q_OBJECT
private slots:
    void mainWindowNumbers_data();
    void mainWindowNumbers();
    void error205_data();
    void error205();
    void startUpChecks();
    void schedulerReports_data();
    void schedulerReports();
    void fourthReportOfCode1IsShown();
    void schedulerStopped();
    void captionTables();
};

void TestErrorTexts::mainWindowNumbers_data()
{
    QTest::addColumn<int>("numero");
    QTest::addColumn<QString>("texto");
    using E = TErrorPrincipal;
    QTest::newRow("200") << int(E::E200) << "Error 200 - boom";
    QTest::newRow("201") << int(E::E201) << "Error 201. boom";
    QTest::newRow("202") << int(E::E202) << "Error 202. boom";
    QTest::newRow("203") << int(E::E203) << "Error 203. boom";
    QTest::newRow("204") << int(E::E204) << "Error 204. boom";
    QTest::newRow("206") << int(E::E206) << "Error 206 - boom";
    QTest::newRow("207") << int(E::E207) << "Error 207 - boom";
    QTest::newRow("208") << int(E::E208) << "Error 208. boom";
    QTest::newRow("209") << int(E::E209) << "Error 209. boom";
    QTest::newRow("210") << int(E::E210) << "Error 210 - boom";
    QTest::newRow("211") << int(E::E211) << "Error 211 - boom";
    QTest::newRow("214") << int(E::E214) << "Error 214 - boom";
    QTest::newRow("215") << int(E::E215) << "Error 215. boom";
    QTest::newRow("216") << int(E::E216) << "Error 216. boom";
    QTest::newRow("217") << int(E::E217) << "Error 217. boom";
    QTest::newRow("218") << int(E::E218) << "Error 218 - boom";
    QTest::newRow("218B") << int(E::E218B) << "Error 218B - boom";
    QTest::newRow("219") << int(E::E219) << "Error 219. boom";
}

void TestErrorTexts::mainWindowNumbers()
{
    QFETCH(int, numero);
    QFETCH(QString, texto);
    QCOMPARE(Texto_Error_Principal(TErrorPrincipal(numero), QStringLiteral("boom")), texto);
}

void TestErrorTexts::error205_data()
{
    QTest::addColumn<int>("lenguaje");
    QTest::addColumn<QString>("texto");
    QTest::newRow("English") << 0 << "Error 205-12\rInvalid format: /d/data1.od";
    QTest::newRow("Spanish") << 1 << QStringLiteral("Error 205-12\rFormato inválido: /d/data1.od");
}

void TestErrorTexts::error205()
{
    QFETCH(int, lenguaje);
    QFETCH(QString, texto);
    QCOMPARE(Texto_Error_205(lenguaje, 12, QStringLiteral("/d/data1.od")), texto);
}

void TestErrorTexts::startUpChecks()
{
    QCOMPARE(Texto_Sin_Acceso_Directorio(0, QStringLiteral("/x/")), QStringLiteral("There is no access to directory: /x/"));
    QCOMPARE(Texto_Sin_Acceso_Directorio(1, QStringLiteral("/x/")), QStringLiteral("No hay acceso al directorio: /x/"));
    QCOMPARE(Texto_Falta_AlertWindow(0, QStringLiteral("/opt/k/")),
             QStringLiteral("File not found: /opt/k/AlertWindow\rPlease reinstall Kestrin"));
    QCOMPARE(Texto_Falta_AlertWindow(1, QStringLiteral("/opt/k/")),
             QStringLiteral("Archivo no encontrado: /opt/k/AlertWindow\rPor favor reinstala Kestrin"));
    QCOMPARE(Texto_Hilo_Falta_AlertWindow(QStringLiteral("No such file or directory"), QStringLiteral("/opt/k/AlertWindow")),
             QStringLiteral("No such file or directory: /opt/k/AlertWindow"));
}

void TestErrorTexts::schedulerReports_data()
{
    QTest::addColumn<int>("codigo");
    QTest::addColumn<QString>("log");
    QTest::addColumn<QString>("caja");
    QTest::addColumn<bool>("reiniciar");
    QTest::newRow("1") << 1 << "Error 1 - read failed" << "" << true;
    QTest::newRow("2") << 2 << "" << "" << false;
    QTest::newRow("3") << 3 << "Error 3 - read failed" << "" << false;
    QTest::newRow("4") << 4 << "" << "Kestrin\rError 4\rread failed" << false;
    QTest::newRow("5") << 5 << "" << "Kestrin\rError 5\rread failed" << false;
    QTest::newRow("6") << 6 << "" << "Kestrin\rError 6\rread failed" << false;
    QTest::newRow("7") << 7 << "" << "Kestrin\rError 7\rread failed" << false;
    QTest::newRow("8") << 8 << "" << "" << false;
    QTest::newRow("0") << 0 << "" << "" << false;
}

void TestErrorTexts::schedulerReports()
{
    QFETCH(int, codigo);
    QFETCH(QString, log);
    QFETCH(QString, caja);
    QFETCH(bool, reiniciar);
    int contador = 0;
    const TAccionReporte accion = Accion_Reporte_Planificador(codigo, QStringLiteral("read failed"), contador);
    QCOMPARE(accion.sLog, log);
    QCOMPARE(accion.sCaja, caja);
    QCOMPARE(accion.bReiniciar, reiniciar);
    QCOMPARE(contador, codigo == 1 ? 1 : 0);
}

void TestErrorTexts::fourthReportOfCode1IsShown()
{
    int contador = 0;
    // Other codes do not count towards the three restarts.
    Accion_Reporte_Planificador(3, QStringLiteral("/f.od"), contador);
    Accion_Reporte_Planificador(7, QStringLiteral("x"), contador);
    for (int i = 1; i <= 3; ++i) {
        const TAccionReporte accion = Accion_Reporte_Planificador(1, QStringLiteral("e%1").arg(i), contador);
        QCOMPARE(accion.sLog, QStringLiteral("Error 1 - e%1").arg(i));
        QVERIFY(accion.sCaja.isEmpty());
        QVERIFY(accion.bReiniciar);
        QCOMPARE(contador, i);
    }
    for (int i = 4; i <= 5; ++i) {
        const TAccionReporte accion = Accion_Reporte_Planificador(1, QStringLiteral("e%1").arg(i), contador);
        QVERIFY(accion.sLog.isEmpty());
        QCOMPARE(accion.sCaja, QStringLiteral("Kestrin\rError 1\re%1").arg(i));
        QVERIFY(!accion.bReiniciar);
        QCOMPARE(contador, 3);
    }
}

void TestErrorTexts::schedulerStopped()
{
    const TAccionReporte accion = Accion_Planificador_Detenido(QStringLiteral("loop ended"));
    QCOMPARE(accion.sLog, QStringLiteral("Error 200 - loop ended"));
    QVERIFY(accion.sCaja.isEmpty());
    QVERIFY(accion.bReiniciar);
}

void TestErrorTexts::captionTables()
{
    const TCaptionsPrincipal &en = Captions_Principal(0);
    const TCaptionsPrincipal &es = Captions_Principal(1);
    QCOMPARE(en.sTitulo, QStringLiteral("Kestrin 1.6"));
    QCOMPARE(es.sTitulo, QStringLiteral("Kestrin 1.6"));
    QCOMPARE(&Captions_Principal(2), &en); // only 1 is Spanish
    QCOMPARE(en.psTareaNunca, QStringLiteral("Never"));
    QCOMPARE(es.psTareaNunca, QStringLiteral("Nunca"));
    QCOMPARE(en.psFechaSeparador, QStringLiteral(" at "));
    QCOMPARE(es.psFechaSeparador, QStringLiteral(" a las "));
    QCOMPARE(en.psLeyendaSonido, QStringLiteral("Sound"));
    QCOMPARE(es.psLeyendaSonido, QStringLiteral("Sonido"));
    // Each quick-reminder caption names its own number of minutes or hours.
    QSet<QString> vistos;
    for (int i = 0; i < CANTIDAD_RAPIDOS; ++i) {
        const int minutos = aiMinutosRapidos[i];
        const bool horas = minutos >= 60;
        const int n = horas ? minutos / 60 : minutos;
        const QString en_esperado = QStringLiteral("In %1 %2").arg(n).arg(
            horas ? (n == 1 ? QStringLiteral("Hour") : QStringLiteral("Hours"))
                  : (n == 1 ? QStringLiteral("Minute") : QStringLiteral("Minutes")));
        const QString es_esperado = QStringLiteral("En %1 %2").arg(n).arg(
            horas ? (n == 1 ? QStringLiteral("Hora") : QStringLiteral("Horas"))
                  : (n == 1 ? QStringLiteral("Minuto") : QStringLiteral("Minutos")));
        QCOMPARE(en.asRapidos[i], en_esperado);
        QCOMPARE(es.asRapidos[i], es_esperado);
        vistos.insert(en.asRapidos[i]);
    }
    QCOMPARE(vistos.size(), CANTIDAD_RAPIDOS);
}

QTEST_GUILESS_MAIN(TestErrorTexts)
#include "test_errortexts.moc"
