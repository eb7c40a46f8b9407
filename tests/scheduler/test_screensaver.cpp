// Waking the display: the screensaver service on the session bus is told of user
// activity, also when the call comes from a thread other than the main one.
// Runs inside its own session bus (dbus-run-session).

#include "platform/screensaver.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QObject>
#include <QTest>
#include <QThread>

class TScreenSaverPrueba : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    int piLlamadas = 0;
public slots:
    void SimulateUserActivity() { ++piLlamadas; }
};

class TestScreenSaver : public QObject {
    Q_OBJECT
private slots:
    void reachesTheScreensaver()
    {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected())
            QSKIP("no session bus");
        TScreenSaverPrueba servicio;
        QVERIFY(bus.registerObject(QStringLiteral("/org/freedesktop/ScreenSaver"), &servicio,
                                   QDBusConnection::ExportAllSlots));
        QVERIFY(bus.registerService(QStringLiteral("org.freedesktop.ScreenSaver")));

        QThread *hilo = QThread::create([] { Report_User_Activity(); });
        hilo->start();
        QVERIFY(hilo->wait(10000));
        delete hilo;
        QTRY_COMPARE(servicio.piLlamadas, 1);
        Report_User_Activity();
        QTRY_COMPARE(servicio.piLlamadas, 2);
    }
};

QTEST_GUILESS_MAIN(TestScreenSaver)
#include "test_screensaver.moc"
