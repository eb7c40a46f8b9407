// ExecAndWait: the result codes of a run (exit code, not started, limit passed with and
// without killing, a crash), and the output handed back.

#include "platform/execwait.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

class TestExecWait : public QObject {
    Q_OBJECT
    QTemporaryDir pDir;

private slots:
    void results_data()
    {
        QTest::addColumn<QStringList>("orden");
        QTest::addColumn<int>("limiteMs");
        QTest::addColumn<bool>("matar");
        QTest::addColumn<bool>("iniciado");
        QTest::addColumn<bool>("agotado");
        QTest::addColumn<quint32>("resultado");
        QTest::addColumn<QString>("salida");
        const QString sh = QStringLiteral("/bin/sh");
        const QString c = QStringLiteral("-c");
        QTest::newRow("exit 0") << QStringList{sh, c, "echo hola"} << 0 << true << true << false << 0u << "hola\n";
        QTest::newRow("exit 5") << QStringList{sh, c, "echo x >&2; exit 5"} << 0 << true << true << false << 5u << "";
        // A program whose own exit code is 1 or 2 did not time out.
        QTest::newRow("exit 1 is not a time-out") << QStringList{sh, c, "exit 1"} << 5000 << true << true << false << 1u << "";
        QTest::newRow("exit 2 is not a kill") << QStringList{sh, c, "exit 2"} << 5000 << true << true << false << 2u << "";
        QTest::newRow("missing program") << QStringList{"/nonexistent/program"} << 0 << true << false << false << quint32(ENOENT) << "";
        QTest::newRow("not in PATH") << QStringList{"kestrin-no-such-program"} << 0 << true << false << false << quint32(ENOENT) << "";
        QTest::newRow("killed after the limit") << QStringList{sh, c, "echo antes; exec sleep 30"} << 300 << true << true << true << 2u << "antes\n";
        QTest::newRow("limit passed, no killing") << QStringList{sh, c, "exec sleep 30"} << 300 << false << true << true << 1u << "";
        QTest::newRow("crash") << QStringList{sh, c, "kill -SEGV $$"} << 0 << true << true << false << 139u << "";
        QTest::newRow("empty command line") << QStringList{} << 0 << true << false << false << quint32(ENOENT) << "";
    }
    void results()
    {
        QFETCH(QStringList, orden);
        QFETCH(int, limiteMs);
        QFETCH(bool, matar);
        QFETCH(bool, iniciado);
        QFETCH(bool, agotado);
        QFETCH(quint32, resultado);
        QFETCH(QString, salida);
        const TResultadoEjecucion r = ExecAndWait(orden, 10, matar, limiteMs);
        QCOMPARE(r.bIniciado, iniciado);
        QCOMPARE(r.bAgotado, agotado);
        QCOMPARE(r.iResultado, resultado);
        QCOMPARE(r.sSalida, salida);
        if (!iniciado)
            QVERIFY(!r.sTextoSistema.isEmpty());
    }

    void notExecutableIsRefused()
    {
        const QString ruta = pDir.path() + QStringLiteral("/plain-file");
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\nexit 0\n");
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        const TResultadoEjecucion r = ExecAndWait({ruta}, 10, true);
        QVERIFY(!r.bIniciado);
        QCOMPARE(r.iResultado, quint32(EACCES));
    }
};

QTEST_GUILESS_MAIN(TestExecWait)
#include "test_execwait.moc"
