// One Kestrin per session, with a session bus (the test runs under dbus-run-session) and
// without one (the lock file, in $XDG_RUNTIME_DIR or in the temporary folder). Copies
// of a small program race for the instance; the tests check that exactly one wins and
// that the instance is free again however its owner ended.
#include "platform/singleinstance.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <vector>

#include <unistd.h>

namespace {
enum TModo { MODO_BUS, MODO_RUNTIME, MODO_TEMPORAL };
}
Q_DECLARE_METATYPE(TModo)

class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void tenAtOnceLeaveOneOwner_data() { Modos(); }
    void tenAtOnceLeaveOneOwner();
    void freeAgainAfterOwnerEnds_data();
    void freeAgainAfterOwnerEnds();
    void linkPlantedAsLockFileIsNotFollowed_data();
    void linkPlantedAsLockFileIsNotFollowed();
    void ownerInThisProcess();

private:
    void Modos();
    QProcessEnvironment Entorno(TModo rtModo) const;
    std::unique_ptr<QProcess> Iniciar(TModo rtModo, const QStringList &rArgs);
    QString Sonda(TModo rtModo);
    static QString Linea(QProcess &fProceso);

    QString psPrograma;
    std::unique_ptr<QTemporaryDir> pDir;
};

void TestSingleInstance::initTestCase()
{
    psPrograma = QCoreApplication::applicationDirPath() + QStringLiteral("/instancia_prueba");
    QVERIFY(QFile::exists(psPrograma));
    QVERIFY2(!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"), "run this test under dbus-run-session");
}

void TestSingleInstance::init()
{
    pDir = std::make_unique<QTemporaryDir>();
    QVERIFY(pDir->isValid());
    QDir(pDir->path()).mkpath(QStringLiteral("run"));
    QDir(pDir->path()).mkpath(QStringLiteral("tmp"));
}

void TestSingleInstance::Modos()
{
    QTest::addColumn<TModo>("modo");
    QTest::newRow("session bus") << MODO_BUS;
    QTest::newRow("no bus, runtime folder") << MODO_RUNTIME;
    QTest::newRow("no bus, no runtime folder") << MODO_TEMPORAL;
}

QProcessEnvironment TestSingleInstance::Entorno(TModo rtModo) const
{
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    entorno.insert(QStringLiteral("XDG_RUNTIME_DIR"), pDir->filePath(QStringLiteral("run")));
    entorno.insert(QStringLiteral("TMPDIR"), pDir->filePath(QStringLiteral("tmp")));
    if (rtModo != MODO_BUS)
        entorno.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                       QStringLiteral("unix:path=") + pDir->filePath(QStringLiteral("no-bus")));
    if (rtModo == MODO_TEMPORAL)
        entorno.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    return entorno;
}

std::unique_ptr<QProcess> TestSingleInstance::Iniciar(TModo rtModo, const QStringList &rArgs)
{
    auto proceso = std::make_unique<QProcess>();
    proceso->setProcessEnvironment(Entorno(rtModo));
    proceso->start(psPrograma, rArgs);
    return proceso;
}

// The next line the program prints, without its end.
QString TestSingleInstance::Linea(QProcess &fProceso)
{
    for (int i = 0; i < 100 && !fProceso.canReadLine(); ++i)
        if (!fProceso.waitForReadyRead(100) && fProceso.state() == QProcess::NotRunning)
            break;
    return QString::fromUtf8(fProceso.readLine()).trimmed();
}

QString TestSingleInstance::Sonda(TModo rtModo)
{
    auto sonda = Iniciar(rtModo, {QStringLiteral("probe")});
    if (!sonda->waitForFinished(10000))
        return QStringLiteral("probe hangs");
    return QString::fromUtf8(sonda->readAllStandardOutput()).trimmed();
}

