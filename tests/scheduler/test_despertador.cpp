// The suspend and resume steps: which moment is armed for which table, what a resume
// does whatever the setting says, and what reaches the event log. The alarm is a real
// timerfd on CLOCK_REALTIME (no capability needed), so the armed moment is read back
// from the kernel; a maker failing with EPERM stands for a program without the capability.

#include "platform/wakealarm.h"
#include "report/eventlog.h"
#include "scheduler/despertador.h"
#include "store/daycount.h"
#include "texts/language.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include <cerrno>
#include <stdexcept>
#include <sys/timerfd.h>

namespace {

int Timer_Realtime()
{
    return timerfd_create(CLOCK_REALTIME, TFD_CLOEXEC | TFD_NONBLOCK);
}

TTablaTareas Tabla(const QList<double> &raProximas)
{
    TTablaTareas tabla;
    for (double dias : raProximas) {
        TTipoTarea t;
        t.tdNextRunTime = dias;
        tabla.paTipoTarea.append(t);
    }
    return tabla;
}

} // namespace

class TestDespertador : public QObject {
    Q_OBJECT

    QTemporaryDir pLogDir;
    // A fixed "now" a little into the future, so the real timer never expires mid-test.
    QDateTime pAhora;
    bool pbWake = true;
    TTablaTareas pTabla;
    QStringList pPasos;
    bool pbFallarAviso = false;

    TContextoDespertador Contexto()
    {
        TContextoDespertador c;
        c.pbWakeUpComputer = [this] { return pbWake; };
        c.pTabla = [this]() -> const TTablaTareas & { return pTabla; };
        c.pRecargarTabla = [this] { pPasos << QStringLiteral("reload"); };
        c.pAvisarPlanificador = [this] {
            if (pbFallarAviso)
                throw std::runtime_error("the scheduler is gone");
            pPasos << QStringLiteral("flag");
        };
        c.pEncenderPantalla = [this] { pPasos << QStringLiteral("display"); };
        return c;
    }
    QStringList Lineas_Log()
    {
        QFile f(Ruta_Log());
        if (!f.open(QIODevice::ReadOnly))
            return {};
        // The log ends its lines with CR LF.
        return QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }

private slots:
    void initTestCase() { Fijar_Carpeta_Log(pLogDir.path()); }
    void init()
    {
        pAhora = QDateTime::currentDateTime().addSecs(60);
        pAhora.setTime(QTime(pAhora.time().hour(), pAhora.time().minute(), pAhora.time().second(), 0));
        const QDateTime ahora = pAhora;
        Establecer_Reloj([ahora] { return ahora; });
        pbWake = true;
        pbFallarAviso = false;
        pPasos.clear();
        QFile::remove(Ruta_Log());
        Establecer_Lenguaje(0);
    }
    void cleanup() { Establecer_Reloj({}); }

    void earliestLeavesOutNeverAndNextStart_data()
    {
        QTest::addColumn<QList<double>>("proximas");
        QTest::addColumn<double>("desde");
        QTest::addColumn<double>("esperado");
        QTest::newRow("empty table") << QList<double>{} << 0.0 << 99999.0;
        QTest::newRow("never and next start") << QList<double>{0.0, -1.0, 0.0} << 0.0 << 99999.0;
        QTest::newRow("30000 itself is not real") << QList<double>{30000.0} << 0.0 << 99999.0;
        QTest::newRow("just above 30000") << QList<double>{30000.5, 0.0} << 0.0 << 30000.5;
        QTest::newRow("smallest wins, any order") << QList<double>{46001.25, 46000.5, -1.0, 46003.0} << 0.0 << 46000.5;
        QTest::newRow("equal values") << QList<double>{46000.5, 46000.5} << 0.0 << 46000.5;
        QTest::newRow("past ones left out") << QList<double>{46000.5, 46002.0, 46001.0} << 46000.75 << 46001.0;
        QTest::newRow("the bound itself is left out") << QList<double>{46000.5} << 46000.5 << 99999.0;
        QTest::newRow("all past") << QList<double>{46000.5, 45000.0} << 46001.0 << 99999.0;
    }
    void earliestLeavesOutNeverAndNextStart()
    {
        QFETCH(QList<double>, proximas);
        QFETCH(double, desde);
        QFETCH(double, esperado);
        QCOMPARE(Proxima_Ejecucion_Mas_Temprana(Tabla(proximas), desde), esperado);
    }

