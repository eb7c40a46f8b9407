// Suspend and resume through logind, against a private bus standing in for the system
// bus and a stand-in logind on it: the delay inhibitor's life, the order of arming and
// release, and the suspend and resume steps of the main window wired to them.

#include "logind_standin.h"
#include "platform/logind.h"
#include "platform/wakealarm.h"
#include "report/eventlog.h"
#include "scheduler/despertador.h"
#include "scheduler/suspension.h"
#include "store/daycount.h"
#include "texts/language.h"

#include <QSignalSpy>
#include <QStringList>
#include <QTest>

#include <sys/timerfd.h>

class TestLogind : public QObject {
    Q_OBJECT

private:
    TBusSistemaPrivado *pBusSistema = nullptr;
    TLogindSimulado *pLogind = nullptr;
    QTemporaryDir pLogDir;

    QStringList Lineas_Log()
    {
        QFile f(Ruta_Log());
        if (!f.open(QIODevice::ReadOnly))
            return {};
        // The log ends its lines with CR LF.
        return QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }
    void Vaciar_Log() { QFile::remove(Ruta_Log()); }

private slots:
    void initTestCase()
    {
        pBusSistema = new TBusSistemaPrivado;
        if (pBusSistema->Direccion().isEmpty())
            QFAIL("dbus-daemon could not be started");
        // Before anything asks Qt for the system bus.
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", pBusSistema->Direccion().toUtf8());
        pLogind = new TLogindSimulado(pBusSistema->Direccion());
        QVERIFY(pLogind->Registrar());
        Fijar_Carpeta_Log(pLogDir.path());
    }

    void cleanupTestCase()
    {
        delete pLogind;
        delete pBusSistema;
    }

    void init()
    {
        pLogind->pbNegar = false;
        Vaciar_Log();
        Establecer_Lenguaje(0);
    }

    void inhibitorTakenAtStartWithDelayMode()
    {
        const int antes = pLogind->paLlamadas.size();
        TSuspensionLogind suspension({}, {});
        QSignalSpy tomado(&suspension, &TSuspensionLogind::Inhibidor_Tomado);
        QVERIFY(suspension.Iniciar());
        QVERIFY(tomado.wait(5000));
        QCOMPARE(pLogind->paLlamadas.size(), antes + 1);
        const TLlamadaInhibit &llamada = pLogind->paLlamadas.last();
        QCOMPARE(llamada.sWhat, QStringLiteral("sleep"));
        QCOMPARE(llamada.sWho, QStringLiteral("Kestrin"));
        QCOMPARE(llamada.sMode, QStringLiteral("delay"));
        QVERIFY(!llamada.sWhy.isEmpty());
        QVERIFY(suspension.Descriptor_Inhibidor() >= 0);
        // Children (the alert window) must not inherit it, or they would hold up a suspend.
        QVERIFY(fcntl(suspension.Descriptor_Inhibidor(), F_GETFD) & FD_CLOEXEC);
        // Held: only our copy keeps the pipe open once Qt's reply is gone.
        QCoreApplication::processEvents();
        QVERIFY(!pLogind->Liberado(antes));
    }

    void inhibitorReleasedWhenObjectGoes()
    {
        const int antes = pLogind->paLlamadas.size();
        {
            TSuspensionLogind suspension({}, {});
            QSignalSpy tomado(&suspension, &TSuspensionLogind::Inhibidor_Tomado);
            QVERIFY(suspension.Iniciar());
            QVERIFY(tomado.wait(5000));
        }
        QTRY_VERIFY_WITH_TIMEOUT(pLogind->Liberado(antes), 5000);
    }