void TestSingleInstance::tenAtOnceLeaveOneOwner()
{
    QFETCH(TModo, modo);
    QCOMPARE(Sonda(modo), QStringLiteral("free"));
    std::vector<std::unique_ptr<QProcess>> copias;
    for (int i = 0; i < 10; ++i)
        copias.push_back(Iniciar(modo, {QStringLiteral("acquire"), QStringLiteral("--wait-go"), QStringLiteral("--hold")}));
    for (auto &copia : copias)
        QCOMPARE(Linea(*copia), QStringLiteral("ready"));
    // Every copy is started and waiting; let them all go at once.
    for (auto &copia : copias)
        copia->write("go\n");
    QProcess *dueno = nullptr;
    int segundas = 0;
    for (auto &copia : copias) {
        const QString respuesta = Linea(*copia);
        if (respuesta == QLatin1String("second")) {
            ++segundas;
            QVERIFY(copia->waitForFinished(5000));
            QCOMPARE(copia->exitCode(), 0);
        } else {
            QCOMPARE(respuesta, QStringLiteral("owner again=1 running=0"));
            QVERIFY2(dueno == nullptr, "two owners");
            dueno = copia.get();
        }
    }
    QVERIFY(dueno != nullptr);
    QCOMPARE(segundas, 9);
    QCOMPARE(Sonda(modo), QStringLiteral("running"));
    auto tarde = Iniciar(modo, {QStringLiteral("acquire")});
    QCOMPARE(Linea(*tarde), QStringLiteral("ready"));
    QCOMPARE(Linea(*tarde), QStringLiteral("second"));

    // A normal end (stdin closed) frees it.
    dueno->closeWriteChannel();
    QVERIFY(dueno->waitForFinished(5000));
    QCOMPARE(dueno->exitStatus(), QProcess::NormalExit);
    QTRY_COMPARE_WITH_TIMEOUT(Sonda(modo), QStringLiteral("free"), 5000);
    auto siguiente = Iniciar(modo, {QStringLiteral("acquire")});
    QCOMPARE(Linea(*siguiente), QStringLiteral("ready"));
    QCOMPARE(Linea(*siguiente), QStringLiteral("owner again=1 running=0"));
    QVERIFY(siguiente->waitForFinished(5000));
}

void TestSingleInstance::freeAgainAfterOwnerEnds_data()
{
    QTest::addColumn<TModo>("modo");
    QTest::addColumn<int>("senal");
    const std::pair<const char *, TModo> modos[] = {
        {"session bus", MODO_BUS}, {"runtime folder", MODO_RUNTIME}, {"temporary folder", MODO_TEMPORAL}};
    for (const auto &[nombre, modo] : modos) {
        QTest::addRow("%s, SIGKILL", nombre) << modo << int(SIGKILL);
        QTest::addRow("%s, SIGTERM", nombre) << modo << int(SIGTERM);
    }
}

// The owner started a program that outlives it (as Kestrin starts alert windows): that
// program must not keep the instance, or no Kestrin could start until it ends.
void TestSingleInstance::freeAgainAfterOwnerEnds()
{
    QFETCH(TModo, modo);
    QFETCH(int, senal);
    auto dueno = Iniciar(modo, {QStringLiteral("acquire"), QStringLiteral("--hold"), QStringLiteral("--spawn-child")});
    QCOMPARE(Linea(*dueno), QStringLiteral("ready"));
    QCOMPARE(Linea(*dueno), QStringLiteral("owner again=1 running=0"));
    const QString hijo = Linea(*dueno);
    QVERIFY2(hijo.startsWith(QLatin1String("child ")), qPrintable(hijo));
    const pid_t pidHijo = hijo.mid(6).toInt();
    QVERIFY(pidHijo > 0);
    auto matarHijo = qScopeGuard([pidHijo] { ::kill(pidHijo, SIGKILL); });

    ::kill(pid_t(dueno->processId()), senal);
    QVERIFY(dueno->waitForFinished(5000));
    QCOMPARE(::kill(pidHijo, 0), 0); // the child still runs
    QTRY_COMPARE_WITH_TIMEOUT(Sonda(modo), QStringLiteral("free"), 5000);
    auto siguiente = Iniciar(modo, {QStringLiteral("acquire")});
    QCOMPARE(Linea(*siguiente), QStringLiteral("ready"));
    QCOMPARE(Linea(*siguiente), QStringLiteral("owner again=1 running=0"));
    QVERIFY(siguiente->waitForFinished(5000));
}

