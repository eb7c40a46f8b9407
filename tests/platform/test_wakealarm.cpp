// The wake alarm for real: a CLOCK_REALTIME_ALARM timerfd armed at an absolute moment,
// read back from the kernel, replaced and cancelled. Needs CAP_WAKE_ALARM (root has it);
// the failure paths use a maker that fails the way the kernel does.

#include "platform/wakealarm.h"

#include <QDateTime>
#include <QTest>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/timerfd.h>
#include <unistd.h>

namespace {
bool Hay_Permiso()
{
    const int fd = Crear_Timer_Alarma();
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}
} // namespace

class TestWakeAlarm : public QObject {
    Q_OBJECT
private slots:
    void armedAtAbsoluteMomentAndCancelled_data()
    {
        QTest::addColumn<qint64>("segundos");
        QTest::newRow("two hours") << qint64(7200);
        QTest::newRow("one second") << qint64(1);
        QTest::newRow("ten days") << qint64(10 * 86400);
    }
    void armedAtAbsoluteMomentAndCancelled()
    {
        if (!Hay_Permiso())
            QSKIP("no CAP_WAKE_ALARM here: run as root or with the capability to arm a real alarm");
        QFETCH(qint64, segundos);
        TAlarmaDespertar alarma;
        const qint64 momento = QDateTime::currentMSecsSinceEpoch() + segundos * 1000 + 250;
        QCOMPARE(alarma.Armar(momento), 0);
        QVERIFY(alarma.Armada());
        // The kernel's answer, not our note: within a few ms (the read takes time).
        QVERIFY2(qAbs(alarma.Momento_Armado() - momento) < 50,
                 qPrintable(QString::number(alarma.Momento_Armado() - momento)));
        QVERIFY(fcntl(alarma.Descriptor(), F_GETFD) & FD_CLOEXEC);
        alarma.Cancelar();
        QVERIFY(!alarma.Armada());
        QCOMPARE(alarma.Momento_Armado(), qint64(-1));
        alarma.Cancelar(); // twice is harmless
    }

    void rearmingReplacesTheMoment()
    {
        if (!Hay_Permiso())
            QSKIP("no CAP_WAKE_ALARM here: run as root or with the capability to arm a real alarm");
        TAlarmaDespertar alarma;
        const qint64 ahora = QDateTime::currentMSecsSinceEpoch();
        QCOMPARE(alarma.Armar(ahora + 3600 * 1000), 0);
        const int fd = alarma.Descriptor();
        QCOMPARE(alarma.Armar(ahora + 60 * 1000), 0);
        QCOMPARE(alarma.Descriptor(), fd); // the same timer, not a leaked second one
        QVERIFY(qAbs(alarma.Momento_Armado() - (ahora + 60 * 1000)) < 50);
    }

    // A moment already past fires at once instead of never.
    void pastMomentExpiresAtOnce()
    {
        if (!Hay_Permiso())
            QSKIP("no CAP_WAKE_ALARM here: run as root or with the capability to arm a real alarm");
        TAlarmaDespertar alarma;
        QCOMPARE(alarma.Armar(QDateTime::currentMSecsSinceEpoch() - 5000), 0);
        pollfd p{alarma.Descriptor(), POLLIN, 0};
        QCOMPARE(::poll(&p, 1, 1000), 1);
        uint64_t vencimientos = 0;
        QCOMPARE(::read(alarma.Descriptor(), &vencimientos, sizeof vencimientos), ssize_t(sizeof vencimientos));
        QCOMPARE(vencimientos, uint64_t(1));
    }

    void failedCreationReportsErrnoAndArmsNothing_data()
    {
        QTest::addColumn<int>("error");
        QTest::newRow("no capability") << EPERM;
        QTest::newRow("no clock") << EINVAL;
        QTest::newRow("out of descriptors") << EMFILE;
    }
    void failedCreationReportsErrnoAndArmsNothing()
    {
        QFETCH(int, error);
        int intentos = 0;
        TAlarmaDespertar alarma([&] {
            ++intentos;
            errno = error;
            return -1;
        });
        QCOMPARE(alarma.Armar(QDateTime::currentMSecsSinceEpoch() + 60000), error);
        QVERIFY(!alarma.Armada());
        QCOMPARE(alarma.Momento_Armado(), qint64(-1));
        // The next suspend tries again: the capability may have been granted since.
        QCOMPARE(alarma.Armar(QDateTime::currentMSecsSinceEpoch() + 60000), error);
        QCOMPARE(intentos, 2);
    }

    // A descriptor that is not a timer makes timerfd_settime fail: the error comes back
    // and the descriptor is closed, not leaked.
    void failedSettingClosesTheDescriptor()
    {
        int extremos[2];
        QCOMPARE(::pipe(extremos), 0);
        ::close(extremos[1]);
        TAlarmaDespertar alarma([&] { return extremos[0]; });
        QCOMPARE(alarma.Armar(QDateTime::currentMSecsSinceEpoch() + 60000), EINVAL);
        QVERIFY(!alarma.Armada());
        QCOMPARE(fcntl(extremos[0], F_GETFD), -1);
        QCOMPARE(errno, EBADF);
    }
};

QTEST_GUILESS_MAIN(TestWakeAlarm)
#include "test_wakealarm.moc"