    // Offsets in seconds from now (as day counts) and the seconds armed; -1 none armed.
    void suspendArmsWholeSecondsAhead_data()
    {
        QTest::addColumn<QList<double>>("desfases");
        QTest::addColumn<bool>("wake");
        QTest::addColumn<qint64>("armados");
        QTest::newRow("two hours ahead") << QList<double>{7200} << true << qint64(7200);
        QTest::newRow("earliest of several") << QList<double>{86400, 7200, 90000} << true << qint64(7200);
        QTest::newRow("fraction truncated") << QList<double>{7200.9} << true << qint64(7200);
        QTest::newRow("one second") << QList<double>{1.0} << true << qint64(1);
        QTest::newRow("under a second: due now") << QList<double>{0.6} << true << qint64(-1);
        QTest::newRow("due right now") << QList<double>{0.0} << true << qint64(-1);
        // A next run left in the past (the list not refreshed) does not cost the 07:00 one.
        QTest::newRow("a past one does not hide a future one") << QList<double>{-300, 7200} << true << qint64(7200);
        QTest::newRow("due now does not hide a future one") << QList<double>{0.0, 7200} << true << qint64(7200);
        QTest::newRow("only past ones") << QList<double>{-300, -86400} << true << qint64(-1);
        QTest::newRow("setting off") << QList<double>{7200} << false << qint64(-1);
    }
    void suspendArmsWholeSecondsAhead()
    {
        QFETCH(QList<double>, desfases);
        QFETCH(bool, wake);
        QFETCH(qint64, armados);
        pbWake = wake;
        QList<double> proximas{0.0, -1.0};
        const double ahora = DateTime_a_Dias(pAhora);
        for (double s : desfases)
            proximas << ahora + s / 86400.0;
        pTabla = Tabla(proximas);
        TAlarmaDespertar alarma(&Timer_Realtime);
        TDespertador despertador(Contexto(), alarma);
        despertador.WMPowerBroadcast(PBT_APMSUSPEND);
        if (armados < 0) {
            QVERIFY(!alarma.Armada());
            QCOMPARE(despertador.Momento_Programado(), qint64(-1));
        } else {
            const qint64 momento = pAhora.toMSecsSinceEpoch() + armados * 1000;
            QCOMPARE(despertador.Momento_Programado(), momento);
            QVERIFY(qAbs(alarma.Momento_Armado() - momento) < 50);
        }
        QVERIFY(pPasos.isEmpty()); // a suspend reloads nothing
        QVERIFY(Lineas_Log().isEmpty());
    }

    // Local day counts across the spring change: 01:30 to 03:30 on the last Sunday of
    // March in Madrid is one real hour, and the alarm must say so.
    void daylightSavingChangeCostsNoHour()
    {
        if (QTimeZone::systemTimeZoneId() != "Europe/Madrid")
            QSKIP("runs with TZ=Europe/Madrid (set by CTest)");
        const QDateTime antes(QDate(2031, 3, 30), QTime(1, 30));
        const QDateTime despues(QDate(2031, 3, 30), QTime(3, 30));
        QCOMPARE(Segundos_Hasta(antes, DateTime_a_Dias(despues)), qint64(3600));
        const QDateTime otono(QDate(2031, 10, 26), QTime(1, 30));
        QCOMPARE(Segundos_Hasta(otono, DateTime_a_Dias(QDateTime(QDate(2031, 10, 26), QTime(4, 30)))), qint64(4 * 3600));
    }

    void secondsTruncateTowardZero_data()
    {
        QTest::addColumn<qint64>("ms");
        QTest::addColumn<qint64>("segundos");
        QTest::newRow("+1.999 s") << qint64(1999) << qint64(1);
        QTest::newRow("-1.999 s") << qint64(-1999) << qint64(-1);
        QTest::newRow("-0.5 s") << qint64(-500) << qint64(0);
        QTest::newRow("exact") << qint64(7200000) << qint64(7200);
    }
    void secondsTruncateTowardZero()
    {
        QFETCH(qint64, ms);
        QFETCH(qint64, segundos);
        QCOMPARE(Segundos_Hasta(pAhora, DateTime_a_Dias(pAhora.addMSecs(ms))), segundos);
    }