    // The release comes only after the suspend step, and a new inhibitor after resume.
    void releasedAfterArmingAndTakenAgainAfterResume()
    {
        const int primera = pLogind->paLlamadas.size();
        QStringList pasos;
        bool retenidoAlArmar = false;
        TSuspensionLogind *puntero = nullptr;
        TSuspensionLogind suspension(
            [&] {
                pasos << QStringLiteral("suspend");
                retenidoAlArmar = !pLogind->Liberado(primera) && puntero->Descriptor_Inhibidor() >= 0;
            },
            [&] {
                pasos << QStringLiteral("resume");
            });
        puntero = &suspension;
        QSignalSpy tomado(&suspension, &TSuspensionLogind::Inhibidor_Tomado);
        QVERIFY(suspension.Iniciar());
        QVERIFY(tomado.wait(5000));

        pLogind->Emitir_PrepareForSleep(true);
        QTRY_COMPARE_WITH_TIMEOUT(pasos, QStringList{QStringLiteral("suspend")}, 5000);
        QVERIFY(retenidoAlArmar);
        QTRY_VERIFY_WITH_TIMEOUT(pLogind->Liberado(primera), 5000);
        QCOMPARE(suspension.Descriptor_Inhibidor(), -1);
        QCOMPARE(pLogind->paLlamadas.size(), primera + 1); // none taken while asleep

        pLogind->Emitir_PrepareForSleep(false);
        QVERIFY(tomado.wait(5000));
        QCOMPARE(pasos, (QStringList{QStringLiteral("suspend"), QStringLiteral("resume")}));
        QCOMPARE(pLogind->paLlamadas.size(), primera + 2);
        QVERIFY(!pLogind->Liberado(primera + 1));

        // A second night works the same way.
        pLogind->Emitir_PrepareForSleep(true);
        QTRY_VERIFY_WITH_TIMEOUT(pLogind->Liberado(primera + 1), 5000);
        QCOMPARE(pasos.size(), 3);
    }

    void startingTwiceAsksForOneInhibitor()
    {
        const int primera = pLogind->paLlamadas.size();
        int suspensiones = 0;
        TSuspensionLogind suspension([&] { ++suspensiones; }, {});
        QSignalSpy tomado(&suspension, &TSuspensionLogind::Inhibidor_Tomado);
        QVERIFY(suspension.Iniciar());
        QVERIFY(suspension.Iniciar()); // while the first Inhibit is on its way
        QVERIFY(tomado.wait(5000));
        QVERIFY(suspension.Iniciar()); // and once it is held
        pLogind->Emitir_PrepareForSleep(true);
        QTRY_VERIFY_WITH_TIMEOUT(pLogind->Liberado(primera), 5000);
        QCOMPARE(suspensiones, 1);
        QCOMPARE(pLogind->paLlamadas.size(), primera + 1);
        pLogind->Emitir_PrepareForSleep(false);
        QVERIFY(tomado.wait(5000));
    }

    void noSystemBusLogsOnce()
    {
        TSuspensionLogind suspension({}, {});
        const QDBusConnection ninguno = QDBusConnection::connectToBus(
            QStringLiteral("unix:path=") + pLogDir.path() + QStringLiteral("/no-such-socket"), QStringLiteral("nada"));
        QVERIFY(!suspension.Iniciar(ninguno));
        QVERIFY(!suspension.Iniciar(ninguno));
        const QStringList lineas = Lineas_Log();
        QCOMPARE(lineas.size(), 1);
        QVERIFY(lineas.first().contains(QStringLiteral("logind is not available")));
        // Once said on this machine, a later start says nothing: the caller decides.
        int preguntas = 0;
        TSuspensionLogind otra({}, {});
        otra.pAvisoPendiente = [&preguntas] { return ++preguntas == 0; };
        QVERIFY(!otra.Iniciar(ninguno));
        QCOMPARE(preguntas, 1);
        QCOMPARE(Lineas_Log().size(), 1);
        QDBusConnection::disconnectFromBus(QStringLiteral("nada"));
    }