void TestSingleInstance::linkPlantedAsLockFileIsNotFollowed_data()
{
    QTest::addColumn<TModo>("modo");
    QTest::addColumn<bool>("deOtro"); // a file of another user rather than a link
    QTest::newRow("runtime folder") << MODO_RUNTIME << false;
    QTest::newRow("temporary folder") << MODO_TEMPORAL << false;
    QTest::newRow("temporary folder, another user's file") << MODO_TEMPORAL << true;
}

// In a shared temporary folder another user could leave a link under the lock file's
// name; following it would create or lock a file of the link's choosing.
void TestSingleInstance::linkPlantedAsLockFileIsNotFollowed()
{
    QFETCH(TModo, modo);
    QFETCH(bool, deOtro);
    const QString carpeta = pDir->filePath(modo == MODO_RUNTIME ? QStringLiteral("run") : QStringLiteral("tmp"));
    const QString destino = pDir->filePath(QStringLiteral("target"));
    const QString enlace = carpeta + QStringLiteral("/kestrin-%1.lock").arg(::geteuid());
    if (deOtro) {
        if (::geteuid() != 0)
            QSKIP("giving a file to another user needs root");
        QFile ajeno(enlace);
        QVERIFY(ajeno.open(QIODevice::WriteOnly));
        ajeno.close();
        QCOMPARE(::chown(QFile::encodeName(enlace).constData(), 65534, 65534), 0);
    } else {
        QVERIFY(QFile::link(destino, enlace));
    }

    // Refused, with the reason and a failing status: never taken for a running Kestrin.
    auto copia = Iniciar(modo, {QStringLiteral("acquire")});
    QCOMPARE(Linea(*copia), QStringLiteral("ready"));
    QCOMPARE(Linea(*copia), QStringLiteral("refused"));
    QVERIFY(copia->waitForFinished(5000));
    QCOMPARE(copia->exitCode(), 1);
    const QString errores = QString::fromLocal8Bit(copia->readAllStandardError());
    QVERIFY2(errores.contains(QLatin1String("cannot open the lock file ") + enlace), qPrintable(errores));
    QVERIFY(!QFile::exists(destino));

    // Once the link is gone the lock works again.
    QVERIFY(QFile::remove(enlace));
    auto otra = Iniciar(modo, {QStringLiteral("acquire")});
    QCOMPARE(Linea(*otra), QStringLiteral("ready"));
    QCOMPARE(Linea(*otra), QStringLiteral("owner again=1 running=0"));
}

// The test process itself takes the name: children see it taken, it does not see itself.
void TestSingleInstance::ownerInThisProcess()
{
    QCOMPARE(Sonda(MODO_BUS), QStringLiteral("free"));
    QVERIFY(!Instancia_Corriendo());
    QCOMPARE(Adquirir_Instancia_Unica(), TAdquisicion::Propia);
    QCOMPARE(Adquirir_Instancia_Unica(), TAdquisicion::Propia);
    QVERIFY(!Instancia_Corriendo());
    QCOMPARE(Sonda(MODO_BUS), QStringLiteral("running"));
    auto copia = Iniciar(MODO_BUS, {QStringLiteral("acquire")});
    QCOMPARE(Linea(*copia), QStringLiteral("ready"));
    QCOMPARE(Linea(*copia), QStringLiteral("second"));
    // The lock file is a different world: without a bus the instance is free.
    QCOMPARE(Sonda(MODO_RUNTIME), QStringLiteral("free"));
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "test_singleinstance.moc"