    void resumeReloadsFlagsCancelsAndWakesTheDisplay_data()
    {
        QTest::addColumn<bool>("wake");
        QTest::addColumn<bool>("armada");
        QTest::newRow("armed, setting on") << true << true;
        QTest::newRow("nothing armed, setting on") << true << false;
        QTest::newRow("setting off") << false << false;
        QTest::newRow("setting turned off while asleep") << false << true;
    }
    void resumeReloadsFlagsCancelsAndWakesTheDisplay()
    {
        QFETCH(bool, wake);
        QFETCH(bool, armada);
        const double ahora = DateTime_a_Dias(pAhora);
        pTabla = Tabla({armada ? ahora + 2.0 / 24.0 : 0.0});
        TAlarmaDespertar alarma(&Timer_Realtime);
        TDespertador despertador(Contexto(), alarma);
        despertador.WMPowerBroadcast(PBT_APMSUSPEND);
        QCOMPARE(alarma.Armada(), armada);
        pbWake = wake;
        despertador.WMPowerBroadcast(PBT_APMRESUMEAUTOMATIC);
        QCOMPARE(pPasos, (QStringList{QStringLiteral("reload"), QStringLiteral("flag"), QStringLiteral("display")}));
        QVERIFY(!alarma.Armada());
        QCOMPARE(despertador.Momento_Programado(), qint64(-1));
    }

    void twoResumesInARow()
    {
        pTabla = Tabla({DateTime_a_Dias(pAhora) + 1.0});
        TAlarmaDespertar alarma(&Timer_Realtime);
        TDespertador despertador(Contexto(), alarma);
        despertador.WMPowerBroadcast(PBT_APMSUSPEND);
        despertador.WMPowerBroadcast(PBT_APMRESUMEAUTOMATIC);
        despertador.WMPowerBroadcast(PBT_APMRESUMEAUTOMATIC);
        QCOMPARE(pPasos.count(QStringLiteral("reload")), 2);
        QCOMPARE(pPasos.count(QStringLiteral("flag")), 2);
        QVERIFY(!alarma.Armada());
        // And the next night still arms.
        despertador.WMPowerBroadcast(PBT_APMSUSPEND);
        QVERIFY(alarma.Armada());
    }

    void schedulerFailureIsLoggedAndResumeGoesOn()
    {
        pbFallarAviso = true;
        pTabla = Tabla({DateTime_a_Dias(pAhora) + 1.0});
        TAlarmaDespertar alarma(&Timer_Realtime);
        TDespertador despertador(Contexto(), alarma);
        despertador.WMPowerBroadcast(PBT_APMSUSPEND);
        despertador.WMPowerBroadcast(PBT_APMRESUMEAUTOMATIC);
        QCOMPARE(pPasos, (QStringList{QStringLiteral("reload"), QStringLiteral("display")}));
        QVERIFY(!alarma.Armada());
        const QStringList lineas = Lineas_Log();
        QCOMPARE(lineas.size(), 1);
        QVERIFY2(lineas.first().endsWith(QStringLiteral(" - Error 214 - the scheduler is gone")),
                 qPrintable(lineas.first()));
    }

    void withoutCapabilityLogsOnceInTheLanguage_data()
    {
        QTest::addColumn<int>("lenguaje");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("texto");
        QTest::newRow("EPERM en") << 0 << EPERM << QStringLiteral("Kestrin cannot wake the computer for reminders: it lacks");
        QTest::newRow("EPERM es") << 1 << EPERM << QStringLiteral("Kestrin no puede despertar la computadora para los recordatorios: le falta");
        QTest::newRow("other en") << 0 << EINVAL << QStringLiteral("Kestrin cannot wake the computer for reminders: Invalid argument");
    }
    void withoutCapabilityLogsOnceInTheLanguage()
    {
        QFETCH(int, lenguaje);
        QFETCH(int, error);
        QFETCH(QString, texto);
        Establecer_Lenguaje(lenguaje);
        pTabla = Tabla({DateTime_a_Dias(pAhora) + 1.0});
        TAlarmaDespertar alarma([error] {
            errno = error;
            return -1;
        });
        TDespertador despertador(Contexto(), alarma);
        for (int noche = 0; noche < 3; ++noche) {
            despertador.WMPowerBroadcast(PBT_APMSUSPEND);
            QCOMPARE(despertador.Momento_Programado(), qint64(-1));
            despertador.WMPowerBroadcast(PBT_APMRESUMEAUTOMATIC);
        }
        const QStringList lineas = Lineas_Log();
        QCOMPARE(lineas.size(), 1);
        QVERIFY2(lineas.first().contains(texto), qPrintable(lineas.first()));
        if (error == EPERM)
            QVERIFY(lineas.first().contains(QStringLiteral("setcap cap_wake_alarm+ep")));
        // The resume steps still ran each night.
        QCOMPARE(pPasos.count(QStringLiteral("flag")), 3);
    }
};

QTEST_GUILESS_MAIN(TestDespertador)
#include "test_despertador.moc"