    void logindRefusingOrMissingLogsOnceInTheLanguage_data()
    {
        QTest::addColumn<bool>("sinNombre");
        QTest::addColumn<int>("lenguaje");
        QTest::addColumn<QString>("texto");
        QTest::newRow("missing en") << true << 0 << QStringLiteral("Kestrin cannot follow system suspend");
        QTest::newRow("missing es") << true << 1 << QStringLiteral("Kestrin no puede seguir la suspensión");
        QTest::newRow("refused en") << false << 0 << QStringLiteral("Permission denied");
    }
    void logindRefusingOrMissingLogsOnceInTheLanguage()
    {
        QFETCH(bool, sinNombre);
        QFETCH(int, lenguaje);
        QFETCH(QString, texto);
        Establecer_Lenguaje(lenguaje);
        if (sinNombre)
            pLogind->Quitar_Nombre();
        else
            pLogind->pbNegar = true;
        int reanudaciones = 0;
        TSuspensionLogind suspension({}, [&] { ++reanudaciones; });
        QSignalSpy sin(&suspension, &TSuspensionLogind::Sin_Logind);
        QVERIFY(suspension.Iniciar());
        QVERIFY(sin.wait(5000));
        QCOMPARE(suspension.Descriptor_Inhibidor(), -1);
        // A resume asks again: logind back gives an inhibitor; a second refusal is
        // reported to the caller but not logged again.
        if (sinNombre)
            QVERIFY(pLogind->Poner_Nombre());
        QSignalSpy tomado(&suspension, &TSuspensionLogind::Inhibidor_Tomado);
        pLogind->Emitir_PrepareForSleep(false);
        QTRY_COMPARE_WITH_TIMEOUT(reanudaciones, 1, 5000);
        if (sinNombre)
            QTRY_COMPARE_WITH_TIMEOUT(tomado.size(), 1, 5000);
        else
            QTRY_COMPARE_WITH_TIMEOUT(sin.size(), 2, 5000);
        pLogind->pbNegar = false;
        const QStringList lineas = Lineas_Log();
        QCOMPARE(lineas.size(), 1);
        QVERIFY2(lineas.first().contains(texto), qPrintable(lineas.first()));
    }

    // The main window's steps wired to logind as the program wires them.
    void suspendArmsTheEarliestAndResumeReloads()
    {
        const QDateTime ahora = QDateTime::currentDateTime();
        Establecer_Reloj([ahora] { return ahora; });
        TTablaTareas tabla;
        for (double dias : {0.0, -1.0, DateTime_a_Dias(ahora) + 3.0, DateTime_a_Dias(ahora) + 2.0 / 24.0}) {
            TTipoTarea t;
            t.tdNextRunTime = dias;
            tabla.paTipoTarea.append(t);
        }
        int recargas = 0;
        int avisos = 0;
        int pantallas = 0;
        TContextoDespertador contexto;
        contexto.pbWakeUpComputer = [] { return true; };
        const int primera = pLogind->paLlamadas.size();
        // The table is read on the way down: the inhibitor must still be held then.
        int lecturasConInhibidor = 0;
        contexto.pTabla = [&]() -> const TTablaTareas & {
            if (pLogind->paLlamadas.size() > primera && !pLogind->Liberado(primera))
                ++lecturasConInhibidor;
            return tabla;
        };
        contexto.pRecargarTabla = [&] { ++recargas; };
        contexto.pAvisarPlanificador = [&] { ++avisos; };
        contexto.pEncenderPantalla = [&] { ++pantallas; };
        TSuspensionReanudacion suspension(contexto, nullptr,
                                          [] { return timerfd_create(CLOCK_REALTIME, TFD_CLOEXEC | TFD_NONBLOCK); });
        QSignalSpy tomado(&suspension.Logind(), &TSuspensionLogind::Inhibidor_Tomado);
        QVERIFY(suspension.Iniciar());
        QVERIFY(tomado.wait(5000));
        pLogind->Emitir_PrepareForSleep(true);
        QTRY_VERIFY_WITH_TIMEOUT(pLogind->Liberado(primera), 5000);
        QCOMPARE(lecturasConInhibidor, 1);
        QVERIFY(suspension.Alarma().Armada());
        QCOMPARE(suspension.Despertador().Momento_Programado(), ahora.toMSecsSinceEpoch() + 7200 * 1000);
        QVERIFY(qAbs(suspension.Alarma().Momento_Armado() - (ahora.toMSecsSinceEpoch() + 7200 * 1000)) < 50);
        pLogind->Emitir_PrepareForSleep(false);
        QVERIFY(tomado.wait(5000));
        QCOMPARE(recargas, 1);
        QCOMPARE(avisos, 1);
        QCOMPARE(pantallas, 1);
        QVERIFY(!suspension.Alarma().Armada());
        Establecer_Reloj({});
    }
};

QTEST_GUILESS_MAIN(TestLogind)
#include "test_logind.moc"
