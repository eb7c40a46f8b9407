// The broadcast messages over a real session bus (the test runs under dbus-run-session).
#include "platform/bus.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>

class TestBus : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void onlyTheFiveNames();
    void roundTrip_data();
    void roundTrip();
    void emitThenExitLosesNothing();
    void signalFromDbusSend();
    void withoutSessionBusFailsQuietlyOnce();

private:
    QString psSender;
};

void TestBus::initTestCase()
{
    psSender = QCoreApplication::applicationDirPath() + QStringLiteral("/bus_send");
    QVERIFY2(Session_Bus_Available(), "run this test under dbus-run-session");
}

void TestBus::onlyTheFiveNames()
{
    QCOMPARE(Kestrin_Messages(), (QStringList{"KestrinMessage", "KestrinShutDownMessage", "KestrinReadFiles",
                                              "KestrinClose", "KestrinMute"}));
    QVERIFY(!Is_Kestrin_Message(QStringLiteral("kestrinclose"))); // names are exact
    QVERIFY(!Broadcast_Message(QStringLiteral("KestrinFoo")));
    QVERIFY(!Broadcast_Message(QString()));
    TBusListener escucha;
    QVERIFY(!escucha.Listen(QStringLiteral("NameOwnerChanged")));
}

void TestBus::roundTrip_data()
{
    QTest::addColumn<QString>("nombre");
    for (const QString &nombre : Kestrin_Messages())
        QTest::newRow(qPrintable(nombre)) << nombre;
}

void TestBus::roundTrip()
{
    QFETCH(QString, nombre);
    // One listener for the message, one for every other message: each gets only its own.
    TBusListener propio;
    TBusListener otros;
    QVERIFY(propio.Listen(nombre));
    QVERIFY(propio.Listen(nombre)); // twice is once
    for (const QString &otro : Kestrin_Messages())
        if (otro != nombre)
            QVERIFY(otros.Listen(otro));
    QSignalSpy recibidos(&propio, &TBusListener::Message_Received);
    QSignalSpy ajenos(&otros, &TBusListener::Message_Received);

    QVERIFY(Broadcast_Message(nombre));
    QTRY_COMPARE(recibidos.count(), 1);
    QCOMPARE(recibidos.at(0).at(0).toString(), nombre);
    QTest::qWait(100);
    QCOMPARE(recibidos.count(), 1);
    QCOMPARE(ajenos.count(), 0);
}

void TestBus::emitThenExitLosesNothing()
{
    TBusListener escucha;
    QVERIFY(escucha.Listen(QStringLiteral("KestrinReadFiles")));
    QSignalSpy recibidos(&escucha, &TBusListener::Message_Received);
    const int procesos = 25;
    for (int i = 0; i < procesos; ++i) {
        QProcess emisor;
        emisor.start(psSender, {QStringLiteral("KestrinReadFiles")});
        QVERIFY(emisor.waitForFinished(10000));
        QCOMPARE(emisor.exitCode(), 0);
    }
    QTRY_COMPARE_WITH_TIMEOUT(recibidos.count(), procesos, 10000);
}

void TestBus::signalFromDbusSend()
{
    // The object path and interface scripts use with the standard tool.
    TBusListener escucha;
    QVERIFY(escucha.Listen(QStringLiteral("KestrinMute")));
    QSignalSpy recibidos(&escucha, &TBusListener::Message_Received);
    const int codigo = QProcess::execute(QStringLiteral("dbus-send"),
                                         {QStringLiteral("--session"), QStringLiteral("--type=signal"),
                                          QStringLiteral("/org/kestrin/Kestrin"),
                                          QStringLiteral("org.kestrin.Kestrin.KestrinMute")});
    QCOMPARE(codigo, 0);
    QTRY_COMPARE(recibidos.count(), 1);
}

void TestBus::withoutSessionBusFailsQuietlyOnce()
{
    QProcess emisor;
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    entorno.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent/kestrin-bus"));
    entorno.remove(QStringLiteral("DISPLAY"));
    emisor.setProcessEnvironment(entorno);
    emisor.start(psSender, {QStringLiteral("KestrinClose"), QStringLiteral("3"), QStringLiteral("--listen")});
    QVERIFY(emisor.waitForFinished(10000));
    QCOMPARE(emisor.exitStatus(), QProcess::NormalExit);
    QCOMPARE(emisor.exitCode(), 1);
    const QString salida = QString::fromLocal8Bit(emisor.readAllStandardError());
    QCOMPARE(salida.count(QStringLiteral("no D-Bus session bus")), 1);
}

QTEST_GUILESS_MAIN(TestBus)
#include "test_bus.moc"
